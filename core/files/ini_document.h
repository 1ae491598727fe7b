// A sections-and-keys ("INI") text document that can be read, queried,
// changed and written back without losing anything it does not understand.
//
// - "[name]" starts a section; "KEY=value" is an entry; spaces and tabs
//   around names and values are ignored. Section and key names compare
//   without regard to ASCII letter case; the first occurrence of a section,
//   and of a key within it, is the one read and changed.
// - Every other line (comments, blank lines, text before the first section,
//   garbage, later duplicates) is kept verbatim and written back in place.
// - Lines may end with CR LF, LF or CR; the document is written with CR LF.
// - Any byte sequence parses; nothing is ever refused here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavimo::files {

struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept;
};
struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

class IniDocument {
public:
    static IniDocument parse(std::string_view bytes);
    std::string serialize() const;

    bool hasSection(std::string_view section) const;
    // The value of the first occurrence of the key in the first occurrence
    // of the section, or nothing.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Replaces the value in place when the key exists; otherwise appends the
    // entry after the last line of the section, or appends a new section at
    // the end (after a blank line). CR and LF in the value are dropped so an
    // entry stays one line.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::size_t sectionCount() const { return sections_.size(); }
    std::vector<std::string> sectionNames() const; // in document order, as written

private:
    struct Line {
        std::string text;  // the line as written, without its line end
        std::size_t valueStart = 0;
        bool isEntry = false;
    };
    struct Section {
        std::string header; // the header line as written
        std::string name;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual> keys;
    };

    void addLine(Section* section, std::string_view text);
    Section& appendSection(std::string_view name);

    bool utf8Bom_ = false;
    std::vector<std::string> preamble_; // lines before the first section
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual> sectionIndex_;
};

} // namespace tavimo::files
