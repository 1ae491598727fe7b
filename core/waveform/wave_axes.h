// The chart's time axis (ms) and value axis (mm or V), and the ranges the
// user may pan them within. The screen's fields set them; plotting moves the
// time axis along with the samples; zoom, pan and the track bar move it
// within the rules below.
#pragma once

#include "waveform/wave_config.h"

#include <cstdint>

namespace tavimo::waveform {

struct AxisSpan {
    double min = 0;
    double max = 0;
    double span() const { return max - min; }
    bool operator==(const AxisSpan&) const = default;
};

struct WaveAxes {
    AxisSpan time;       // the time axis shown
    AxisSpan value;      // the value axis shown
    AxisSpan timeRange;  // where the time axis may be panned
    AxisSpan valueRange; // where the value axis may be panned
    bool operator==(const WaveAxes&) const = default;
};

inline constexpr double kTimeLabelIncrementMs = 20;
// A capture stops by itself once the time axis reaches this.
inline constexpr double kAutoStopMs = 300000;
inline constexpr double kMinZoomValueSpan = 1.0;
inline constexpr double kMinZoomTimeSpanMs = 100;

// Width of the time window in ms (XWidthEdit x 100).
inline double timeWidthMs(const WaveScreenConfig& c) { return c.HORIZONTAL * 100.0; }

// Value axis and range from the value fields; time axis and range [0, width].
void resetAxes(WaveAxes& axes, const WaveScreenConfig& config);
// Time axis [0, width], value axis untouched.
void resetTimeAxis(WaveAxes& axes, const WaveScreenConfig& config);

// Plotting, before a block: when the block's first sample `e0` lies outside
// the time axis, the axis jumps to it (minimum e0 down to a multiple of the
// label increment, maximum minimum + width).
void placeTimeAxisAt(WaveAxes& axes, std::uint32_t e0, const WaveScreenConfig& config);
// Plotting, for each sample: past 90 % of the window the axis shifts by the
// sample's step. True when it moved.
bool followSample(WaveAxes& axes, std::uint32_t elapsed, std::int32_t step, const WaveScreenConfig& config);

// After a zoom gesture: spans below 1.0 (value) and 100 ms (time) are widened
// from their minimum.
void constrainZoom(WaveAxes& axes);
// Pan gestures: true (and the axis moved) only when the new span lies inside
// the axis's range.
bool panTime(WaveAxes& axes, double newMin, double newMax);
bool panValue(WaveAxes& axes, double newMin, double newMax);

// Track bar: centres the time window on a block's first sample. The start
// is computed signed, so a sample earlier than half the span gives 0.
void centreTimeAxisOn(WaveAxes& axes, std::uint32_t elapsed, const WaveScreenConfig& config);

// XWidthEdit changed: range [0, width + axis minimum], axis [minimum, that].
void applyWidthChange(WaveAxes& axes, const WaveScreenConfig& config);
// A value field changed: value range and axis from the fields.
void applyValueFields(WaveAxes& axes, const WaveScreenConfig& config);

} // namespace tavimo::waveform
