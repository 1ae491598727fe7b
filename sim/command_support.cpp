#include "sim/command_support.h"

#include "link/encoding.h"

#include <charconv>

namespace tavimo::sim {

std::optional<int> hexNumber(std::string_view text)
{
    if (text.empty() || text.size() > 4) return std::nullopt;
    int v = 0;
    for (char c : text) {
        auto d = link::parseHexDigit(c);
        if (!d || (c >= 'a' && c <= 'f')) return std::nullopt;
        v = v * 16 + *d;
    }
    return v;
}

std::optional<int> hexDigitAt(std::string_view text, std::size_t index)
{
    if (index >= text.size()) return std::nullopt;
    return hexNumber(text.substr(index, 1));
}

std::optional<long long> decimalNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9) return std::nullopt;
    long long v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || v < 0) return std::nullopt;
    return v;
}

std::optional<double> realIn(std::string_view text, double lo, double hi)
{
    auto v = link::parseRealField(text);
    if (!v || !link::inRange4(*v, lo, hi)) return std::nullopt;
    return v;
}

std::string signed9(double v)
{
    return link::encodeSigned9(v);
}

std::string unsigned9(double v)
{
    return link::encodeUnsigned9(v);
}

std::string hex(int v)
{
    return link::encodeHex(v);
}

} // namespace tavimo::sim
