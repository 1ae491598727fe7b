#include "settings/calibration_launch.h"

#include "settings/batch_loop.h"
#include "shell/catalog.h"

namespace tavimo::settings {

CalibrationPrecondition checkCalibrationPrecondition(OperationContext& ctx, int id)
{
    CalibrationPrecondition result;
    if (!ctx.active.online()) return result;
    bool read = false;
    int mode = 0, partner = 0;
    {
        link::WorkerPause pause(ctx.worker);
        if (!pause.paused()) {
            result.code = reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
            return result;
        }
        read = ctx.commands.readCalculation(id, mode, partner, true);
        if (!pause.resume()) {
            result.code = reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
            return result;
        }
    }
    result.allowed = read && mode == 0;
    if (!result.allowed) ctx.op.showMessage(shell::Catalog::instance().text(shell::Msg::CalibrationCalculationRunning));
    return result;
}

} // namespace tavimo::settings
