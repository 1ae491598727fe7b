// The application-mode presets: modes other than "Manual" force some items
// of the memory that uses them. The window applies them to the values it
// shows when a memory is shown and when the user picks a mode.
#pragma once

#include "settings/settings_model.h"

namespace tavimo::settings {

inline constexpr int kApplicationModeCount = 5;

// Forces the items fixed by values.APPLI_MODE (R: head range of the
// controller). Mode 0 and values outside 1..4 change nothing. Slopes are
// not touched.
void applyModePresets(MemorySettings& values, double headRange);

// The slope rule of picking a mode: both slopes "-" (1) for mode 3, "+" (0)
// for every other mode.
void applyModeSlopes(MemorySettings& values);

// What picking application mode `mode` in the window does to the shown
// values: the mode, the only detection sub-mode, the presets and the slopes.
void pickApplicationMode(MemorySettings& values, int mode, double headRange);

} // namespace tavimo::settings
