#include "measure/measured_value_screen.h"

#include "settings/batch_loop.h"
#include "settings/batch_progress.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

#include <cmath>
#include <cstdio>

namespace tavimo::measure {

std::string formatMeasuredValue(double value)
{
    if (!std::isfinite(value)) return "0.0000";
    const long long q = std::llround(value * 1e4);
    if (q == 0) return "0.0000";
    const unsigned long long a = static_cast<unsigned long long>(q < 0 ? -q : q);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%c%llu.%04llu", q < 0 ? '-' : '+', a / 10000, a % 10000);
    return buf;
}

std::optional<std::vector<PanelView>> displayTick(SharedData& shared, const link::ActiveControllers& active)
{
    std::unique_lock lock(shared.measureLock, std::defer_lock);
    if (!lock.try_lock_for(kDataLockWait)) return std::nullopt;
    std::vector<PanelView> panels;
    for (int i = 0; i < active.activeCount(); ++i) {
        const int id = active.activeId(i);
        const MeasuredValue& m = shared.snapshot.controllers[static_cast<std::size_t>(id)];
        PanelView p;
        p.id = id;
        p.value = formatMeasuredValue(m.value);
        p.volt = m.voltageDisplay;
        p.hi = m.hi;
        p.go = m.go;
        p.lo = m.lo;
        p.zero = m.zeroSet;
        panels.push_back(p);
    }
    return panels;
}

PanelLayout stackPanels(const link::ActiveControllers& active, int groupHeight)
{
    PanelLayout layout;
    int y = 8;
    for (int i = 0; i < active.activeCount(); ++i) {
        layout.panels.emplace_back(active.activeId(i), y);
        y += 32;
    }
    layout.groupTop = y + 2;
    layout.windowHeight = groupHeight + layout.groupTop + 32;
    return layout;
}

namespace {

bool sendAction(link::CommandSet& c, MeasureAction action, int id)
{
    double taught = 0;
    switch (action) {
    case MeasureAction::Distance: return c.write(link::cmd::UT, id, 0, true);
    case MeasureAction::Voltage: return c.write(link::cmd::UT, id, 1, true);
    case MeasureAction::HiTeach: return c.teachUpper(id, taught, true);
    case MeasureAction::LoTeach: return c.teachLower(id, taught, true);
    case MeasureAction::ZeroSet: return c.write(link::cmd::ZS, id, 0, true);
    case MeasureAction::ZeroCancel: return c.write(link::cmd::ZS, id, 1, true);
    }
    return false;
}

} // namespace

int runMeasureAction(settings::OperationContext& ctx, MeasureAction action)
{
    using shell::Msg;
    const auto& catalog = shell::Catalog::instance();
    if (action == MeasureAction::Voltage && !ctx.op.askYesNoDefaultNo(catalog.text(Msg::ConfirmDisplayScaleChange)))
        return shell::kCodeOk;
    if (!ctx.active.online()) return shell::kCodeOk;
    const int n = ctx.active.activeCount();
    shell::BusyScope busy(ctx.op);
    settings::BatchProgress progress(ctx.op, 4 * n + 4);
    link::WorkerPause pause(ctx.worker);
    if (!pause.paused()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotPaused);
    // The check boxes as the main window last published them.
    const ControllerChecks checks = settings::readChecks(ctx.shared).value_or(ControllerChecks{});
    for (int i = 0; i < n; ++i) {
        progress.advance(4);
        const int id = ctx.active.activeId(i);
        if (!checks.isChecked(id)) continue;
        if (!sendAction(ctx.commands, action, id)) {
            if (ctx.commands.link().terminating()) return shell::kCodeInternal;
            ctx.op.showMessage(shell::controllerMessage(id, Msg::ErrorSkipController));
        }
        ctx.sendPause();
    }
    progress.finish();
    if (!pause.resume()) return settings::reportOperationFailure(ctx, shell::kCodeWorkerNotResumed);
    return shell::kCodeOk;
}

} // namespace tavimo::measure
