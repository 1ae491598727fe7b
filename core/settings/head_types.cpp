#include "settings/head_types.h"

namespace tavimo::settings {

double headRangeForType(int type)
{
    if (isValidHeadType(type))
        return kHeadTypes[static_cast<std::size_t>(type)].range;
    return kFallbackHeadRange; // table entries 7..9 and anything beyond
}

std::optional<std::string_view> headModelName(int type)
{
    if (!isValidHeadType(type))
        return std::nullopt;
    return kHeadTypes[static_cast<std::size_t>(type)].model;
}

} // namespace tavimo::settings
