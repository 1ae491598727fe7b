// Identity and whole-controller commands: PC, VR, CA, CG, UC, GD, INT, WIT.
#include "sim/command_support.h"

#include <array>
#include <cstdio>

namespace tavimo::sim {

namespace {

constexpr std::size_t kHeadCodeLength = 10;

Reply headType(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction != RequestDirection::Read) return refuse();
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X%02X", static_cast<unsigned>(c.headType) & 0xF,
                  static_cast<unsigned>(c.controllerCode) & 0xFF);
    return answer(buf);
}

Reply version(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction != RequestDirection::Read) return refuse();
    return answer(c.version);
}

// CA itself is handled before dispatch (alarm state); in normal state it is
// accepted with data "0".
Reply clearAlarm(ControllerState&, const Request& r, Clock::time_point)
{
    if (r.direction != RequestDirection::Write || r.data != "0") return refuse();
    return done();
}

Reply calibrationStep(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction != RequestDirection::Write) return refuse();
    auto v = hexNumber(r.data);
    if (!v || !((*v >= 0 && *v <= 4) || *v == 9)) return refuse();
    c.calibration.record(*v);
    return done();
}

// UC: mode (0 none, 1 A+B, 2 A-B) and partner, one hex digit each.
Reply calculation(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.direction == RequestDirection::Read) return answer(hex(c.calcMode) + hex(c.calcPartner));
    if (r.direction != RequestDirection::Write || r.data.size() != 2) return refuse();
    auto mode = hexDigitAt(r.data, 0), partner = hexDigitAt(r.data, 1);
    if (!mode || !partner || *mode > 2 || *partner > 7) return refuse();
    if (*mode != 0 && *partner == c.id) return refuse();
    c.calcMode = *mode;
    c.calcPartner = *mode == 0 ? 0 : *partner;
    return done();
}

// GD (fields RGD / WGD): material index, then the 10-character code.
Reply headCode(ControllerState& c, const Request& r, Clock::time_point)
{
    auto index = hexDigitAt(r.data, 0);
    if (!index || *index > 2) return refuse();
    std::string& code = c.headCodes[static_cast<std::size_t>(*index)];
    if (r.direction == RequestDirection::Read) {
        if (r.data.size() != 1) return refuse();
        return answer(r.data + code);
    }
    if (r.direction != RequestDirection::Write || r.data.size() != 1 + kHeadCodeLength) return refuse();
    std::string text = r.data.substr(1);
    for (char ch : text)
        if (ch < 0x20 || ch > 0x7E || ch == '%') return refuse();
    code = text;
    return done();
}

Reply rebootController(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.data != "RESET") return refuse();
    c.reboot();
    ++c.reboots;
    return Reply{true, {}, c.resetAnswerDelayMs};
}

Reply initialiseController(ControllerState& c, const Request& r, Clock::time_point)
{
    if (r.data != "SYSINIT") return refuse();
    c.initialise();
    ++c.initialisations;
    return Reply{true, {}, c.resetAnswerDelayMs};
}

constexpr std::array<CommandEntry, 8> kEntries{{
    {"PC", headType},
    {"VR", version},
    {"CA", clearAlarm},
    {"CG", calibrationStep},
    {"UC", calculation},
    {"GD", headCode},
    {"INT", rebootController},
    {"WIT", initialiseController},
}};

} // namespace

std::span<const CommandEntry> controllerCommands()
{
    return kEntries;
}

} // namespace tavimo::sim
