#include "buffering/buffering_run.h"

#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "link/command_table.h"
#include "link/worker_control.h"

namespace tavimo::buffering {

namespace {

// BT, BM, BP, BR in that order; false at the first that failed.
bool sendStart(const BufferingLine& line, shell::ProgressScope& progress, BufferingState& s)
{
    auto& cmd = line.commands();
    const int id = s.controllerId;
    progress.set(2);
    if (!writeBufferModeSettled(line, id, 1, s.triggerType)) return false;
    line.ctx.pauseFor(kModeSettleMs);
    progress.set(3);
    if (!cmd.write(link::cmd::BM, id, s.bufferRate, true)) return false;
    progress.set(4);
    if (!cmd.write(link::cmd::BP, id, s.triggerPoint, true)) return false;
    s.controllerTriggerPoint = s.triggerPoint;
    progress.set(5);
    if (!cmd.write(link::cmd::BR, id, 1, true)) return false;
    progress.set(6);
    s.status() = {};
    return true;
}

// The code after the worker was resumed: a failed resume outweighs the
// procedure's own failure.
int afterResume(link::WorkerPause& pause, int code)
{
    return pause.resume() ? code : kCodeWorkerNotResumed;
}

} // namespace

int startBuffering(const BufferingLine& line, BufferingState& s, CompletionMonitor& monitor)
{
    shell::ProgressScope progress(line.op(), 6);
    shell::BusyScope busy(line.op());
    link::WorkerPause pause(line.ctx.worker);
    if (!pause.paused()) return kCodeWorkerNotPaused;
    progress.set(1);
    clampToCapacity(s);
    monitor.runStarting(s);
    if (!sendStart(line, progress, s)) {
        // No run was started: nothing is awaited, and the screen may go on
        // to another controller.
        monitor.runNotStarted();
        return afterResume(pause, kCodeSettingTransfer);
    }
    return afterResume(pause, kCodeOk);
}

int stopBuffering(const BufferingLine& line, const BufferingState& s, CompletionMonitor& monitor)
{
    link::WorkerPause pause(line.ctx.worker);
    if (!pause.paused()) return kCodeWorkerNotPaused;
    if (!line.commands().write(link::cmd::BR, s.controllerId, 0, true))
        return afterResume(pause, kCodeSettingTransfer);
    monitor.runStopped();
    return afterResume(pause, kCodeOk);
}

int toggleBuffering(const BufferingLine& line, CompletionMonitor& monitor)
{
    int code = kCodeOk;
    {
        RecordLock lock(line.record);
        if (!lock.owns()) {
            code = kCodeSharedBuffer;
        } else {
            BufferingState s = line.record.getLocked();
            code = s.runState == 0 ? startBuffering(line, s, monitor) : stopBuffering(line, s, monitor);
            line.record.setLocked(s);
        }
    }
    reportBufferingFailure(line.op(), Procedure::Toggle, code);
    return code;
}

int endRunAutomatically(const BufferingLine& line, CompletionMonitor& monitor)
{
    const auto s = line.record.copy();
    const int code = s ? stopBuffering(line, *s, monitor) : kCodeSharedBuffer;
    reportBufferingFailure(line.op(), Procedure::AutoEnd, code);
    return code;
}

} // namespace tavimo::buffering
