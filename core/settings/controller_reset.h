// Initialising (WIT SYSINIT) or rebooting (INT RESET) every connected,
// checked controller, with the long-operation timeout row in force and a
// wait after each controller. Neither asks first; neither touches the model.
#pragma once

#include "settings/operation_context.h"

namespace tavimo::settings {

inline constexpr int kResetWaitMs = 2000;
inline constexpr int kResetFailed = 1; // outcome of a controller whose command failed

// Online only (offline: code 0, nothing done). A failing controller is
// reported ("ID" + id + line break + "An error occurred.\nskip with this
// controller.") and the loop goes on. Code 0, 500 or 501.
BatchResult initializeControllers(OperationContext& ctx);
BatchResult rebootControllers(OperationContext& ctx);

} // namespace tavimo::settings
