// SD (display scaling), SV (voltage output scaling) and LO (one-point slope).
#include "sim/command_support.h"

#include <array>

namespace tavimo::sim {

namespace {

constexpr double kSenseMax = 99.9999;
constexpr double kScaleMax = 99.9999;

ScalingSetting& scalingOf(ControllerState& c, bool voltage)
{
    return voltage ? c.memory().voltage : c.memory().display;
}

double fullScaleOf(const ControllerState& c, bool voltage)
{
    return voltage ? kVoltageFullScale : c.range();
}

Reply readScaling(const ScalingSetting& s, std::string_view data)
{
    if (data == "3") return answer(hex(s.mode));
    if (data == "1") return answer("1:" + unsigned9(s.senseA) + " " + signed9(s.scaleA));
    if (data == "2")
        return answer("2:" + unsigned9(s.senseA) + " " + signed9(s.scaleA) + " " + unsigned9(s.senseB) + " " +
                      signed9(s.scaleB));
    if (data == "4") return answer("4" + hex(s.inverted));
    return refuse();
}

// Blank-separated 9-character fields starting at character 3 ("2:" / "3:").
bool fieldsFit(std::string_view d, std::size_t count)
{
    if (d.size() != 2 + count * 10 - 1 || d[1] != ':') return false;
    for (std::size_t i = 1; i < count; ++i)
        if (d[2 + i * 10 - 1] != ' ') return false;
    return true;
}

std::string_view field(std::string_view d, std::size_t i)
{
    return d.substr(2 + i * 10, 9);
}

Reply writeScaling(ControllerState& c, bool voltage, std::string_view d)
{
    ScalingSetting& s = scalingOf(c, voltage);
    const double r = c.range(), fs = fullScaleOf(c, voltage);
    if (d == "9") {
        setNoScaling(s, r, fs);
        return done();
    }
    if (d.size() == 2 && d[0] == '7') {
        auto flag = hexDigitAt(d, 1);
        if (!flag || *flag > 1) return refuse();
        setInversion(s, *flag, r, fs);
        return done();
    }
    if (!d.empty() && d[0] == '2' && fieldsFit(d, 2)) {
        auto sense = realIn(field(d, 0), 0, kSenseMax);
        auto offset = realIn(field(d, 1), -kScaleMax, kScaleMax);
        if (!sense || !offset) return refuse();
        setOnePoint(s, *sense, *offset, r, fs);
        return done();
    }
    if (!d.empty() && d[0] == '3' && fieldsFit(d, 4)) {
        auto a = realIn(field(d, 0), 0, kSenseMax), va = realIn(field(d, 1), -kScaleMax, kScaleMax);
        auto b = realIn(field(d, 2), 0, kSenseMax), vb = realIn(field(d, 3), -kScaleMax, kScaleMax);
        if (!a || !va || !b || !vb) return refuse();
        setTwoPoint(s, *a, *va, *b, *vb);
        return done();
    }
    return refuse();
}

Reply scaling(ControllerState& c, const Request& r, bool voltage)
{
    if (r.direction == RequestDirection::Read) return readScaling(scalingOf(c, voltage), r.data);
    if (r.direction == RequestDirection::Write) return writeScaling(c, voltage, r.data);
    return refuse();
}

Reply displayScaling(ControllerState& c, const Request& r, Clock::time_point)
{
    return scaling(c, r, false);
}

Reply voltageScaling(ControllerState& c, const Request& r, Clock::time_point)
{
    return scaling(c, r, true);
}

// LO: selector digit (0 display, 1 voltage), then the slope on writes.
Reply slope(ControllerState& c, const Request& r, Clock::time_point)
{
    auto selector = hexDigitAt(r.data, 0);
    if (!selector || *selector > 1) return refuse();
    bool voltage = *selector == 1;
    ScalingSetting& s = scalingOf(c, voltage);
    if (r.direction == RequestDirection::Read) {
        if (r.data.size() != 1) return refuse();
        return answer(hex(*selector) + hex(s.slope));
    }
    if (r.direction != RequestDirection::Write || r.data.size() != 2) return refuse();
    auto value = hexDigitAt(r.data, 1);
    if (!value || *value > 1) return refuse();
    setSlope(s, *value, c.range(), fullScaleOf(c, voltage));
    return done();
}

constexpr std::array<CommandEntry, 3> kEntries{{
    {"SD", displayScaling},
    {"SV", voltageScaling},
    {"LO", slope},
}};

} // namespace

std::span<const CommandEntry> scalingCommands()
{
    return kEntries;
}

} // namespace tavimo::sim
