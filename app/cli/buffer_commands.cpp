// buffer run: one data buffering run of one controller, driven through the
// same screen object as the window: the entry check, the controller
// selection, Start, the status ticks and the completion timer, the readout,
// the CSV file and the release of the controllers at the end.
#include "cli/cli_context.h"
#include "cli/csv_options.h"
#include "cli/online_session.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include "buffering/buffering_config.h"
#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "buffering/buffering_screen.h"
#include "files/app_config.h"
#include "window/precondition_checks.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

namespace tavimo::cli {

namespace {

using namespace std::chrono_literals;
using Clock = buffering::MonitorClock;

constexpr auto kStatusTick = 200ms;      // the screen's status timer
constexpr auto kTriggerAllowance = 10s;  // without --wait: how long the trigger may take
constexpr auto kReadableWithin = 10s;    // after the end, until the status shows the points

struct BufferArgs {
    int id = 0;
    int points = 10000;
    int rate = 4;
    int triggerPoint = 1;
    bool wait = false;
    std::string out;
    CsvOptions csv;
};

std::atomic<bool> interrupted{false};

extern "C" void onBufferInterrupt(int)
{
    interrupted = true;
}

// Ctrl-C is the Cancel button of the readout's progress window.
class BufferOperator : public TerminalOperator {
public:
    bool cancelRequested() override { return interrupted.load(); }
};

int positionOf(const link::ActiveControllers& active, int id)
{
    for (int i = 0; i < active.activeCount(); ++i)
        if (active.activeId(i) == id) return i;
    return -1;
}

enum class WaitEnd { Readable, Interrupted, TimedOut, Failed };

// Status ticks every 200 ms, the completion timer when it is due, the stored
// points on the progress bar; until the points can be read.
WaitEnd waitForRun(buffering::BufferingScreen& screen, buffering::BufferingRecord& record, BufferOperator& op,
                   const BufferArgs& a)
{
    const auto start = Clock::now();
    const auto runTime = std::chrono::milliseconds(buffering::predictedRunMs(a.points, a.rate));
    std::optional<Clock::time_point> deadline;
    if (!a.wait) deadline = start + runTime + kTriggerAllowance;
    std::optional<Clock::time_point> endedAt;
    op.progressBegin(a.points);
    WaitEnd end = WaitEnd::Failed;
    for (auto next = start;; ) {
        next += kStatusTick;
        std::this_thread::sleep_until(next);
        const auto now = Clock::now();
        if (interrupted) {
            end = WaitEnd::Interrupted;
            break;
        }
        if (op.terminated()) break;
        screen.statusTick(now);
        if (const auto due = screen.completionDueAt(); due && now >= *due) screen.completionTimerFired(now);
        if (const auto s = record.copy()) op.progressSet(std::clamp(s->storedCount, 0, a.points));
        if (screen.controls().read && !screen.monitor().pending()) {
            end = WaitEnd::Readable;
            break;
        }
        if (!screen.monitor().pending()) {
            if (!endedAt) endedAt = now;
            if (now - *endedAt > kReadableWithin) break; // ended, yet nothing to read
        } else if (deadline && now > *deadline) {
            end = WaitEnd::TimedOut;
            break;
        }
    }
    op.progressEnd();
    return end;
}

int runBuffer(CliContext& ctx, const BufferArgs& a)
{
    useCliLanguage();
    const std::filesystem::path out(a.out);
    std::error_code ec;
    if (!out.parent_path().empty() && !std::filesystem::is_directory(out.parent_path(), ec)) {
        std::cerr << "tavimo-cli: " << a.out << ": no such folder\n";
        return kExitFailed;
    }
    if (a.triggerPoint > a.points) {
        std::cerr << "tavimo-cli: --trigger-point must not exceed --points\n";
        return kExitUsage;
    }
    files::AppConfig appConfig;
    settings::SettingsModel unusedModel;
    files::loadAppConfig(files::appConfigPath(), appConfig, unusedModel);
    const CsvChoice file = csvChoice(appConfig, a.csv);
    buffering::BufferScreenConfig config = buffering::loadBufferConfig(files::appConfigPath());
    config.setRunSettings({1, a.points, a.rate, a.triggerPoint});

    BufferOperator op;
    OnlineSession session(ctx, op);
    if (!session.goOnline()) return kExitFailed;
    if (!session.requireActive(a.id)) return kExitFailed;
    auto opCtx = session.context();
    if (!window::checkLoggingPreconditions(opCtx).passed) return kExitFailed;

    auto& shared = session.shared();
    buffering::BufferingRecord record(shared);
    buffering::BufferingScreen screen({opCtx, record}, config);
    screen.open(positionOf(session.active(), a.id));
    shared.screenMode = static_cast<int>(measure::ScreenMode::Buffering);

    int status = kExitFailed;
    const auto selected = record.copy();
    if (op.terminated() || !selected || selected->controllerId != a.id) {
        std::cerr << "tavimo-cli: controller " << a.id << " could not be selected\n";
    } else if (selected->maxPoints < a.points) {
        std::cerr << "tavimo-cli: controller " << a.id << " buffers at most " << selected->maxPoints << " points\n";
    } else {
        interrupted = false;
        auto previous = std::signal(SIGINT, onBufferInterrupt);
        if (screen.toggle() == buffering::kCodeOk) {
            switch (waitForRun(screen, record, op, a)) {
            case WaitEnd::Readable:
                if (screen.read() == buffering::kCodeOk &&
                    screen.save(out, file.language, file.format) == buffering::kCodeOk) {
                    std::cout << screen.data().size() << " points at rate " << screen.data().rate() << " ("
                              << buffering::kRateUnitMs * screen.data().rate() << " ms apart) saved to " << a.out
                              << "\n";
                    status = kExitOk;
                }
                break;
            case WaitEnd::Interrupted:
                std::cerr << "tavimo-cli: interrupted; the run is stopped\n";
                screen.stop();
                break;
            case WaitEnd::TimedOut:
                std::cerr << "tavimo-cli: the run did not complete in time (no trigger?); it is stopped. "
                             "Use --wait to wait without a limit\n";
                screen.stop();
                break;
            case WaitEnd::Failed:
                std::cerr << "tavimo-cli: the run ended without points to read\n";
                break;
            }
        }
        std::signal(SIGINT, previous);
    }
    // The release of the screen's close: buffering switched off again.
    if (!op.terminated() && screen.close() != buffering::kCodeOk) status = kExitFailed;
    shared.screenMode = 0;
    if (session.goOffline() != 0 || op.terminated()) status = kExitFailed;
    return status;
}

} // namespace

void addBufferCommands(CLI::App& app, CliContext& ctx)
{
    auto* buffer = app.add_subcommand("buffer", "The controllers' own data buffering");
    buffer->require_subcommand(1);
    auto a = std::make_shared<BufferArgs>();
    auto* run = buffer->add_subcommand(
        "run", "Start a buffering run of one controller, wait for it to complete, read the points and save them as CSV");
    run->add_option("--id", a->id, "Controller ID")->required()->check(CLI::Range(0, 7));
    run->add_option("--points", a->points, "Number of points to buffer (1 to 50000)")
        ->required()
        ->check(CLI::Range(1, buffering::kMaxBufferPoints));
    run->add_option("--rate", a->rate, "Buffering rate x: one point every x * 0.025 ms (1 to 32767)")
        ->required()
        ->check(CLI::Range(buffering::kMinRate, buffering::kMaxRate));
    run->add_option("--trigger-point", a->triggerPoint, "Position of the trigger among the points (1 to --points)")
        ->required()
        ->check(CLI::Range(1, buffering::kMaxBufferPoints));
    run->add_flag("--wait", a->wait,
                  "Wait for the trigger without a time limit (default: give up 10 s after the predicted run time)");
    run->add_option("--out", a->out, "CSV file to write (.CSV; an existing file is kept as .BAK)")->required();
    addCsvOptions(*run, a->csv);
    run->callback([&ctx, a] { ctx.action = [&ctx, a] { return runBuffer(ctx, *a); }; });
}

} // namespace tavimo::cli
