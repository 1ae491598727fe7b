// The screen selector of the main window: three mutually exclusive buttons
// that choose the screen mode (0 none, 1 measured values, 2 waveform,
// 3 data buffering). These functions decide; the window closes and opens
// the screens.
#pragma once

#include <optional>

namespace tavimo::window {

inline constexpr int kScreenNone = 0;
inline constexpr int kScreenMeasuredValues = 1;
inline constexpr int kScreenWaveform = 2;
inline constexpr int kScreenBuffering = 3;

enum class ScreenButton { Value = 1, Waveform = 2, Logging = 3 }; // SpeedButton1..3

// The mode a button selects: "Value" opens the measured values online and
// closes the open screen offline.
int modeForButton(ScreenButton button, bool online);
// The button that shows a mode as pressed (modes 0 and 1: "Value").
ScreenButton buttonForMode(int mode);

// A button press: the mode to switch to, or nothing when it is the current
// mode already.
std::optional<int> buttonTarget(ScreenButton button, int currentMode, bool online);

// Whether switching to `target` first needs the logging preconditions
// (only the buffering screen, only online).
bool needsLoggingCheck(int target, bool online);

struct SwitchPlan {
    bool proceed = false;  // close the current screen and open `target`
    int target = 0;
    ScreenButton pressed = ScreenButton::Value; // the button shown pressed afterwards
};

// Switching to `target` from `currentMode`; `loggingPassed` is the outcome
// of the logging preconditions where needsLoggingCheck says so (ignored
// otherwise). A failed check presses the previous button again: "Waveform"
// when the waveform screen is open; with the buffering screen open the
// switch goes on to the measured values (online) or to none (offline);
// otherwise "Value" is pressed and nothing changes.
SwitchPlan planSwitch(int target, int currentMode, bool online, bool loggingPassed);

// Whether a screen mode has a screen to open (mode 1 only online).
bool opensScreen(int mode, bool online);

} // namespace tavimo::window
