// Settings that carry one value: per-memory (of the current memory) and
// common items, read with "0" and written with one encoded value; and WT.
#include "sim/command_support.h"

#include <array>

namespace tavimo::sim {

namespace {

struct IntItem {
    std::string_view mnemonic;
    int lo, hi;
    int MemorySettings::*perMemory; // one of the two is set
    int ControllerState::*common;
};

constexpr std::array<IntItem, 12> kIntItems{{
    {"HM", 0, 5, &MemorySettings::holdMode, nullptr},
    {"TG", 0, 3, &MemorySettings::triggerMode, nullptr},
    {"EG", 0, 1, &MemorySettings::triggerEdge, nullptr},
    {"PA", 0, 1, &MemorySettings::compareMode, nullptr},
    {"MT", 0, 2, &MemorySettings::material, nullptr},
    {"AV", 0, 14, &MemorySettings::average, nullptr},
    {"MM", 0, kMemoryCount - 1, nullptr, &ControllerState::currentMemory},
    {"KB", 0, 2, nullptr, &ControllerState::interference},
    {"JM", 0, 1, nullptr, &ControllerState::outputForm},
    {"OD", 0, 6, nullptr, &ControllerState::offDelay},
    {"HH", 0, 1, nullptr, &ControllerState::headIdMode},
    {"UT", 0, 1, nullptr, &ControllerState::displayUnit},
}};

struct RealItem {
    std::string_view mnemonic;
    double lo, hi;
    double MemorySettings::*field;
};

constexpr std::array<RealItem, 5> kRealItems{{
    {"TT", -999.9999, 999.9999, &MemorySettings::triggerLevel},
    {"TH", 0, 999.9999, &MemorySettings::triggerHysteresis},
    {"DT", 0, 99.9999, &MemorySettings::triggerDelay},
    {"SK", 0, 99.9999, &MemorySettings::triggerSampling},
    {"FT", 0.0001, 99.9999, &MemorySettings::cyclicPeriod},
}};

template <class Item, std::size_t N>
const Item* findItem(const std::array<Item, N>& items, std::string_view mnemonic)
{
    for (const auto& i : items)
        if (i.mnemonic == mnemonic) return &i;
    return nullptr;
}

Reply intSetting(ControllerState& c, const Request& r, Clock::time_point)
{
    const IntItem* item = findItem(kIntItems, r.mnemonic);
    if (!item) return refuse();
    int& value = item->perMemory ? c.memory().*(item->perMemory) : c.*(item->common);
    if (r.direction == RequestDirection::Read) return answer(hex(value));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = hexNumber(r.data);
    if (!v || *v < item->lo || *v > item->hi) return refuse();
    value = *v;
    return done();
}

Reply realSetting(ControllerState& c, const Request& r, Clock::time_point)
{
    const RealItem* item = findItem(kRealItems, r.mnemonic);
    if (!item) return refuse();
    double& value = c.memory().*(item->field);
    if (r.direction == RequestDirection::Read) return answer(signed9(value));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = realIn(r.data, item->lo, item->hi);
    if (!v) return refuse();
    value = *v;
    return done();
}

// AP: a mode other than "Manual" fixes hold and trigger items itself.
Reply applicationMode(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction == RequestDirection::Read) return answer(hex(c.memory().applicationMode));
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = hexNumber(r.data);
    if (!v || *v < 0 || *v > 4) return refuse();
    applyApplicationMode(c.memory(), *v, c.range());
    return done();
}

// WT: "0:" + upper (S9) + " " + lower (S9) + " " + hysteresis (U9).
Reply judgementLimits(ControllerState& c, const Request& r, Clock::time_point)
{
    MemorySettings& m = c.memory();
    if (r.direction == RequestDirection::Read)
        return answer("0:" + signed9(m.upperLimit) + " " + signed9(m.lowerLimit) + " " + unsigned9(m.hysteresis));
    if (r.direction != RequestDirection::Write) return refuse();
    std::string_view d = r.data;
    if (d.size() != 31 || d[1] != ':' || d[11] != ' ' || d[21] != ' ' || !hexDigitAt(d, 0)) return refuse();
    auto up = realIn(d.substr(2, 9), -99.9999, 99.9999);
    auto lo = realIn(d.substr(12, 9), -99.9999, 99.9999);
    auto hy = realIn(d.substr(22, 9), 0, 99.9999);
    if (!up || !lo || !hy) return refuse();
    m.upperLimit = *up;
    m.lowerLimit = *lo;
    m.hysteresis = *hy;
    return done();
}

constexpr std::array<CommandEntry, 19> kEntries{{
    {"HM", intSetting}, {"TG", intSetting}, {"EG", intSetting}, {"PA", intSetting},
    {"MT", intSetting}, {"AV", intSetting}, {"MM", intSetting}, {"KB", intSetting},
    {"JM", intSetting}, {"OD", intSetting}, {"HH", intSetting}, {"UT", intSetting},
    {"TT", realSetting}, {"TH", realSetting}, {"DT", realSetting}, {"SK", realSetting},
    {"FT", realSetting}, {"AP", applicationMode}, {"WT", judgementLimits},
}};

} // namespace

std::span<const CommandEntry> settingCommands()
{
    return kEntries;
}

} // namespace tavimo::sim
