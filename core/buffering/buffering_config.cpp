#include "buffering/buffering_config.h"

#include "buffering/buffering_rules.h"
#include "files/app_config.h"
#include "files/ini_values.h"
#include "waveform/chart_keys.h"
#include "waveform/wave_config.h"


namespace tavimo::buffering {

namespace {

constexpr const char* kEnvironment = "ENVIRONMENT";
constexpr const char* kSection = "DATABUFF";

} // namespace

void BufferScreenConfig::setRunSettings(const RunSettings& s)
{
    TRIG_MODE = s.triggerType;
    AMOUNT_N = s.bufferPoints;
    RATE = s.bufferRate;
    TRIG_POINT = s.triggerPoint;
}

BufferScreenConfig readBufferConfig(const files::IniDocument& doc)
{
    using namespace files;
    // The chart fields are the same controls as on the waveform screen.
    using waveform::readChartKeys;
    BufferScreenConfig c;
    c.DATABUFF_OPENFOLDER = readText(doc, kEnvironment, "DATABUFF_OPENFOLDER", "");
    c.DATABUFF_SAVEFOLDER = readText(doc, kEnvironment, "DATABUFF_SAVEFOLDER", "");
    c.DATABUFF_TOP = readInteger(doc, kEnvironment, "DATABUFF_TOP", 0);
    c.DATABUFF_LEFT = readInteger(doc, kEnvironment, "DATABUFF_LEFT", 0);
    readChartKeys(doc, kSection, c);
    c.CHART_DISP_WIDTH = readBool(doc, kSection, "CHART_DISP_WIDTH", false);
    RunSettings run;
    run.triggerType = readInteger(doc, kSection, "TRIG_MODE", 1);
    run.bufferPoints = readInteger(doc, kSection, "AMOUNT_N", 10000);
    run.bufferRate = readInteger(doc, kSection, "RATE", 4);
    run.triggerPoint = readInteger(doc, kSection, "TRIG_POINT", 1);
    c.setRunSettings(clampRunSettings(run));
    return c;
}

void writeBufferConfig(files::IniDocument& doc, const BufferScreenConfig& c)
{
    using namespace files;
    writeText(doc, kEnvironment, "DATABUFF_OPENFOLDER", c.DATABUFF_OPENFOLDER);
    writeText(doc, kEnvironment, "DATABUFF_SAVEFOLDER", c.DATABUFF_SAVEFOLDER);
    writeInteger(doc, kEnvironment, "DATABUFF_TOP", c.DATABUFF_TOP);
    writeInteger(doc, kEnvironment, "DATABUFF_LEFT", c.DATABUFF_LEFT);
    waveform::writeChartKeys(doc, kSection, c);
    writeBool(doc, kSection, "CHART_DISP_WIDTH", c.CHART_DISP_WIDTH);
    writeInteger(doc, kSection, "TRIG_MODE", c.TRIG_MODE);
    writeInteger(doc, kSection, "AMOUNT_N", c.AMOUNT_N);
    writeInteger(doc, kSection, "RATE", c.RATE);
    writeInteger(doc, kSection, "TRIG_POINT", c.TRIG_POINT);
}

BufferScreenConfig loadBufferConfig(const std::filesystem::path& path)
{
    return readBufferConfig(files::readAppConfigDocument(path));
}

files::FileError saveBufferConfig(const std::filesystem::path& path, const BufferScreenConfig& config,
                                  std::string* detail)
{
    return files::updateAppConfig(
        path, [&](files::IniDocument& doc) { writeBufferConfig(doc, config); }, detail);
}

} // namespace tavimo::buffering
