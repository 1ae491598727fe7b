// The sensor head types and their measuring range R, from which the ranges
// and initial values of a controller's settings are derived.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tavimo::settings {

inline constexpr int kHeadTypeCount = 7;       // valid SENSOR_TYPE values 0..6
inline constexpr int kHeadRangeTableSize = 10; // entries 7..9 hold 1.0
inline constexpr double kFallbackHeadRange = 1.0;

struct HeadType {
    std::string_view model; // "HT-01" ..
    double range;           // R in mm
};

inline constexpr std::array<HeadType, kHeadTypeCount> kHeadTypes{{
    {"HT-01", 0.8},
    {"HT-02", 1.0},
    {"HT-03", 2.0},
    {"HT-04", 2.0},
    {"HT-05", 5.0},
    {"HT-06", 10.0},
    {"HT-07", 3.0},
}};

inline constexpr bool isValidHeadType(int type) { return type >= 0 && type < kHeadTypeCount; }

// R of a head type. Any value outside the table (only possible from a
// hand-edited file) gives 1.0 and is never used as an index.
double headRangeForType(int type);

// The model name ("HT-01" ..), or nothing for a type that is not a head.
std::optional<std::string_view> headModelName(int type);

} // namespace tavimo::settings
