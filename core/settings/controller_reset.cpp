#include "settings/controller_reset.h"

#include "link/line_settings.h"
#include "settings/batch_loop.h"

namespace tavimo::settings {

namespace {

constexpr int kStep = 4;

using ControllerCommand = bool (link::CommandSet::*)(int id, bool report);

BatchResult reset(OperationContext& ctx, ControllerCommand command)
{
    BatchResult result;
    if (!ctx.active.online()) return result;
    const LoopShape shape{kStep, kStep, link::kTimeoutIndexLongOperation};
    result.code = runControllerLoop(
        ctx, result, shape,
        [&](int id, BatchProgress&) {
            const bool ok = (ctx.commands.*command)(id, true);
            if (!ok) ctx.op.showMessage(shell::controllerMessage(id, shell::Msg::ErrorSkipController));
            ctx.pauseFor(kResetWaitMs); // failed or not
            return ok ? shell::kOutcomeOk : kResetFailed;
        },
        [](int) { return OutcomeText{}; }); // reported above, before the wait
    return result;
}

} // namespace

BatchResult initializeControllers(OperationContext& ctx)
{
    return reset(ctx, &link::CommandSet::initialize);
}

BatchResult rebootControllers(OperationContext& ctx)
{
    return reset(ctx, &link::CommandSet::reboot);
}

} // namespace tavimo::settings
