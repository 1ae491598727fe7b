#include "files/ini_values.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tavimo::files {

std::optional<std::int32_t> parseInteger(std::string_view t)
{
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty() || t.front() == '+')
        return std::nullopt;
    std::int32_t v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return v;
}

std::optional<double> parseDecimal(std::string_view t)
{
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty() || t.front() == '+')
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::string formatDecimal(double value)
{
    if (!std::isfinite(value) || value == 0)
        return "0"; // also turns -0 into 0
    char buf[64];
    const double mag = std::fabs(value);
    if (mag >= 1e-5 && mag < 1e15) {
        const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
        return std::string(buf, r.ptr);
    }
    // "1e-06" -> "1E-6", "1.5e+20" -> "1.5E20".
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = s.find('e');
    std::string out(s.substr(0, e));
    out += 'E';
    std::string_view exp = s.substr(e + 1);
    if (exp.front() == '-') {
        out += '-';
        exp.remove_prefix(1);
    } else if (exp.front() == '+') {
        exp.remove_prefix(1);
    }
    while (exp.size() > 1 && exp.front() == '0')
        exp.remove_prefix(1);
    out += exp;
    return out;
}

std::int32_t readInteger(const IniDocument& doc, std::string_view section, std::string_view key, std::int32_t def)
{
    const auto text = doc.value(section, key);
    if (!text)
        return def;
    return parseInteger(*text).value_or(def);
}

std::int32_t readIndex(const IniDocument& doc, std::string_view section, std::string_view key, int count,
                       std::int32_t def)
{
    const std::int32_t v = readInteger(doc, section, key, def);
    return (v >= 0 && v < count) ? v : def;
}

std::int32_t readClamped(const IniDocument& doc, std::string_view section, std::string_view key, std::int32_t min,
                         std::int32_t max, std::int32_t def)
{
    const std::int32_t v = readInteger(doc, section, key, def);
    return v < min ? min : (v > max ? max : v);
}

bool readBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def)
{
    const auto text = doc.value(section, key);
    if (!text)
        return def;
    if (const auto v = parseInteger(*text))
        return *v != 0;
    return def;
}

double readDecimal(const IniDocument& doc, std::string_view section, std::string_view key, double def)
{
    const auto text = doc.value(section, key);
    if (!text)
        return def;
    return parseDecimal(*text).value_or(def);
}

std::string readText(const IniDocument& doc, std::string_view section, std::string_view key, std::string_view def)
{
    const auto text = doc.value(section, key);
    return std::string(text ? *text : def);
}

void writeInteger(IniDocument& doc, std::string_view section, std::string_view key, std::int64_t value)
{
    doc.setValue(section, key, std::to_string(value));
}

void writeBool(IniDocument& doc, std::string_view section, std::string_view key, bool value)
{
    doc.setValue(section, key, value ? "1" : "0");
}

void writeDecimal(IniDocument& doc, std::string_view section, std::string_view key, double value)
{
    doc.setValue(section, key, formatDecimal(value));
}

void writeText(IniDocument& doc, std::string_view section, std::string_view key, std::string_view value)
{
    doc.setValue(section, key, value);
}

} // namespace tavimo::files
