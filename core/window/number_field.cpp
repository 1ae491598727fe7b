#include "window/number_field.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tavimo::window {

void NumberFieldSpec::normalise()
{
    if (!std::isfinite(min)) min = 0;
    if (!std::isfinite(max)) max = min;
    if (max < min) max = min;
    if (!std::isfinite(defaultValue) || defaultValue < min || defaultValue > max) defaultValue = max;
}

NumberFieldSpec NumberFieldSpec::make(double min, double max, double defaultValue, std::string figure, bool integer,
                                      bool plus)
{
    NumberFieldSpec s;
    s.min = min;
    s.max = max;
    s.defaultValue = defaultValue;
    s.figure = std::move(figure);
    s.integer = integer;
    s.plus = plus;
    s.normalise();
    return s;
}

int NumberFieldSpec::decimals() const
{
    const auto dot = figure.find('.');
    if (dot == std::string::npos) return 0;
    int n = 0;
    for (std::size_t i = dot + 1; i < figure.size() && (figure[i] == '0' || figure[i] == '#'); ++i) ++n;
    return n;
}

namespace {

bool isZeroText(std::string_view t)
{
    for (char c : t)
        if (c != '-' && c != '0' && c != '.') return false;
    return true;
}

} // namespace

std::string formatNumber(const NumberFieldSpec& spec, double value)
{
    if (!std::isfinite(value)) value = 0;
    char buf[64];
    if (spec.integer) {
        const double t = std::trunc(value);
        std::snprintf(buf, sizeof buf, "%.0f", t);
    } else {
        const int d = spec.decimals();
        // Round half away from zero at the figure's decimals, as the field
        // shows them (1.23456 -> 1.2346), not the binary half-even of printf.
        const double scale = std::pow(10.0, d);
        const double rounded = std::round(value * scale) / scale;
        std::snprintf(buf, sizeof buf, "%.*f", d, rounded);
    }
    std::string text = buf;
    if (!text.empty() && text[0] == '-' && isZeroText(text)) text.erase(0, 1);
    return text;
}

std::string textForValue(const NumberFieldSpec& spec, double value)
{
    if (spec.integer) {
        const double v = std::isfinite(value) ? std::trunc(value) : std::nan("");
        const bool fits = v >= std::trunc(spec.min) && v <= std::trunc(spec.max);
        return formatNumber(spec, fits ? v : spec.defaultValue);
    }
    return formatNumber(spec, inRange(spec, value) ? value : spec.defaultValue);
}

std::optional<double> parseNumber(std::string_view text, bool integer)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    int digits = 0;
    int dots = 0;
    for (std::size_t k = i; k < text.size(); ++k) {
        const char c = text[k];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.' && !integer && dots == 0)
            ++dots;
        else
            return std::nullopt;
    }
    if (digits == 0) return std::nullopt;
    // from_chars does not take "1." or ".5" in every library; give it a
    // complete number text.
    std::string normal(text);
    if (normal.back() == '.') normal.pop_back();
    const auto dot = normal.find('.');
    if (dot != std::string::npos && (dot == 0 || normal[dot - 1] == '-')) normal.insert(normal.begin() + dot, '0');
    double v = 0;
    const char* first = normal.data();
    const char* last = normal.data() + normal.size();
    const auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || ptr != last || !std::isfinite(v)) return std::nullopt;
    return v;
}

double valueOfText(const NumberFieldSpec& spec, std::string_view text)
{
    return parseNumber(text, spec.integer).value_or(spec.defaultValue);
}

bool inRange(const NumberFieldSpec& spec, double value)
{
    return std::isfinite(value) && value >= spec.min && value <= spec.max;
}

TextState classifyText(const NumberFieldSpec& spec, std::string_view text)
{
    if (text.empty() || text == "-") return TextState::Empty;
    const auto v = parseNumber(text, spec.integer);
    if (!v) return TextState::Unreadable;
    return inRange(spec, *v) ? TextState::InRange : TextState::OutOfRange;
}

