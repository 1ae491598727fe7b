// Which controls of the main window are enabled (or visible) for a given
// state. Re-applied after every change of a control they depend on and
// after every command.
#pragma once

#include <string_view>
#include <vector>

namespace tavimo::window {

struct EnablingInputs {
    bool online = false;
    int screenMode = 0;   // 0 none, 1 measured values, 2 waveform, 3 buffering
    int appMode = 0;      // MDEComboB1
    int triggerMode = 0;  // TRGRadioG
    int holdMode = 0;     // HLDRadioG
    int displayScale = 0; // DSCRadioG
    int voltageScale = 0; // VSCRadioG
    int headIdMode = 0;   // HIDComboB1
};

struct ControlState {
    std::string_view control;
    bool enabled = true;
    bool visible = true;
};

// Every control the rules govern, each once. Controls that the rules only
// show or hide (the head codes and their labels and note) stay enabled.
std::vector<ControlState> enablingRules(const EnablingInputs& in);

// The state of one control; enabled and visible for a control without a rule.
ControlState controlState(const EnablingInputs& in, std::string_view control);

} // namespace tavimo::window
