// The one mapping from failure and outcome codes to catalog messages.
#include "shell/catalog.h"
#include "shell/failure_codes.h"

#include "scripted_operator.h"

#include <gtest/gtest.h>

using namespace tavimo;
using namespace tavimo::shell;

namespace {

struct CodeCase {
    FailureContext context;
    int code;
    std::optional<Msg> message;
    bool terminates;
};

TEST(FailureCodes, EachContextMapsItsCodes)
{
    const CodeCase cases[] = {
        {FailureContext::GoingOnline, kCodeOk, std::nullopt, false},
        {FailureContext::GoingOnline, kCodePortNotOpened, Msg::PortOpenFailed, false},
        {FailureContext::GoingOnline, kCodeScanFailed, std::nullopt, false},
        {FailureContext::GoingOnline, kCodeWorkerNotResumed, Msg::OnlineFailed, true},
        {FailureContext::GoingOffline, kCodeWorkerNotPaused, Msg::OfflineFailed, true},
        {FailureContext::Operation, kCodeWorkerNotPaused, Msg::WorkerPauseFailed, true},
        {FailureContext::Operation, kCodeWorkerNotResumed, Msg::WorkerResumeFailed, true},
        {FailureContext::Operation, kCodeSettingTransfer, Msg::SettingSendFailed, false},
        {FailureContext::Operation, kCodeCommunicationError, Msg::CommunicationErrorStop, false},
        {FailureContext::Operation, kCodeSharedBuffer, Msg::SharedBufferFailure, false},
        {FailureContext::Operation, kCodeInternal, Msg::ProgramError, true},
        {FailureContext::Operation, kCodeFileOpen, Msg::FileOpenFailed, false},
        {FailureContext::Operation, kCodeFileRead, Msg::FileReadFailed, false},
        {FailureContext::Operation, kCodeFileCreate, Msg::FileCreateFailed, false},
        {FailureContext::Operation, kCodeFileWrite, Msg::FileWriteFailed, false},
        {FailureContext::Operation, kCodeFileBackup, Msg::BackupFailed, false},
        {FailureContext::Operation, kCodePortNotOpened, Msg::ProgramError, true}, // not an operation's code
        {FailureContext::GoingOnline, 777, Msg::ProgramError, true},
    };
    for (const auto& c : cases) {
        const FailureReport r = failureReport(c.context, c.code);
        EXPECT_EQ(r.message, c.message) << c.code;
        EXPECT_EQ(r.terminates, c.terminates) << c.code;
    }
}

TEST(FailureCodes, ReportShowsTheTextAndEndsOnlyWhenItMust)
{
    Catalog::instance().setLanguage(Language::English);
    batchtest::ScriptedOperator op;
    reportFailure(op, FailureContext::Operation, kCodeSettingTransfer);
    reportFailure(op, FailureContext::GoingOnline, kCodeScanFailed);
    reportFailure(op, FailureContext::Operation, kCodeWorkerNotPaused);
    EXPECT_EQ(op.messages,
              (std::vector<std::string>{"Failed in transmission of a message of setting.\nRepeat once again.",
                                        "Failed in standstill of asynchronous communication.\nFinish a program because "
                                        "restoration is impossible."}));
    EXPECT_EQ(op.terminations, 1);
}

TEST(FailureCodes, OutcomesOfEachBatchKind)
{
    Catalog::instance().setLanguage(Language::English);
    struct Case {
        BatchKind kind;
        int outcome;
        bool known;
        std::optional<Msg> message;
    };
    const Case cases[] = {
        {BatchKind::Receive, 0, true, std::nullopt},
        {BatchKind::Receive, 99, true, std::nullopt},
        {BatchKind::Receive, 98, true, Msg::SendFailMemoryNumber},
        {BatchKind::Receive, 100, true, Msg::HeadMismatchSkip},
        {BatchKind::Receive, 7, true, Msg::ReceiveFailScalingInit},
        {BatchKind::Receive, 23, true, Msg::ReceiveFailUpperLimit},
        {BatchKind::Receive, 26, false, std::nullopt},
        {BatchKind::Send, 2, true, Msg::SendFailMemoryNumber},
        {BatchKind::Send, 100, true, Msg::HeadMismatchSkip},
        {BatchKind::Send, 99, false, std::nullopt},
        {BatchKind::Send, 98, false, std::nullopt},
        {BatchKind::Send, -3, false, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(knownOutcome(c.kind, c.outcome), c.known) << c.outcome;
        EXPECT_EQ(outcomeMessage(c.kind, c.outcome), c.message) << c.outcome;
    }
    EXPECT_EQ(controllerMessage(4, Msg::ReceiveFailApplicationMode),
              "ID4\nFails in receipt of a message of an application mode.\nSkip with this controller.");
}

} // namespace
