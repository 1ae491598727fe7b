// The batch receive loop, the scaling normalisation and the calculation
// read-back.
#include "settings/batch_receive.h"

#include "settings/batch_loop.h"
#include "settings/head_initialization.h"
#include "shell/failure_codes.h"

namespace tavimo::settings {

namespace {

constexpr int kReadBackStep = 4;
constexpr double kVoltageFullScale = 5.0;

// Mode, inversion and one-point values from the two points, for one scaling.
void normalizeOne(std::int32_t& mode, std::int32_t& direct, double& sense1, double& offset, double a, double va,
                  double b, double vb, double range, double fullScale)
{
    const double slope = a != b ? (vb - va) / (b - a) : 0.0;
    mode = (a == 0 && va == 0 && b == range && vb == fullScale) ? 0 : 2;
    direct = slope > 0 ? 0 : 1;
    sense1 = a;
    offset = va;
}

// The calculation read-back with the worker paused.
int readBack(OperationContext& ctx, SettingsModel& model)
{
    resetCalculations(model);
    const int n = ctx.active.activeCount();
    BatchProgress progress(ctx.op, n * kReadBackStep + kBatchExtraSteps);
    shell::BusyScope busy(ctx.op);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) return reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);

    std::size_t entry = 0;
    for (int i = 0; i < n; ++i) {
        const int id = ctx.active.activeId(i);
        progress.advance(kReadBackStep);
        int mode = 0, partner = 0;
        if (!ctx.commands.readCalculation(id, mode, partner, true))
            return reportOperationFailure(ctx, shell::kCodeSettingTransfer);
        const bool calculating = mode == 1 || mode == 2;
        // A partner outside 0..7 would become an operand ID of the table.
        if (calculating && !isValidControllerId(partner))
            return reportOperationFailure(ctx, shell::kCodeSettingTransfer);
        if (calculating && entry < model.calculations.size()) {
            CalculationSetting& c = model.calculations[entry++];
            c.MODE = mode;
            c.ID_A = id;
            c.ID_B = partner;
        }
    }
    progress.finish();
    if (!pause.resume()) return reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
    return shell::kCodeOk;
}

} // namespace

void normalizeReceivedScaling(SettingsModel& model, int id, ReceivedScalings which)
{
    if (!isValidControllerId(id)) return;
    const int k = model.controllers[static_cast<std::size_t>(id)].MEMORY_NO;
    if (!isValidMemory(k)) return;
    const double r = headRange(model, id);
    MemorySettings& m = memorySettings(model, id, k);
    if (which.display)
        normalizeOne(m.D_SCALE_MODE, m.D_SCALE_DIRECT, m.D_SENSE_VALUE_1, m.D_SCALE_OFFSET, m.D_SENSE_VALUE_A,
                     m.D_SCALE_VALUE_A, m.D_SENSE_VALUE_B, m.D_SCALE_VALUE_B, r, r);
    if (which.voltage)
        normalizeOne(m.V_SCALE_MODE, m.V_SCALE_DIRECT, m.V_SENSE_VALUE_1, m.V_SCALE_OFFSET, m.V_SENSE_VALUE_A,
                     m.V_SCALE_VALUE_A, m.V_SENSE_VALUE_B, m.V_SCALE_VALUE_B, r, kVoltageFullScale);
}

BatchResult batchReceive(OperationContext& ctx, SettingsModel& model)
{
    BatchResult result;
    if (!ctx.active.online()) return result;
    result.code = runBatchLoop(ctx, shell::BatchKind::Receive, result, [&](int id, BatchProgress& progress) {
        ReceivedScalings received;
        const int code = receiveController(ctx, model, id, &progress, &received);
        // Only what arrived from the controller is rebuilt: a record the
        // receive did not reach keeps the scaling the user set.
        normalizeReceivedScaling(model, id, received);
        return code;
    });
    if (result.code == shell::kCodeOk) result.code = readBackCalculations(ctx, model);
    return result;
}

int readBackCalculations(OperationContext& ctx, SettingsModel& model)
{
    if (!ctx.active.online()) return shell::kCodeOk;
    try {
        return readBack(ctx, model);
    } catch (const std::exception&) {
        return reportOperationFailure(ctx, shell::kCodeInternal);
    }
}

} // namespace tavimo::settings
