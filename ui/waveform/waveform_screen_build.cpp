// TForm3's controls under their form names, its layout and its texts.
#include "ui/waveform/waveform_screen.h"

#include "shell/screen_keys.h"
#include "ui/chart/cursor_chart.h"
#include "ui/chart/cursor_readouts.h"
#include "ui/main_window.h"
#include "ui/named_controls.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"
#include "ui/waveform/track_bar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavimo::ui {

namespace {

constexpr int kPanelWidth = 300;
constexpr int kFieldWidth = 70;

// The series colours of controller IDs 0 to 7 and of the limit lines.
const char* const kIdColours[] = {"#FF0000", "#FF8040", "#008000", "#00FF80",
                                  "#00FFFF", "#8080FF", "#808000", "#FF00FF"};
const char* const kLimitColour = "#008000";

UNumberEdit* field(QWidget* p, const char* name, double min, double max, double def, bool integer)
{
    auto* e = new UNumberEdit(p, QString::fromLatin1(name));
    e->setInteger(integer);
    e->setFigure(integer ? QStringLiteral("0") : QStringLiteral("0.00"));
    e->SetMinMaxDef(min, max, def);
    e->SetValue(def); // in the field's figure from the start ("0.00", not "0")
    e->setFixedWidth(kFieldWidth);
    return e;
}

QToolButton* restoreButton(QWidget* p, const char* name)
{
    auto* b = named(new QToolButton(p), name);
    b->setIcon(p->style()->standardIcon(QStyle::SP_BrowserReload));
    return b;
}

} // namespace

void TForm3::buildControls()
{
    chart_ = new CursorChart(this);
    trackBar_ = new TrackBar(this);
    trackBar_->setRange(0, waveform::TrackBarState::kMaximum);

    auto* left = new QVBoxLayout;
    left->addWidget(chart_, 1);
    left->addWidget(trackBar_);
    left->addWidget(buildCursorPanel());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buildSidePanel());
}

QWidget* TForm3::buildSidePanel()
{
    auto* panel = new QWidget(this);
    panel->setFixedWidth(kPanelWidth);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);

    auto* shown = named(new QGroupBox(panel), "GroupBox10");
    auto* shownRow = new QHBoxLayout(shown);
    shownRow->addWidget(named(new QPushButton(shown), "Button1"));
    shownRow->addWidget(named(new QPushButton(shown), "Button2"));
    auto* file = named(new QGroupBox(panel), "GroupBox11");
    auto* fileRow = new QHBoxLayout(file);
    fileRow->addWidget(named(new QPushButton(file), "Button3"));
    fileRow->addWidget(named(new QPushButton(file), "Button4"));

    auto* heads = named(new QGroupBox(panel), "GroupBox1");
    auto* headGrid = new QGridLayout(heads);
    for (int id = 0; id < 8; ++id) {
        heads_[static_cast<std::size_t>(id)] = named(new QCheckBox(heads), qPrintable(QStringLiteral("CheckBox%1").arg(id + 1)));
        headGrid->addWidget(heads_[static_cast<std::size_t>(id)], id / 4, id % 4);
    }

    auto* time = named(new QGroupBox(panel), "GroupBox6");
    auto* tg = new QGridLayout(time);
    tg->addWidget(label(time, "Label13"), 0, 0);
    tg->addWidget(field(time, "XWidthEdit", waveform::kWidthMin, waveform::kWidthMax, waveform::kWidthDefault, true), 0, 1);
    tg->addWidget(label(time, "Label14"), 0, 2);
    tg->addWidget(restoreButton(time, "SpeedButton2"), 0, 3);
    tg->addWidget(label(time, "Label11"), 1, 0);
    tg->addWidget(field(time, "IntervalEdit", waveform::kIntervalMin, waveform::kIntervalMax,
                        waveform::kIntervalDefault, true),
                  1, 1);
    tg->addWidget(label(time, "Label12"), 1, 2, 1, 2);
    tg->setColumnStretch(2, 1);

    auto* value = named(new QGroupBox(panel), "GroupBox2");
    auto* valueBox = new QVBoxLayout(value);
    auto* range = named(new QGroupBox(value), "GroupBox3");
    valueBox->addWidget(range);
    auto* vg = new QGridLayout(range);
    vg->addWidget(label(range, "Label1"), 0, 0);
    vg->addWidget(field(range, "UNumberEdit2", waveform::kVerticalMaxLow, waveform::kVerticalMaxHigh,
                        waveform::kVerticalMaxDefault, false),
                  0, 1);
    vg->addWidget(label(range, "Label2"), 0, 2);
    vg->addWidget(label(range, "Label3"), 1, 0);
    vg->addWidget(field(range, "UNumberEdit3", waveform::kVerticalMinLow, waveform::kVerticalMinHigh,
                        waveform::kVerticalMinDefault, false),
                  1, 1);
    vg->addWidget(label(range, "Label4"), 1, 2);
    vg->addWidget(restoreButton(range, "SpeedButton1"), 0, 3, 2, 1);
    vg->setColumnStretch(2, 1);

    auto* aux = named(new QGroupBox(panel), "GroupBox12");
    auto* ag = new QGridLayout(aux);
    ag->addWidget(named(new QCheckBox(aux), "CheckBox11"), 0, 0, 1, 3);
    ag->addWidget(named(new QCheckBox(aux), "CheckBox12"), 1, 0, 1, 3);
    selectId_ = new RadioGroup("RadioGroup1", 4, aux);
    ag->addWidget(selectId_, 2, 0, 1, 3);
    ag->addWidget(label(aux, "Label20"), 3, 0);
    ag->addWidget(field(aux, "OutputPositionEdit", waveform::kOutPositionMin, waveform::kOutPositionMax,
                        waveform::kOutPositionFieldDefault, true),
                  3, 1);
    ag->addWidget(label(aux, "Label19"), 3, 2);
    ag->setColumnStretch(2, 1);

    for (QWidget* w : std::initializer_list<QWidget*>{shown, file, heads, time, value, aux}) v->addWidget(w);
    v->addStretch(1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(named(new QPushButton(panel), "Button5"));
    v->addLayout(closeRow);
    return panel;
}

