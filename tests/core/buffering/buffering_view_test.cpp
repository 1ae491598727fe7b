#include "buffering/buffering_view.h"

#include "shell/catalog.h"

#include <gtest/gtest.h>

namespace tavimo::buffering {
namespace {

using waveform::AxisSpan;

// Points every `stepMs` from one step on.
BufferedData pointsEvery(double stepMs, int count)
{
    BufferedData d;
    for (int i = 1; i <= count; ++i) d.append(stepMs * i, i * 0.001);
    return d;
}

TEST(BufferingView, ReplayBarCentresThePointButNotBeforeZero)
{
    BufferingView v{BufferScreenConfig{}}; // width 50: 5000 ms
    const BufferedData d = pointsEvery(1.0, 20000);
    v.dataChanged(d);
    EXPECT_EQ(v.replay(), (ReplayBar{0, 20000, 0, 20000, 0}));
    v.replayMoved(11999, d); // the point at 12000 ms
    EXPECT_EQ(v.axes().time, (AxisSpan{9500, 14500}));
    EXPECT_EQ(v.axes().timeRange.max, 14500); // the right end grows with it
    v.replayMoved(999, d); // 1000 ms
    EXPECT_EQ(v.axes().time, (AxisSpan{0, 5000}));
    EXPECT_EQ(v.axes().timeRange.max, 14500);
    v.replayMoved(20000, d); // no such point: the axis stays
    EXPECT_EQ(v.axes().time, (AxisSpan{0, 5000}));
}

TEST(BufferingView, ZoomLimitsAndScrollRanges)
{
    BufferingView v{BufferScreenConfig{}};
    v.zoomed({200, 250}, {1.0, 1.5});
    EXPECT_EQ(v.axes().time, (AxisSpan{200, 300}));
    EXPECT_EQ(v.axes().value, (AxisSpan{1.0, 2.0}));
    EXPECT_TRUE(v.scrollTime(4000, 5000));
    EXPECT_FALSE(v.scrollTime(4500, 5500)); // past the right end reached
    EXPECT_FALSE(v.scrollTime(-1, 99));
    EXPECT_TRUE(v.scrollValue(4.0, 5.0));
    EXPECT_FALSE(v.scrollValue(4.5, 5.5)); // outside the two fields
}

TEST(BufferingView, ValueFieldsNeverCross)
{
    BufferingView v{BufferScreenConfig{}};
    v.maxFieldChanged(-2); // not above the minimum 0
    EXPECT_EQ(v.fields().VERTICAL_MAX, 1000);
    EXPECT_EQ(v.axes().value, (AxisSpan{0, 1000}));
    v.maxFieldChanged(5);
    v.minFieldChanged(5); // not below the maximum
    EXPECT_EQ(v.fields().VERTICAL_MIN, -1000);
    EXPECT_EQ(v.axes().value, (AxisSpan{-1000, 5}));
    v.minFieldChanged(-3);
    EXPECT_EQ(v.axes().valueRange, (AxisSpan{-3, 5}));
    v.restoreValueFields();
    EXPECT_EQ(v.axes().value, (AxisSpan{0, 5}));
}

TEST(BufferingView, WidthSetsTheWindowFromItsMinimum)
{
    BufferingView v{BufferScreenConfig{}};
    const BufferedData d = pointsEvery(1.0, 20000);
    v.replayMoved(11999, d);
    v.widthChanged(10);
    EXPECT_EQ(v.axes().time, (AxisSpan{9500, 10500}));
    EXPECT_EQ(v.axes().timeRange, (AxisSpan{0, 10500}));
    v.restoreWidth();
    EXPECT_EQ(v.fields().HORIZONTAL, 50);
    v.clear();
    EXPECT_EQ(v.axes().time, (AxisSpan{0, 5000}));
    EXPECT_EQ(v.replay(), ReplayBar{});
}

TEST(BufferingView, GridSelectionMarksThePointAndMovesTheReplayBar)
{
    BufferingView v{BufferScreenConfig{}};
    BufferedData d = pointsEvery(1.0, 20000);
    v.dataChanged(d);
    EXPECT_FALSE(v.gridRowSelected(0, d)); // the header
    EXPECT_FALSE(v.gridRowSelected(20001, d));
    EXPECT_FALSE(d.mark());
    ASSERT_TRUE(v.gridRowSelected(12000, d));
    ASSERT_TRUE(d.mark());
    EXPECT_EQ(d.mark()->position, 12000);
    EXPECT_EQ(d.mark()->value, 12.0);
    EXPECT_EQ(v.replay().position, 11999);
    EXPECT_EQ(v.axes().time, (AxisSpan{9500, 14500}));
}

TEST(BufferingView, DisplaySwitchKeepsTheTimeCursorsInTheNewPlotArea)
{
    BufferScreenConfig c;
    c.TIME_CURSOR = true;
    BufferingView v{c};
    v.placeCursors(1000, 400); // T1 660, T2 330
    v.chartDrawn({40, 10, 900, 380});
    EXPECT_EQ(v.cursors().positions().T1, 660);
    v.displaySwitched();
    EXPECT_TRUE(v.wide());
    v.chartDrawn({40, 10, 500, 380}); // narrower: right edge 540
    EXPECT_EQ(v.cursors().positions().T1, 540);
    EXPECT_EQ(v.cursors().positions().T2, 330);
    v.displaySwitched();
    EXPECT_FALSE(v.wide());
}

TEST(BufferingView, UnitTextsFollowTheHoldMode)
{
    shell::Catalog::instance().setLanguage(shell::Language::English);
    EXPECT_EQ(unitTexts(HorizontalUnit::Time).widthLabel, "00 ms");
    EXPECT_EQ(unitTexts(HorizontalUnit::Time).axisTitle, "ms");
    EXPECT_EQ(unitTexts(HorizontalUnit::Points).rangeLabel, "Data range");
    EXPECT_EQ(unitTexts(HorizontalUnit::Points).axisTitle, "Data number");
}

} // namespace
} // namespace tavimo::buffering
