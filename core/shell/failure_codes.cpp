#include "shell/failure_codes.h"

#include "shell/catalog.h"
#include "shell/message_lists.h"

namespace tavimo::shell {

FailureReport failureReport(FailureContext context, int code)
{
    switch (code) {
    case kCodeOk: return {};
    case kCodePortNotOpened:
        if (context == FailureContext::GoingOnline) return {Msg::PortOpenFailed, false};
        break;
    case kCodeScanFailed:
        if (context == FailureContext::GoingOnline) return {std::nullopt, false};
        break;
    case kCodeWorkerNotPaused:
        if (context == FailureContext::GoingOffline) return {Msg::OfflineFailed, true};
        return {Msg::WorkerPauseFailed, true};
    case kCodeWorkerNotResumed:
        if (context == FailureContext::GoingOnline) return {Msg::OnlineFailed, true};
        return {Msg::WorkerResumeFailed, true};
    case kCodeSettingTransfer:
        if (context == FailureContext::Operation) return {Msg::SettingSendFailed, false};
        break;
    case kCodeCommunicationError:
        if (context == FailureContext::Operation) return {Msg::CommunicationErrorStop, false};
        break;
    case kCodeSharedBuffer:
        if (context == FailureContext::Operation) return {Msg::SharedBufferFailure, false};
        break;
    case kCodeFileOpen: return {Msg::FileOpenFailed, false};
    case kCodeFileRead: return {Msg::FileReadFailed, false};
    case kCodeFileCreate: return {Msg::FileCreateFailed, false};
    case kCodeFileWrite: return {Msg::FileWriteFailed, false};
    case kCodeFileBackup: return {Msg::BackupFailed, false};
    default: break;
    }
    return {Msg::ProgramError, true};
}

void reportFailure(Operator& op, FailureContext context, int code)
{
    const FailureReport r = failureReport(context, code);
    if (r.message) op.showMessage(Catalog::instance().text(*r.message));
    if (r.terminates) op.requestTermination();
}

std::optional<Msg> outcomeMessage(BatchKind kind, int outcome)
{
    if (outcome == kOutcomeHeadMismatch) return Msg::HeadMismatchSkip;
    if (kind == BatchKind::Receive) {
        // The memory switch of a receive shares the send list's text.
        if (outcome == kOutcomeMemorySwitchFailed) return sendFailureMessage(2);
        return receiveFailureMessage(outcome);
    }
    return sendFailureMessage(outcome);
}

bool knownOutcome(BatchKind kind, int outcome)
{
    if (outcome == kOutcomeOk || outcome == kOutcomeHeadMismatch) return true;
    if (outcome >= 1 && outcome <= kBatchFailureCodes) return true;
    return kind == BatchKind::Receive && (outcome == kOutcomeMemorySwitchFailed || outcome == kOutcomeSkipped);
}

std::string controllerMessage(int id, const std::string& text)
{
    return Catalog::instance().text(Msg::ErrorIdPrefix) + std::to_string(id) + "\n" + text;
}

std::string controllerMessage(int id, Msg text)
{
    return controllerMessage(id, Catalog::instance().text(text));
}

} // namespace tavimo::shell
