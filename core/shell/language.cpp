#include "shell/language.h"

namespace tavimo::shell {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

Language languageFromValue(std::optional<std::string_view> raw)
{
    if (!raw)
        return Language::Japanese;
    std::string_view s = trimmed(*raw);
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    if (s.empty())
        return Language::Japanese;
    bool nonZero = false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return Language::Japanese; // no integer: the key's default 0
        nonZero = nonZero || c != '0';
    }
    // Any integer other than 0 selects English, however large.
    return nonZero ? Language::English : Language::Japanese;
}

Language languageFromInteger(std::optional<long long> value)
{
    return value.value_or(0) == 0 ? Language::Japanese : Language::English;
}

std::string_view helpFileName(Language language)
{
    return language == Language::English ? "TAVIMO_E.chm" : "TAVIMO_J.chm";
}

} // namespace tavimo::shell
