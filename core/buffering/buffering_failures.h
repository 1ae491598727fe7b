// The failure codes of the buffering procedures and the one mapping from a
// procedure's code to its catalog message. Each procedure reports its own
// failure through reportBufferingFailure and returns the code.
#pragma once

#include "shell/failure_codes.h"
#include "shell/operator.h"

namespace tavimo::buffering {

inline constexpr int kCodeOk = shell::kCodeOk;
inline constexpr int kCodeDialogCancelled = 100;             // file dialog cancelled: no message
inline constexpr int kCodeSharedBuffer = shell::kCodeSharedBuffer; // 201: buffer lock not had in 50 ms
inline constexpr int kCodeFileNotFound = 300;
inline constexpr int kCodeFileRead = 301;   // unreadable, too large, or a malformed line
inline constexpr int kCodeFileCreate = 303;
inline constexpr int kCodeFileWrite = 304;
inline constexpr int kCodeFileBackup = 309;
inline constexpr int kCodeSettingTransfer = shell::kCodeSettingTransfer; // 402: BT, BM, BP or BR failed
inline constexpr int kCodeReadoutNotPossible = 403;
inline constexpr int kCodeReadoutFailed = 404; // BM or RBB failed, or an answer did not decode
inline constexpr int kCodeWorkerNotPaused = shell::kCodeWorkerNotPaused;   // 500
inline constexpr int kCodeWorkerNotResumed = shell::kCodeWorkerNotResumed; // 501
inline constexpr int kCodeReadoutCancelled = 600;
inline constexpr int kCodeRefused = -2; // the procedure may not run now (nothing sent, no message)

enum class Procedure { Selection, Toggle, AutoEnd, Readout, Settings, Closing, File };

// The message and consequence of a code in a procedure. A code the
// procedure does not know ends the application ("Error of program
// operation."), as do 500 and 501.
shell::FailureReport bufferingFailure(Procedure procedure, int code);

// Shows the message (if any) and asks for the end of the application when
// the code calls for it. Nothing for kCodeOk and kCodeRefused.
void reportBufferingFailure(shell::Operator& op, Procedure procedure, int code);

} // namespace tavimo::buffering
