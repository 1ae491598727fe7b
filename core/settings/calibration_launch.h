// The precondition of the three-point calibration: the selected controller
// must not be running a calculation.
#pragma once

#include "settings/operation_context.h"

namespace tavimo::settings {

struct CalibrationPrecondition {
    bool allowed = false; // open the calibration dialog
    int code = 0;         // 0, or the reported 500 / 501
};

// Online only. Reads UC of `id` with the worker paused; allowed when the
// read succeeded and the mode is 0. Otherwise shows "Stops three points of
// calibration because calculation is executing.".
CalibrationPrecondition checkCalibrationPrecondition(OperationContext& ctx, int id);

} // namespace tavimo::settings
