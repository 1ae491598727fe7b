#include "files/ini_document.h"

namespace tavimo::files {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// "[name]" (blanks allowed around), giving the trimmed name.
std::optional<std::string_view> sectionHeaderName(std::string_view line)
{
    const std::string_view t = trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(t.substr(1, close - 1));
}

std::string cleanValue(std::string_view v)
{
    std::string out;
    out.reserve(v.size());
    for (char c : v)
        if (c != '\r' && c != '\n')
            out.push_back(c);
    return out;
}

} // namespace

std::size_t CaseInsensitiveHash::operator()(std::string_view s) const noexcept
{
    std::size_t h = 1469598103934665603ull; // FNV-1a
    for (char c : s) {
        h ^= static_cast<unsigned char>(lowerAscii(c));
        h *= 1099511628211ull;
    }
    return h;
}

bool CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

void IniDocument::addLine(Section* section, std::string_view text)
{
    if (!section) {
        preamble_.emplace_back(text);
        return;
    }
    Line line{std::string(text), 0, false};
    const std::size_t eq = text.find('=');
    const std::string_view lead = trim(text);
    const bool comment = !lead.empty() && (lead.front() == ';' || lead.front() == '#');
    if (eq != std::string_view::npos && !comment) {
        const std::string_view key = trim(text.substr(0, eq));
        if (!key.empty()) {
            line.isEntry = true;
            line.valueStart = eq + 1;
            section->keys.emplace(std::string(key), section->lines.size()); // first one wins
        }
    }
    section->lines.push_back(std::move(line));
}

IniDocument IniDocument::parse(std::string_view bytes)
{
    IniDocument doc;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        doc.utf8Bom_ = true;
        bytes.remove_prefix(3);
    }
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view text = bytes.substr(pos, end - pos);
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n' && (pos == end || bytes[pos - 1] == '\r'))
            ++pos;

        if (const auto name = sectionHeaderName(text)) {
            Section s;
            s.header = std::string(text);
            s.name = std::string(*name);
            doc.sections_.push_back(std::move(s));
            doc.sectionIndex_.emplace(std::string(*name), doc.sections_.size() - 1);
            current = &doc.sections_.back();
        } else {
            doc.addLine(current, text);
        }
    }
    return doc;
}

std::string IniDocument::serialize() const
{
    std::size_t size = 3;
    for (const std::string& l : preamble_)
        size += l.size() + 2;
    for (const Section& s : sections_) {
        size += s.header.size() + 2;
        for (const Line& l : s.lines)
            size += l.text.size() + 2;
    }
    std::string out;
    out.reserve(size);
    if (utf8Bom_)
        out += "\xEF\xBB\xBF";
    for (const std::string& l : preamble_)
        out.append(l).append("\r\n");
    for (const Section& s : sections_) {
        out.append(s.header).append("\r\n");
        for (const Line& l : s.lines)
            out.append(l.text).append("\r\n");
    }
    return out;
}

bool IniDocument::hasSection(std::string_view section) const
{
    return sectionIndex_.find(section) != sectionIndex_.end();
}

std::optional<std::string_view> IniDocument::value(std::string_view section, std::string_view key) const
{
    const auto s = sectionIndex_.find(section);
    if (s == sectionIndex_.end())
        return std::nullopt;
    const Section& sec = sections_[s->second];
    const auto k = sec.keys.find(key);
    if (k == sec.keys.end())
        return std::nullopt;
    const Line& line = sec.lines[k->second];
    return trim(std::string_view(line.text).substr(line.valueStart));
}

IniDocument::Section& IniDocument::appendSection(std::string_view name)
{
    // A blank line before the new section, unless the document is empty or
    // already ends with one.
    const std::string* last = nullptr;
    if (!sections_.empty())
        last = sections_.back().lines.empty() ? &sections_.back().header : &sections_.back().lines.back().text;
    else if (!preamble_.empty())
        last = &preamble_.back();
    if (last && !trim(*last).empty()) {
        if (sections_.empty())
            preamble_.emplace_back();
        else
            sections_.back().lines.push_back(Line{});
    }
    Section s;
    s.header = "[" + std::string(name) + "]";
    s.name = std::string(name);
    sections_.push_back(std::move(s));
    sectionIndex_.emplace(std::string(name), sections_.size() - 1);
    return sections_.back();
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const auto s = sectionIndex_.find(section);
    Section& sec = s == sectionIndex_.end() ? appendSection(section) : sections_[s->second];
    const std::string clean = cleanValue(value);

    if (const auto k = sec.keys.find(key); k != sec.keys.end()) {
        Line& line = sec.lines[k->second];
        // Keep the key as it is spelled in the file; rewrite only the value.
        const std::string_view keyText = trim(std::string_view(line.text).substr(0, line.valueStart - 1));
        line.text = std::string(keyText) + "=" + clean;
        line.valueStart = keyText.size() + 1;
        return;
    }
    // After the last non-blank line of the section, so trailing blank lines
    // keep separating it from the next one. Only unindexed blank lines move.
    std::size_t at = sec.lines.size();
    while (at > 0 && trim(sec.lines[at - 1].text).empty())
        --at;
    Line line{std::string(key) + "=" + clean, key.size() + 1, true};
    sec.lines.insert(sec.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    sec.keys.emplace(std::string(key), at);
}

std::vector<std::string> IniDocument::sectionNames() const
{
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

} // namespace tavimo::files
