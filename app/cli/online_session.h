// tavimo-cli's online state for one subcommand: the active list, the shared
// buffers and the polling worker, going online on the context's line and
// offline again when the session ends. The batch and controller operations
// run on its OperationContext, as they do in the window.
#pragma once

#include "cli/cli_context.h"
#include "cli/terminal_operator.h"

#include "link/active_list.h"
#include "link/going_online.h"
#include "link/worker_control.h"
#include "measure/polling_worker.h"
#include "measure/shared_data.h"
#include "settings/operation_context.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

namespace tavimo::cli {

struct SessionOptions {
    std::vector<int> ids; // checked controllers; empty: all
    int sendIntervalMs = settings::kDefaultSendIntervalMs;
    int versionIndex = 0;
};

class OnlineSession {
public:
    OnlineSession(CliContext& ctx, TerminalOperator& op, SessionOptions options = {});
    ~OnlineSession(); // goes offline, ends the worker
    OnlineSession(const OnlineSession&) = delete;
    OnlineSession& operator=(const OnlineSession&) = delete;

    // Opens the line, scans, resumes the worker; false after the failure
    // was shown.
    bool goOnline();
    // 0, or 500 (shown).
    int goOffline();

    settings::OperationContext context();
    measure::SharedData& shared() { return shared_; }
    const link::ActiveControllers& active() const { return active_; }
    // The message of a controller that is not in the active list.
    bool requireActive(int id);

private:
    link::OnlineParts parts();

    CliContext& ctx_;
    TerminalOperator& op_;
    SessionOptions options_;
    link::ActiveControllers active_;
    measure::SharedData shared_;
    std::unique_ptr<measure::TSdrvThread> worker_;
    std::unique_ptr<link::WorkerControl> control_;
    link::OnlineView view_; // no windows: every step is a no-op
};

// Adds --ids to a subcommand: a comma-separated list of controller IDs.
void addIdsOption(CLI::App& command, std::vector<int>& ids);

// The exit status of a per-controller batch: failure when the operation
// failed, the program was asked to end, or a controller had `failed` outcome.
int batchExitStatus(const settings::BatchResult& result, const TerminalOperator& op, bool (*failed)(int outcome));

} // namespace tavimo::cli
