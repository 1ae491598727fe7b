// Data buffering: the readout of a full run (50,000 points) from a paced
// simulator at 115200 baud as a ratio to the line's physical limit, the same
// readout on an unpaced pty (the host's cost), the decoder's speed in points
// per second, the CSV save and load of the run and, with the Qt build, the
// chart's offscreen redraw of the 50,000 points.
#include "buffering/block_decoder.h"
#include "buffering/buffering_csv.h"
#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "buffering/readout.h"
#include "files/atomic_file.h"
#include "link/frame.h"
#include "link/serial_port.h"
#include "link/transaction.h"
#include "sim/simulator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef TAVIMO_BENCH_CHART
#include "ui/buffering/buffering_plot.h"
#include "ui/chart/chart_view.h"
#endif

namespace {

using namespace tavimo;
using namespace tavimo::buffering;

constexpr int kPoints = 50000;
constexpr int kRate = 4; // 0.1 ms between points
constexpr double kBitsPerCharacter = 11; // start, 8 data, parity, stop

struct QuietOperator : shell::Operator {
    void showMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    bool askYesNo(const std::string&) override { return false; }
    void progressBegin(int) override {}
    void progressSet(int) override {}
    void progressEnd() override {}
    void setBusy(bool) override {}
    void requestTermination() override {}
};

struct NoWorker : link::WorkerControl {
    bool pauseWorker() override { return true; }
    bool resumeWorker() override { return true; }
};

// One controller on a pty holding a finished run of 50,000 points, the line
// opened at `baud`, the record saying the points can be read.
class BufferedLine {
public:
    BufferedLine(int baud, bool pace)
    {
        sim::SimulatorOptions o;
        o.ids = {0};
        o.baud = baud;
        o.pace = pace;
        sim_ = std::make_unique<sim::Simulator>(o);
        if (!sim_->start()) fail("no pseudo-terminal");
        sim_->withController(0, [](sim::ControllerState& c) {
            c.buffering.rate = kRate;
            c.buffering.capacity = kPoints;
            c.buffering.triggerPoint = 1;
            c.buffering.triggerDelayMs = 0;
            c.run.begin(sim::Clock::now() - std::chrono::seconds(60), c.buffering, false, c.valueModel());
        });
        if (!port_.openPort(sim_->portPath(), std::to_string(baud), "O", 2, false, false, "1", "8"))
            fail("cannot open the pty");
        link_ = std::make_unique<link::Link>(port_);
        commands_ = std::make_unique<link::CommandSet>(*link_);
        active_.setScanned({0, -1, -1, -1, -1, -1, -1, -1}, 1);
        active_.setOnline(true);
        std::lock_guard lock(shared_.bufferLock);
        BufferingState s = record_.getLocked();
        s.controllerId = 0;
        s.bufferPoints = kPoints;
        s.maxPoints = kPoints;
        s.controllerTriggerPoint = 1;
        s.status() = {0, 1, kPoints};
        record_.setLocked(s);
    }
    ~BufferedLine()
    {
        port_.closePort();
        sim_->stop();
    }

    BufferingLine line()
    {
        return BufferingLine{settings::OperationContext{*commands_, active_, worker_, shared_, op_}, record_};
    }

    // The characters the readout puts on the line: every request and its
    // answer (header, data, check code and CR).
    double lineCharacters()
    {
        double chars = 0;
        auto exchange = [&](std::string_view mnemonic, link::Direction dir, std::string_view data,
                            std::size_t answerData) {
            chars += static_cast<double>(link::buildRequest(0, dir, mnemonic, 0, data).size());
            chars += static_cast<double>(link::kAnswerHeaderLength + answerData + 3);
        };
        exchange("BM", link::Direction::Read, "0", 6);
        for (const Block& b : readoutBlocks(kPoints, kBlockPoints)) {
            std::size_t answer = 0;
            sim_->withController(0, [&](sim::ControllerState& c) { answer = sim::encodeBlock(c.run, b.first, b.last).size(); });
            exchange("RBB", link::Direction::Raw, "000000000000", answer);
        }
        return chars;
    }

    std::vector<std::string> answers()
    {
        std::vector<std::string> out;
        sim_->withController(0, [&](sim::ControllerState& c) {
            for (const Block& b : readoutBlocks(kPoints, kBlockPoints))
                out.push_back(sim::encodeBlock(c.run, b.first, b.last));
        });
        return out;
    }

private:
    static void fail(const char* why)
    {
        std::fprintf(stderr, "%s\n", why);
        std::exit(1);
    }

