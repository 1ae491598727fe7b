#include "calibration/calibration_procedure.h"

#include "settings/batch_loop.h"
#include "shell/catalog.h"

namespace tavimo::calibration {

using shell::Catalog;
using shell::Msg;

int startStepValue(CalibrationTarget target)
{
    return target == CalibrationTarget::CurrentMemory ? kStepStartCurrent : kStepStartAll;
}

int sendCalibrationStep(settings::OperationContext& ctx, int id, int value)
{
    shell::BusyScope busy(ctx.op);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
    // Offline nothing is calibrated, so the step is not reported as done.
    bool ok = ctx.active.online() && ctx.commands.calibrationStep(id, value, true);
    if (ctx.commands.link().terminating()) return shell::kCodeInternal;
    if (!pause.resume()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
    if (!ok) return settings::reportOperationFailure(ctx, shell::kCodeCommunicationError);
    return shell::kCodeOk;
}

void CalibrationProcedure::setTarget(CalibrationTarget t)
{
    if (targetEnabled()) target_ = t;
}

bool CalibrationProcedure::enabled(CalibrationButton b) const
{
    switch (b) {
    case CalibrationButton::Start: return stage_ == CalibrationStage::Opened;
    case CalibrationButton::Zero: return stage_ == CalibrationStage::Started;
    case CalibrationButton::Half: return stage_ == CalibrationStage::ZeroSet;
    case CalibrationButton::Full: return stage_ == CalibrationStage::HalfSet;
    case CalibrationButton::End: return stage_ == CalibrationStage::FullSet;
    case CalibrationButton::Cancel: return stage_ != CalibrationStage::Closed;
    }
    return false;
}

bool CalibrationProcedure::step(CalibrationStage next, int value)
{
    // The enabling moves on first, so a second press of the same button
    // cannot send the step again.
    stage_ = next;
    if (sendCalibrationStep(ctx_, id_, value) != shell::kCodeOk) {
        stage_ = CalibrationStage::Closed;
        return false;
    }
    return true;
}

bool CalibrationProcedure::press(CalibrationButton b)
{
    if (!enabled(b)) return !closed();
    switch (b) {
    case CalibrationButton::Start: return step(CalibrationStage::Started, startStepValue(target_));
    case CalibrationButton::Zero: return step(CalibrationStage::ZeroSet, kStepZero);
    case CalibrationButton::Half: return step(CalibrationStage::HalfSet, kStepHalf);
    case CalibrationButton::Full: return step(CalibrationStage::FullSet, kStepFull);
    case CalibrationButton::End:
        if (step(CalibrationStage::Closed, kStepEnd))
            ctx_.op.showMessage(Catalog::instance().text(Msg::CalibrationFinished));
        stage_ = CalibrationStage::Closed;
        return false;
    case CalibrationButton::Cancel:
        ctx_.op.showMessage(Catalog::instance().text(Msg::CalibrationStopped));
        stage_ = CalibrationStage::Closed;
        return false;
    }
    return !closed();
}

bool calibrationButtonFromName(const std::string& name, CalibrationButton& b)
{
    static constexpr std::pair<const char*, CalibrationButton> names[] = {
        {"start", CalibrationButton::Start}, {"zero", CalibrationButton::Zero}, {"half", CalibrationButton::Half},
        {"full", CalibrationButton::Full},   {"end", CalibrationButton::End},
    };
    for (const auto& [n, v] : names)
        if (name == n) {
            b = v;
            return true;
        }
    return false;
}

} // namespace tavimo::calibration
