// The waveform screen's costs for a full archive (8 controllers x 256 blocks
// x 36 records): building the chart's series, redrawing the chart offscreen
// (with the Qt build), the display tick, TMD save and load, CSV export.
#include "waveform/tmd_file.h"
#include "waveform/wave_acquisition.h"
#include "waveform/wave_csv.h"
#include "waveform/wave_plot.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef TAVIMO_BENCH_CHART
#include "ui/chart/chart_view.h"
#endif

namespace {

using namespace tavimo;
using namespace tavimo::waveform;

constexpr int kRecords = measure::kWaveRecordsPerBlock;

// One worker cycle of eight controllers every 7 ms: 36 records per 252 ms.
void fillLiveBlock(measure::WaveBlock& b, std::uint32_t& tick)
{
    for (int i = 0; i < kRecords; ++i) {
        auto& r = b.records[static_cast<std::size_t>(i)];
        r.tick = tick;
        tick += 7;
        for (int id = 0; id < measure::kWaveSlots; ++id) {
            auto& s = r.slot[static_cast<std::size_t>(id)];
            const double t = r.tick / 1000.0;
            s.valid = 1;
            s.value = 2.5 + 2 * std::sin(t + id);
            s.upper = 4.0 + 0.1 * ((r.tick / 5000) % 3);
            s.lower = 1.0;
            s.hi = s.value > s.upper;
            s.lo = s.value < s.lower;
            s.go = !s.hi && !s.lo;
        }
    }
}

WaveArchive fullArchive()
{
    WaveArchive a;
    a.header().captureInterval = 250;
    std::uint32_t tick = 0xFFFF0000u; // wraps inside the capture
    for (int k = 0; k < kMaxArchivedBlocks; ++k) {
        measure::WaveBlock b;
        fillLiveBlock(b, tick);
        a.archive(b, kRecords);
    }
    return a;
}

WaveScreenConfig chartFields()
{
    WaveScreenConfig c;
    c.THRESHOLD = true;
    c.HI_PASS_LO = true;
    c.HORIZONTAL = 90;
    return c;
}

// The whole archive plotted, as a replay leaves it.
WavePlot plotAll(const WaveArchive& archive, const WaveScreenConfig& cfg, WaveAxes& axes)
{
    const link::ActiveControllers offline;
    PlotOptions o;
    o.config = &cfg;
    o.active = &offline;
    WavePlot plot;
    resetAxes(axes, cfg);
    for (const auto& b : archive) plotBlock(plot, axes, b, b.count, o);
    return plot;
}

std::filesystem::path scratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavimo-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

void BM_PlotFullArchive(benchmark::State& state)
{
    const WaveArchive archive = fullArchive();
    const WaveScreenConfig cfg = chartFields();
    std::size_t points = 0;
    for (auto _ : state) {
        WaveAxes axes;
        WavePlot plot = plotAll(archive, cfg, axes);
        points = plot.pointCount();
        benchmark::DoNotOptimize(plot);
    }
    state.counters["points"] = static_cast<double>(points);
}

// A display tick of a full live block during a 5-minute capture at 250 ms
// (1200 ticks): the copy under the lock, archiving and plotting.
void BM_DisplayTick(benchmark::State& state)
{
    link::ActiveControllers active;
    active.setScanned({0, 1, 2, 3, 4, 5, 6, 7}, 8);
    active.setOnline(true);
    measure::SharedData shared;
    WaveScreenConfig cfg = chartFields();
    WaveAcquisition acq(shared, active, cfg);
    acq.toggleCollect();
    std::uint32_t tick = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (acq.state() != AcquisitionState::Collecting) acq.toggleCollect(); // past the 5-minute stop
        fillLiveBlock(shared.liveBlock, tick);
        shared.liveCount = kRecords;
        state.ResumeTiming();
        benchmark::DoNotOptimize(acq.tick());
    }
}

// What the tick does while it holds the waveform lock: take the live block
// and hand back an empty one.
void BM_TickLockedPart(benchmark::State& state)
{
    measure::SharedData shared;
    std::uint32_t tick = 0;
    fillLiveBlock(shared.liveBlock, tick);
    measure::WaveBlock taken;
    for (auto _ : state) {
        std::lock_guard lk(shared.waveLock);
        taken = shared.liveBlock;
        shared.liveBlock = measure::WaveBlock{};
        shared.liveCount = 0;
        benchmark::DoNotOptimize(taken);
        benchmark::ClobberMemory();
        shared.liveBlock.records[0].tick = 1; // keep the copy from being elided
    }
}

void BM_TmdSave(benchmark::State& state)
{
    const auto dir = scratchFolder();
    const WaveArchive archive = fullArchive();
    for (auto _ : state) benchmark::DoNotOptimize(saveTmdFile(dir / "bench.TMD", archive));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tmdFileSize(archive.size())));
    std::filesystem::remove_all(dir);
}

