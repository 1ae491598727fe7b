#include "link/going_online.h"

#include "link/controller_scan.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

namespace tavimo::link {

namespace {

using shell::FailureContext;

int failOnline(OnlineParts& p, int code)
{
    p.commands.link().port().closePort();
    p.active.setOnline(false);
    shell::reportFailure(p.op, FailureContext::GoingOnline, code);
    return code;
}

// The scan with its progress dialog (one step per ID) and wait cursor; the
// message for "none found" is shown here, after the dialog has closed.
ScanResult scanWithProgress(OnlineParts& p, const OnlineLine& line)
{
    ScanResult result;
    {
        shell::ProgressScope progress(p.op, kMaxControllers);
        shell::BusyScope busy(p.op);
        result = scanControllers(p.commands, line.versionIndex, line.timeoutIndex, true,
                                 [&progress](int step) { progress.set(step); });
        if (result.ok()) progress.set(kMaxControllers);
    }
    // A fatal link status met during the scan has shown its own message and
    // asked for termination already.
    if (!result.ok() && !p.commands.link().terminating())
        p.op.showMessage(shell::Catalog::instance().text(shell::Msg::NoControllerConnected));
    return result;
}

} // namespace

int goOnline(OnlineParts p, const OnlineLine& line)
{
    if (p.active.online()) return shell::kCodeOk;
    SerialPort& port = p.commands.link().port();
    if (!port.isOpen() &&
        !port.openPort(line.port, line.speed, line.parity, line.timeoutIndex, false, false, line.stop, "8"))
        return failOnline(p, shell::kCodePortNotOpened);

    const ScanResult scan = scanWithProgress(p, line);
    applyScan(p.active, scan);
    if (!scan.ok()) return failOnline(p, shell::kCodeScanFailed);

    p.active.setOnline(true);
    p.view.showOnline(true);
    p.view.switchScreen(true);
    p.view.showControllers(p.active);
    p.view.applyEnablingRules();
    if (!p.worker.resumeWorker()) return failOnline(p, shell::kCodeWorkerNotResumed);
    return shell::kCodeOk;
}

int goOffline(OnlineParts p)
{
    if (!p.active.online()) return shell::kCodeOk;
    if (!p.worker.pauseWorker()) {
        shell::reportFailure(p.op, FailureContext::GoingOffline, shell::kCodeWorkerNotPaused);
        return shell::kCodeWorkerNotPaused;
    }
    p.active.setOnline(false);
    p.view.showOnline(false);
    p.view.showControllers(p.active);
    p.view.applyEnablingRules();
    p.view.switchScreen(false);
    p.commands.link().port().closePort();
    return shell::kCodeOk;
}

} // namespace tavimo::link
