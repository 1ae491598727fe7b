#include "buffering/closing.h"

#include "buffering/buffering_failures.h"
#include "link/command_table.h"
#include "link/worker_control.h"
#include "shell/catalog.h"
#include "shell/message_lists.h"

namespace tavimo::buffering {

namespace {

std::string closeQuestion(int id)
{
    const auto& c = shell::Catalog::instance();
    const auto label = shell::idLabel(id);
    return (label ? c.text(*label) : std::string()) + "\n" + c.text(shell::Msg::ConfirmCloseWhileBuffering);
}

// Releases one controller; false when one of its exchanges failed.
bool releaseController(const BufferingLine& line, int id)
{
    auto& cmd = line.commands();
    int enable = 0, type = 0;
    if (!cmd.readBufferMode(id, enable, type, false)) return false;
    if (enable != 1) return true;
    int running = 0;
    if (!cmd.read(link::cmd::BR, id, running, false)) return false;
    if (running == 1) {
        if (line.op().askYesNoDefaultNo(closeQuestion(id))) return true; // left running, buffering on
        if (!cmd.write(link::cmd::BR, id, 0, false)) return false;
    }
    return writeBufferModeSettled(line, id, 0, type);
}

} // namespace

int endBufferingOnClose(const BufferingLine& line, bool openedOnline, const std::vector<int>& ids)
{
    if (!openedOnline) return kCodeOk;
    int code = kCodeOk;
    {
        shell::ProgressScope progress(line.op(), 7);
        shell::BusyScope busy(line.op());
        link::WorkerPause pause(line.ctx.worker);
        if (!pause.paused()) {
            code = kCodeWorkerNotPaused;
        } else {
            int step = 0;
            for (int id : ids) {
                if (!releaseController(line, id)) code = kCodeSettingTransfer;
                progress.set(++step);
            }
            progress.set(7);
            if (!pause.resume()) code = kCodeWorkerNotResumed;
        }
    }
    reportBufferingFailure(line.op(), Procedure::Closing, code);
    return code;
}

} // namespace tavimo::buffering
