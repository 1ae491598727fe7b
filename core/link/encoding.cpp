#include "link/encoding.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavimo::link {

namespace {

std::string lastChars(std::string s, std::size_t n)
{
    return s.size() > n ? s.substr(s.size() - n) : s;
}

// Value in units of 10^-decimals, rounded to the nearest unit.
long long scaled(double value, int decimals)
{
    double f = decimals == 4 ? 1e4 : 1e3;
    return std::llround(value * f);
}

std::string_view trimLeft(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// Leading number of `s` after blanks; consumed length in `used`.
std::optional<double> leadingNumber(std::string_view s, std::size_t& used)
{
    std::string_view t = trimLeft(s);
    std::size_t skipped = s.size() - t.size();
    bool negative = false;
    std::size_t signLen = 0;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        signLen = 1;
        t.remove_prefix(1);
    }
    // Digits and one point only: no "nan", "inf" or hexadecimal floats.
    std::size_t n = 0;
    bool digits = false, point = false;
    while (n < t.size()) {
        char c = t[n];
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !point) point = true;
        else break;
        ++n;
    }
    if (!digits) return std::nullopt;
    // Exponent, as the C conversion takes it.
    if (n < t.size() && (t[n] == 'e' || t[n] == 'E')) {
        std::size_t m = n + 1;
        if (m < t.size() && (t[m] == '+' || t[m] == '-')) ++m;
        if (m < t.size() && t[m] >= '0' && t[m] <= '9') {
            while (m < t.size() && t[m] >= '0' && t[m] <= '9') ++m;
            n = m;
        }
    }
    double v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + n, v, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(v)) return std::nullopt;
    used = skipped + signLen + static_cast<std::size_t>(p - t.data());
    return negative ? -v : v;
}

} // namespace

std::string encodeHex(int value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", static_cast<unsigned>(value));
    return buf;
}

std::string encodeDecimal(long long value, int width)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, value);
    return lastChars(buf, static_cast<std::size_t>(width));
}

std::string encodeSigned9(double value)
{
    long long q = scaled(value, 4);
    char sign = q < 0 ? '-' : '+';
    unsigned long long a = static_cast<unsigned long long>(q < 0 ? -q : q);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%c%03llu.%04llu", sign, a / 10000, a % 10000);
    return buf;
}

// Unsigned fixed-point text with `intDigits` integer digits at least and
// `decimals` decimals, cut to its last `width` characters.
static std::string encodeUnsigned(double value, int intDigits, int decimals, std::size_t width)
{
    long long q = scaled(value, decimals);
    unsigned long long a = static_cast<unsigned long long>(q < 0 ? -q : q);
    unsigned long long unit = decimals == 4 ? 10000 : 1000;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%0*llu.%0*llu", intDigits, a / unit, decimals, a % unit);
    return lastChars(buf, width);
}

std::string encodeUnsigned9(double value)
{
    return encodeUnsigned(value, 4, 4, 9);
}

std::string encodeUnsigned6(double value)
{
    return encodeUnsigned(value, 2, 3, 6);
}

std::string encode(Encoding e, double value)
{
    switch (e) {
    case Encoding::H: return encodeHex(static_cast<int>(value));
    case Encoding::D6: return encodeDecimal(static_cast<long long>(value), 6);
    case Encoding::D5: return encodeDecimal(static_cast<long long>(value), 5);
    case Encoding::S9: return encodeSigned9(value);
    case Encoding::U9: return encodeUnsigned9(value);
    case Encoding::U6: return encodeUnsigned6(value);
    }
    return {};
}

std::optional<int> parseHexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return std::nullopt;
}

int parseHex(std::string_view data)
{
    if (data.empty() || data.size() > 7) return 0;
    int v = 0;
    for (char c : data) {
        auto d = parseHexDigit(c);
        if (!d) return 0;
        v = v * 16 + *d;
    }
    return v;
}

long long parseInteger(std::string_view data)
{
    std::string_view t = trimLeft(data);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    long long v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || p != t.data() + t.size() || t.empty()) return 1;
    return v;
}

double parseReal(std::string_view data)
{
    std::size_t used = 0;
    return leadingNumber(data, used).value_or(0.0);
}

std::optional<double> parseRealField(std::string_view field)
{
    std::size_t used = 0;
    auto v = leadingNumber(field, used);
    if (!v) return std::nullopt;
    for (std::size_t i = used; i < field.size(); ++i)
        if (field[i] != ' ') return std::nullopt;
    return v;
}

bool inRange4(double value, double lo, double hi)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e12) return false;
    long long q = scaled(value, 4);
    return q >= scaled(lo, 4) && q <= scaled(hi, 4);
}

} // namespace tavimo::link
