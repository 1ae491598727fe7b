// The live value and what goes with it: MD, OT, ZS, HT, LT and the teach
// commands HC and LC.
#include "sim/command_support.h"

#include <array>

namespace tavimo::sim {

namespace {

constexpr double kLimitMax = 99.9999;

Reply measuredValue(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction != RequestDirection::Read) return refuse();
    return answer(signed9(c.measuredValue(now)));
}

Reply outputState(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction != RequestDirection::Read) return refuse();
    return answer(hex(c.outputState(now)));
}

// ZS: writing 0 sets zero at the present value (a read then gives 1),
// writing 1 cancels it (a read gives 0).
Reply zeroSet(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction == RequestDirection::Read) return answer(c.zeroSet ? "1" : "0");
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = hexNumber(r.data);
    if (!v || *v > 1) return refuse();
    if (*v == 0) {
        c.zeroSet = false;
        c.zeroOffset = c.measuredValue(now);
        c.zeroSet = true;
    } else {
        c.zeroSet = false;
        c.zeroOffset = 0;
    }
    return done();
}

Reply limit(ControllerState& c, const Request& r, double MemorySettings::*field)
{
    double& value = c.memory().*field;
    if (r.direction == RequestDirection::Read) return answer(signed9(value));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = realIn(r.data, -kLimitMax, kLimitMax);
    if (!v) return refuse();
    value = *v;
    return done();
}

Reply upperLimit(ControllerState& c, const Request& r, Clock::time_point)
{
    return limit(c, r, &MemorySettings::upperLimit);
}

Reply lowerLimit(ControllerState& c, const Request& r, Clock::time_point)
{
    return limit(c, r, &MemorySettings::lowerLimit);
}

// HC / LC: the present value becomes the limit; the answer is the new limit.
Reply teach(ControllerState& c, const Request& r, Clock::time_point now, double MemorySettings::*field)
{
    if (r.direction != RequestDirection::Write || r.data != "0") return refuse();
    double v = c.measuredValue(now);
    if (v > kLimitMax) v = kLimitMax;
    if (v < -kLimitMax) v = -kLimitMax;
    c.memory().*field = v;
    return answer(signed9(v));
}

Reply teachUpper(ControllerState& c, const Request& r, Clock::time_point now)
{
    return teach(c, r, now, &MemorySettings::upperLimit);
}

Reply teachLower(ControllerState& c, const Request& r, Clock::time_point now)
{
    return teach(c, r, now, &MemorySettings::lowerLimit);
}

constexpr std::array<CommandEntry, 7> kEntries{{
    {"MD", measuredValue}, {"OT", outputState}, {"ZS", zeroSet},    {"HT", upperLimit},
    {"LT", lowerLimit},    {"HC", teachUpper},  {"LC", teachLower},
}};

} // namespace

std::span<const CommandEntry> measureCommands()
{
    return kEntries;
}

} // namespace tavimo::sim
