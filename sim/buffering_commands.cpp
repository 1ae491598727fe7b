// Data buffering: BT, BM, BP, BR, BC, BN and the block readout RBB.
#include "sim/command_support.h"

#include <array>

namespace tavimo::sim {

namespace {

constexpr long long kMaxTriggerPoint = 999999;
constexpr int kMaxRate = 32767;

Reply bufferMode(ControllerState& c, const Request& r, Clock::time_point)
{
    BufferingSettings& b = c.buffering;
    if (r.direction == RequestDirection::Read) return answer(hex(b.enabled) + hex(b.triggerType));
    if (r.direction != RequestDirection::Write || r.data.size() != 2) return refuse();
    auto enable = hexDigitAt(r.data, 0), type = hexDigitAt(r.data, 1);
    if (!enable || !type || *enable > 1 || *type > 1) return refuse();
    b.enabled = *enable;
    b.triggerType = *type;
    return done();
}

std::string sixDigits(long long v)
{
    std::string s = std::to_string(v);
    return s.size() < 6 ? std::string(6 - s.size(), '0') + s : s;
}

Reply bufferRate(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction == RequestDirection::Read) return answer(sixDigits(c.buffering.rate));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = decimalNumber(r.data);
    if (!v || *v < 1 || *v > kMaxRate) return refuse();
    c.buffering.rate = static_cast<int>(*v);
    return done();
}

Reply triggerPoint(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction == RequestDirection::Read) return answer(sixDigits(c.buffering.triggerPoint));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = decimalNumber(r.data);
    if (!v || *v > kMaxTriggerPoint) return refuse();
    c.buffering.triggerPoint = *v;
    return done();
}

// BR: 1 starts a run with the settings in force, 0 stops it.
Reply bufferRun(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction == RequestDirection::Read) return answer(c.run.running(now) ? "1" : "0");
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = hexNumber(r.data);
    if (!v || *v > 1) return refuse();
    if (*v == 1) c.run.begin(now, c.buffering, c.memory().holdMode != 0, c.valueModel());
    else c.run.stop(now);
    return done();
}

Reply bufferCondition(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction != RequestDirection::Read) return refuse();
    return answer(c.run.triggered(now) ? "1" : "0");
}

// BN: selector 0 the capacity; 1 (with a hold mode) and 2 (without) the
// number of points held.
Reply bufferCount(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction != RequestDirection::Read) return refuse();
    if (r.data == "0") return answer(sixDigits(c.buffering.capacity));
    if (r.data == "1" || r.data == "2") return answer(sixDigits(c.run.storedCount(now)));
    return refuse();
}

// RBB: first and last point (0-based, inclusive), six digits each.
Reply readBlock(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (r.direction != RequestDirection::Raw || r.data.size() != 12) return refuse();
    auto first = decimalNumber(std::string_view(r.data).substr(0, 6));
    auto last = decimalNumber(std::string_view(r.data).substr(6, 6));
    if (!first || !last || *first > *last || *last - *first + 1 > kMaxBlockPoints) return refuse();
    if (*last >= c.run.storedCount(now)) return refuse();
    return answer(encodeBlock(c.run, *first, *last));
}

constexpr std::array<CommandEntry, 7> kEntries{{
    {"BT", bufferMode},      {"BM", bufferRate},  {"BP", triggerPoint}, {"BR", bufferRun},
    {"BC", bufferCondition}, {"BN", bufferCount}, {"RBB", readBlock},
}};

} // namespace

std::span<const CommandEntry> bufferingCommands()
{
    return kEntries;
}

} // namespace tavimo::sim
