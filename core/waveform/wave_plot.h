// What the waveform chart shows: one line per controller ID, the upper and
// lower limit lines of the selected controller as step lines, and its
// judgement outputs as bars on four rows. Plotting a block appends to these
// and moves the time axis; the window only copies them into its chart.
#pragma once

#include "link/active_list.h"
#include "measure/wave_block.h"
#include "waveform/wave_axes.h"
#include "waveform/wave_config.h"

#include <array>
#include <cstddef>
#include <vector>

namespace tavimo::waveform {

struct PlotPoint {
    double x = 0; // elapsed ms
    double y = 0;
    bool operator==(const PlotPoint&) const = default;
};

enum JudgementRow : int { RowHi = 0, RowGo = 1, RowLo = 2, RowAlarm = 3 };
inline constexpr int kJudgementRows = 4;

struct JudgementBar {
    double start = 0; // ms
    double end = 0;   // ms
    double row = 0;   // value-axis position
    bool operator==(const JudgementBar&) const = default;
};

// A judgement output that is on for a single sample shows this long.
inline constexpr double kMinimumBarMs = 5;

struct WavePlot {
    std::array<std::vector<PlotPoint>, measure::kWaveSlots> controllers;
    std::vector<PlotPoint> upperLimit; // "H Li"
    std::vector<PlotPoint> lowerLimit; // "L Li"
    std::array<std::vector<JudgementBar>, kJudgementRows> bars; // "HI", "GO", "LO", "AL"

    // Drawing state carried from sample to sample.
    bool limitLinesDrawn = false;
    double previousUpper = 0;
    double previousLower = 0;
    std::array<bool, kJudgementRows> barOpen{};

    // Empties every series and resets the drawing state.
    void clear();
    std::size_t pointCount() const;
};

// Which controllers are drawn, and how.
struct PlotOptions {
    std::array<bool, measure::kWaveSlots> plotted{true, true, true, true, true, true, true, true}; // CheckBox1..8
    const WaveScreenConfig* config = nullptr; // width, selected ID, lines, bars, row position
    const link::ActiveControllers* active = nullptr;
};

// The value-axis position of a judgement row: GO at the output position,
// HI one above, LO one below, AL two below.
double judgementRowValue(int row, int outPosition);

// Plots the first `count` records of an archived block (elapsed and step
// filled in): moves the time axis and appends points, limit steps and bars.
void plotBlock(WavePlot& plot, WaveAxes& axes, const measure::WaveBlock& block, int count,
               const PlotOptions& options);

} // namespace tavimo::waveform
