#include "cli/online_session.h"

#include "link/going_online.h"
#include "shell/catalog.h"
#include "shell/failure_codes.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace tavimo::cli {

namespace {

// The INTERVAL and PRIORITY defaults of the configuration.
constexpr int kStatusDivider = 40;
constexpr int kPriority = 2;

} // namespace

OnlineSession::OnlineSession(CliContext& ctx, TerminalOperator& op, SessionOptions options)
    : ctx_(ctx), op_(op), options_(std::move(options))
{
    worker_ = std::make_unique<measure::TSdrvThread>(ctx_.commands(), active_, shared_, kStatusDivider, kPriority);
    control_ = std::make_unique<link::WorkerControlFor<measure::TSdrvThread>>(*worker_);
    for (int id = 0; id < link::kMaxControllers; ++id)
        shared_.checks.checked[static_cast<std::size_t>(id)] = options_.ids.empty();
    for (int id : options_.ids)
        if (id >= 0 && id < link::kMaxControllers) shared_.checks.checked[static_cast<std::size_t>(id)] = true;
}

OnlineSession::~OnlineSession()
{
    shared_.screenMode = 0;
    goOffline();
    control_.reset();
    worker_.reset(); // terminates and joins the worker
    ctx_.port().closePort();
}

link::OnlineParts OnlineSession::parts()
{
    return {ctx_.commands(), active_, *control_, op_, view_};
}

bool OnlineSession::goOnline()
{
    ctx_.link().setCheckCodeMode(ctx_.options.bcc);
    link::OnlineLine line;
    line.port = ctx_.portName();
    if (line.port.empty()) {
        std::cerr << "tavimo-cli: no port given (use --port DEVICE or --demo)\n";
        return false;
    }
    line.speed = ctx_.options.speed;
    line.parity = ctx_.options.parity;
    line.stop = ctx_.options.stop;
    line.timeoutIndex = ctx_.options.timeoutIndex;
    line.versionIndex = options_.versionIndex;
    return link::goOnline(parts(), line) == shell::kCodeOk && !op_.terminated();
}

int OnlineSession::goOffline()
{
    return link::goOffline(parts());
}

settings::OperationContext OnlineSession::context()
{
    return settings::OperationContext{
        ctx_.commands(), active_, *control_, shared_, op_, ctx_.options.timeoutIndex, options_.sendIntervalMs};
}

bool OnlineSession::requireActive(int id)
{
    if (active_.isActive(id)) return true;
    op_.showMessage(shell::Catalog::instance().text(shell::Msg::ControllerNotConnected));
    return false;
}

void addIdsOption(CLI::App& command, std::vector<int>& ids)
{
    command.add_option("--ids", ids, "Checked controllers, e.g. 0,2 (default: all connected)")
        ->delimiter(',')
        ->check(CLI::Range(0, 7));
}

int batchExitStatus(const settings::BatchResult& result, const TerminalOperator& op, bool (*failed)(int outcome))
{
    if (result.code != shell::kCodeOk || op.terminated()) return kExitFailed;
    for (int outcome : result.outcomes)
        if (outcome != shell::kOutcomeNotAttempted && failed(outcome)) return kExitFailed;
    return kExitOk;
}

} // namespace tavimo::cli
