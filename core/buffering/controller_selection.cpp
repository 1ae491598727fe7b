#include "buffering/controller_selection.h"

#include "buffering/buffering_rules.h"
#include "link/command_table.h"
#include "link/worker_control.h"

namespace tavimo::buffering {

namespace {

// The controller's view of the buffering settings, read into `s`.
void readControllerSettings(const BufferingLine& line, shell::ProgressScope& progress, BufferingState& s)
{
    auto& cmd = line.commands();
    const int id = s.controllerId;
    int value = 0;

    progress.set(1);
    const bool triggerRead = cmd.read(link::cmd::TG, id, value, true);
    s.triggerType = (triggerRead && value == 1) ? 0 : 1; // TG 1 is the external trigger

    progress.set(2);
    int enable = 0, type = 0;
    const bool modeRead = cmd.readBufferMode(id, enable, type, true);
    line.ctx.pauseFor(kModeSettleMs);
    if (modeRead && enable == 0) (void)writeBufferModeSettled(line, id, 1, s.triggerType);

    progress.set(3);
    const bool capacityRead = cmd.read(link::cmd::BN, id, value, true, 0);
    s.maxPoints = maxPointsFromAnswer(capacityRead, value);

    progress.set(4);
    s.controllerTriggerPoint = cmd.read(link::cmd::BP, id, value, true) ? value : 1;

    progress.set(5);
    s.applicationMode = cmd.read(link::cmd::AP, id, value, true) ? value : 0;

    progress.set(6);
    s.holdMode = (cmd.read(link::cmd::HM, id, value, true) && value != 0) ? value : 0;
}

} // namespace

SelectionResult selectBufferingController(const BufferingLine& line, int position, const CompletionMonitor& monitor)
{
    SelectionResult r;
    const auto& active = line.ctx.active;
    if (position < 0 || position >= active.activeCount()) return r;
    const int id = active.activeId(position);

    RecordLock lock(line.record);
    if (!lock.owns()) {
        r.code = kCodeSharedBuffer;
        reportBufferingFailure(line.op(), Procedure::Selection, r.code);
        return r;
    }
    BufferingState s = line.record.getLocked();
    // While a run is under way or its completion is awaited the screen stays
    // with its controller: the automatic end must stop the controller that
    // was started.
    if (monitor.pending() && id != s.controllerId) return r;
    // The polled status belongs to the previous controller; the next poll
    // supplies this one's.
    if (id != s.controllerId) s.status() = {};
    s.controllerId = id;

    if (!line.online()) {
        line.record.setLocked(s);
        r.code = kCodeOk;
        r.selected = true;
        r.holdMode = s.holdMode;
        return r;
    }

    shell::ProgressScope progress(line.op(), 6);
    shell::BusyScope busy(line.op());
    link::WorkerPause pause(line.ctx.worker);
    if (!pause.paused()) {
        r.code = kCodeWorkerNotPaused;
        reportBufferingFailure(line.op(), Procedure::Selection, r.code);
        return r;
    }
    readControllerSettings(line, progress, s);
    clampToCapacity(s);
    line.record.setLocked(s);
    r.selected = true;
    r.holdMode = s.holdMode;
    r.code = pause.resume() ? kCodeOk : kCodeWorkerNotResumed;
    reportBufferingFailure(line.op(), Procedure::Selection, r.code);
    return r;
}

} // namespace tavimo::buffering
