// The deterministic measured value: a slow sine of the time since the
// simulator started, different per controller ID, seen through the scaling
// in force and the zero set.
#pragma once

#include "sim/request_parser.h"
#include "sim/scaling.h"

#include <optional>

namespace tavimo::sim {

struct MeasuredSignal {
    double center = 0.4;      // mm
    double amplitude = 0.2;   // mm
    double periodSeconds = 2.0;
    double phase = 0;         // radians
    std::optional<double> frozen; // a fixed distance instead of the sine (tests, demos)
    double distanceAt(double seconds) const;
};

MeasuredSignal defaultSignal(int id, double range);

// Values are quantised to 0.0001, the resolution of every frame; they are
// handled here in those units.
inline constexpr double kValueUnit = 0.0001;
inline constexpr long long kMaxValueUnits = 9999999; // 999.9999, the widest S9 value

// Everything needed to compute the value at any time. A buffering run keeps a
// copy taken at its start.
struct ValueModel {
    MeasuredSignal signal;
    ScalingSetting scaling;
    double zeroOffset = 0; // subtracted while zero set is on
    Clock::time_point epoch{};
    long long unitsAt(Clock::time_point t) const;
    double valueAt(Clock::time_point t) const { return static_cast<double>(unitsAt(t)) * kValueUnit; }
};

} // namespace tavimo::sim