    std::unique_ptr<sim::Simulator> sim_;
    link::SerialPort port_;
    std::unique_ptr<link::Link> link_;
    std::unique_ptr<link::CommandSet> commands_;
    link::ActiveControllers active_;
    measure::SharedData shared_;
    BufferingRecord record_{shared_};
    NoWorker worker_;
    QuietOperator op_;
};

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void readoutBenchmark(benchmark::State& state, int baud, bool pace)
{
    BufferedLine line(baud, pace);
    const double limitSeconds = line.lineCharacters() * kBitsPerCharacter / baud;
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        BufferedData data;
        const auto start = std::chrono::steady_clock::now();
        const double cpu0 = threadCpuSeconds();
        const ReadoutResult r = readBufferedData(line.line(), data);
        cpu += threadCpuSeconds() - cpu0;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r.code != kCodeOk || data.size() != static_cast<std::size_t>(kPoints)) state.SkipWithError("readout failed");
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["points"] = kPoints;
    state.counters["limit_s"] = limitSeconds;
    state.counters["ratio_to_limit"] = limitSeconds / (wall / n);
    state.counters["cpu_us_per_point"] = cpu / n / kPoints * 1e6;
}

// The paced line: what the operator waits for.
void BM_ReadoutPaced115200(benchmark::State& state)
{
    readoutBenchmark(state, 115200, true);
}

// The unpaced pty: the program's own cost per point.
void BM_ReadoutUnpaced(benchmark::State& state)
{
    readoutBenchmark(state, 115200, false);
}

// Decoding all 313 answers of a full run into the chart's points.
void BM_DecodeFullRun(benchmark::State& state)
{
    BufferedLine line(115200, false);
    const std::vector<std::string> answers = line.answers();
    BufferedData data;
    data.reserve(kPoints);
    std::vector<double> values;
    values.reserve(kBlockPoints);
    for (auto _ : state) {
        data.clear();
        PositionCounter position(false, kRate);
        std::size_t i = 0;
        for (const Block& b : readoutBlocks(kPoints, kBlockPoints)) {
            values.clear();
            if (!decodeBlock(answers[i++], static_cast<std::size_t>(b.count()), values)) state.SkipWithError("decode");
            for (double v : values) data.append(position.next(), v);
        }
        benchmark::DoNotOptimize(data.points().data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

BufferedData fullRun()
{
    BufferedLine line(115200, false);
    BufferedData data;
    if (readBufferedData(line.line(), data).code != kCodeOk) std::exit(1);
    return data;
}

std::filesystem::path benchFile()
{
    return std::filesystem::temp_directory_path() / ("tavimo-buffering-bench-" + std::to_string(::getpid()) + ".CSV");
}

void BM_CsvSave(benchmark::State& state)
{
    const BufferedData data = fullRun();
    const auto path = benchFile();
    for (auto _ : state)
        if (saveBufferingCsv(path, data, shell::Language::English, {}) != kCodeOk) state.SkipWithError("save");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
    std::filesystem::remove(files::backupPathFor(path));
}

void BM_CsvLoad(benchmark::State& state)
{
    const auto path = benchFile();
    if (saveBufferingCsv(path, fullRun(), shell::Language::English, {}) != kCodeOk) std::exit(1);
    for (auto _ : state) {
        BufferedData data;
        if (loadBufferingCsv(path, {}, data) != kCodeOk) state.SkipWithError("load");
        benchmark::DoNotOptimize(data.points().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}

#ifdef TAVIMO_BENCH_CHART
// The buffering screen's chart: the shared chart widget with the screen's
// measured-value series and mark, 1280 x 720, the whole run in view.
struct Chart {
    ui::ChartView view;
    ui::BufferingPlot plot{view, "ID0", "Mark"};

    explicit Chart(const BufferedData& data)
    {
        view.resize(1280, 720);
        plot.showPoints(data);
        double lo = data[0].value, hi = lo;
        for (const auto& p : data.points()) {
            lo = std::min(lo, p.value);
            hi = std::max(hi, p.value);
        }
        view.setAxes({0, data.points().back().position}, {lo, hi + 1e-3});
        view.show();
        if (plot.pointCount() != static_cast<int>(data.size())) std::exit(1);
    }
};

void BM_ChartRedraw(benchmark::State& state)
{
    const BufferedData data = fullRun();
    Chart chart(data);
    for (auto _ : state) chart.view.redrawNow();
    state.counters["points"] = static_cast<double>(data.size());
}

// After a readout or a load: new points handed to the chart, then drawn.
// Two runs alternate, so every pass replaces the whole series.
void BM_ChartSetDataAndRedraw(benchmark::State& state)
{
    const BufferedData first = fullRun();
    BufferedData second;
    for (const auto& p : first.points()) second.append(p.position, p.value + 0.001);
    Chart chart(first);
    bool flip = false;
    for (auto _ : state) {
        chart.plot.showPoints(flip ? first : second);
        chart.view.redrawNow();
        flip = !flip;
    }
}

BENCHMARK(BM_ChartRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartSetDataAndRedraw)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK(BM_ReadoutPaced115200)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_ReadoutUnpaced)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DecodeFullRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CsvLoad)->Unit(benchmark::kMillisecond);
