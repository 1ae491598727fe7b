#include "buffering/buffering_csv.h"

#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "files/atomic_file.h"
#include "files/file_bytes.h"
#include "files/ini_values.h"
#include "shell/catalog.h"
#include "shell/cp932.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace tavimo::buffering {

namespace {

void appendNumber(std::string& line, long long n)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, n);
    line.append(buf, r.ptr);
}

int codeOf(files::FileError e)
{
    switch (e) {
    case files::FileError::None: return kCodeOk;
    case files::FileError::CannotOpen: return kCodeFileNotFound;
    case files::FileError::CannotRead: return kCodeFileRead;
    case files::FileError::CannotCreate: return kCodeFileCreate;
    case files::FileError::CannotWrite: return kCodeFileWrite;
    case files::FileError::CannotBackup: return kCodeFileBackup;
    }
    return kCodeFileWrite;
}

std::string_view trimmed(std::string_view s)
{
    const auto begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    const auto end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

void replaceAll(std::string& s, char from, char to)
{
    if (from != to) std::replace(s.begin(), s.end(), from, to);
}

struct DataLine {
    double value = 0;
    int rate = 0;
};

// One data line with the replacements of the CSV settings undone.
std::optional<DataLine> parseDataLine(std::string line, const waveform::CsvFormat& format)
{
    replaceAll(line, waveform::csvDecimal(format), '.');
    replaceAll(line, waveform::csvSeparator(format), ',');
    const auto rateAt = line.rfind(',');
    if (rateAt == std::string::npos) return std::nullopt;
    const auto rate = files::parseInteger(trimmed(std::string_view(line).substr(rateAt + 1)));
    if (!rate || *rate < kMinRate || *rate > kMaxRate) return std::nullopt;
    line.resize(rateAt);
    const auto valueAt = line.rfind(',');
    if (valueAt == std::string::npos) return std::nullopt;
    const auto value = files::parseDecimal(trimmed(std::string_view(line).substr(valueAt + 1)));
    if (!value) return std::nullopt;
    return DataLine{*value, *rate};
}

} // namespace

std::optional<std::string> bufferingCsvBytes(const BufferedData& data, shell::Language language,
                                             const waveform::CsvFormat& format)
{
    std::string header = shell::Catalog::instance().text(shell::Msg::CsvHeaderBuffering, language);
    waveform::applyCsvSeparator(header, format);
    if (language == shell::Language::Japanese) {
        auto converted = shell::utf8ToCp932(header);
        if (!converted) return std::nullopt;
        header = std::move(*converted);
    }
    std::string out = std::move(header);
    out.reserve(out.size() + data.size() * 28);
    std::string line;
    std::string rateText;
    appendNumber(rateText, data.rate());
    for (std::size_t i = 0; i < data.size(); ++i) {
        line.clear();
        appendNumber(line, static_cast<long long>(i + 1));
        line += ", ";
        line += valueText(data[i].value);
        line += ", ";
        line += rateText;
        waveform::applyCsvSeparator(line, format);
        waveform::applyCsvDecimal(line, format);
        line += "\r\n";
        out += line;
    }
    return out;
}

int saveBufferingCsv(const std::filesystem::path& path, const BufferedData& data, shell::Language language,
                     const waveform::CsvFormat& format, std::string* detail)
{
    if (data.empty()) {
        if (detail) *detail = "no buffered points to save";
        return kCodeFileWrite;
    }
    const auto bytes = bufferingCsvBytes(data, language, format);
    if (!bytes) {
        if (detail) *detail = "the header cannot be written in CP932";
        return kCodeFileWrite;
    }
    return codeOf(files::saveFile(path, *bytes, true, detail));
}

CsvParseResult parseBufferingCsv(std::string_view bytes, const waveform::CsvFormat& format)
{
    CsvParseResult result;
    // Lines end with CR LF; a lone LF or CR also ends one.
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(pos));
            break;
        }
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    // Blank lines at the end (an editor's trailing line ends) are no data.
    while (!lines.empty() && trimmed(lines.back()).empty()) lines.pop_back();
    if (lines.size() < 2) {
        result.badLine = lines.empty() ? 1 : 2;
        return result;
    }

    BufferedData data;
    data.reserve(lines.size() - 1);
    double x = 0;
    int rate = 1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto line = parseDataLine(std::string(lines[i]), format);
        if (!line) {
            result.badLine = i + 1;
            return result;
        }
        x += line->rate * kRateUnitMs;
        data.append(x, line->value);
        rate = line->rate;
    }
    data.setRate(rate);
    result.data = std::move(data);
    return result;
}

int loadBufferingCsv(const std::filesystem::path& path, const waveform::CsvFormat& format, BufferedData& out,
                     std::string* detail)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        if (detail) *detail = "no such file";
        return kCodeFileNotFound;
    }
    std::string bytes;
    const auto read = files::readFileBytes(path, kMaxBufferingCsvBytes, bytes, detail);
    if (read != files::FileError::None) return read == files::FileError::CannotOpen ? kCodeFileRead : codeOf(read);
    auto parsed = parseBufferingCsv(bytes, format);
    if (!parsed.data) {
        if (detail) *detail = "line " + std::to_string(parsed.badLine) + " is not a buffering data line";
        return kCodeFileRead;
    }
    out = std::move(*parsed.data);
    return kCodeOk;
}

} // namespace tavimo::buffering
