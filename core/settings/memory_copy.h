// Two operations on the settings model alone: copying one memory's settings
// to another memory or controller, and re-initialising every record for the
// head it holds (edit initialise). Nothing is sent to a controller.
#pragma once

#include "settings/settings_model.h"
#include "shell/operator.h"

namespace tavimo::settings {

struct MemoryRef {
    int id = 0;
    int memory = 0;
};

enum class CopyOutcome {
    Copied,
    SameMemory,   // "Stops a copy for the same memory." shown
    HeadMismatch, // "Stops a copy because head classification does not agree." shown
    Cancelled,    // the user answered Cancel
    InvalidRef,   // an ID or memory outside the model; nothing shown
};

// Copies every per-memory item of `source` to `target`, and the common items
// (head type, interference, output, the three switches) when the target is
// another controller; MEMORY_NO and the head codes stay. Asks first.
CopyOutcome copyMemory(SettingsModel& model, shell::Operator& op, MemoryRef source, MemoryRef target);

// Asks (OK / Cancel), then initialises all eight records for their head
// types; head types, the calculation table and VERSION_INDEX stay. False
// when cancelled.
bool editInitialize(SettingsModel& model, shell::Operator& op);

} // namespace tavimo::settings
