#include "ui/measure/calculation_dialog_window.h"

#include "shell/screen_keys.h"
#include "ui/busy_guard.h"
#include "ui/gui_operator.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavimo::ui {

namespace {

// The row groups keep their form names (Setting 3 and 4 are GroupBox4 and 5).
constexpr const char* kRowGroups[] = {"GroupBox1", "GroupBox2", "GroupBox4", "GroupBox5"};

QComboBox* idList(const QString& name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    for (int id = 0; id < 8; ++id) c->addItem(QString::number(id));
    return c;
}

} // namespace

TForm7::TForm7(TForm1& main)
    : QDialog(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      main_(main), dialog_(main.session().model, main.session().active.online(), main.session().active.activeCount())
{
    setObjectName("TForm7");
    setModal(true);
    prepareWindow(this);

    auto* table = new QGroupBox(this);
    table->setObjectName("GroupBox3");
    auto* grid = new QGridLayout(table);
    auto* captionA = new QLabel(table);
    captionA->setObjectName("Label3");
    auto* captionB = new QLabel(table);
    captionB->setObjectName("Label4");
    grid->addWidget(captionA, 0, 1, Qt::AlignCenter);
    grid->addWidget(captionB, 0, 2, Qt::AlignCenter);
    for (int r = 0; r < calibration::kCalculationRows; ++r) {
        grid->addWidget(buildRow(r), r + 1, 0);
        grid->addWidget(rows_[static_cast<std::size_t>(r)].a, r + 1, 1);
        grid->addWidget(rows_[static_cast<std::size_t>(r)].b, r + 1, 2);
    }
    grid->setColumnStretch(0, 1);

    // The read-only note: a label, so it always shows whole in either language.
    auto* note = new QLabel(this);
    note->setObjectName("Memo1");
    note->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    note->setAutoFillBackground(true);
    note->setBackgroundRole(QPalette::Base);
    note->setMargin(6);
    note->setTextFormat(Qt::PlainText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    send_ = new QPushButton(this);
    send_->setObjectName("BitBtn1");
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("BitBtn2");
    connect(send_, &QPushButton::clicked, this, &TForm7::BitBtn1Click);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(send_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(note);
    layout->addLayout(buttons);
    applyScreenTexts(this, shell::form::kCalculation);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    render();
}

QWidget* TForm7::buildRow(int r)
{
    RowControls& c = rows_[static_cast<std::size_t>(r)];
    // The type group carries the row's caption ("Setting 1" ...).
    c.type = new RadioGroup(QStringLiteral("CAL%1RadioGroup").arg(r + 1), 3, this);
    auto* holder = new QGroupBox(this);
    holder->setObjectName(kRowGroups[r]);
    auto* inner = new QVBoxLayout(holder);
    inner->setContentsMargins(4, 2, 4, 2);
    inner->addWidget(c.type);
    // The row's group box carries the caption; the type group inside it
    // draws no second frame.
    c.type->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin-top: 0; padding-top: 0; }"));
    c.a = idList(QStringLiteral("CAL%1AComboBox").arg(r + 1), this);
    c.b = idList(QStringLiteral("CAL%1BComboBox").arg(r + 1), this);
    connect(c.type, &RadioGroup::itemClicked, this, [this, r](int i) { typeChanged(r, i); });
    connect(c.a, &QComboBox::activated, this, [this, r](int i) { listChanged(r, true, i); });
    connect(c.b, &QComboBox::activated, this, [this, r](int i) { listChanged(r, false, i); });
    return holder;
}

void TForm7::render()
{
    for (int r = 0; r < calibration::kCalculationRows; ++r) {
        const calibration::CalculationRow& row = dialog_.row(r);
        const RowControls& c = rows_[static_cast<std::size_t>(r)];
        c.type->setItemIndex(row.mode);
        c.type->setEnabled(row.enabled);
        c.a->setCurrentIndex(row.idA);
        c.b->setCurrentIndex(row.idB);
        c.a->setEnabled(row.listsEnabled);
        c.b->setEnabled(row.listsEnabled);
    }
    send_->setEnabled(dialog_.sendEnabled());
}

void TForm7::typeChanged(int row, int mode)
{
    dialog_.setMode(row, mode);
    render();
}

void TForm7::listChanged(int row, bool listIsA, int id)
{
    const bool moved = listIsA ? dialog_.setIdA(row, id) : dialog_.setIdB(row, id);
    render();
    if (moved) main_.op().message(msgText(shell::Msg::DuplicateId));
}

void TForm7::BitBtn1Click()
{
    int code = 0;
    {
        BusyGuard busy({this});
        settings::OperationContext ctx = main_.session().operationContext(main_.op());
        code = calibration::sendCalculationSettings(ctx, dialog_, main_.session().model);
    }
    // A failure was reported; the dialog stays for another try.
    if (code == 0) accept();
}

void runCalculationDialog(TForm1& main)
{
    TForm7 dialog(main);
    dialog.exec();
}

} // namespace tavimo::ui
