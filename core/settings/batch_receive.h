// Batch receive: the settings of every connected, checked controller into
// the settings model (one memory each), then the calculation settings of all
// connected controllers into the calculation table.
#pragma once

#include "settings/batch_progress.h"
#include "settings/operation_context.h"
#include "settings/settings_model.h"

namespace tavimo::settings {

// Which scalings of a receive arrived as two points.
struct ReceivedScalings {
    bool display = false;
    bool voltage = false;
};

// Online only (offline: code 0, nothing done). Per-controller failures are
// shown as "ID" + id + line break + text and the loop goes on; the result
// holds each controller's outcome. The code is 0, or the failure code that
// was reported (500, 501 and 300 end the application; 402 from the
// calculation read-back does not). The window's own steps before (store its
// fields) and after (show the model) are the caller's.
BatchResult batchReceive(OperationContext& ctx, SettingsModel& model);

// The 28 steps for one controller: 0 success, 1..23 the failing step's code,
// 98 the memory switch failed, 99 skipped by the user's answer, 100 head
// type mismatch. What was read before a failure stays in the model. An
// answer outside the values a list item (or memory number) can take fails
// its step: it is never stored and never used as an index.
int receiveController(OperationContext& ctx, SettingsModel& model, int id, BatchProgress* progress = nullptr,
                      ReceivedScalings* received = nullptr);

// Rebuilds the scaling of the current memory of `id` from its two points:
// mode 0 for the identity points, 2 otherwise; inversion when the slope is
// not positive; the one-point values from point A. Each scaling only when
// its flag is set.
void normalizeReceivedScaling(SettingsModel& model, int id, ReceivedScalings which = {true, true});

// Resets the calculation table and fills it from the UC answers of the
// connected controllers (modes 1 and 2, at most four entries). 0, or the
// reported failure code (402 when a UC read fails or names a partner
// outside 0..7; 500, 501).
int readBackCalculations(OperationContext& ctx, SettingsModel& model);

} // namespace tavimo::settings
