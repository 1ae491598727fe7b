// What the measured-value screen shows and does, without a window: the
// value text and lamps of each panel from the snapshot, the stacking of the
// panels of the connected controllers, and the six actions on the checked
// controllers (display unit, teaching, zero set).
#pragma once

#include "link/active_list.h"
#include "measure/shared_data.h"
#include "settings/operation_context.h"

#include <optional>
#include <string>
#include <vector>

namespace tavimo::measure {

// "+12.3457", "-1.5000", "+100.0000"; "0.0000" for a value that shows as zero.
std::string formatMeasuredValue(double value);

struct PanelView {
    int id = 0;
    std::string value = "0.0000";
    bool volt = false; // "V" shown
    bool hi = false, go = false, lo = false, zero = false;
};

// One display tick: the panels of the connected controllers, in list order,
// read under the measurement lock; nothing when the lock was not had in time
// (the tick then does nothing).
std::optional<std::vector<PanelView>> displayTick(SharedData& shared, const link::ActiveControllers& active);

struct PanelLayout {
    std::vector<std::pair<int, int>> panels; // (controller ID, y)
    int groupTop = 0;                        // top of the button group
    int windowHeight = 0;
};

// The first panel at y = 8, each next one 32 below; the button group 2 below
// the place after the last panel; the window 32 taller than the group's bottom.
PanelLayout stackPanels(const link::ActiveControllers& active, int groupHeight);

enum class MeasureAction { Distance, Voltage, HiTeach, LoTeach, ZeroSet, ZeroCancel };

// Runs one action on every checked connected controller: the voltage display
// is confirmed first (No sends nothing); the worker paused, the progress
// shown, each failing controller reported and skipped, SEND_INTERVAL after
// each checked controller. Returns 0 or the failure code it reported (500,
// 501, 300). Offline it sends nothing.
int runMeasureAction(settings::OperationContext& ctx, MeasureAction action);

} // namespace tavimo::measure
