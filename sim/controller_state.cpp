#include "sim/controller_state.h"

#include <array>

namespace tavimo::sim {

double headRange(int headType)
{
    static constexpr std::array<double, kHeadTypeCount> ranges{0.8, 1.0, 2.0, 2.0, 5.0, 10.0, 3.0};
    if (headType < 0 || headType >= kHeadTypeCount) return 1.0;
    return ranges[static_cast<std::size_t>(headType)];
}

MemorySettings defaultMemory(double range)
{
    MemorySettings m;
    m.triggerLevel = range * 0.5;
    m.triggerHysteresis = range * 0.001;
    m.upperLimit = range * 0.8;
    m.lowerLimit = range * 0.2;
    m.hysteresis = range * 0.001;
    m.display = identityScaling(range, range);
    m.voltage = identityScaling(range, kVoltageFullScale);
    return m;
}

void applyApplicationMode(MemorySettings& m, int mode, double range)
{
    m.applicationMode = mode;
    switch (mode) {
    case 1: m.holdMode = 2; m.triggerMode = 2; m.triggerEdge = 1; break;
    case 2: m.holdMode = 3; m.triggerMode = 2; m.triggerEdge = 0; break;
    case 3: m.holdMode = 4; m.triggerMode = 1; break;
    case 4:
        m.holdMode = 0;
        m.triggerMode = 0;
        m.triggerEdge = 1;
        m.triggerLevel = range * 0.5;
        m.triggerHysteresis = range * 0.001;
        m.triggerDelay = 0;
        m.triggerSampling = 0;
        m.compareMode = 0;
        break;
    default: break;
    }
}

void CalibrationProgress::record(int step)
{
    steps.push_back(step);
    if (step == 0 || step == 9) {
        if (expected != -1) inOrder = false;
        currentMemoryOnly = step == 9;
        expected = 1;
        return;
    }
    if (step != expected) {
        inOrder = false;
        expected = step == 4 ? -1 : expected;
        return;
    }
    if (step == 4) {
        if (inOrder) ++completed;
        expected = -1;
        inOrder = true;
    } else {
        expected = step + 1;
    }
}

ValueModel ControllerState::valueModel() const
{
    ValueModel m;
    m.signal = signal;
    m.scaling = displayUnit == 1 ? memory().voltage : memory().display;
    m.zeroOffset = zeroSet ? zeroOffset : 0.0;
    m.epoch = epoch;
    return m;
}

int ControllerState::outputState(Clock::time_point t) const
{
    double v = measuredValue(t);
    int bits = 0;
    if (v > memory().upperLimit) bits |= 1;
    else if (v < memory().lowerLimit) bits |= 4;
    else bits |= 2;
    if (alarm) bits |= 8;
    return bits;
}

namespace {

std::array<std::string, 3> defaultHeadCodes(int id)
{
    const std::string digit(1, static_cast<char>('0' + id % 10));
    return {"SUS" + digit + "000001", "FE0" + digit + "000002", "AL0" + digit + "000003"};
}

} // namespace

void ControllerState::initialise()
{
    double r = range();
    for (auto& m : memories) m = defaultMemory(r);
    currentMemory = 0;
    interference = 0;
    outputForm = 0;
    offDelay = 1;
    headIdMode = 0;
    headCodes = defaultHeadCodes(id);
    displayUnit = 0;
    calcMode = 0;
    calcPartner = 0;
    BufferingSettings fresh;
    fresh.capacity = buffering.capacity;
    fresh.triggerDelayMs = buffering.triggerDelayMs;
    fresh.holdPeriodMs = buffering.holdPeriodMs;
    buffering = fresh;
    reboot();
}

void ControllerState::reboot()
{
    zeroSet = false;
    zeroOffset = 0;
    alarm = false;
    alarmStuck = false;
    calibration.expected = -1;
    calibration.inOrder = true;
    run.clear();
}

void ControllerState::changeHead(int type)
{
    headType = type;
    signal = defaultSignal(id, range());
    initialise();
}

ControllerState makeController(int id, Clock::time_point epoch)
{
    ControllerState c;
    c.id = id;
    c.epoch = epoch;
    c.signal = defaultSignal(id, c.range());
    c.initialise();
    return c;
}

} // namespace tavimo::sim
