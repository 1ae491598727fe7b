#include "shell/text_lists.h"

namespace tavimo::shell {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

std::vector<std::string> splitItems(std::string_view text)
{
    std::vector<std::string> items;
    if (text.empty())
        return items;
    if (text.back() == '\n')
        text.remove_suffix(1);
    for (std::string_view line : split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        items.emplace_back(line);
    }
    return items;
}

std::vector<FileFilter> splitFilter(std::string_view text)
{
    std::vector<FileFilter> filters;
    if (text.empty())
        return filters;
    std::vector<std::string_view> parts = split(text, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back({std::string(trimBlanks(parts[i])), std::string(trimBlanks(parts[i + 1]))});
    return filters;
}

} // namespace tavimo::shell
