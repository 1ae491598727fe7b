// The loop every batch operation shares: the progress window and the wait
// cursor, the worker paused, every connected controller visited in list
// order and looked up by its ID, unchecked ones passed over, each failing
// controller reported as "ID" + id + line break + text, the worker resumed
// at the end. The worker is resumed and the progress closed on every path.
#pragma once

#include "settings/batch_progress.h"
#include "settings/operation_context.h"
#include "shell/failure_codes.h"

#include <functional>
#include <optional>

namespace tavimo::settings {

// Steps the progress bar of batch send and receive reserves per controller,
// and beyond them.
inline constexpr int kBatchStepsPerController = 26;
inline constexpr int kBatchExtraSteps = 4;

struct LoopShape {
    int stepsPerController = kBatchStepsPerController;
    int extraSteps = kBatchExtraSteps;
    int timeoutIndex = -1; // 0 or more: this timeout row is in force during the loop
};

struct OutcomeText {
    bool known = true;                 // false: an internal error (300)
    std::optional<shell::Msg> message; // shown after "ID" + id + line break
};

using ControllerTransfer = std::function<int(int id, BatchProgress& progress)>;
using OutcomeDescription = std::function<OutcomeText(int outcome)>;

// Returns 0 or the failure code it reported (500, 501, 201, 300; an
// exception counts as 300). Outcomes land in `result`.
int runControllerLoop(OperationContext& ctx, BatchResult& result, LoopShape shape, const ControllerTransfer& transfer,
                      const OutcomeDescription& describe);

// The loop of batch send or receive: outcomes and texts of that kind.
int runBatchLoop(OperationContext& ctx, shell::BatchKind kind, BatchResult& result, const ControllerTransfer& transfer);

// Reports an operation's failure code through the Operator and returns it.
int reportOperationFailure(OperationContext& ctx, int code);

} // namespace tavimo::settings
