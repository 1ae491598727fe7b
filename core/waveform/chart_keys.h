// The chart keys the waveform and the buffering screen both keep, each in
// its own section of the application configuration: the value axis, the
// time-axis width and the two cursor check boxes. Config is either screen's
// configuration record (members named after the keys).
#pragma once

#include "files/ini_values.h"
#include "waveform/wave_config.h"

#include <algorithm>

namespace tavimo::waveform {

template <class Config>
void readChartKeys(const files::IniDocument& doc, const char* section, Config& c)
{
    c.VERTICAL_MAX = std::clamp(files::readDecimal(doc, section, "VERTICAL_MAX", kVerticalMaxDefault),
                                kVerticalMaxLow, kVerticalMaxHigh);
    c.VERTICAL_MIN = std::clamp(files::readDecimal(doc, section, "VERTICAL_MIN", kVerticalMinDefault),
                                kVerticalMinLow, kVerticalMinHigh);
    // An empty or reversed range would leave nothing to draw.
    if (c.VERTICAL_MIN >= c.VERTICAL_MAX) {
        c.VERTICAL_MAX = kVerticalMaxDefault;
        c.VERTICAL_MIN = kVerticalMinDefault;
    }
    c.HORIZONTAL = files::readClamped(doc, section, "HORIZONTAL", kWidthMin, kWidthMax, kWidthDefault);
    c.MEASURE_CURSOR = files::readBool(doc, section, "MEASURE_CURSOR", false);
    c.TIME_CURSOR = files::readBool(doc, section, "TIME_CURSOR", false);
}

template <class Config>
void writeChartKeys(files::IniDocument& doc, const char* section, const Config& c)
{
    files::writeDecimal(doc, section, "VERTICAL_MAX", c.VERTICAL_MAX);
    files::writeDecimal(doc, section, "VERTICAL_MIN", c.VERTICAL_MIN);
    files::writeInteger(doc, section, "HORIZONTAL", c.HORIZONTAL);
    files::writeBool(doc, section, "MEASURE_CURSOR", c.MEASURE_CURSOR);
    files::writeBool(doc, section, "TIME_CURSOR", c.TIME_CURSOR);
}

} // namespace tavimo::waveform
