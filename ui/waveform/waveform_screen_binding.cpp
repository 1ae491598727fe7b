// TForm3's controls bound to the acquisition: buttons, fields, check boxes,
// the track bar, and the chart's gestures and cursors.
#include "ui/waveform/waveform_screen.h"

#include "ui/chart/cursor_chart.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/waveform/track_bar.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

namespace tavimo::ui {

void TForm3::connectControls()
{
    connect(control<QPushButton>("Button1"), &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(control<QPushButton>("Button2"), &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(control<QPushButton>("Button3"), &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(control<QPushButton>("Button4"), &QPushButton::clicked, this, &TForm3::Button4Click);
    connect(control<QPushButton>("Button5"), &QPushButton::clicked, this, &TForm3::Button5Click);
    connect(&timer_, &QTimer::timeout, this, &TForm3::Timer1Timer);
    connectFields();
    connectChart();
}

void TForm3::connectFields()
{
    // A field change goes to the acquisition, which may bring the value
    // into range or refuse it; the fields then show what it holds.
    const auto onField = [this](const char* name, const std::function<void(double)>& apply) {
        UNumberEdit* e = control<UNumberEdit>(name);
        connect(e, &UNumberEdit::changed, this, [this, e, apply] {
            if (rendering_) return;
            guarded([&] {
                apply(e->validValue());
                renderFields();
                render();
            });
        });
    };
    onField("IntervalEdit", [this](double v) {
        acq_.setInterval(static_cast<int>(v));
        syncTimer();
    });
    onField("XWidthEdit", [this](double v) { acq_.setWidth(static_cast<int>(v)); });
    onField("UNumberEdit2", [this](double v) { acq_.setVerticalMax(v); });
    onField("UNumberEdit3", [this](double v) { acq_.setVerticalMin(v); });
    onField("OutputPositionEdit", [this](double v) { acq_.setOutputPosition(static_cast<int>(v)); });

    const auto onButton = [this](QAbstractButton* b, const std::function<void(bool)>& apply) {
        connect(b, &QAbstractButton::clicked, this, [this, apply](bool checked) {
            guarded([&] {
                apply(checked);
                renderFields();
                render();
            });
        });
    };
    onButton(control<QToolButton>("SpeedButton1"), [this](bool) { acq_.restoreValueRange(); });
    onButton(control<QToolButton>("SpeedButton2"), [this](bool) { acq_.restoreWidth(); });
    onButton(control<QCheckBox>("CheckBox9"), [this](bool on) { acq_.setValueCursors(on); });
    onButton(control<QCheckBox>("CheckBox10"), [this](bool on) { acq_.setTimeCursors(on); });
    onButton(control<QCheckBox>("CheckBox11"), [this](bool on) { acq_.setLimitLines(on); });
    onButton(control<QCheckBox>("CheckBox12"), [this](bool on) { acq_.setJudgementBars(on); });
    for (int id = 0; id < 8; ++id)
        onButton(heads_[static_cast<std::size_t>(id)], [this, id](bool on) { acq_.setPlotted(id, on); });
    connect(selectId_, &RadioGroup::itemClicked, this, [this](int index) {
        guarded([&] {
            acq_.setSelectedId(index);
            renderFields();
            render();
        });
    });
    connect(trackBar_, &QSlider::valueChanged, this, [this](int position) {
        if (rendering_) return;
        guarded([&] {
            acq_.moveTrackBar(position); // refused while collecting or replaying
            renderTrackBar();
            renderChart();
        });
    });
}

void TForm3::connectChart()
{
    ChartView* view = chart_->view();
    connect(view, &ChartView::drawn, this, &TForm3::onChartDrawn);
    connect(chart_, &CursorChart::cursorMoved, this, &TForm3::onCursorMoved);
    connect(view, &ChartView::zoomRequested, this, [this](const waveform::AxisSpan& t, const waveform::AxisSpan& v) {
        if (acq_.afterZoom(t, v)) renderChart();
    });
    connect(view, &ChartView::panRequested, this, [this](const waveform::AxisSpan& t, const waveform::AxisSpan& v) {
        const bool time = acq_.panTime(t.min, t.max);
        const bool value = acq_.panValue(v.min, v.max);
        if (time || value) renderChart();
    });
}

void TForm3::onChartDrawn(const waveform::PlotArea& area)
{
    cursors_.chartDrawn(acq_.axes(), area);
    renderCursors();
}

void TForm3::onCursorMoved(waveform::CursorLine line, int scrollPosition)
{
    const waveform::WaveScreenConfig& f = acq_.fields();
    if (!f.MEASURE_CURSOR && !f.TIME_CURSOR) return;
    cursors_.move(line, scrollPosition);
    renderCursors();
}

} // namespace tavimo::ui
