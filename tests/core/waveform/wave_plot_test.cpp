// Plotting a block: points, limit steps, judgement bars, and the time axis
// moving with the samples; the axis rules of the track bar, zoom and pan.
#include "waveform/wave_plot.h"

#include <gtest/gtest.h>

using namespace tavimo;
using namespace tavimo::waveform;

namespace {

class Plotting : public ::testing::Test {
protected:
    void SetUp() override
    {
        options_.config = &config_;
        options_.active = &active_;
        resetAxes(axes_, config_);
    }
    // A record of controller `id` at `elapsed` (step from 0).
    measure::WaveRecord& record(int i, std::uint32_t elapsed, int id = 0)
    {
        auto& r = block_.records[static_cast<std::size_t>(i)];
        r.elapsed = elapsed;
        r.step = static_cast<std::int32_t>(elapsed);
        r.slot[static_cast<std::size_t>(id)].valid = 1;
        return r;
    }
    void plot(int count) { plotBlock(plot_, axes_, block_, count, options_); }

    WaveScreenConfig config_;
    link::ActiveControllers active_; // offline: all eight IDs
    PlotOptions options_;
    WaveAxes axes_;
    WavePlot plot_;
    measure::WaveBlock block_;
};

TEST_F(Plotting, LimitLinesStepFromTheSecondSampleOn)
{
    config_.THRESHOLD = true;
    config_.SELECT_ID = 2;
    const double upper[] = {1.5, 2.5, 2.0}, lower[] = {-1, -0.5, -2};
    for (int i = 0; i < 3; ++i) {
        auto& s = record(i, 100u * i, 2).slot[2];
        s.upper = upper[i];
        s.lower = lower[i];
    }
    plot(3);
    EXPECT_EQ(plot_.upperLimit, (std::vector<PlotPoint>{{0, 1.5}, {100, 1.5}, {100, 2.5}, {200, 2.5}, {200, 2.0}}));
    EXPECT_EQ(plot_.lowerLimit, (std::vector<PlotPoint>{{0, -1}, {100, -1}, {100, -0.5}, {200, -0.5}, {200, -2}}));
    EXPECT_EQ(plot_.controllers[2].size(), 3u);
    EXPECT_TRUE(plot_.bars[RowGo].empty()); // bars not asked for
}

TEST_F(Plotting, JudgementBarsGrowWhileOnAndShowFiveMsForOneSample)
{
    config_.HI_PASS_LO = true;
    config_.OUT_POSITION = 3;
    // HI on at 0 only; GO on at 10..30, off at 40, on again at 50; AL never.
    const bool hi[] = {1, 0, 0, 0, 0, 0}, go[] = {0, 1, 1, 1, 0, 1};
    for (int i = 0; i < 6; ++i) {
        auto& s = record(i, 10u * i).slot[0];
        s.hi = hi[i];
        s.go = go[i];
    }
    plot(6);
    EXPECT_EQ(plot_.bars[RowHi], (std::vector<JudgementBar>{{0, 5, 4}}));
    EXPECT_EQ(plot_.bars[RowGo], (std::vector<JudgementBar>{{10, 30, 3}, {50, 55, 3}}));
    EXPECT_TRUE(plot_.bars[RowLo].empty());
    EXPECT_TRUE(plot_.bars[RowAlarm].empty());
    EXPECT_EQ(judgementRowValue(RowLo, 3), 2);
    EXPECT_EQ(judgementRowValue(RowAlarm, 3), 1);
}

TEST_F(Plotting, OnlyValidSlotsOfCheckedActiveControllers)
{
    for (int i = 0; i < 2; ++i) {
        record(i, 10u * i, 0);
        record(i, 10u * i, 1);
        record(i, 10u * i, 5);
    }
    block_.records[1].slot[0].valid = 0; // a cycle in which ID 0 was not connected
    options_.plotted[1] = false;
    plot(2);
    EXPECT_EQ(plot_.controllers[0].size(), 1u);
    EXPECT_TRUE(plot_.controllers[1].empty());
    EXPECT_EQ(plot_.controllers[5].size(), 2u);

    plot_.clear();
    active_.setScanned({0, 1, -1, -1, -1, -1, -1, -1}, 2);
    active_.setOnline(true); // ID 5 is not in the list
    plot(2);
    EXPECT_TRUE(plot_.controllers[5].empty());
    EXPECT_EQ(plot_.controllers[0].size(), 1u);
}

TEST_F(Plotting, TimeAxisJumpsToABlockOutsideItAndFollowsPastNinetyPercent)
{
    record(0, 12345);
    plot(1);
    EXPECT_EQ(axes_.time, (AxisSpan{12340, 17340}));
    EXPECT_EQ(axes_.timeRange.max, 17340);

    resetAxes(axes_, config_); // [0, 5000]: the mark is at 4500
    plot_.clear();
    record(0, 4400).step = 100;
    record(1, 4600).step = 300;
    record(2, 4900).step = 400;
    plot(3);
    // Shifted once per sample past the mark, by that sample's step.
    EXPECT_EQ(axes_.time, (AxisSpan{700, 5700}));
    EXPECT_EQ(axes_.timeRange, (AxisSpan{0, 5700}));
}

TEST(WaveAxesRules, TrackBarWindowStartsAtZeroForEarlySamples)
{
    WaveScreenConfig cfg;
    WaveAxes a;
    resetAxes(a, cfg);
    centreTimeAxisOn(a, 100, cfg); // 100 - 2500 would underflow unsigned
    EXPECT_EQ(a.time, (AxisSpan{0, 5000}));
    centreTimeAxisOn(a, 0, cfg);
    EXPECT_EQ(a.time, (AxisSpan{0, 5000}));
    centreTimeAxisOn(a, 4294967295u, cfg);
    EXPECT_EQ(a.time.min, 4294964795.0);
    EXPECT_EQ(a.timeRange.max, a.time.max);
    a.time = {0, 3001}; // an odd span
    centreTimeAxisOn(a, 10000, cfg);
    EXPECT_EQ(a.time, (AxisSpan{8499, 13499}));
}

TEST(WaveAxesRules, WidthZoomAndPan)
{
    WaveScreenConfig cfg;
    WaveAxes a;
    resetAxes(a, cfg);
    a.time = {1000, 6000};
    cfg.HORIZONTAL = 20;
    applyWidthChange(a, cfg);
    EXPECT_EQ(a.time, (AxisSpan{1000, 3000}));
    EXPECT_EQ(a.timeRange, (AxisSpan{0, 3000}));

    a.time = {200, 250};
    a.value = {1.0, 1.5};
    constrainZoom(a);
    EXPECT_EQ(a.time, (AxisSpan{200, 300}));
    EXPECT_EQ(a.value, (AxisSpan{1.0, 2.0}));

    EXPECT_TRUE(panTime(a, 0, 3000));
    EXPECT_FALSE(panTime(a, -1, 2999));
    EXPECT_FALSE(panTime(a, 100, 3001));
    EXPECT_EQ(a.time, (AxisSpan{0, 3000}));
    EXPECT_TRUE(panValue(a, 0, 5));
    EXPECT_FALSE(panValue(a, 0.5, 5.5));
}

} // namespace
