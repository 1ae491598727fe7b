// The settings text export (extension TXT): a readable summary of the model
// in the UI language, for people rather than for loading back. The four
// calculation entries, then for each controller the items of the memory it
// works in (MEMORY_NO), listing only the items that matter for its
// application, trigger and scaling modes. INI layout with CR LF; labels and
// list texts come from the catalog; the file is written in CP932.
#pragma once

#include "files/file_error.h"
#include "settings/settings_model.h"
#include "shell/language.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tavimo::files {

// The export as UTF-8 text.
std::string settingsTextUtf8(const settings::SettingsModel& model, shell::Language language);

// The export as the bytes of the file (CP932). Characters CP932 lacks can
// only come from hand-edited head codes; they are written as "?". Nothing
// when the C library has no CP932 converter.
std::optional<std::string> settingsTextFileBytes(const settings::SettingsModel& model, shell::Language language);

// Writes the file atomically with a .BAK of the previous one: CannotCreate,
// CannotWrite (also: no CP932 converter) or CannotBackup on failure, the old
// file then unchanged.
FileError exportSettingsText(const std::filesystem::path& path, const settings::SettingsModel& model,
                             shell::Language language, std::string* detail = nullptr);

} // namespace tavimo::files
