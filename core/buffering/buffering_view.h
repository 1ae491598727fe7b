// What the buffering screen's chart shows, without the chart: the time and
// value axes with their fields and limits, the replay bar, the mark of the
// selected grid row, the cursors, the horizontal unit and the display-width
// flag. The axes and cursors are those of the waveform screen.
#pragma once

#include "buffering/buffered_data.h"
#include "buffering/buffering_config.h"
#include "waveform/wave_axes.h"
#include "waveform/wave_cursors.h"

#include <string>

namespace tavimo::buffering {

struct ReplayBar {
    int min = 0;
    int max = 0;
    int selStart = 0;
    int selEnd = 0;
    int position = 0;
    bool operator==(const ReplayBar&) const = default;
};

// Time ("Time range", "00 ms", axis "ms") or, while the selected controller
// has a hold mode, point numbers ("Data range", "00 data", "Data number").
enum class HorizontalUnit { Time, Points };

struct UnitTexts {
    std::string rangeLabel; // Label13
    std::string widthLabel; // Label14
    std::string axisTitle;  // the bottom axis
};
UnitTexts unitTexts(HorizontalUnit unit);

class BufferingView {
public:
    // From the screen's keys: value axis from the two fields, time axis
    // 0 .. width * 100.
    explicit BufferingView(const BufferScreenConfig& config);

    // clearBufferingDisplay without the data: time axis 0 .. width * 100,
    // that as the right end reached, the replay bar all 0.
    void clear();
    // After the data changed: the replay bar's maximum and selection end
    // become the number of points.
    void dataChanged(const BufferedData& data);

    // XWidthEdit (1..90): axis minimum .. minimum + width * 100, and that
    // becomes the right end reached. SpeedButton2 restores 50.
    void widthChanged(int width);
    void restoreWidth();
    // UNumberEdit2 / UNumberEdit3: a maximum not above the minimum becomes
    // 1000, a minimum not below the maximum -1000; then the value axis and
    // its panning range follow the fields. SpeedButton1 restores 5 and 0.
    void maxFieldChanged(double value);
    void minFieldChanged(double value);
    void restoreValueFields();

    // After a zoom gesture: value span at least 1.0, time span at least 100.
    void zoomed(const waveform::AxisSpan& time, const waveform::AxisSpan& value);
    // Scroll gestures: allowed only inside 0 .. right end reached (time) and
    // the two fields (value). True when the axis moved.
    bool scrollTime(double newMin, double newMax);
    bool scrollValue(double newMin, double newMax);

    // TrackBar1 moved to `position`: the point is centred in the time window
    // (not before 0), the right end reached grows with it.
    void replayMoved(int position, const BufferedData& data);
    // A grid cell of `row` selected: the mark goes to that point and the
    // replay bar moves to it when that lies within its selection. False
    // when the row holds no point.
    bool gridRowSelected(std::size_t row, BufferedData& data);

    // BitBtn1: chart alone or beside the grid. The time cursors are kept
    // inside the plot area the window reports after the switch.
    void displaySwitched();
    bool wide() const { return config_.CHART_DISP_WIDTH; }
    void setValueCursors(bool on) { config_.MEASURE_CURSOR = on; }
    void setTimeCursors(bool on) { config_.TIME_CURSOR = on; }

    void setUnit(HorizontalUnit unit) { unit_ = unit; }
    HorizontalUnit unit() const { return unit_; }

    // The cursors: placed at creation from the chart's size, told of every
    // drawing, moved by the four scroll bars.
    void placeCursors(int chartWidth, int chartHeight) { cursors_.place(chartWidth, chartHeight); }
    void chartDrawn(const waveform::PlotArea& area);
    void moveCursor(waveform::CursorLine line, int scrollPosition) { cursors_.move(line, scrollPosition); }
    const waveform::WaveCursors& cursors() const { return cursors_; }
    waveform::CursorReadouts readouts() const
    {
        return cursors_.readouts(axes_, config_.MEASURE_CURSOR, config_.TIME_CURSOR);
    }

    const waveform::WaveAxes& axes() const { return axes_; }
    const ReplayBar& replay() const { return replay_; }
    // The field values and flags, for the configuration at destruction.
    const BufferScreenConfig& fields() const { return config_; }

private:
    double widthUnits() const { return config_.HORIZONTAL * 100.0; }
    void applyValueFields();

    BufferScreenConfig config_;
    waveform::WaveAxes axes_;
    waveform::WaveCursors cursors_;
    ReplayBar replay_;
    HorizontalUnit unit_ = HorizontalUnit::Time;
    bool reclampTimeCursors_ = false;
};

} // namespace tavimo::buffering
