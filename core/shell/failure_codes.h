// The failure codes of the operations and the outcome codes of the
// per-controller batch steps, and the one mapping from them to catalog
// messages. Core operations report through reportFailure, so the window and
// the command-line tool show the same texts for the same codes.
#pragma once

#include "shell/msg.h"
#include "shell/operator.h"

#include <optional>
#include <string>

namespace tavimo::shell {

// Failure codes of whole operations.
inline constexpr int kCodeOk = 0;
inline constexpr int kCodeCommunicationError = 100; // head characteristic codes: HH or GD failed
inline constexpr int kCodeSharedBuffer = 201;       // a shared-buffer lock not obtained in 50 ms
inline constexpr int kCodeInternal = 300;           // an outcome no handler knows
inline constexpr int kCodePortNotOpened = 400;      // going online: the port did not open
inline constexpr int kCodeScanFailed = 401;         // going online: no controller confirmed
inline constexpr int kCodeSettingTransfer = 402;    // calculation read-back: UC failed
inline constexpr int kCodeWorkerNotPaused = 500;
inline constexpr int kCodeWorkerNotResumed = 501;
// File operations; the program goes on after their message.
inline constexpr int kCodeFileOpen = 200;
inline constexpr int kCodeFileRead = 202;
inline constexpr int kCodeFileCreate = 203;
inline constexpr int kCodeFileWrite = 204;
inline constexpr int kCodeFileBackup = 209;

// Which handler raised the code: going online and offline have their own
// texts for 500 and 501.
enum class FailureContext { GoingOnline, GoingOffline, Operation };

struct FailureReport {
    std::optional<Msg> message; // nothing: no message (the step showed its own)
    bool terminates = false;    // the application ends after the message
};

// The message and consequence of an operation's failure code. kCodeOk gives
// no message; a code the context does not know ends the application.
FailureReport failureReport(FailureContext context, int code);

// Shows the message of `code` (caption "Tavimo") and requests termination
// when the code ends the application. Nothing for kCodeOk.
void reportFailure(Operator& op, FailureContext context, int code);

// Outcome codes of one controller in a batch operation.
inline constexpr int kOutcomeOk = 0;
inline constexpr int kOutcomeMemorySwitchFailed = 98; // receive: MM write failed
inline constexpr int kOutcomeSkipped = 99;            // receive: skipped by the user's answer
inline constexpr int kOutcomeHeadMismatch = 100;
inline constexpr int kOutcomeNotAttempted = -1; // not checked, not connected

enum class BatchKind { Receive, Send };

// The text shown after "ID" + id + line break for an outcome; nothing for
// outcomes without a message (0, 99) and for codes the batch never produces.
std::optional<Msg> outcomeMessage(BatchKind kind, int outcome);
// True for every outcome the batch handles (0, 1..25, and 98, 99, 100 as the
// kind allows); any other outcome is an internal error (kCodeInternal).
bool knownOutcome(BatchKind kind, int outcome);

// "ID" + id + "\n" + the text of `text`: how a failing controller is reported.
std::string controllerMessage(int id, Msg text);
std::string controllerMessage(int id, const std::string& text);

} // namespace tavimo::shell
