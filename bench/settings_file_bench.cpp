// Time per load and save of a full settings file and of the application
// configuration file (the whole model plus the preferences). "Text" variants
// measure the work in memory; the others include the file system, and the
// saves include the flush to disk and the .BAK rename.
#include "files/app_config.h"
#include "files/settings_file.h"
#include "settings/head_initialization.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tavimo;

settings::SettingsModel fullModel()
{
    settings::SettingsModel m;
    for (int id = 0; id < settings::kControllerCount; ++id) {
        settings::changeHeadType(m, id, id % settings::kHeadTypeCount);
        m.controllers[id].SUS_ID = "ABCDEFGHIJ";
        for (auto& v : m.controllers[id].memories)
            v.INT_TRIG_THR = -1.2345 + id;
    }
    return m;
}

std::filesystem::path scratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tavimo-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
}

void BM_SettingsTextWrite(benchmark::State& state)
{
    const auto model = fullModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(files::settingsFileText(model));
}

void BM_SettingsTextRead(benchmark::State& state)
{
    const std::string text = files::settingsFileText(fullModel());
    settings::SettingsModel model;
    for (auto _ : state) {
        benchmark::DoNotOptimize(files::loadSettingsFromText(text, model));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_SettingsFileSave(benchmark::State& state)
{
    const auto dir = scratchFolder();
    const auto model = fullModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(files::saveSettingsFile(dir / "bench.TSD", model));
    std::filesystem::remove_all(dir);
}

void BM_SettingsFileLoad(benchmark::State& state)
{
    const auto dir = scratchFolder();
    files::saveSettingsFile(dir / "bench.TSD", fullModel());
    settings::SettingsModel model;
    for (auto _ : state)
        benchmark::DoNotOptimize(files::loadSettingsFile(dir / "bench.TSD", model));
    std::filesystem::remove_all(dir);
}

void BM_AppConfigSave(benchmark::State& state)
{
    const auto dir = scratchFolder();
    const auto model = fullModel();
    const files::AppConfig config;
    for (auto _ : state)
        benchmark::DoNotOptimize(files::saveAppConfig(dir / "Tavimo.INI", config, model));
    std::filesystem::remove_all(dir);
}

void BM_AppConfigLoad(benchmark::State& state)
{
    const auto dir = scratchFolder();
    files::saveAppConfig(dir / "Tavimo.INI", files::AppConfig{}, fullModel());
    files::AppConfig config;
    settings::SettingsModel model;
    for (auto _ : state)
        benchmark::DoNotOptimize(files::loadAppConfig(dir / "Tavimo.INI", config, model));
    std::filesystem::remove_all(dir);
}

} // namespace

BENCHMARK(BM_SettingsTextWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsTextRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsFileSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsFileLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppConfigSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppConfigLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
