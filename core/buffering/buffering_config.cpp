#include "buffering/buffering_config.h"

#include "buffering/buffering_rules.h"
#include "files/app_config.h"
#include "files/ini_values.h"
#include "waveform/wave_config.h"

#include <algorithm>

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
    // The axis fields are the same controls as on the waveform screen.
    using namespace waveform;
    BufferScreenConfig c;
    c.DATABUFF_OPENFOLDER = readText(doc, kEnvironment, "DATABUFF_OPENFOLDER", "");
    c.DATABUFF_SAVEFOLDER = readText(doc, kEnvironment, "DATABUFF_SAVEFOLDER", "");
    c.DATABUFF_TOP = readInteger(doc, kEnvironment, "DATABUFF_TOP", 0);
    c.DATABUFF_LEFT = readInteger(doc, kEnvironment, "DATABUFF_LEFT", 0);
    c.VERTICAL_MAX =
        std::clamp(readDecimal(doc, kSection, "VERTICAL_MAX", kVerticalMaxDefault), kVerticalMaxLow, kVerticalMaxHigh);
    c.VERTICAL_MIN =
        std::clamp(readDecimal(doc, kSection, "VERTICAL_MIN", kVerticalMinDefault), kVerticalMinLow, kVerticalMinHigh);
    if (c.VERTICAL_MIN >= c.VERTICAL_MAX) {
        c.VERTICAL_MAX = kVerticalMaxDefault;
        c.VERTICAL_MIN = kVerticalMinDefault;
    }
    c.HORIZONTAL = readClamped(doc, kSection, "HORIZONTAL", kWidthMin, kWidthMax, kWidthDefault);
    c.MEASURE_CURSOR = readBool(doc, kSection, "MEASURE_CURSOR", false);
    c.TIME_CURSOR = readBool(doc, kSection, "TIME_CURSOR", false);
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
    writeDecimal(doc, kSection, "VERTICAL_MAX", c.VERTICAL_MAX);
    writeDecimal(doc, kSection, "VERTICAL_MIN", c.VERTICAL_MIN);
    writeInteger(doc, kSection, "HORIZONTAL", c.HORIZONTAL);
    writeBool(doc, kSection, "MEASURE_CURSOR", c.MEASURE_CURSOR);
    writeBool(doc, kSection, "TIME_CURSOR", c.TIME_CURSOR);
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
