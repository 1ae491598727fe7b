#include "ui/csv_settings_dialog.h"

#include "shell/screen_keys.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavimo::ui {

TForm8::TForm8(window::CsvChoice current, QWidget* parent)
    : QDialog(parent), separator_(new RadioGroup("RadioGroup1", 1, this)),
      decimal_(new RadioGroup("RadioGroup2", 1, this)), choice_(window::normalisedCsvChoice(current))
{
    setObjectName("TForm8");
    prepareWindow(this);
    auto* ok = new QPushButton(this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("BitBtn2");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* groups = new QHBoxLayout;
    groups->addWidget(separator_);
    groups->addWidget(decimal_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    applyScreenTexts(this, shell::form::kCsvSettings);
    showChoice(choice_);
    connect(separator_, &RadioGroup::itemClicked, this, [this](int i) { showChoice(window::chooseSeparator(choice_, i)); });
    connect(decimal_, &RadioGroup::itemClicked, this, [this](int i) { showChoice(window::chooseDecimal(choice_, i)); });
}

void TForm8::showChoice(window::CsvChoice c)
{
    choice_ = c;
    separator_->setItemIndex(c.separator);
    decimal_->setItemIndex(c.decimal);
}

} // namespace tavimo::ui