QWidget* TForm3::buildCursorPanel() { return buildCursorReadouts(this); }

// One line per controller of the active-controller list (all eight
// offline), then the two limit lines. The judgement rows are bands; their
// labels come from Series11..Series14.
void TForm3::buildSeries()
{
    ChartView* view = chart_->view();
    const link::ActiveControllers& active = main_.session().active;
    for (int i = 0; i < active.activeCount(); ++i) {
        const int id = active.activeId(i);
        if (id < 0 || id >= 8) continue;
        view->addSeries(QStringLiteral("Series%1").arg(id + 1), QStringLiteral("ID%1").arg(id), QColor(kIdColours[id]));
        seriesIds_.push_back(id);
    }
    upperSeries_ = view->addSeries("Series9", "H Li", QColor(kLimitColour), Qt::DashLine);
    lowerSeries_ = view->addSeries("Series10", "L Li", QColor(kLimitColour), Qt::DotLine);
    for (int row = 0; row < waveform::kJudgementRows; ++row)
        (new QObject(this))->setObjectName(QStringLiteral("Series%1").arg(11 + row));
    // The holders of the file dialogs' catalog texts.
    (new QObject(this))->setObjectName("OpenDialog1");
    (new QObject(this))->setObjectName("SaveDialog1");
}

void TForm3::applyTexts()
{
    prepareWindow(this);
    applyScreenTexts(this, shell::form::kWaveform);
    ChartView* view = chart_->view();
    for (int i = 0; i < view->seriesCount(); ++i) {
        const QString title = screenProperty(view->series(i), shell::property::kTitle);
        if (!title.isEmpty()) view->series(i)->setName(title);
    }
    for (int row = 0; row < waveform::kJudgementRows; ++row)
        barLabels_[static_cast<std::size_t>(row)] =
            screenProperty(findChild<QObject*>(QStringLiteral("Series%1").arg(11 + row)), shell::property::kTitle);
    collectText_ = control<QPushButton>("Button1")->text();
    replayText_ = control<QPushButton>("Button2")->text();
}

} // namespace tavimo::ui
