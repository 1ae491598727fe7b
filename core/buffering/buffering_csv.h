// The buffering data file (.CSV): the catalog's header line in the UI
// language (CP932 for Japanese), then one line per point: the point number
// from 1, ", ", the value with four decimals, ", ", the rate of the data;
// CR LF line ends. The separator of the CSV settings replaces every ","
// (header included), and for data lines the decimal character every ".".
//
// Loading undoes the two replacements (decimal first, then separator) and
// places the points on a time axis in ms: each line advances the time by its
// rate * 0.025 ms. The header line is skipped. Any line that is not "number,
// value, rate" (a rate outside 1..32767, a value that is no number, a
// missing field, a blank line inside the data) refuses the whole file, and
// so do a file without data lines and a file above the size limit; the data
// shown is then left as it was.
#pragma once

#include "buffering/buffered_data.h"
#include "shell/language.h"
#include "waveform/csv_text.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::buffering {

// 50000 points take about 1.3 MB; the limit leaves room for hand-made files.
inline constexpr std::size_t kMaxBufferingCsvBytes = 8u << 20;

// The file's bytes; nothing when the header cannot be written in CP932.
std::optional<std::string> bufferingCsvBytes(const BufferedData& data, shell::Language language,
                                             const waveform::CsvFormat& format);

// Saves through the atomic save (the previous file kept as .BAK). Codes:
// 0, 303 (cannot create), 304 (cannot write; also: no points), 309 (no
// backup). `detail` gets the reason for the command line.
int saveBufferingCsv(const std::filesystem::path& path, const BufferedData& data, shell::Language language,
                     const waveform::CsvFormat& format, std::string* detail = nullptr);

struct CsvParseResult {
    std::optional<BufferedData> data; // the points, their rate that of the last line
    std::size_t badLine = 0;          // 1-based line of the file that refused it (0: none)
};
CsvParseResult parseBufferingCsv(std::string_view bytes, const waveform::CsvFormat& format);

// Loads the file into `out` only when the whole file is sound. Codes: 0,
// 300 (no such file), 301 (unreadable, too large or malformed).
int loadBufferingCsv(const std::filesystem::path& path, const waveform::CsvFormat& format, BufferedData& out,
                     std::string* detail = nullptr);

} // namespace tavimo::buffering
