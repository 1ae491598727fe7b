#include "buffering/block_decoder.h"

#include <charconv>
#include <cmath>

namespace tavimo::buffering {

std::vector<Block> readoutBlocks(long long points, int blockPoints)
{
    std::vector<Block> blocks;
    if (points <= 0 || blockPoints <= 0) return blocks;
    blocks.reserve(static_cast<std::size_t>((points + blockPoints - 1) / blockPoints));
    for (long long first = 0; first < points; first += blockPoints) {
        const long long last = first + blockPoints >= points ? points - 1 : first + blockPoints - 1;
        blocks.push_back({first, last});
    }
    return blocks;
}

namespace {

constexpr double kDeltaUnit = 0.0001;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSign(char c)
{
    return c == '+' || c == '-';
}

// One number at `pos`: a sign, digits, optionally "." and digits, ending at
// the next sign or the end of the text. Advances `pos` past it.
bool parseNumber(std::string_view text, std::size_t& pos, double& value)
{
    if (pos >= text.size() || !isSign(text[pos])) return false;
    const bool negative = text[pos] == '-';
    const std::size_t start = ++pos;
    long long integer = 0;
    std::size_t digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        if (digits < 18) integer = integer * 10 + (text[pos] - '0');
        ++digits;
        ++pos;
    }
    if (digits == 0) return false;
    bool fraction = false;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const std::size_t fractionStart = pos;
        while (pos < text.size() && isDigit(text[pos])) ++pos;
        if (pos == fractionStart) return false;
        fraction = true;
    }
    if (pos < text.size() && !isSign(text[pos])) return false;
    if (fraction || digits > 18) {
        // Exact decimal-to-double conversion, independent of the locale.
        double v = 0;
        auto r = std::from_chars(text.data() + start, text.data() + pos, v);
        if (r.ec != std::errc() || r.ptr != text.data() + pos || !std::isfinite(v)) return false;
        value = negative ? -v : v;
    } else {
        value = static_cast<double>(negative ? -integer : integer);
    }
    return true;
}

} // namespace

bool decodeBlock(std::string_view answer, std::size_t expected, std::vector<double>& out)
{
    const std::size_t base = out.size();
    std::size_t pos = 0;
    double previous = 0;
    std::size_t n = 0;
    while (pos < answer.size()) {
        double number = 0;
        if (n == expected || !parseNumber(answer, pos, number)) {
            out.resize(base);
            return false;
        }
        previous = n == 0 ? number : previous + number * kDeltaUnit;
        out.push_back(previous);
        ++n;
    }
    if (n != expected) {
        out.resize(base);
        return false;
    }
    return true;
}

} // namespace tavimo::buffering
