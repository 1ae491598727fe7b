// The waveform screen's fields, gestures and track bar.
#include "waveform/wave_acquisition.h"

#include <algorithm>
#include <cmath>

namespace tavimo::waveform {

bool WaveAcquisition::setInterval(int ms)
{
    if (!idle()) return false;
    fields_.INTERVAL = std::clamp(ms, kIntervalMin, kIntervalMax);
    timerIntervalMs_ = fields_.INTERVAL;
    return true;
}

bool WaveAcquisition::setWidth(int hundredsOfMs)
{
    if (!idle()) return false;
    fields_.HORIZONTAL = std::clamp(hundredsOfMs, kWidthMin, kWidthMax);
    applyWidthChange(axes_, fields_);
    return true;
}

bool WaveAcquisition::restoreWidth()
{
    return setWidth(kWidthDefault);
}

namespace {

double fieldValue(double v, double low, double high)
{
    return std::isfinite(v) ? std::clamp(v, low, high) : low;
}

} // namespace

bool WaveAcquisition::setVerticalMax(double value)
{
    if (!idle()) return false;
    fields_.VERTICAL_MAX = fieldValue(value, kVerticalMaxLow, kVerticalMaxHigh);
    if (fields_.VERTICAL_MIN >= fields_.VERTICAL_MAX) fields_.VERTICAL_MAX = kVerticalMaxHigh;
    applyValueFields(axes_, fields_);
    return true;
}

bool WaveAcquisition::setVerticalMin(double value)
{
    if (!idle()) return false;
    fields_.VERTICAL_MIN = fieldValue(value, kVerticalMinLow, kVerticalMinHigh);
    if (fields_.VERTICAL_MIN >= fields_.VERTICAL_MAX) fields_.VERTICAL_MIN = kVerticalMinLow;
    applyValueFields(axes_, fields_);
    return true;
}

bool WaveAcquisition::restoreValueRange()
{
    if (!idle()) return false;
    // Both at once: restoring one after the other could trip the rule that
    // keeps the minimum below the maximum and leave 1000 as the maximum.
    fields_.VERTICAL_MAX = kVerticalMaxDefault;
    fields_.VERTICAL_MIN = kVerticalMinDefault;
    applyValueFields(axes_, fields_);
    return true;
}

bool WaveAcquisition::setOutputPosition(int value)
{
    if (!idle()) return false;
    fields_.OUT_POSITION = std::clamp(value, kOutPositionMin, kOutPositionMax);
    return true;
}

bool WaveAcquisition::setSelectedId(int id)
{
    if (!idle() || id < 0 || id >= measure::kWaveSlots) return false;
    fields_.SELECT_ID = id;
    return true;
}

bool WaveAcquisition::setLimitLines(bool on)
{
    if (!idle()) return false;
    fields_.THRESHOLD = on;
    return true;
}

bool WaveAcquisition::setJudgementBars(bool on)
{
    if (!idle()) return false;
    fields_.HI_PASS_LO = on;
    return true;
}

bool WaveAcquisition::setPlotted(int id, bool on)
{
    if (!idle() || id < 0 || id >= measure::kWaveSlots) return false;
    options_.plotted[static_cast<std::size_t>(id)] = on;
    return true;
}

void WaveAcquisition::setValueCursors(bool on)
{
    fields_.MEASURE_CURSOR = on;
}

void WaveAcquisition::setTimeCursors(bool on)
{
    fields_.TIME_CURSOR = on;
}

bool WaveAcquisition::afterZoom(const AxisSpan& time, const AxisSpan& value)
{
    if (!idle()) return false;
    axes_.time = time;
    axes_.value = value;
    constrainZoom(axes_);
    return true;
}

bool WaveAcquisition::panTime(double min, double max)
{
    return idle() && waveform::panTime(axes_, min, max);
}

bool WaveAcquisition::panValue(double min, double max)
{
    return idle() && waveform::panValue(axes_, min, max);
}

bool WaveAcquisition::moveTrackBar(int position)
{
    if (!idle()) return false;
    trackBar_.position = std::clamp(position, 0, TrackBarState::kMaximum);
    if (position >= 0 && static_cast<std::size_t>(position) < archive_.size())
        centreTimeAxisOn(axes_, archive_.block(static_cast<std::size_t>(position)).records[0].elapsed, fields_);
    return true;
}

} // namespace tavimo::waveform
