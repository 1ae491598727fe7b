#include "waveform/wave_csv.h"

#include "files/atomic_file.h"
#include "shell/catalog.h"
#include "shell/cp932.h"

#include <algorithm>
#include <charconv>

namespace tavimo::waveform {

namespace {

void appendNumber(std::string& line, std::uint64_t n)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, n);
    line.append(buf, r.ptr);
}

} // namespace

std::optional<std::string> waveCsvBytes(const WaveArchive& archive, shell::Language language, const CsvFormat& format)
{
    std::string header = shell::Catalog::instance().text(shell::Msg::CsvHeaderWaveform, language);
    applyCsvSeparator(header, format);
    if (language == shell::Language::Japanese) {
        auto converted = shell::utf8ToCp932(header);
        if (!converted) return std::nullopt;
        header = std::move(*converted);
    }

    std::string out = std::move(header);
    out.reserve(out.size() + archive.size() * measure::kWaveRecordsPerBlock * 64);
    std::string line;
    std::uint64_t lineNumber = 0;
    for (const WaveBlock& block : archive) {
        const int count = std::clamp(block.count, 0, measure::kWaveRecordsPerBlock);
        for (int i = 0; i < count; ++i) {
            const WaveRecord& rec = block.records[static_cast<std::size_t>(i)];
            line.clear();
            appendNumber(line, ++lineNumber);
            for (const WaveSlot& slot : rec.slot) {
                line += ", ";
                line += formatCsvNumber(slot.valid ? slot.value : 0.0);
            }
            line += ", ";
            appendNumber(line, rec.elapsed);
            applyCsvSeparator(line, format);
            applyCsvDecimal(line, format);
            line += "\r\n";
            out += line;
        }
    }
    return out;
}

WaveFileError saveWaveCsv(const std::filesystem::path& path, const WaveArchive& archive, shell::Language language,
                          const CsvFormat& format, std::string* detail)
{
    if (archive.empty()) {
        if (detail) *detail = "no waveform blocks to save";
        return WaveFileError::CannotWrite;
    }
    const auto bytes = waveCsvBytes(archive, language, format);
    if (!bytes) {
        if (detail) *detail = "the header cannot be written in CP932";
        return WaveFileError::CannotWrite;
    }
    return fromFileError(files::saveFile(path, *bytes, true, detail));
}

} // namespace tavimo::waveform
