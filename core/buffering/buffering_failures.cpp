#include "buffering/buffering_failures.h"

#include "shell/catalog.h"

namespace tavimo::buffering {

namespace {

using shell::FailureReport;
using shell::Msg;

FailureReport message(Msg m)
{
    return {m, false};
}

FailureReport fatal(Msg m)
{
    return {m, true};
}

bool fileProcedure(Procedure p)
{
    return p == Procedure::File;
}

} // namespace

FailureReport bufferingFailure(Procedure p, int code)
{
    switch (code) {
    case kCodeOk:
    case kCodeRefused: return {};
    case kCodeSharedBuffer:
        return message(p == Procedure::Selection ? Msg::IdChangeFailed : Msg::SharedBufferFailure);
    case kCodeSettingTransfer:
        if (p == Procedure::Closing) return message(Msg::BufferingEndFailed);
        if (p == Procedure::Toggle || p == Procedure::AutoEnd) return message(Msg::SettingSendFailed);
        break;
    case kCodeReadoutNotPossible:
        if (p == Procedure::Readout) return message(Msg::ReadoutNotPossible);
        break;
    case kCodeReadoutFailed:
        if (p == Procedure::Readout) return message(Msg::ReadoutFailed);
        break;
    case kCodeReadoutCancelled:
        if (p == Procedure::Readout) return message(Msg::DataReceiveStopped);
        break;
    case kCodeWorkerNotPaused:
        // Closing the screen knows no pause failure of its own and reports
        // it as a program error; both end the application.
        return fatal(p == Procedure::Closing ? Msg::ProgramError : Msg::WorkerPauseFailed);
    case kCodeWorkerNotResumed:
        return fatal(p == Procedure::Closing ? Msg::ProgramError : Msg::WorkerResumeFailed);
    case kCodeDialogCancelled:
        if (fileProcedure(p)) return {};
        break;
    case kCodeFileNotFound:
        if (fileProcedure(p)) return message(Msg::FileNotFound);
        break;
    case kCodeFileRead:
        if (fileProcedure(p)) return message(Msg::FileReadFailed);
        break;
    case kCodeFileCreate:
        if (fileProcedure(p)) return message(Msg::FileCreateFailed);
        break;
    case kCodeFileWrite:
        if (fileProcedure(p)) return message(Msg::FileWriteFailed);
        break;
    case kCodeFileBackup:
        if (fileProcedure(p)) return message(Msg::BackupFailed);
        break;
    default: break;
    }
    return fatal(Msg::ProgramError);
}

void reportBufferingFailure(shell::Operator& op, Procedure p, int code)
{
    const FailureReport r = bufferingFailure(p, code);
    if (r.message) op.showMessage(shell::Catalog::instance().text(*r.message));
    if (r.terminates) op.requestTermination();
}

} // namespace tavimo::buffering
