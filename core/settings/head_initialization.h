// Initialising a controller record for its head type, changing the head
// type, and resetting the calculation table.
#pragma once

#include "settings/settings_model.h"

namespace tavimo::settings {

// The per-memory values right after an initialisation for a head of range R.
MemorySettings initialMemorySettings(double headRange);

// R of the head type controller `id` holds (1.0 for a type outside the table).
double headRange(const SettingsModel& model, int id);

// Re-initialises controller `id` for the head type it holds: SENSOR_TYPE is
// kept, every other common item and all four memories take their initial
// values. The calculation table and VERSION_INDEX are not touched.
void initializeForHead(SettingsModel& model, int id);

// Sets SENSOR_TYPE of `id` to `type`, then initializeForHead(id). The
// caller asks the user first.
void changeHeadType(SettingsModel& model, int id, int type);

// All four calculation entries to their reset values.
void resetCalculations(SettingsModel& model);

} // namespace tavimo::settings
