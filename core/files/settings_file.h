// The settings file (extension TSD): the whole settings model except the
// controller-version index, in INI format.
//
// Loading reads into a copy and replaces the model only when the file was
// read completely, so a failure never leaves a half-loaded model. A file
// that holds no settings section at all, or contains NUL bytes (a binary
// file picked by mistake), is refused instead of silently resetting every
// setting to its default. Saving goes through saveFileAtomically with a .BAK
// of the previous file.
#pragma once

#include "files/file_error.h"
#include "settings/settings_model.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace tavimo::files {

// The text of a settings file for the model (CR LF line ends).
std::string settingsFileText(const settings::SettingsModel& model);

// Parses settings-file bytes into `model` (CannotRead when refused; the
// model is then untouched). VERSION_INDEX is kept.
FileError loadSettingsFromText(std::string_view bytes, settings::SettingsModel& model);

// CannotOpen (the file does not exist or cannot be opened), CannotRead.
FileError loadSettingsFile(const std::filesystem::path& path, settings::SettingsModel& model,
                           std::string* detail = nullptr);

// CannotCreate, CannotWrite, CannotBackup; the previous file is unchanged on
// failure and kept as .BAK on success.
FileError saveSettingsFile(const std::filesystem::path& path, const settings::SettingsModel& model,
                           std::string* detail = nullptr);

} // namespace tavimo::files
