// The waveform CSV file: the catalog's header line in the UI language (in
// CP932 for Japanese), then one line per record of every archived block:
// line number, the values of controllers 0 to 7 (0 for a slot that is not
// valid), the elapsed ms; items joined by ", ", lines ended by CR LF; the
// separator and decimal character of the CSV settings substituted.
#pragma once

#include "shell/language.h"
#include "waveform/csv_text.h"
#include "waveform/wave_archive.h"
#include "waveform/wave_file_error.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tavimo::waveform {

// The file's bytes; nothing when the header cannot be converted to CP932.
std::optional<std::string> waveCsvBytes(const WaveArchive& archive, shell::Language language, const CsvFormat& format);

// Writes the file through the atomic save, the previous file kept as .BAK.
// An empty archive writes nothing (CannotWrite).
WaveFileError saveWaveCsv(const std::filesystem::path& path, const WaveArchive& archive, shell::Language language,
                          const CsvFormat& format, std::string* detail = nullptr);

} // namespace tavimo::waveform