void BM_TmdLoad(benchmark::State& state)
{
    const auto dir = scratchFolder();
    const WaveArchive archive = fullArchive();
    saveTmdFile(dir / "bench.TMD", archive);
    WaveArchive loaded;
    for (auto _ : state) benchmark::DoNotOptimize(loadTmdFile(dir / "bench.TMD", loaded));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * tmdFileSize(archive.size())));
    std::filesystem::remove_all(dir);
}

void BM_CsvText(benchmark::State& state)
{
    const WaveArchive archive = fullArchive();
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto text = waveCsvBytes(archive, shell::Language::Japanese, CsvFormat{1, 1});
        bytes = text->size();
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_CsvSave(benchmark::State& state)
{
    const auto dir = scratchFolder();
    const WaveArchive archive = fullArchive();
    const std::size_t bytes = waveCsvBytes(archive, shell::Language::English, {})->size();
    for (auto _ : state)
        benchmark::DoNotOptimize(saveWaveCsv(dir / "bench.CSV", archive, shell::Language::English, {}));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    std::filesystem::remove_all(dir);
}

#ifdef TAVIMO_BENCH_CHART
// The screen's own chart widget, set up as the waveform screen sets it up:
// one line per controller, the two limit lines, the judgement bars as bands.
struct Chart {
    ui::ChartView plot;

    Chart()
    {
        static const char* colours[] = {"#FF0000", "#FF8040", "#008000", "#00FF80",
                                        "#00FFFF", "#8080FF", "#808000", "#FF00FF"};
        plot.resize(1280, 720);
        for (int id = 0; id < measure::kWaveSlots; ++id)
            plot.addSeries(QStringLiteral("Series%1").arg(id + 1), QStringLiteral("ID%1").arg(id), QColor(colours[id]));
        plot.addSeries("Series9", "H Li", QColor("#008000"), Qt::DashLine);
        plot.addSeries("Series10", "L Li", QColor("#008000"), Qt::DotLine);
        plot.show();
    }

    void show(const WavePlot& p, const WaveAxes& axes)
    {
        for (int id = 0; id < measure::kWaveSlots; ++id) plot.showPoints(id, p.controllers[id]);
        plot.showPoints(8, p.upperLimit);
        plot.showPoints(9, p.lowerLimit);
        static const char* labels[] = {"HI", "GO", "LO", "AL"};
        std::vector<ui::ChartBand> bands;
        for (int row = 0; row < kJudgementRows; ++row)
            for (const auto& b : p.bars[row]) bands.push_back({b.start, b.end, b.row, labels[row], QColor("#00C000")});
        plot.setBands(std::move(bands));
        plot.setAxes(axes.time, axes.value);
    }

    // Every series emptied, so that show() hands all points over again.
    void empty()
    {
        for (int i = 0; i < plot.seriesCount(); ++i) plot.series(i)->data()->clear();
    }
};

// The series of the full archive and the axes to show them with: the whole
// archive in view, or the window as the capture left it (the last 9 s).
struct ChartContent {
    WavePlot plot;
    WaveAxes axes;
};

ChartContent chartContent(bool wholeArchive)
{
    const WaveArchive archive = fullArchive();
    ChartContent c;
    c.plot = plotAll(archive, chartFields(), c.axes);
    if (wholeArchive) c.axes.time = {0, static_cast<double>(lastElapsed(archive.back()))};
    return c;
}

// The chart redrawn offscreen, its data unchanged.
void redrawBenchmark(benchmark::State& state, bool wholeArchive)
{
    const ChartContent c = chartContent(wholeArchive);
    Chart chart;
    chart.show(c.plot, c.axes);
    for (auto _ : state) chart.plot.redrawNow();
    state.counters["points"] = static_cast<double>(c.plot.pointCount());
}

void BM_ChartRedrawFullArchive(benchmark::State& state)
{
    redrawBenchmark(state, true);
}

void BM_ChartRedrawWindow(benchmark::State& state)
{
    redrawBenchmark(state, false);
}

// All series handed to the chart again (emptied first), then redrawn.
void BM_ChartSetDataAndRedraw(benchmark::State& state)
{
    const ChartContent c = chartContent(true);
    Chart chart;
    for (auto _ : state) {
        chart.empty();
        chart.show(c.plot, c.axes);
        chart.plot.redrawNow();
    }
}

BENCHMARK(BM_ChartRedrawFullArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartRedrawWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartSetDataAndRedraw)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_PlotFullArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DisplayTick)->Unit(benchmark::kMicrosecond)->Iterations(1200);
BENCHMARK(BM_TickLockedPart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TmdSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TmdLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CsvText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvSave)->Unit(benchmark::kMillisecond)->UseRealTime();
