// Cursor arithmetic: scale from the last drawing, read-outs, scroll limits,
// and the plot areas without size that must leave everything as it was.
#include "waveform/wave_cursors.h"

#include <gtest/gtest.h>

#include <climits>

using namespace tavimo::waveform;

namespace {

WaveAxes axes(double tMin, double tMax, double vMin, double vMax)
{
    WaveAxes a;
    a.time = {tMin, tMax};
    a.value = {vMin, vMax};
    a.timeRange = a.time;
    a.valueRange = a.value;
    return a;
}

TEST(CursorScale, ReadOutsOfBothPairs)
{
    const WaveAxes ax = axes(1000, 6000, 0, 5);
    CursorScale s;
    ASSERT_TRUE(updateCursorScale(s, ax, {50, 10, 500, 100}));
    EXPECT_DOUBLE_EQ(s.valuePerPixel, 0.05);
    EXPECT_DOUBLE_EQ(s.msPerPixel, 10);
    EXPECT_EQ(s.zeroLinePixel, 110);
    const CursorReadouts r = cursorReadouts(s, {43, 76, 380, 215}, ax, true, true);
    EXPECT_EQ(r, (CursorReadouts{"3.3500", "1.7000", "1.6500", "4300.00", "2650.00", "1650.00"}));

    const CursorReadouts onlyTime = cursorReadouts(s, {43, 76, 380, 215}, ax, false, true);
    EXPECT_EQ(onlyTime.L1, "0.0000");
    EXPECT_EQ(onlyTime.PP, "0.0000");
    EXPECT_EQ(onlyTime.T1, "4300.00");
}

TEST(CursorScale, NegativeValueAxisAndValuesThatRoundToZero)
{
    const WaveAxes ax = axes(0, 100, -10, -2);
    CursorScale s;
    ASSERT_TRUE(updateCursorScale(s, ax, {0, 0, 100, 100}));
    EXPECT_EQ(s.zeroLinePixel, -25);
    const auto r = cursorReadouts(s, {0, 100, 0, 0}, ax, true, false);
    EXPECT_EQ(r.L1, "-2.0000");
    EXPECT_EQ(r.L2, "-10.0000");
    EXPECT_EQ(r.PP, "8.0000");
    EXPECT_EQ(formatFixed(-0.00001, 4), "0.0000");
    EXPECT_EQ(formatFixed(-0.00005, 4), "-0.0001");
}

TEST(CursorScale, PlotWithoutSizeOrAxisWithoutExtentKeepsThePreviousScale)
{
    const WaveAxes good = axes(0, 5000, 0, 5);
    CursorScale s;
    EXPECT_FALSE(updateCursorScale(s, good, {0, 0, 0, 0}));
    EXPECT_FALSE(s.valid);
    EXPECT_EQ(cursorReadouts(s, {1, 2, 3, 4}, good, true, true), CursorReadouts{}); // never drawn: zero texts
    ASSERT_TRUE(updateCursorScale(s, good, {10, 10, 200, 100}));
    const CursorScale before = s;
    struct Case {
        WaveAxes axes;
        PlotArea area;
    };
    const Case skipped[] = {
        {good, {10, 10, 0, 100}},   // minimised: no width
        {good, {10, 10, 200, 0}},   // no height
        {good, {10, 10, -5, 100}},  // nonsense from a toolkit
        {axes(0, 5000, 2, 2), {10, 10, 200, 100}}, // value axis without extent
        {axes(300, 300, 0, 5), {10, 10, 200, 100}},
        {axes(0, 5000, 5, 0), {10, 10, 200, 100}},
    };
    for (const Case& c : skipped) {
        EXPECT_FALSE(updateCursorScale(s, c.axes, c.area));
        EXPECT_EQ(s.valuePerPixel, before.valuePerPixel);
        EXPECT_EQ(s.msPerPixel, before.msPerPixel);
        EXPECT_EQ(s.zeroLinePixel, before.zeroLinePixel);
    }
}

TEST(CursorScale, ZeroLineFarOutsideTheIntegerRangeIsBounded)
{
    CursorScale s;
    ASSERT_TRUE(updateCursorScale(s, axes(0, 100, 1e6 - 1e-7, 1e6), {0, 0, 100, 100}));
    EXPECT_EQ(s.zeroLinePixel, INT_MAX);
}

TEST(CursorScroll, PositionPlusOneInsideThePlotArea)
{
    const PlotArea area{40, 10, 300, 100}; // rows 10..110, columns 40..340
    struct Case {
        int scroll, row, column;
    };
    const Case cases[] = {{0, 10, 40}, {9, 10, 40}, {50, 51, 51}, {109, 110, 110}, {110, 110, 111},
                          {339, 110, 340}, {5000, 110, 340}, {-7, 10, 40}, {INT_MAX, 110, 340}};
    for (const Case& c : cases) {
        EXPECT_EQ(cursorRowFromScroll(c.scroll, area), c.row) << c.scroll;
        EXPECT_EQ(cursorColumnFromScroll(c.scroll, area), c.column) << c.scroll;
    }
}

TEST(WaveCursorsState, PlacedMovedAndSkippedBeforeTheFirstDrawing)
{
    WaveCursors c;
    c.place(400, 300);
    EXPECT_EQ(c.positions(), (CursorPositions{99, 198, 264, 132}));
    c.move(CursorLine::L1, 20); // the chart was never drawn with a size
    EXPECT_EQ(c.positions().L1, 99);
    const WaveAxes ax = axes(0, 5000, 0, 5);
    c.chartDrawn(ax, {40, 10, 300, 100});
    c.chartDrawn(ax, {0, 0, 0, 0}); // minimised afterwards: the area stays
    c.move(CursorLine::L1, 20);
    c.move(CursorLine::L2, 500);
    c.move(CursorLine::T1, 0);
    c.move(CursorLine::T2, 100);
    EXPECT_EQ(c.positions(), (CursorPositions{21, 110, 40, 101}));
    EXPECT_EQ(c.readouts(ax, true, false).L2, "0.0000"); // the bottom row is value 0
}

} // namespace
