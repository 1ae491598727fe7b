// What every buffering procedure works with: the operation context (command
// set, active list, worker, shared data, Operator, the sleep used for the
// waits) and the shared buffering record. Also the BT write with its settle
// delay, which every switch of the buffering function goes through.
#pragma once

#include "buffering/buffering_state.h"
#include "settings/operation_context.h"

namespace tavimo::buffering {

struct BufferingLine {
    settings::OperationContext ctx;
    BufferingRecord& record;

    link::CommandSet& commands() const { return ctx.commands; }
    shell::Operator& op() const { return ctx.op; }
    bool online() const { return ctx.active.online(); }
};

// Writes BT (enable, type) and then waits the settle delay computed from the
// controller's AV (read without reporting errors). The wait follows the
// write whether or not it succeeded; the write's success is the result. The
// BT write does not report errors either: its caller does.
bool writeBufferModeSettled(const BufferingLine& line, int id, int enable, int type);

} // namespace tavimo::buffering
