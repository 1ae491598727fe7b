#include "waveform/wave_axes.h"

#include <cmath>

namespace tavimo::waveform {

void resetTimeAxis(WaveAxes& axes, const WaveScreenConfig& config)
{
    axes.time = {0, timeWidthMs(config)};
    axes.timeRange = axes.time;
}

void applyValueFields(WaveAxes& axes, const WaveScreenConfig& config)
{
    axes.valueRange = {config.VERTICAL_MIN, config.VERTICAL_MAX};
    axes.value = axes.valueRange;
}

void resetAxes(WaveAxes& axes, const WaveScreenConfig& config)
{
    applyValueFields(axes, config);
    resetTimeAxis(axes, config);
}

void placeTimeAxisAt(WaveAxes& axes, std::uint32_t e0, const WaveScreenConfig& config)
{
    const double e = e0;
    if (e >= axes.time.min && e <= axes.time.max) return;
    const double min = std::floor(e / kTimeLabelIncrementMs) * kTimeLabelIncrementMs;
    axes.time = {min, std::trunc(min + timeWidthMs(config))};
    axes.timeRange.max = axes.time.max;
}

bool followSample(WaveAxes& axes, std::uint32_t elapsed, std::int32_t step, const WaveScreenConfig& config)
{
    if (static_cast<double>(elapsed) <= axes.time.max - 0.1 * timeWidthMs(config)) return false;
    axes.time.min += step;
    axes.time.max += step;
    axes.timeRange.max = axes.time.max;
    return true;
}

void constrainZoom(WaveAxes& axes)
{
    if (axes.value.span() < kMinZoomValueSpan) axes.value.max = axes.value.min + kMinZoomValueSpan;
    if (axes.time.span() < kMinZoomTimeSpanMs) axes.time.max = axes.time.min + kMinZoomTimeSpanMs;
}

namespace {

bool panWithin(AxisSpan& axis, const AxisSpan& range, double newMin, double newMax)
{
    if (!(newMin >= range.min && newMax <= range.max)) return false;
    axis = {newMin, newMax};
    return true;
}

} // namespace

bool panTime(WaveAxes& axes, double newMin, double newMax)
{
    return panWithin(axes.time, axes.timeRange, newMin, newMax);
}

bool panValue(WaveAxes& axes, double newMin, double newMax)
{
    return panWithin(axes.value, axes.valueRange, newMin, newMax);
}

void centreTimeAxisOn(WaveAxes& axes, std::uint32_t elapsed, const WaveScreenConfig& config)
{
    double min = std::trunc(static_cast<double>(elapsed) - axes.time.span() / 2);
    if (min < 0) min = 0;
    axes.time = {min, std::trunc(min + timeWidthMs(config))};
    if (axes.time.max > axes.timeRange.max) axes.timeRange.max = axes.time.max;
}

void applyWidthChange(WaveAxes& axes, const WaveScreenConfig& config)
{
    const double max = timeWidthMs(config) + axes.time.min;
    axes.timeRange = {0, max};
    axes.time.max = max;
}

} // namespace tavimo::waveform
