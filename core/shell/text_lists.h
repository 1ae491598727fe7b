// Reading the two structured kinds of screen text: item lists (one item per
// line) and file-dialog filters (description|pattern pairs).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavimo::shell {

// The items of an item list, in order. A line break at the very end adds no
// empty item; "" has no items. Blanks inside items are kept.
std::vector<std::string> splitItems(std::string_view text);

struct FileFilter {
    std::string description;
    std::string pattern; // e.g. "*.TMD"
};

// The pairs of a filter text "description|pattern|description|pattern...".
// Blanks around the bars are dropped (a pattern "*.TMD " would match
// nothing); a trailing description without a pattern is ignored.
std::vector<FileFilter> splitFilter(std::string_view text);

} // namespace tavimo::shell
