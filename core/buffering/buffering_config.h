// The buffering screen's keys in the application configuration file, read
// when the screen is created and written when it is destroyed. The fields
// are named after their keys.
#pragma once

#include "buffering/buffering_state.h"
#include "files/file_error.h"
#include "files/ini_document.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavimo::buffering {

struct BufferScreenConfig {
    // Section ENVIRONMENT.
    std::string DATABUFF_OPENFOLDER;
    std::string DATABUFF_SAVEFOLDER;
    std::int32_t DATABUFF_TOP = 0;
    std::int32_t DATABUFF_LEFT = 0;
    // Section DATABUFF.
    double VERTICAL_MAX = 5.0;     // UNumberEdit2
    double VERTICAL_MIN = 0.0;     // UNumberEdit3
    std::int32_t HORIZONTAL = 50;  // XWidthEdit, units of 100 ms (or 100 points)
    bool MEASURE_CURSOR = false;   // CheckBox9
    bool TIME_CURSOR = false;      // CheckBox10
    bool CHART_DISP_WIDTH = false; // chart over the grid's place
    std::int32_t TRIG_MODE = 1;
    std::int32_t AMOUNT_N = 10000;
    std::int32_t RATE = 4;
    std::int32_t TRIG_POINT = 1;

    RunSettings runSettings() const { return {TRIG_MODE, AMOUNT_N, RATE, TRIG_POINT}; }
    void setRunSettings(const RunSettings& s);

    bool operator==(const BufferScreenConfig&) const = default;
};

// Missing keys take their defaults; the fields' values are brought into
// their ranges (a value-axis minimum not below its maximum gives both
// defaults) and the run settings are clamped, so a hand-edited file can
// never start a run the controller cannot hold.
BufferScreenConfig readBufferConfig(const files::IniDocument& doc);
// Writes every key of the screen (HORIZONTAL as an integer), nothing else.
void writeBufferConfig(files::IniDocument& doc, const BufferScreenConfig& config);

BufferScreenConfig loadBufferConfig(const std::filesystem::path& path);
files::FileError saveBufferConfig(const std::filesystem::path& path, const BufferScreenConfig& config,
                                  std::string* detail = nullptr);

} // namespace tavimo::buffering
