// The waveform screen's keys in the application configuration file, read
// when the screen is created and written when it is destroyed. The fields
// are named after their keys; together they are also the screen's field
// values while it is open.
#pragma once

#include "files/file_error.h"
#include "files/ini_document.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavimo::waveform {

// Ranges of the screen's fields.
inline constexpr int kIntervalMin = 100, kIntervalMax = 500, kIntervalDefault = 250;
inline constexpr int kWidthMin = 1, kWidthMax = 90, kWidthDefault = 50; // units of 100 ms
inline constexpr double kVerticalMaxLow = -999, kVerticalMaxHigh = 1000, kVerticalMaxDefault = 5.0;
inline constexpr double kVerticalMinLow = -1000, kVerticalMinHigh = 999, kVerticalMinDefault = 0.0;
inline constexpr int kOutPositionMin = -999, kOutPositionMax = 999;
inline constexpr int kOutPositionFieldDefault = 3; // the field's own default; the key's is 0

struct WaveScreenConfig {
    // Section ENVIRONMENT.
    std::string MEASUREWAVE_OPENFOLDER;
    std::string MEASUREWAVE_SAVEFOLDER;
    std::int32_t MEASUREWAVE_TOP = 0;
    std::int32_t MEASUREWAVE_LEFT = 0;
    // Section MEASUREWAVE.
    bool THRESHOLD = false;     // CheckBox11: limit lines
    bool HI_PASS_LO = false;    // CheckBox12: judgement bars
    std::int32_t SELECT_ID = 0; // RadioGroup1: controller of lines and bars
    std::int32_t OUT_POSITION = 0; // OutputPositionEdit: value of the GO row
    std::int32_t INTERVAL = kIntervalDefault; // IntervalEdit, ms
    double VERTICAL_MAX = kVerticalMaxDefault; // UNumberEdit2
    double VERTICAL_MIN = kVerticalMinDefault; // UNumberEdit3
    std::int32_t HORIZONTAL = kWidthDefault;   // XWidthEdit, units of 100 ms
    bool MEASURE_CURSOR = false; // CheckBox9
    bool TIME_CURSOR = false;    // CheckBox10

    bool operator==(const WaveScreenConfig&) const = default;
};

// Missing keys take their defaults. Values outside a field's range are
// brought into it, SELECT_ID outside 0..7 gives 0, and a minimum that is not
// below the maximum gives both value-axis defaults, so a hand-edited file
// never yields an axis without extent.
WaveScreenConfig readWaveConfig(const files::IniDocument& doc);
// Writes every key of the screen, changing nothing else in the document.
void writeWaveConfig(files::IniDocument& doc, const WaveScreenConfig& config);

// The same on the configuration file itself (missing file: defaults); the
// save keeps every other key and line and goes through the atomic save.
WaveScreenConfig loadWaveConfig(const std::filesystem::path& path);
files::FileError saveWaveConfig(const std::filesystem::path& path, const WaveScreenConfig& config,
                                std::string* detail = nullptr);

} // namespace tavimo::waveform
