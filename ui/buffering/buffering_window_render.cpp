// TForm4's rendering: the status, the enabled controls, the axis texts, the
// cursor read-outs, the chart and the grid from the screen's core state.
#include "ui/buffering/buffering_window.h"

#include "shell/screen_keys.h"
#include "ui/buffering/buffering_grid_model.h"
#include "ui/buffering/buffering_plot.h"
#include "ui/chart/cursor_chart.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace tavimo::ui {

namespace {

// The controls the enabling rules switch.
constexpr const char* kViewControls[] = {"BitBtn1",     "SpeedButton1", "SpeedButton2", "Button5",
                                         "XWidthEdit",  "UNumberEdit2", "UNumberEdit3", "TrackBar1",
                                         "CheckBox9",   "CheckBox10"};

} // namespace

void TForm4::showData()
{
    plot_->showPoints(screen_->data());
    gridModel_->reload();
}

void TForm4::renderControls()
{
    const buffering::BufferingControls c = screen_->controls();
    const buffering::StatusTexts& s = screen_->status();
    control<QLabel>("Label20")->setText(qs(s.run));
    control<QLabel>("Label21")->setText(qs(s.trigger));
    control<QLabel>("Label22")->setText(qs(s.count));
    auto* startStop = control<QPushButton>("Button1");
    startStop->setText(qs(c.startStopCaption));
    startStop->setEnabled(c.startStop);
    control<QWidget>("Button2")->setEnabled(c.read);
    control<QWidget>("BitBtn2")->setEnabled(c.settings);
    ids_->setEnabled(c.idList);
    ids_->setItemIndex(screen_->selectedPosition());
    control<QWidget>("Button3")->setEnabled(c.load);
    control<QWidget>("Button4")->setEnabled(c.save);
    for (const char* name : kViewControls)
        if (auto* w = findChild<QWidget*>(QString::fromLatin1(name))) w->setEnabled(c.view);
    chart_->setCursorControlsEnabled(c.valueCursorBars, c.timeCursorBars);
    grid_->setVisible(c.gridVisible);
}

void TForm4::renderAxisTexts()
{
    const buffering::UnitTexts t = buffering::unitTexts(screen_->view().unit());
    control<QLabel>("Label13")->setText(qs(t.rangeLabel));
    control<QLabel>("Label14")->setText(qs(t.widthLabel));
    chart_->view()->setAxisTitles(qs(t.axisTitle), screenProperty(chart_->view(), shell::property::kLeftAxisTitle));
}

void TForm4::renderReadouts()
{
    const waveform::CursorReadouts r = screen_->view().readouts();
    control<QLabel>("StaticText1")->setText(qs(r.L1));
    control<QLabel>("StaticText2")->setText(qs(r.L2));
    control<QLabel>("StaticText3")->setText(qs(r.PP));
    control<QLabel>("StaticText4")->setText(qs(r.T1));
    control<QLabel>("StaticText5")->setText(qs(r.T2));
    control<QLabel>("StaticText6")->setText(qs(r.RL));
}

void TForm4::renderCursors()
{
    const buffering::BufferingView& view = screen_->view();
    chart_->showCursors(view.cursors().positions(), view.fields().MEASURE_CURSOR, view.fields().TIME_CURSOR);
}

void TForm4::render()
{
    if (rendering_) return;
    rendering_ = true;
    const buffering::BufferingView& view = screen_->view();
    const buffering::BufferScreenConfig& f = view.fields();
    renderControls();
    renderAxisTexts();
    if (static_cast<int>(width_->validValue()) != f.HORIZONTAL) width_->SetValue(f.HORIZONTAL);
    if (max_->validValue() != f.VERTICAL_MAX) max_->SetValue(f.VERTICAL_MAX);
    if (min_->validValue() != f.VERTICAL_MIN) min_->SetValue(f.VERTICAL_MIN);
    control<QCheckBox>("CheckBox9")->setChecked(f.MEASURE_CURSOR);
    control<QCheckBox>("CheckBox10")->setChecked(f.TIME_CURSOR);

    const buffering::ReplayBar& r = view.replay();
    replay_->setRange(r.min, r.max);
    replay_->setValue(r.position);

    plot_->showMark(screen_->data().mark());
    chart_->view()->setAxes(view.axes().time, view.axes().value);
    renderCursors();
    chart_->view()->redraw();
    renderReadouts();
    rendering_ = false;
}

} // namespace tavimo::ui
