// Checks the main window makes over all connected controllers before it
// opens the data buffering screen or the calculation setting dialog. Each
// check runs with the progress window, the wait cursor and the polling
// worker paused, and stops at the first controller that fails it.
#pragma once

#include "settings/operation_context.h"

namespace tavimo::window {

struct PreconditionResult {
    bool passed = false;
    int code = 0; // 0, or the reported 500 / 501 (the application ends)
};

// Online only (offline: passed, nothing read). First no controller may run
// a calculation (UC mode 0), else "Cannot do logging because operation is
// executing."; then every trigger must be external or internal (TG 1 or 2),
// else "Cannot do logging because 'Trigger setting' includes 'None' or
// 'Cyclic'.". A failed read fails its check.
PreconditionResult checkLoggingPreconditions(settings::OperationContext& ctx);

// Offline: "Do it with On-line.", not passed. Online: every controller in
// manual mode, without hold and without trigger (AP, HM, TG all 0), else
// the calculation-setting message.
PreconditionResult checkCalculationPrecondition(settings::OperationContext& ctx);

} // namespace tavimo::window
