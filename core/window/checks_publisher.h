// The send/receive check boxes ContCheck1..ContCheck8 mirrored into the
// flags the batch operations and the polling worker read.
#pragma once

#include "measure/shared_data.h"

#include <array>

namespace tavimo::window {

// Copies the eight states into ControllerChecks under MeasureLock. The
// user-interface thread waits for the lock as long as it takes: the worker
// holds it only while it copies one snapshot, and a wait that gave up would
// leave the check boxes and the flags disagreeing.
void publishChecks(measure::SharedData& shared, const std::array<bool, 8>& checks);

// The flags as the worker sees them, read under the same lock.
std::array<bool, 8> publishedChecks(measure::SharedData& shared);

} // namespace tavimo::window
