#include "waveform/wave_plot.h"

#include <algorithm>

namespace tavimo::waveform {

void WavePlot::clear()
{
    for (auto& s : controllers) s.clear();
    upperLimit.clear();
    lowerLimit.clear();
    for (auto& b : bars) b.clear();
    limitLinesDrawn = false;
    previousUpper = previousLower = 0;
    barOpen.fill(false);
}

std::size_t WavePlot::pointCount() const
{
    std::size_t n = upperLimit.size() + lowerLimit.size();
    for (const auto& s : controllers) n += s.size();
    for (const auto& b : bars) n += b.size();
    return n;
}

double judgementRowValue(int row, int outPosition)
{
    static constexpr int kOffset[kJudgementRows] = {1, 0, -1, -2};
    return outPosition + kOffset[std::clamp(row, 0, kJudgementRows - 1)];
}

namespace {

void plotLimits(WavePlot& plot, double x, const measure::WaveSlot& slot)
{
    if (plot.limitLinesDrawn) {
        plot.upperLimit.push_back({x, plot.previousUpper});
        plot.lowerLimit.push_back({x, plot.previousLower});
    }
    plot.upperLimit.push_back({x, slot.upper});
    plot.lowerLimit.push_back({x, slot.lower});
    plot.previousUpper = slot.upper;
    plot.previousLower = slot.lower;
    plot.limitLinesDrawn = true;
}

void plotBars(WavePlot& plot, double x, const measure::WaveSlot& slot, int outPosition)
{
    const bool on[kJudgementRows] = {slot.hi != 0, slot.go != 0, slot.lo != 0, slot.alarm != 0};
    for (int row = 0; row < kJudgementRows; ++row) {
        auto r = static_cast<std::size_t>(row);
        if (!on[row]) {
            plot.barOpen[r] = false;
        } else if (!plot.barOpen[r] || plot.bars[r].empty()) {
            plot.bars[r].push_back({x, x + kMinimumBarMs, judgementRowValue(row, outPosition)});
            plot.barOpen[r] = true;
        } else {
            plot.bars[r].back().end = x;
        }
    }
}

} // namespace

void plotBlock(WavePlot& plot, WaveAxes& axes, const measure::WaveBlock& block, int count,
               const PlotOptions& options)
{
    count = std::clamp(count, 0, measure::kWaveRecordsPerBlock);
    if (count == 0 || !options.config) return;
    const WaveScreenConfig& cfg = *options.config;
    placeTimeAxisAt(axes, block.records[0].elapsed, cfg);

    const link::ActiveControllers offline;
    const link::ActiveControllers& active = options.active ? *options.active : offline;
    const int activeCount = active.activeCount();
    const int selected = std::clamp(cfg.SELECT_ID, 0, measure::kWaveSlots - 1);

    for (int i = 0; i < count; ++i) {
        const measure::WaveRecord& rec = block.records[static_cast<std::size_t>(i)];
        const double x = rec.elapsed;
        followSample(axes, rec.elapsed, rec.step, cfg);
        for (int k = 0; k < activeCount; ++k) {
            const int id = active.activeId(k);
            if (id < 0 || id >= measure::kWaveSlots) continue;
            const auto u = static_cast<std::size_t>(id);
            if (options.plotted[u] && rec.slot[u].valid) plot.controllers[u].push_back({x, rec.slot[u].value});
        }
        const measure::WaveSlot& sel = rec.slot[static_cast<std::size_t>(selected)];
        if (!sel.valid) continue;
        if (cfg.THRESHOLD) plotLimits(plot, x, sel);
        if (cfg.HI_PASS_LO) plotBars(plot, x, sel, cfg.OUT_POSITION);
    }
}

} // namespace tavimo::waveform
