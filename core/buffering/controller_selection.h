// Choosing the controller the buffering screen works on: with the buffer
// lock held and the worker paused it reads the controller's trigger (TG),
// switches its buffering function on when it is off (BT), reads its
// capacity (BN 0), trigger point (BP), application mode (AP) and hold mode
// (HM) into the record. Offline only the ID is taken.
#pragma once

#include "buffering/buffering_failures.h"
#include "buffering/buffering_line.h"
#include "buffering/completion_monitor.h"

namespace tavimo::buffering {

struct SelectionResult {
    // 0; 201, 500 or 501 (reported); kCodeRefused (nothing done).
    int code = kCodeRefused;
    bool selected = false; // the record now names the controller
    int holdMode = 0;      // non-zero: the screen counts points, not ms
};

// `position` indexes the active-controller list. Refused (nothing sent,
// nothing changed) for a position outside the list, and for another
// controller than the current one while a run or its completion is still
// pending. The run settings are clamped to the capacity read.
SelectionResult selectBufferingController(const BufferingLine& line, int position, const CompletionMonitor& monitor);

} // namespace tavimo::buffering