bool wellFormedText(const NumberFieldSpec& spec, std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        if (spec.plus) return false;
        ++i;
    }
    int dots = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '.' && !spec.integer && dots++ == 0) continue;
        return false;
    }
    return true;
}

std::string replaceSelection(std::string_view text, Selection sel, std::string_view inserted)
{
    const auto size = static_cast<int>(text.size());
    int start = sel.start < 0 ? 0 : (sel.start > size ? size : sel.start);
    int length = sel.length < 0 ? 0 : sel.length;
    if (start + length > size) length = size - start;
    std::string out(text.substr(0, static_cast<std::size_t>(start)));
    out += inserted;
    out += text.substr(static_cast<std::size_t>(start + length));
    return out;
}

KeyDecision filterKey(const NumberFieldSpec& spec, std::string_view text, Selection sel, char typed)
{
    if (typed == '\r' || typed == '\n') return {KeyAction::FocusNext, 0};
    if (typed == 0x1b) return {KeyAction::Clear, 0};
    if (typed == ',') typed = '.';
    if (typed >= '0' && typed <= '9') return {KeyAction::Insert, typed};
    if (typed == '.') {
        if (spec.integer) return {KeyAction::Refuse, 0};
        const std::string rest = replaceSelection(text, sel, "");
        if (rest.find('.') != std::string::npos) return {KeyAction::Refuse, 0};
        return {KeyAction::Insert, '.'};
    }
    if (typed == '-') {
        if (spec.plus) return {KeyAction::Refuse, 0};
        const bool whole = text.empty() || (sel.start <= 0 && sel.length >= static_cast<int>(text.size()));
        if (!(whole || text == spec.figure)) return {KeyAction::Refuse, 0};
        // Only where the minus ends up in front: "0.00" with the caret at
        // its end would otherwise become the unreadable "0.00-".
        if (!wellFormedText(spec, replaceSelection(text, sel, "-"))) return {KeyAction::Refuse, 0};
        return {KeyAction::Insert, '-'};
    }
    return {KeyAction::Refuse, 0};
}

bool pasteAllowed(const NumberFieldSpec& spec, std::string_view text, Selection sel, std::string_view clipboard)
{
    std::string clip(clipboard);
    for (char& c : clip)
        if (c == ',') c = '.';
    const auto v = parseNumber(clip, spec.integer);
    if (!v || !inRange(spec, *v)) return false;
    return wellFormedText(spec, replaceSelection(text, sel, clip));
}

LeaveResult leaveField(const NumberFieldSpec& spec, std::string_view text)
{
    const std::string defaultText = formatNumber(spec, spec.defaultValue);
    std::string t = (text.empty() || text == "-") ? defaultText : std::string(text);
    const auto v = parseNumber(t, spec.integer);
    if (v && inRange(spec, *v)) {
        // Rounding to the figure can step over a bound (99.99995 with
        // "0.0000"); the shown text must stay inside the range.
        std::string shown = formatNumber(spec, *v);
        const auto s = parseNumber(shown, spec.integer);
        const double scale = std::pow(10.0, spec.integer ? 0 : spec.decimals());
        if (s && *s > spec.max) shown = formatNumber(spec, std::floor(spec.max * scale) / scale);
        if (s && *s < spec.min) shown = formatNumber(spec, std::ceil(spec.min * scale) / scale);
        return {shown, true};
    }
    return {defaultText, false};
}

void SettleCounter::textChanged(TextState state)
{
    switch (state) {
    case TextState::Empty:
        break;
    case TextState::Unreadable:
    case TextState::OutOfRange:
        pending_ = 0;
        break;
    case TextState::InRange:
        pending_ = 1;
        break;
    }
}

bool SettleCounter::tick()
{
    bool due = false;
    if (pending_ == 3) {
        pending_ = 0;
        due = true;
    }
    if (pending_ > 0) ++pending_;
    return due;
}

} // namespace tavimo::window
