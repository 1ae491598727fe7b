#include "waveform/wave_cursors.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace tavimo::waveform {

CursorPositions initialCursorPositions(int chartWidth, int chartHeight)
{
    CursorPositions p;
    p.L1 = static_cast<int>(chartHeight * 0.33);
    p.L2 = static_cast<int>(chartHeight * 0.66);
    p.T1 = static_cast<int>(chartWidth * 0.66);
    p.T2 = static_cast<int>(chartWidth * 0.33);
    return p;
}

bool updateCursorScale(CursorScale& scale, const WaveAxes& axes, const PlotArea& area)
{
    if (area.width <= 0 || area.height <= 0) return false;
    const double valueSpan = axes.value.span();
    const double timeSpan = axes.time.span();
    if (!(valueSpan > 0) || !(timeSpan > 0) || !std::isfinite(valueSpan) || !std::isfinite(timeSpan)) return false;
    CursorScale s;
    s.valid = true;
    s.valuePerPixel = valueSpan / area.height;
    s.msPerPixel = timeSpan / area.width;
    const double zero = std::trunc(axes.value.max / s.valuePerPixel + area.top);
    s.zeroLinePixel = static_cast<int>(std::clamp(zero, double(INT_MIN), double(INT_MAX)));
    s.plotLeft = area.left;
    s.plotTop = area.top;
    scale = s;
    return true;
}

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) value = 0;
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s(buf, r.ptr);
    if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

CursorReadouts cursorReadouts(const CursorScale& scale, const CursorPositions& c, const WaveAxes& axes,
                              bool valueCursors, bool timeCursors)
{
    CursorReadouts out;
    if (!scale.valid) return out;
    if (valueCursors) {
        const double vpp = scale.valuePerPixel;
        out.L1 = formatFixed(double(scale.zeroLinePixel - static_cast<long long>(c.L1)) * vpp, 4);
        out.L2 = formatFixed(double(scale.zeroLinePixel - static_cast<long long>(c.L2)) * vpp, 4);
        out.PP = formatFixed(std::fabs(double(static_cast<long long>(c.L1) - c.L2) * vpp), 4);
    }
    if (timeCursors) {
        const double mpp = scale.msPerPixel;
        out.T1 = formatFixed(double(static_cast<long long>(c.T1) - scale.plotLeft) * mpp + axes.time.min, 2);
        out.T2 = formatFixed(double(static_cast<long long>(c.T2) - scale.plotLeft) * mpp + axes.time.min, 2);
        out.RL = formatFixed(std::fabs(double(static_cast<long long>(c.T1) - c.T2) * mpp), 2);
    }
    return out;
}

namespace {

int clampedNext(int scrollPosition, int low, int high)
{
    const long long next = static_cast<long long>(scrollPosition) + 1;
    if (high < low) return low;
    return static_cast<int>(std::clamp<long long>(next, low, high));
}

} // namespace

int cursorRowFromScroll(int scrollPosition, const PlotArea& area)
{
    return clampedNext(scrollPosition, area.top, area.bottom());
}

int cursorColumnFromScroll(int scrollPosition, const PlotArea& area)
{
    return clampedNext(scrollPosition, area.left, area.right());
}

void WaveCursors::chartDrawn(const WaveAxes& axes, const PlotArea& area)
{
    if (updateCursorScale(scale_, axes, area)) area_ = area;
}

void WaveCursors::move(CursorLine line, int scrollPosition)
{
    if (!scale_.valid) return;
    switch (line) {
    case CursorLine::L1: positions_.L1 = cursorRowFromScroll(scrollPosition, area_); break;
    case CursorLine::L2: positions_.L2 = cursorRowFromScroll(scrollPosition, area_); break;
    case CursorLine::T1: positions_.T1 = cursorColumnFromScroll(scrollPosition, area_); break;
    case CursorLine::T2: positions_.T2 = cursorColumnFromScroll(scrollPosition, area_); break;
    }
}

} // namespace tavimo::waveform
