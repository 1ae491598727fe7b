#include "window/precondition_checks.h"

#include "link/command_table.h"
#include "settings/batch_progress.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

#include <functional>

namespace tavimo::window {

namespace {

constexpr int kStep = 4;

using ControllerTest = std::function<bool(int id)>;

// One pass over the connected controllers; passed when `test` holds for all.
PreconditionResult checkAll(settings::OperationContext& ctx, const ControllerTest& test)
{
    PreconditionResult result;
    const int n = ctx.active.activeCount();
    settings::BatchProgress progress(ctx.op, n * kStep + kStep);
    shell::BusyScope busy(ctx.op);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) {
        result.code = shell::kCodeWorkerNotPaused;
        shell::reportFailure(ctx.op, shell::FailureContext::Operation, result.code);
        return result;
    }
    bool passed = true;
    for (int i = 0; i < n && passed; ++i) {
        progress.advance(kStep);
        passed = test(ctx.active.activeId(i));
    }
    progress.finish();
    if (!pause.resume()) {
        result.code = shell::kCodeWorkerNotResumed;
        shell::reportFailure(ctx.op, shell::FailureContext::Operation, result.code);
        return result;
    }
    result.passed = passed;
    return result;
}

bool readsZero(settings::OperationContext& ctx, const link::IntCommand& command, int id)
{
    int value = -1;
    return ctx.commands.read(command, id, value, true) && value == 0;
}

const std::string& text(shell::Msg m) { return shell::Catalog::instance().text(m); }

} // namespace

PreconditionResult checkLoggingPreconditions(settings::OperationContext& ctx)
{
    if (!ctx.active.online()) return {true, 0};
    PreconditionResult r = checkAll(ctx, [&](int id) {
        int mode = -1, partner = 0;
        return ctx.commands.readCalculation(id, mode, partner, true) && mode == 0;
    });
    if (r.code != 0) return r;
    if (!r.passed) {
        ctx.op.showMessage(text(shell::Msg::LoggingCalculationRunning));
        return r;
    }
    r = checkAll(ctx, [&](int id) {
        int trigger = -1;
        return ctx.commands.read(link::cmd::TG, id, trigger, true) && (trigger == 1 || trigger == 2);
    });
    if (r.code == 0 && !r.passed) ctx.op.showMessage(text(shell::Msg::LoggingTriggerNotAllowed));
    return r;
}

PreconditionResult checkCalculationPrecondition(settings::OperationContext& ctx)
{
    if (!ctx.active.online()) {
        ctx.op.showMessage(text(shell::Msg::DoItOnline));
        return {false, 0};
    }
    PreconditionResult r = checkAll(ctx, [&](int id) {
        return readsZero(ctx, link::cmd::AP, id) && readsZero(ctx, link::cmd::HM, id) &&
               readsZero(ctx, link::cmd::TG, id);
    });
    if (r.code == 0 && !r.passed) ctx.op.showMessage(text(shell::Msg::CalculationNotAllowed));
    return r;
}

} // namespace tavimo::window
