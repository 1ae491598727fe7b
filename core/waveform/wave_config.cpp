#include "waveform/wave_config.h"

#include "files/app_config.h"
#include "files/ini_values.h"
#include "link/active_list.h"
#include "waveform/chart_keys.h"


namespace tavimo::waveform {

namespace {

constexpr const char* kEnvironment = "ENVIRONMENT";
constexpr const char* kSection = "MEASUREWAVE";

} // namespace

WaveScreenConfig readWaveConfig(const files::IniDocument& doc)
{
    using namespace files;
    WaveScreenConfig c;
    c.MEASUREWAVE_OPENFOLDER = readText(doc, kEnvironment, "MEASUREWAVE_OPENFOLDER", "");
    c.MEASUREWAVE_SAVEFOLDER = readText(doc, kEnvironment, "MEASUREWAVE_SAVEFOLDER", "");
    c.MEASUREWAVE_TOP = readInteger(doc, kEnvironment, "MEASUREWAVE_TOP", 0);
    c.MEASUREWAVE_LEFT = readInteger(doc, kEnvironment, "MEASUREWAVE_LEFT", 0);
    c.THRESHOLD = readBool(doc, kSection, "THRESHOLD", false);
    c.HI_PASS_LO = readBool(doc, kSection, "HI_PASS_LO", false);
    c.SELECT_ID = readIndex(doc, kSection, "SELECT_ID", link::kMaxControllers, 0);
    c.OUT_POSITION = readClamped(doc, kSection, "OUT_POSITION", kOutPositionMin, kOutPositionMax, 0);
    c.INTERVAL = readClamped(doc, kSection, "INTERVAL", kIntervalMin, kIntervalMax, kIntervalDefault);
    readChartKeys(doc, kSection, c);
    return c;
}

void writeWaveConfig(files::IniDocument& doc, const WaveScreenConfig& c)
{
    using namespace files;
    writeText(doc, kEnvironment, "MEASUREWAVE_OPENFOLDER", c.MEASUREWAVE_OPENFOLDER);
    writeText(doc, kEnvironment, "MEASUREWAVE_SAVEFOLDER", c.MEASUREWAVE_SAVEFOLDER);
    writeInteger(doc, kEnvironment, "MEASUREWAVE_TOP", c.MEASUREWAVE_TOP);
    writeInteger(doc, kEnvironment, "MEASUREWAVE_LEFT", c.MEASUREWAVE_LEFT);
    writeBool(doc, kSection, "THRESHOLD", c.THRESHOLD);
    writeBool(doc, kSection, "HI_PASS_LO", c.HI_PASS_LO);
    writeInteger(doc, kSection, "SELECT_ID", c.SELECT_ID);
    writeInteger(doc, kSection, "OUT_POSITION", c.OUT_POSITION);
    writeInteger(doc, kSection, "INTERVAL", c.INTERVAL);
    writeChartKeys(doc, kSection, c);
}

WaveScreenConfig loadWaveConfig(const std::filesystem::path& path)
{
    return readWaveConfig(files::readAppConfigDocument(path));
}

files::FileError saveWaveConfig(const std::filesystem::path& path, const WaveScreenConfig& config,
                                std::string* detail)
{
    return files::updateAppConfig(
        path, [&](files::IniDocument& doc) { writeWaveConfig(doc, config); }, detail);
}

} // namespace tavimo::waveform
