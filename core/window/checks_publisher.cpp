#include "window/checks_publisher.h"

#include <mutex>

namespace tavimo::window {

void publishChecks(measure::SharedData& shared, const std::array<bool, 8>& checks)
{
    std::lock_guard lock(shared.measureLock);
    shared.checks.checked = checks;
}

std::array<bool, 8> publishedChecks(measure::SharedData& shared)
{
    std::lock_guard lock(shared.measureLock);
    return shared.checks.checked;
}

} // namespace tavimo::window
