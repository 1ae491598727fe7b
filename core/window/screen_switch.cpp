#include "window/screen_switch.h"

namespace tavimo::window {

int modeForButton(ScreenButton button, bool online)
{
    switch (button) {
    case ScreenButton::Value:
        return online ? kScreenMeasuredValues : kScreenNone;
    case ScreenButton::Waveform:
        return kScreenWaveform;
    case ScreenButton::Logging:
        return kScreenBuffering;
    }
    return kScreenNone;
}

ScreenButton buttonForMode(int mode)
{
    if (mode == kScreenWaveform) return ScreenButton::Waveform;
    if (mode == kScreenBuffering) return ScreenButton::Logging;
    return ScreenButton::Value;
}

std::optional<int> buttonTarget(ScreenButton button, int currentMode, bool online)
{
    const int target = modeForButton(button, online);
    if (target == currentMode) return std::nullopt;
    return target;
}

bool needsLoggingCheck(int target, bool online) { return target == kScreenBuffering && online; }

SwitchPlan planSwitch(int target, int currentMode, bool online, bool loggingPassed)
{
    if (target < kScreenNone || target > kScreenBuffering) return {false, currentMode, buttonForMode(currentMode)};
    if (needsLoggingCheck(target, online) && !loggingPassed) {
        if (currentMode == kScreenWaveform) return {false, currentMode, ScreenButton::Waveform};
        if (currentMode == kScreenBuffering) {
            const int t = online ? kScreenMeasuredValues : kScreenNone;
            return {true, t, ScreenButton::Value};
        }
        return {false, currentMode, ScreenButton::Value};
    }
    return {true, target, buttonForMode(target)};
}

bool opensScreen(int mode, bool online)
{
    if (mode == kScreenMeasuredValues) return online;
    return mode == kScreenWaveform || mode == kScreenBuffering;
}

} // namespace tavimo::window
