#include "buffering/buffering_view.h"

#include "files/ini_values.h"
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "waveform/wave_config.h"

#include <algorithm>
#include <cmath>

namespace tavimo::buffering {

namespace {

std::string screenText(std::string_view control, std::string_view property)
{
    const std::string* t = shell::Catalog::instance().screenText(shell::form::kDataBuffering, control, property);
    return t ? *t : std::string();
}

} // namespace

UnitTexts unitTexts(HorizontalUnit unit)
{
    const auto& c = shell::Catalog::instance();
    if (unit == HorizontalUnit::Points)
        return {c.text(shell::Msg::DataRange), c.text(shell::Msg::DataWidth), c.text(shell::Msg::DataNumber)};
    return {screenText("Label13", shell::property::kCaption), screenText("Label14", shell::property::kCaption),
            screenText("Chart1", "BottomAxis.Title")};
}

BufferingView::BufferingView(const BufferScreenConfig& config) : config_(config)
{
    applyValueFields();
    clear();
}

void BufferingView::clear()
{
    axes_.time = {0, widthUnits()};
    axes_.timeRange = axes_.time;
    replay_ = {};
}

void BufferingView::dataChanged(const BufferedData& data)
{
    replay_.max = static_cast<int>(data.size());
    replay_.selEnd = replay_.max;
    replay_.position = std::clamp(replay_.position, replay_.min, replay_.max);
}

void BufferingView::widthChanged(int width)
{
    config_.HORIZONTAL = std::clamp(width, waveform::kWidthMin, waveform::kWidthMax);
    axes_.time.max = axes_.time.min + widthUnits();
    axes_.timeRange = {0, axes_.time.max};
}

void BufferingView::restoreWidth()
{
    widthChanged(waveform::kWidthDefault);
}

void BufferingView::applyValueFields()
{
    axes_.valueRange = {config_.VERTICAL_MIN, config_.VERTICAL_MAX};
    axes_.value = axes_.valueRange;
}

void BufferingView::maxFieldChanged(double value)
{
    config_.VERTICAL_MAX = std::clamp(value, waveform::kVerticalMaxLow, waveform::kVerticalMaxHigh);
    if (config_.VERTICAL_MIN >= config_.VERTICAL_MAX) config_.VERTICAL_MAX = waveform::kVerticalMaxHigh;
    applyValueFields();
}

void BufferingView::minFieldChanged(double value)
{
    config_.VERTICAL_MIN = std::clamp(value, waveform::kVerticalMinLow, waveform::kVerticalMinHigh);
    if (config_.VERTICAL_MIN >= config_.VERTICAL_MAX) config_.VERTICAL_MIN = waveform::kVerticalMinLow;
    applyValueFields();
}

void BufferingView::restoreValueFields()
{
    config_.VERTICAL_MAX = waveform::kVerticalMaxDefault;
    config_.VERTICAL_MIN = waveform::kVerticalMinDefault;
    applyValueFields();
}

void BufferingView::zoomed(const waveform::AxisSpan& time, const waveform::AxisSpan& value)
{
    axes_.time = time;
    axes_.value = value;
    waveform::constrainZoom(axes_);
}

bool BufferingView::scrollTime(double newMin, double newMax)
{
    return waveform::panTime(axes_, newMin, newMax);
}

bool BufferingView::scrollValue(double newMin, double newMax)
{
    return waveform::panValue(axes_, newMin, newMax);
}

void BufferingView::replayMoved(int position, const BufferedData& data)
{
    replay_.position = position;
    if (position < 0 || static_cast<std::size_t>(position) >= data.size()) return;
    const double centre = std::trunc(data[static_cast<std::size_t>(position)].position);
    double min = std::trunc(centre - widthUnits() * 0.5);
    if (min < 0) min = 0;
    const double max = std::trunc(widthUnits() + min);
    axes_.time = {min, max};
    if (max > axes_.timeRange.max) axes_.timeRange.max = max;
}

bool BufferingView::gridRowSelected(std::size_t row, BufferedData& data)
{
    if (row < 1 || row > data.size()) return false;
    const BufferedPoint& p = data[row - 1];
    // The mark carries the value as the grid cell shows it.
    const auto shown = files::parseDecimal(valueText(p.value));
    data.setMark(BufferedPoint{p.position, shown.value_or(p.value)});
    const int target = static_cast<int>(row - 1);
    if (target >= replay_.selStart && target <= replay_.selEnd) replayMoved(target, data);
    return true;
}

void BufferingView::displaySwitched()
{
    config_.CHART_DISP_WIDTH = !config_.CHART_DISP_WIDTH;
    reclampTimeCursors_ = true;
}

void BufferingView::chartDrawn(const waveform::PlotArea& area)
{
    cursors_.chartDrawn(axes_, area);
    if (reclampTimeCursors_ && cursors_.scale().valid) {
        // A move to the present column minus one is a move to the present
        // column, kept inside the new plot area.
        cursors_.move(waveform::CursorLine::T1, cursors_.positions().T1 - 1);
        cursors_.move(waveform::CursorLine::T2, cursors_.positions().T2 - 1);
        reclampTimeCursors_ = false;
    }
}

} // namespace tavimo::buffering
