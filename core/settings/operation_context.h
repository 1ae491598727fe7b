// What the batch operations and controller operations work with: the command
// set, the active-controller list, the polling worker to pause, the buffers
// shared with the worker (check flags, screen mode), the Operator and the
// configured line values. One object per call site; it owns nothing.
#pragma once

#include "link/active_list.h"
#include "link/commands.h"
#include "link/worker_control.h"
#include "measure/shared_data.h"
#include "shell/operator.h"

#include <array>
#include <functional>
#include <optional>

namespace tavimo::settings {

inline constexpr int kDefaultSendIntervalMs = 100;
inline constexpr int kMaxSendIntervalMs = 10000;

// SEND_INTERVAL as used: negative values give 0, values above 10 s give 10 s.
int clampSendInterval(int ms);

struct OperationContext {
    link::CommandSet& commands;
    const link::ActiveControllers& active;
    link::WorkerControl& worker;
    measure::SharedData& shared;
    shell::Operator& op;
    int configuredTimeoutIndex = 2;              // TIMEOUT
    int sendIntervalMs = kDefaultSendIntervalMs; // SEND_INTERVAL, clamped when used
    // Sleeps `ms` milliseconds; empty: the calling thread sleeps.
    std::function<void(int)> sleep = {};

    void pauseFor(int ms) const;
    void sendPause() const { pauseFor(clampSendInterval(sendIntervalMs)); }
};

// The check flags as the main window's check boxes hold them, read under
// the measurement lock (bounded wait); nothing when the lock was not had.
std::optional<measure::ControllerChecks> readChecks(measure::SharedData& shared);

// Per controller ID, the outcome of one batch operation.
struct BatchResult {
    int code = 0; // failure code of the whole operation (shell/failure_codes.h)
    std::array<int, link::kMaxControllers> outcomes{-1, -1, -1, -1, -1, -1, -1, -1};
    int outcome(int id) const
    {
        return (id >= 0 && id < link::kMaxControllers) ? outcomes[static_cast<std::size_t>(id)] : -1;
    }
};

} // namespace tavimo::settings
