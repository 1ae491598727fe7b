#include "ui/buffering/settings_dialog.h"

#include "buffering/buffering_rules.h"
#include "shell/screen_keys.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace tavimo::ui {

namespace {

// The form's own defaults, used by the fields for an out-of-range entry.
constexpr int kDefaultPoints = 10000;
constexpr int kDefaultRate = 4;
constexpr int kDefaultTrigger = 1;

QGroupBox* group(const char* name, QWidget* parent, QWidget* slider, QWidget* field)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(name);
    auto* row = new QHBoxLayout(box);
    row->addWidget(slider, 1);
    row->addWidget(field);
    return box;
}

void showRange(QSlider* slider, UNumberEdit* field, const buffering::SliderField& f, int defaultValue)
{
    if (slider->minimum() != f.min || slider->maximum() != f.max) slider->setRange(f.min, f.max);
    if (slider->value() != f.slider) slider->setValue(f.slider);
    if (field->spec().min != f.min || field->spec().max != f.max) field->SetMinMaxDef(f.min, f.max, defaultValue);
    // A field the user is typing in keeps its text while it says the same.
    if (field->outOfRange() || static_cast<int>(field->GetValue()) != f.field) field->SetValue(f.field);
}

} // namespace

TForm6::TForm6(buffering::BufferingSettingsForm form, buffering::BufferingRecord& record, shell::Operator& op,
               QWidget* parent)
    : QDialog(parent), form_(std::move(form)), record_(record), op_(op)
{
    setObjectName("TForm6");
    prepareWindow(this);

    trigger_ = new RadioGroup("RadioGroup1", 2, this);
    trigger_->setEnabled(false); // shown, never chosen here

    pointsSlider_ = makeSlider("TrackBar3");
    rateSlider_ = makeSlider("TrackBar1");
    triggerSlider_ = makeSlider("TrackBar2");
    pointsField_ = makeField("UNumberEdit3", buffering::kMaxBufferPoints, kDefaultPoints);
    rateField_ = makeField("UNumberEdit1", buffering::kMaxRate, kDefaultRate);
    triggerField_ = makeField("UNumberEdit2", kDefaultPoints, kDefaultTrigger);

    auto* info = new QGroupBox(this);
    info->setObjectName("GroupBox4");
    auto* infoRow = new QHBoxLayout(info);
    auto* label1 = new QLabel(info);
    label1->setObjectName("Label1");
    total_ = new QLabel(info);
    total_->setObjectName("Label2");
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    total_->setMinimumWidth(90);
    total_->setFrameShape(QFrame::StyledPanel);
    auto* label3 = new QLabel(info);
    label3->setObjectName("Label3");
    infoRow->addWidget(label1);
    infoRow->addStretch();
    infoRow->addWidget(total_);
    infoRow->addWidget(label3);

    auto* set = new QPushButton(this);
    set->setObjectName("BitBtn1");
    set->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName("BitBtn2");
    connect(set, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(set);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trigger_);
    layout->addWidget(group("GroupBox1", this, pointsSlider_, pointsField_));
    layout->addWidget(group("GroupBox2", this, rateSlider_, rateField_));
    layout->addWidget(group("GroupBox3", this, triggerSlider_, triggerField_));
    layout->addWidget(info);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    applyScreenTexts(this, shell::form::kBufferingSettings);
    render();

    using Form = buffering::BufferingSettingsForm;
    connectPair(pointsSlider_, pointsField_, &Form::pointsSliderMoved, &Form::pointsFieldChanged);
    connectPair(rateSlider_, rateField_, &Form::rateSliderMoved, &Form::rateFieldChanged);
    connectPair(triggerSlider_, triggerField_, &Form::triggerSliderMoved, &Form::triggerFieldChanged);
}

bool TForm6::run(buffering::BufferingRecord& record, shell::Operator& op, QWidget* parent)
{
    auto form = buffering::BufferingSettingsForm::open(record, op);
    if (!form) return false;
    TForm6 dialog(std::move(*form), record, op, parent);
    return dialog.exec() == QDialog::Accepted;
}

QSlider* TForm6::makeSlider(const char* name)
{
    auto* s = new QSlider(Qt::Horizontal, this);
    s->setObjectName(name);
    s->setMinimumWidth(220);
    return s;
}

UNumberEdit* TForm6::makeField(const char* name, int max, int defaultValue)
{
    auto* f = new UNumberEdit(this, name);
    f->setInteger(true);
    f->setFigure("0");
    f->SetMinMaxDef(1, max, defaultValue);
    f->setFixedWidth(80);
    return f;
}

void TForm6::connectPair(QSlider* slider, UNumberEdit* field, void (buffering::BufferingSettingsForm::*moved)(int),
                         bool (buffering::BufferingSettingsForm::*changed)(double))
{
    connect(slider, &QSlider::valueChanged, this, [this, moved](int position) {
        if (rendering_) return;
        (form_.*moved)(position);
        render();
    });
    connect(field, &UNumberEdit::changed, this, [this, field, changed] {
        if (rendering_) return;
        if ((form_.*changed)(field->GetValue())) render();
    });
}

void TForm6::render()
{
    rendering_ = true;
    trigger_->setItemIndex(form_.triggerType());
    showRange(pointsSlider_, pointsField_, form_.points(), kDefaultPoints);
    showRange(rateSlider_, rateField_, form_.rate(), kDefaultRate);
    showRange(triggerSlider_, triggerField_, form_.trigger(), kDefaultTrigger);
    total_->setText(qs(form_.totalTimeText()));
    rendering_ = false;
}

void TForm6::BitBtn1Click()
{
    if (form_.set(record_, op_))
        accept();
    else
        reject();
}

} // namespace tavimo::ui
