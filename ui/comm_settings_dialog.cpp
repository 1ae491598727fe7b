#include "ui/comm_settings_dialog.h"

#include "link/line_settings.h"
#include "shell/screen_keys.h"
#include "ui/qt_text.h"
#include "ui/screen_texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tavimo::ui {

namespace {

template <class List>
QStringList toList(const List& items)
{
    QStringList out;
    for (const auto& i : items) out << qs(i);
    return out;
}

int pickIndex(const QComboBox* c, int fallback) { return c->currentIndex() >= 0 ? c->currentIndex() : fallback; }

} // namespace

TForm22::TForm22(const std::vector<std::string>& ports, const files::PortConfig& current, QWidget* parent)
    : QDialog(parent), initial_(current)
{
    setObjectName("TForm22");
    prepareWindow(this);
    auto* grid = new QGridLayout;
    const QStringList lists[] = {toList(ports), toList(link::kSpeedChoices), toList(link::kParityChoices),
                                 toList(link::kStopChoices), toList(link::kTimeoutChoices)};
    const int stored[] = {current.COM, current.SPEED, current.PARITY, current.STOP_BIT, current.TIMEOUT};
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        auto* c = new QComboBox(this);
        c->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
        c->addItems(lists[i]);
        c->setCurrentIndex(stored[i] < c->count() ? stored[i] : -1);
        c->setMinimumWidth(180);
        combos_[static_cast<std::size_t>(i)] = c;
        grid->addWidget(label, i, 0);
        grid->addWidget(c, i, 1);
    }
    auto* ok = new QPushButton(this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    applyScreenTexts(this, shell::form::kCommunicationSettings);
}

files::PortConfig TForm22::chosen() const
{
    files::PortConfig c = initial_;
    c.COM = pickIndex(combo(0), initial_.COM);
    c.SPEED = pickIndex(combo(1), initial_.SPEED);
    c.PARITY = pickIndex(combo(2), initial_.PARITY);
    c.STOP_BIT = pickIndex(combo(3), initial_.STOP_BIT);
    c.TIMEOUT = pickIndex(combo(4), initial_.TIMEOUT);
    return c;
}

} // namespace tavimo::ui
