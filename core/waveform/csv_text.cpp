#include "waveform/csv_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavimo::waveform {

namespace {

constexpr char kSeparators[] = {',', ';', '\t'};
constexpr char kDecimals[] = {'.', ','};

} // namespace

char csvSeparator(const CsvFormat& f)
{
    const char sep = (f.separatorIndex >= 0 && f.separatorIndex < 3) ? kSeparators[f.separatorIndex] : ',';
    if (sep == ',' && csvDecimal(f) == ',') return ';';
    return sep;
}

char csvDecimal(const CsvFormat& f)
{
    return (f.decimalIndex >= 0 && f.decimalIndex < 2) ? kDecimals[f.decimalIndex] : '.';
}

std::string formatCsvNumber(double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    // 15 significant digits: d.dddddddddddddde<exp>.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const bool negative = s.front() == '-';
    if (negative) s.remove_prefix(1);
    const std::size_t e = s.find('e');
    std::string digits;
    digits += s[0];
    digits.append(s.substr(2, e - 2));
    int exponent = 0;
    std::string_view expText = s.substr(e + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out += '.';
            out.append(digits, intDigits);
        }
    }
    return out;
}

void applyCsvSeparator(std::string& line, const CsvFormat& format)
{
    const char sep = csvSeparator(format);
    if (sep != ',') std::replace(line.begin(), line.end(), ',', sep);
}

void applyCsvDecimal(std::string& line, const CsvFormat& format)
{
    const char dec = csvDecimal(format);
    if (dec != '.') std::replace(line.begin(), line.end(), '.', dec);
}

} // namespace tavimo::waveform
