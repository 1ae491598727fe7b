#include "settings/operation_context.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace tavimo::settings {

int clampSendInterval(int ms)
{
    if (ms < 0) return 0;
    if (ms > kMaxSendIntervalMs) return kMaxSendIntervalMs;
    return ms;
}

void OperationContext::pauseFor(int ms) const
{
    if (sleep)
        sleep(ms); // also a pause of 0, so that it is seen
    else if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::optional<measure::ControllerChecks> readChecks(measure::SharedData& shared)
{
    std::unique_lock lock(shared.measureLock, std::defer_lock);
    if (!lock.try_lock_for(measure::kDataLockWait)) return std::nullopt;
    return shared.checks;
}

} // namespace tavimo::settings
