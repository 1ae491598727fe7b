// The two cursor pairs of the waveform chart: value cursors L1 and L2
// (pixel rows) and time cursors T1 and T2 (pixel columns), the scale taken
// from the last drawing of the chart, and the read-outs. The scale is left
// as it was when the plot area has no size (an empty or minimised chart) or
// an axis has no extent, so nothing divides by zero.
#pragma once

#include "waveform/wave_axes.h"

#include <string>

namespace tavimo::waveform {

// The plot area inside the chart, in pixels.
struct PlotArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

struct CursorPositions {
    int L1 = 0, L2 = 0; // rows
    int T1 = 0, T2 = 0; // columns
    bool operator==(const CursorPositions&) const = default;
};

// Derived from the last drawing of the chart.
struct CursorScale {
    bool valid = false; // false until a drawing with a usable plot area
    double valuePerPixel = 0;
    double msPerPixel = 0;
    int zeroLinePixel = 0; // the row of value 0
    int plotLeft = 0;
    int plotTop = 0;
};

struct CursorReadouts {
    std::string L1 = "0.0000", L2 = "0.0000", PP = "0.0000"; // StaticText1..3
    std::string T1 = "0.00", T2 = "0.00", RL = "0.00";       // StaticText4..6
    bool operator==(const CursorReadouts&) const = default;
};

// L1 at 0.33 and L2 at 0.66 of the chart height, T1 at 0.66 and T2 at 0.33
// of its width, truncated.
CursorPositions initialCursorPositions(int chartWidth, int chartHeight);

// After a drawing of the chart. False (scale unchanged) when the area has no
// width or height or an axis has no positive extent.
bool updateCursorScale(CursorScale& scale, const WaveAxes& axes, const PlotArea& area);

// The read-outs; a pair that is not shown, or a scale never computed, gives
// the zero texts.
CursorReadouts cursorReadouts(const CursorScale& scale, const CursorPositions& cursors, const WaveAxes& axes,
                              bool valueCursors, bool timeCursors);

// A scroll bar moved: the cursor goes to the position + 1, kept inside the
// plot area (its bounds included).
int cursorRowFromScroll(int scrollPosition, const PlotArea& area);
int cursorColumnFromScroll(int scrollPosition, const PlotArea& area);

enum class CursorLine { L1, L2, T1, T2 }; // moved by ScrollBar1..ScrollBar4

// The cursor state of one chart: positions, and the scale and plot area of
// its last drawing.
class WaveCursors {
public:
    // At creation, from the chart's size.
    void place(int chartWidth, int chartHeight) { positions_ = initialCursorPositions(chartWidth, chartHeight); }
    // After every drawing of the chart. An area without size keeps the
    // previous scale and area.
    void chartDrawn(const WaveAxes& axes, const PlotArea& area);
    // A scroll bar moved; nothing before the chart has been drawn with a size.
    void move(CursorLine line, int scrollPosition);
    CursorReadouts readouts(const WaveAxes& axes, bool valueCursors, bool timeCursors) const
    {
        return cursorReadouts(scale_, positions_, axes, valueCursors, timeCursors);
    }
    const CursorPositions& positions() const { return positions_; }
    const CursorScale& scale() const { return scale_; }

private:
    CursorPositions positions_;
    CursorScale scale_;
    PlotArea area_;
};

// A number with a fixed count of decimals and "." whatever the locale; a
// value that rounds to zero has no minus sign.
std::string formatFixed(double value, int decimals);

} // namespace tavimo::waveform
