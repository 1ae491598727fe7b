// Which controls of the waveform screen are enabled, and what the two
// start/stop buttons show, for a given state. Recomputed after every change.
#pragma once

#include "waveform/wave_config.h"

namespace tavimo::waveform {

enum class AcquisitionState { Idle, Collecting, Replaying };

struct WaveControls {
    bool valueScrollBars = false; // ScrollBar1, ScrollBar2
    bool timeScrollBars = false;  // ScrollBar3, ScrollBar4
    bool intervalField = false;   // IntervalEdit
    bool valueFields = false;     // UNumberEdit2, UNumberEdit3, SpeedButton1
    bool widthField = false;      // XWidthEdit, SpeedButton2
    bool trackBar = false;        // TrackBar1
    bool limitBox = false;        // CheckBox11
    bool judgementBox = false;    // CheckBox12
    bool selectId = false;        // RadioGroup1
    bool outputPosition = false;  // OutputPositionEdit
    bool loadButton = false;      // Button3
    bool saveButton = false;      // Button4
    bool headBoxes = false;       // CheckBox1..CheckBox8
    bool zoomPan = false;         // the chart's zoom and pan gestures
    bool collectButton = false;   // Button1
    bool collectShowsStop = false; // Button1 caption "Stop" instead of "Collect"
    bool replayButton = false;    // Button2
    bool replayShowsStop = false; // Button2 caption "Stop" instead of "Replay"
    bool operator==(const WaveControls&) const = default;
};

WaveControls computeControls(AcquisitionState state, bool online, bool archiveEmpty, const WaveScreenConfig& fields);

} // namespace tavimo::waveform
