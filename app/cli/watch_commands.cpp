// watch: online with the polling worker running, one CSV line per display
// tick of 200 ms: the time, then value and judgement of each connected
// controller, read from the worker's shared buffers as the screens read them.
#include "cli/cli_context.h"
#include "cli/online_session.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <iostream>
#include <mutex>
#include <thread>

namespace tavimo::cli {

namespace {

constexpr auto kTick = std::chrono::milliseconds(200); // the measured-value screen's timer

struct WatchArgs {
    long long count = 0; // 0: until interrupted
    std::string screen = "measure";
};

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int)
{
    interrupted = true;
}

std::string fixed(double value, int decimals)
{
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : "0";
}

const char* judgement(bool hi, bool go, bool lo, bool alarm)
{
    if (alarm) return "ALARM";
    if (hi) return "HI";
    if (lo) return "LO";
    if (go) return "GO";
    return "-";
}

struct Reading {
    double value = 0;
    bool hi = false, go = false, lo = false, alarm = false;
};

using Readings = std::array<Reading, link::kMaxControllers>;

// The measured-value screen's tick: the snapshot under its lock; a tick
// without the lock shows nothing.
bool readMeasured(measure::SharedData& shared, Readings& out)
{
    std::unique_lock lock(shared.measureLock, std::defer_lock);
    if (!lock.try_lock_for(measure::kDataLockWait)) return false;
    for (std::size_t id = 0; id < out.size(); ++id) {
        const auto& m = shared.snapshot.controllers[id];
        out[id] = {m.value, m.hi, m.go, m.lo, m.alarm};
    }
    return true;
}

// The waveform screen's tick: the newest record of the live block, which is
// then consumed so that the worker can go on filling it.
bool readWaveform(measure::SharedData& shared, Readings& out)
{
    std::unique_lock lock(shared.waveLock, std::defer_lock);
    if (!lock.try_lock_for(measure::kDataLockWait)) return false;
    if (shared.liveCount <= 0 || shared.liveCount > measure::kWaveRecordsPerBlock) return false;
    const auto& rec = shared.liveBlock.records[static_cast<std::size_t>(shared.liveCount - 1)];
    for (std::size_t id = 0; id < out.size(); ++id) {
        const auto& s = rec.slot[id];
        out[id] = {s.value, s.hi != 0, s.go != 0, s.lo != 0, s.alarm != 0};
    }
    shared.liveCount = 0;
    return true;
}

void setCollect(measure::SharedData& shared, bool on)
{
    std::lock_guard lock(shared.waveLock);
    shared.collect = on;
    shared.liveCount = 0;
}

int runWatch(CliContext& ctx, const WatchArgs& a)
{
    useCliLanguage();
    TerminalOperator op;
    OnlineSession session(ctx, op);
    if (!session.goOnline()) return kExitFailed;
    const bool wave = a.screen == "wave";
    auto& shared = session.shared();
    const auto& active = session.active();
    {
        std::lock_guard lock(shared.measureLock);
        shared.snapshot.clear(); // as the measured-value screen does when it opens
    }
    if (wave) setCollect(shared, true);
    shared.screenMode = static_cast<int>(wave ? measure::ScreenMode::Waveform : measure::ScreenMode::MeasuredValues);

    std::cout << "time_s";
    for (int i = 0; i < active.activeCount(); ++i)
        std::cout << ",ID" << active.activeId(i) << "_value,ID" << active.activeId(i) << "_judgement";
    std::cout << "\n" << std::flush;

    interrupted = false;
    auto previous = std::signal(SIGINT, onInterrupt);
    const auto start = std::chrono::steady_clock::now();
    auto next = start + kTick;
    long long lines = 0;
    while (!interrupted && (a.count == 0 || lines < a.count) && !op.terminated()) {
        std::this_thread::sleep_until(next);
        next += kTick;
        Readings r;
        if (!(wave ? readWaveform(shared, r) : readMeasured(shared, r))) continue;
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::cout << fixed(t, 1);
        for (int i = 0; i < active.activeCount(); ++i) {
            const Reading& x = r[static_cast<std::size_t>(active.activeId(i))];
            std::cout << "," << fixed(x.value, 4) << "," << judgement(x.hi, x.go, x.lo, x.alarm);
        }
        std::cout << "\n" << std::flush;
        ++lines;
    }
    std::signal(SIGINT, previous);
    shared.screenMode = 0;
    if (wave) setCollect(shared, false);
    return session.goOffline() == 0 && !op.terminated() ? kExitOk : kExitFailed;
}

} // namespace

void addWatchCommands(CLI::App& app, CliContext& ctx)
{
    auto w = std::make_shared<WatchArgs>();
    auto* watch = app.add_subcommand("watch", "Go online and print value and judgement per controller every 200 ms");
    watch->add_option("--count", w->count, "Lines to print (default: until Ctrl-C)")->check(CLI::NonNegativeNumber);
    watch->add_option("--screen", w->screen, "What the worker polls: measure (values) or wave (waveform samples)")
        ->check(CLI::IsMember({"measure", "wave"}));
    watch->callback([&ctx, w] { ctx.action = [&ctx, w] { return runWatch(ctx, *w); }; });
}

} // namespace tavimo::cli
