#include "settings/batch_loop.h"

#include "link/timeout_scope.h"

namespace tavimo::settings {

namespace {

int visitControllers(OperationContext& ctx, BatchResult& result, LoopShape shape, const ControllerTransfer& transfer,
                     const OutcomeDescription& describe)
{
    const int n = ctx.active.activeCount();
    BatchProgress progress(ctx.op, n * shape.stepsPerController + shape.extraSteps);
    shell::BusyScope busy(ctx.op);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) return reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
    const auto checks = readChecks(ctx.shared);
    if (!checks) return reportOperationFailure(ctx, shell::kCodeSharedBuffer);
    {
        link::SerialPort& port = ctx.commands.link().port();
        const int during = shape.timeoutIndex >= 0 ? shape.timeoutIndex : port.timeoutIndex();
        link::TimeoutScope timeout(port, during, shape.timeoutIndex >= 0 ? ctx.configuredTimeoutIndex : during);
        for (int i = 0; i < n; ++i) {
            const int id = ctx.active.activeId(i);
            const int base = progress.value();
            progress.advance();
            if (checks->isChecked(id)) {
                const int outcome = transfer(id, progress);
                result.outcomes[static_cast<std::size_t>(id)] = outcome;
                const OutcomeText text = describe(outcome);
                if (!text.known) return reportOperationFailure(ctx, shell::kCodeInternal);
                if (text.message) ctx.op.showMessage(shell::controllerMessage(id, *text.message));
            }
            progress.setTo(base + shape.stepsPerController);
        }
    }
    progress.finish();
    if (!pause.resume()) return reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
    return shell::kCodeOk;
}

} // namespace

int reportOperationFailure(OperationContext& ctx, int code)
{
    shell::reportFailure(ctx.op, shell::FailureContext::Operation, code);
    return code;
}

int runControllerLoop(OperationContext& ctx, BatchResult& result, LoopShape shape, const ControllerTransfer& transfer,
                      const OutcomeDescription& describe)
{
    try {
        return visitControllers(ctx, result, shape, transfer, describe);
    } catch (const std::exception&) {
        return reportOperationFailure(ctx, shell::kCodeInternal);
    }
}

int runBatchLoop(OperationContext& ctx, shell::BatchKind kind, BatchResult& result, const ControllerTransfer& transfer)
{
    return runControllerLoop(ctx, result, LoopShape{}, transfer, [kind](int outcome) {
        return OutcomeText{shell::knownOutcome(kind, outcome), shell::outcomeMessage(kind, outcome)};
    });
}

} // namespace tavimo::settings
