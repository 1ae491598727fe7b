#include "sim/measured_signal.h"

#include <cmath>
#include <numbers>

namespace tavimo::sim {

double MeasuredSignal::distanceAt(double seconds) const
{
    if (frozen) return *frozen;
    return center + amplitude * std::sin(2 * std::numbers::pi * seconds / periodSeconds + phase);
}

MeasuredSignal defaultSignal(int id, double range)
{
    MeasuredSignal s;
    s.center = range * 0.5;
    s.amplitude = range * 0.3;
    s.periodSeconds = 2.0 + 0.35 * id;
    s.phase = 0.9 * id;
    return s;
}

long long ValueModel::unitsAt(Clock::time_point t) const
{
    double seconds = std::chrono::duration<double>(t - epoch).count();
    double v = applyScaling(scaling, signal.distanceAt(seconds)) - zeroOffset;
    long long u = std::llround(v * 10000.0);
    if (u > kMaxValueUnits) u = kMaxValueUnits;
    if (u < -kMaxValueUnits) u = -kMaxValueUnits;
    return u;
}

} // namespace tavimo::sim
