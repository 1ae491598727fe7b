// TForm3 shows the acquisition's state: the enabled controls and button
// captions, the field values, the chart's series, bands and axes, the
// track bar, the cursors and their read-outs, and Timer1.
#include "ui/waveform/waveform_screen.h"

#include "shell/msg.h"
#include "shell/screen_keys.h"
#include "ui/chart/cursor_chart.h"
#include "ui/number_edit.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/screen_texts.h"
#include "ui/waveform/track_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace tavimo::ui {

namespace {

const char* const kBarColours[waveform::kJudgementRows] = {"#FF4040", "#00C000", "#4080FF", "#FFFF80"};

class Rendering {
public:
    explicit Rendering(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Rendering() { flag_ = was_; }

private:
    bool& flag_;
    bool was_;
};

void setValue(UNumberEdit* e, double v)
{
    if (e->GetValue() != v || e->outOfRange()) e->SetValue(v);
}

} // namespace

void TForm3::render()
{
    renderControls();
    renderChart();
    renderTrackBar();
    renderCursors(); // from the last drawing; the coming one shows them again
}

void TForm3::renderControls()
{
    const Rendering r(rendering_);
    const waveform::WaveControls c = acq_.controls();
    const waveform::WaveScreenConfig& f = acq_.fields();
    chart_->setCursorControlsEnabled(c.valueScrollBars, c.timeScrollBars);
    chart_->view()->setGesturesEnabled(c.zoomPan);
    control<UNumberEdit>("IntervalEdit")->setEnabled(c.intervalField);
    for (const char* n : {"UNumberEdit2", "UNumberEdit3"}) control<UNumberEdit>(n)->setEnabled(c.valueFields);
    control<QToolButton>("SpeedButton1")->setEnabled(c.valueFields);
    control<UNumberEdit>("XWidthEdit")->setEnabled(c.widthField);
    control<QToolButton>("SpeedButton2")->setEnabled(c.widthField);
    trackBar_->setEnabled(c.trackBar);
    control<QCheckBox>("CheckBox11")->setEnabled(c.limitBox);
    control<QCheckBox>("CheckBox12")->setEnabled(c.judgementBox);
    selectId_->setEnabled(c.selectId);
    control<UNumberEdit>("OutputPositionEdit")->setEnabled(c.outputPosition);
    control<QPushButton>("Button3")->setEnabled(c.loadButton);
    control<QPushButton>("Button4")->setEnabled(c.saveButton);
    for (QCheckBox* b : heads_) b->setEnabled(c.headBoxes);
    auto* collect = control<QPushButton>("Button1");
    collect->setEnabled(c.collectButton);
    collect->setText(c.collectShowsStop ? msgText(shell::Msg::Stop) : collectText_);
    auto* replay = control<QPushButton>("Button2");
    replay->setEnabled(c.replayButton);
    replay->setText(c.replayShowsStop ? msgText(shell::Msg::Stop) : replayText_);

    // The limit lines are in the legend while they are drawn; the right
    // axis names the judgement rows while they are.
    ChartView* view = chart_->view();
    for (int s : {upperSeries_, lowerSeries_}) {
        if (f.THRESHOLD)
            view->series(s)->addToLegend();
        else
            view->series(s)->removeFromLegend();
    }
    view->setAxisTitles(QStringLiteral("ms"), screenProperty(view, shell::property::kLeftAxisTitle),
                        f.HI_PASS_LO ? screenProperty(view, shell::property::kRightAxisTitle) : QString());
}

void TForm3::renderFields()
{
    const Rendering r(rendering_);
    const waveform::WaveScreenConfig& f = acq_.fields();
    setValue(control<UNumberEdit>("IntervalEdit"), f.INTERVAL);
    setValue(control<UNumberEdit>("XWidthEdit"), f.HORIZONTAL);
    setValue(control<UNumberEdit>("UNumberEdit2"), f.VERTICAL_MAX);
    setValue(control<UNumberEdit>("UNumberEdit3"), f.VERTICAL_MIN);
    setValue(control<UNumberEdit>("OutputPositionEdit"), f.OUT_POSITION);
    control<QCheckBox>("CheckBox9")->setChecked(f.MEASURE_CURSOR);
    control<QCheckBox>("CheckBox10")->setChecked(f.TIME_CURSOR);
    control<QCheckBox>("CheckBox11")->setChecked(f.THRESHOLD);
    control<QCheckBox>("CheckBox12")->setChecked(f.HI_PASS_LO);
    selectId_->setItemIndex(f.SELECT_ID);
    for (int id = 0; id < 8; ++id) heads_[static_cast<std::size_t>(id)]->setChecked(acq_.plotted()[static_cast<std::size_t>(id)]);
}

void TForm3::renderChart()
{
    ChartView* view = chart_->view();
    const waveform::WavePlot& plot = acq_.plot();
    for (std::size_t i = 0; i < seriesIds_.size(); ++i)
        view->showPoints(static_cast<int>(i), plot.controllers[static_cast<std::size_t>(seriesIds_[i])]);
    view->showPoints(upperSeries_, plot.upperLimit);
    view->showPoints(lowerSeries_, plot.lowerLimit);
    std::vector<ChartBand> bands;
    for (int row = 0; row < waveform::kJudgementRows; ++row)
        for (const waveform::JudgementBar& b : plot.bars[static_cast<std::size_t>(row)])
            bands.push_back({b.start, b.end, b.row, barLabels_[static_cast<std::size_t>(row)], QColor(kBarColours[row])});
    view->setBands(std::move(bands));
    view->setAxes(acq_.axes().time, acq_.axes().value);
    view->redraw();
}

void TForm3::renderTrackBar()
{
    const Rendering r(rendering_);
    const waveform::TrackBarState& t = acq_.trackBar();
    trackBar_->setValue(t.position);
    trackBar_->setSelectionEnd(t.selectionEnd);
}

void TForm3::renderCursors()
{
    const waveform::WaveScreenConfig& f = acq_.fields();
    chart_->showCursors(cursors_.positions(), f.MEASURE_CURSOR, f.TIME_CURSOR);
    const waveform::CursorReadouts r = cursors_.readouts(acq_.axes(), f.MEASURE_CURSOR, f.TIME_CURSOR);
    const std::pair<const char*, const std::string*> texts[] = {{"StaticText1", &r.L1}, {"StaticText2", &r.L2},
                                                                {"StaticText3", &r.PP}, {"StaticText4", &r.T1},
                                                                {"StaticText5", &r.T2}, {"StaticText6", &r.RL}};
    for (const auto& [name, text] : texts) control<QLabel>(name)->setText(qs(*text));
}

void TForm3::syncTimer()
{
    if (!acq_.timerActive()) return timer_.stop();
    if (!timer_.isActive() || timer_.interval() != acq_.timerIntervalMs()) timer_.start(acq_.timerIntervalMs());
}

} // namespace tavimo::ui
