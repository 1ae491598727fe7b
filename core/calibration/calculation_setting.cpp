#include "calibration/calculation_setting.h"

#include "settings/batch_loop.h"
#include "settings/batch_progress.h"

#include <algorithm>

namespace tavimo::calibration {

namespace {

bool validId(int id)
{
    return id >= 0 && id < settings::kControllerCount;
}

} // namespace

int activeRowCount(int connected)
{
    return std::clamp(connected / 2, 0, kCalculationRows);
}

CalculationDialog::CalculationDialog(const settings::SettingsModel& model, bool online, int connected)
    : online_(online), activeRows_(online ? activeRowCount(connected) : 0), sendEnabled_(online && activeRows_ >= 1)
{
    for (int i = 0; i < kCalculationRows; ++i) {
        const auto& entry = model.calculations[static_cast<std::size_t>(i)];
        const auto reset = settings::calculationResetValue(i);
        CalculationRow& r = rows_[static_cast<std::size_t>(i)];
        r.mode = entry.MODE >= 0 && entry.MODE < kCalculationModes ? entry.MODE : reset.MODE;
        r.idA = validId(entry.ID_A) ? entry.ID_A : reset.ID_A;
        r.idB = validId(entry.ID_B) ? entry.ID_B : reset.ID_B;
        r.enabled = i < activeRows_;
        followMode(i);
    }
    resolveDuplicateIds();
}

void CalculationDialog::followMode(int i)
{
    CalculationRow& r = rows_[static_cast<std::size_t>(i)];
    r.listsEnabled = r.enabled && r.mode != 0;
}

void CalculationDialog::setMode(int i, int mode)
{
    if (i < 0 || i >= kCalculationRows || mode < 0 || mode >= kCalculationModes) return;
    rows_[static_cast<std::size_t>(i)].mode = mode;
    followMode(i);
    resolveDuplicateIds();
}

bool CalculationDialog::setIdA(int i, int id)
{
    if (i < 0 || i >= kCalculationRows || !validId(id)) return false;
    rows_[static_cast<std::size_t>(i)].idA = id;
    return resolveDuplicateIds();
}

bool CalculationDialog::setIdB(int i, int id)
{
    if (i < 0 || i >= kCalculationRows || !validId(id)) return false;
    rows_[static_cast<std::size_t>(i)].idB = id;
    return resolveDuplicateIds();
}

int& CalculationDialog::slot(int index)
{
    CalculationRow& r = rows_[static_cast<std::size_t>(index / 2)];
    return index % 2 == 0 ? r.idA : r.idB;
}

bool CalculationDialog::resolveDuplicateIds()
{
    if (!online_ || activeRows_ == 0) return false;
    const int slots = 2 * activeRows_;
    std::array<bool, settings::kControllerCount> taken{};
    std::array<bool, 2 * kCalculationRows> duplicate{};
    bool any = false;
    for (int s = 0; s < slots; ++s) {
        int id = slot(s);
        if (taken[static_cast<std::size_t>(id)]) {
            duplicate[static_cast<std::size_t>(s)] = true;
            any = true;
        } else {
            taken[static_cast<std::size_t>(id)] = true;
        }
    }
    // Each ID given out is taken from then on, so two duplicates of one pass
    // never end up with the same ID (and no row with A = B).
    int k = settings::kControllerCount - 1;
    for (int s = 0; s < slots; ++s) {
        if (!duplicate[static_cast<std::size_t>(s)]) continue;
        while (k >= 0 && taken[static_cast<std::size_t>(k)]) --k;
        if (k < 0) break; // eight slots at most: never reached
        slot(s) = k;
        taken[static_cast<std::size_t>(k)] = true;
    }
    return any;
}

void CalculationDialog::storeInto(settings::SettingsModel& model) const
{
    for (int i = 0; i < kCalculationRows; ++i) {
        const CalculationRow& r = rows_[static_cast<std::size_t>(i)];
        auto& e = model.calculations[static_cast<std::size_t>(i)];
        e.ENABLED = r.enabled;
        e.MODE = r.mode;
        e.ID_A = r.idA;
        e.ID_B = r.idB;
    }
}

EntryCheck checkCalculationEntry(settings::OperationContext& ctx)
{
    EntryCheck result;
    const int n = ctx.active.activeCount();
    shell::BusyScope busy(ctx.op);
    settings::BatchProgress progress(ctx.op, 4 * n + 4);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) {
        result.code = settings::reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
        return result;
    }
    bool allowed = true;
    for (int i = 0; i < n && allowed; ++i) {
        const int id = ctx.active.activeId(i);
        int ap = -1, hm = -1, tg = -1;
        bool okAp = ctx.commands.read(link::cmd::AP, id, ap, true);
        bool okHm = ctx.commands.read(link::cmd::HM, id, hm, true);
        bool okTg = ctx.commands.read(link::cmd::TG, id, tg, true);
        allowed = okAp && okHm && okTg && ap == 0 && hm == 0 && tg == 0;
        progress.advance(4);
    }
    if (ctx.commands.link().terminating()) {
        result.code = shell::kCodeInternal;
        return result;
    }
    progress.finish();
    if (!pause.resume()) {
        result.code = settings::reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
        return result;
    }
    result.allowed = allowed;
    return result;
}

int sendCalculationSettings(settings::OperationContext& ctx, const CalculationDialog& dialog,
                            settings::SettingsModel& model)
{
    if (!ctx.active.online()) return shell::kCodeOk;
    shell::BusyScope busy(ctx.op);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
    const int n = ctx.active.activeCount();
    const int rows = dialog.activeRows();
    int failure = shell::kCodeOk;
    {
        settings::BatchProgress progress(ctx.op, n + rows);
        for (int i = 0; i < n && failure == shell::kCodeOk; ++i) {
            progress.advance();
            const int id = ctx.active.activeId(i);
            int mode = 0, partner = 0;
            if (!ctx.commands.readCalculation(id, mode, partner, true)) failure = shell::kCodeSettingTransfer;
            else if (mode != 0 && !ctx.commands.writeCalculation(id, 0, 0, true))
                failure = shell::kCodeSettingTransfer;
        }
        if (failure == shell::kCodeOk) {
            dialog.storeInto(model);
            for (int r = 0; r < rows && failure == shell::kCodeOk; ++r) {
                progress.advance();
                const auto& e = model.calculations[static_cast<std::size_t>(r)];
                if (!e.ENABLED || e.MODE == 0) continue;
                if (!ctx.commands.writeCalculation(e.ID_A, e.MODE, e.ID_B, true)) failure = shell::kCodeSettingTransfer;
            }
        }
        if (failure == shell::kCodeOk) progress.finish();
    }
    if (ctx.commands.link().terminating()) return shell::kCodeInternal;
    if (!pause.resume()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
    if (failure != shell::kCodeOk) return settings::reportOperationFailure(ctx, failure);
    return shell::kCodeOk;
}

} // namespace tavimo::calibration
