#include "sim/command_dispatch.h"

#include <array>

namespace tavimo::sim {

namespace {

Handler findHandler(std::string_view mnemonic)
{
    using Group = std::span<const CommandEntry> (*)();
    static constexpr std::array<Group, 5> groups{settingCommands, scalingCommands, measureCommands,
                                                 bufferingCommands, controllerCommands};
    for (Group g : groups)
        for (const CommandEntry& e : g())
            if (e.mnemonic == mnemonic) return e.handler;
    return nullptr;
}

} // namespace

bool knownMnemonic(std::string_view mnemonic)
{
    return findHandler(mnemonic) != nullptr;
}

Reply handleRequest(ControllerState& c, const Request& r, Clock::time_point now)
{
    if (c.alarm && r.mnemonic != "INT") {
        if (r.mnemonic != "CA" || c.alarmStuck) return refuse();
        c.alarm = false;
        return done();
    }
    Handler h = findHandler(r.mnemonic);
    if (!h) return refuse();
    return h(c, r, now);
}

} // namespace tavimo::sim
