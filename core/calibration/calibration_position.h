// Where the calibration dialog was last closed: section CARIBRATION, keys
// FORM_TOP and FORM_LEFT of the application configuration file. Read when
// the dialog is created, written when it is destroyed.
#pragma once

#include "files/file_error.h"
#include "files/ini_document.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace tavimo::calibration {

inline constexpr const char* kCalibrationSection = "CARIBRATION";

struct CalibrationPosition {
    std::int32_t FORM_TOP = 0;
    std::int32_t FORM_LEFT = 0;

    bool operator==(const CalibrationPosition&) const = default;
};

// Missing or unparsable keys give 0.
CalibrationPosition readCalibrationPosition(const files::IniDocument& doc);
void writeCalibrationPosition(files::IniDocument& doc, const CalibrationPosition& position);

// On the file itself (missing file: 0, 0); the save keeps every other key
// and line and goes through the atomic save.
CalibrationPosition loadCalibrationPosition(const std::filesystem::path& path);
files::FileError saveCalibrationPosition(const std::filesystem::path& path, const CalibrationPosition& position,
                                         std::string* detail = nullptr);

} // namespace tavimo::calibration
