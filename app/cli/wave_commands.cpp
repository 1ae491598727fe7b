// capture, wave convert: a waveform capture through the polling worker,
// archived by the same acquisition object as the waveform screen, saved as a
// measurement-data file and optionally as CSV; and a measurement-data file
// turned into CSV.
#include "cli/cli_context.h"
#include "cli/csv_options.h"
#include "cli/online_session.h"
#include "cli/subcommands.h"
#include "cli/terminal_operator.h"

#include "files/app_config.h"
#include "waveform/tmd_file.h"
#include "waveform/wave_acquisition.h"
#include "waveform/wave_csv.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <thread>

namespace tavimo::cli {

namespace {

struct CsvArgs {
    std::string csv; // output CSV; empty: none
    CsvOptions options;
};

struct CaptureArgs {
    double seconds = 10;
    std::string out;
    int interval = 0; // 0: the screen's configured display interval
    CsvArgs csv;
};

struct ConvertArgs {
    std::string tmd;
    CsvArgs csv;
};

std::atomic<bool> interrupted{false};

extern "C" void onCaptureInterrupt(int)
{
    interrupted = true;
}

// Language and CSV settings from the options, else from the configuration.
CsvChoice csvChoice(const CsvArgs& a)
{
    files::AppConfig config;
    settings::SettingsModel unused;
    files::loadAppConfig(files::appConfigPath(), config, unused);
    return cli::csvChoice(config, a.options);
}

bool reportFile(waveform::WaveFileError e, const std::string& path, const std::string& detail)
{
    if (e == waveform::WaveFileError::None) return true;
    std::cerr << "tavimo-cli: " << path << ": " << waveform::waveFileErrorText(e);
    if (!detail.empty()) std::cerr << " (" << detail << ")";
    std::cerr << "\n";
    return false;
}

bool writeCsv(const waveform::WaveArchive& archive, const CsvArgs& a)
{
    if (a.csv.empty()) return true;
    const CsvChoice c = csvChoice(a);
    std::string detail;
    return reportFile(waveform::saveWaveCsv(a.csv, archive, c.language, c.format, &detail), a.csv, detail);
}

std::size_t recordCount(const waveform::WaveArchive& archive)
{
    std::size_t n = 0;
    for (const auto& b : archive) n += static_cast<std::size_t>(b.count);
    return n;
}

// Stops the capture the way the screen's button does (the lock may be busy
// for one wait).
void stopCapture(waveform::WaveAcquisition& acq)
{
    for (int i = 0; i < 100 && acq.state() == waveform::AcquisitionState::Collecting; ++i) acq.toggleCollect();
}

// A capture is not worth starting when its file cannot be written.
bool folderExists(const std::string& file)
{
    if (file.empty()) return true;
    const auto folder = std::filesystem::path(file).parent_path();
    std::error_code ec;
    if (folder.empty() || std::filesystem::is_directory(folder, ec)) return true;
    std::cerr << "tavimo-cli: " << file << ": " << waveform::waveFileErrorText(waveform::WaveFileError::CannotCreate)
              << " (no such folder)\n";
    return false;
}

int runCapture(CliContext& ctx, const CaptureArgs& a)
{
    useCliLanguage();
    if (!folderExists(a.out) || !folderExists(a.csv.csv)) return kExitFailed;
    waveform::WaveScreenConfig fields = waveform::loadWaveConfig(files::appConfigPath());
    TerminalOperator op;
    OnlineSession session(ctx, op);
    if (!session.goOnline()) return kExitFailed;
    auto& shared = session.shared();
    shared.screenMode = static_cast<int>(measure::ScreenMode::Waveform);
    waveform::WaveAcquisition acq(shared, session.active(), fields);
    if (a.interval != 0) acq.setInterval(a.interval);
    if (!acq.toggleCollect() || acq.state() != waveform::AcquisitionState::Collecting) {
        std::cerr << "tavimo-cli: the capture could not be started\n";
        return kExitFailed;
    }

    interrupted = false;
    auto previous = std::signal(SIGINT, onCaptureInterrupt);
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                 std::chrono::duration<double>(a.seconds));
    auto next = start;
    while (!interrupted && !op.terminated() && acq.state() == waveform::AcquisitionState::Collecting) {
        next += std::chrono::milliseconds(acq.timerIntervalMs());
        if (next > end) break;
        std::this_thread::sleep_until(next);
        acq.tick();
    }
    std::signal(SIGINT, previous);
    const bool autoStopped = acq.state() == waveform::AcquisitionState::Idle;
    stopCapture(acq);
    shared.screenMode = 0;
    const bool offline = session.goOffline() == 0 && !op.terminated();

    const auto& archive = acq.archive();
    if (archive.empty()) {
        std::cerr << "tavimo-cli: no waveform samples were captured\n";
        return kExitFailed;
    }
    std::string detail;
    if (!reportFile(waveform::saveTmdFile(a.out, archive, &detail), a.out, detail)) return kExitFailed;
    if (!writeCsv(archive, a.csv)) return kExitFailed;
    std::cout << archive.size() << " blocks, " << recordCount(archive) << " records, "
              << waveform::lastElapsed(archive.back()) << " ms";
    if (autoStopped) std::cout << " (stopped at the 5-minute limit)";
    std::cout << "\n";
    return offline ? kExitOk : kExitFailed;
}

int runConvert(const ConvertArgs& a)
{
    useCliLanguage();
    waveform::WaveArchive archive;
    std::string detail;
    if (!reportFile(waveform::loadTmdFile(a.tmd, archive, &detail), a.tmd, detail)) return kExitFailed;
    if (!writeCsv(archive, a.csv)) return kExitFailed;
    std::cout << archive.size() << " blocks, " << recordCount(archive) << " records\n";
    return kExitOk;
}

} // namespace

void addWaveCommands(CLI::App& app, CliContext& ctx)
{
    auto c = std::make_shared<CaptureArgs>();
    auto* capture = app.add_subcommand("capture", "Go online and capture waveforms of all connected controllers");
    capture->add_option("--seconds", c->seconds, "How long to capture (a capture stops by itself at 5 minutes)")
        ->check(CLI::Range(0.1, 3600.0));
    capture->add_option("--out", c->out, "Measurement-data file to write (.TMD)")->required();
    capture->add_option("--csv", c->csv.csv, "Also write the capture as CSV");
    capture->add_option("--interval", c->interval, "Display interval in ms, 100 to 500 (default: the configuration's)")
        ->check(CLI::Range(100, 500));
    addCsvOptions(*capture, c->csv.options);
    capture->callback([&ctx, c] { ctx.action = [&ctx, c] { return runCapture(ctx, *c); }; });

    auto* wave = app.add_subcommand("wave", "Measurement-data files");
    wave->require_subcommand(1);
    auto v = std::make_shared<ConvertArgs>();
    auto* convert = wave->add_subcommand("convert", "Write a measurement-data file (.TMD) as CSV");
    convert->add_option("file", v->tmd, "Measurement-data file")->required();
    convert->add_option("--csv", v->csv.csv, "CSV file to write")->required();
    addCsvOptions(*convert, v->csv.options);
    convert->callback([&ctx, v] { ctx.action = [v] { return runConvert(*v); }; });
}

} // namespace tavimo::cli
