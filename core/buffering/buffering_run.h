// Starting and stopping a buffering run of the selected controller, the
// Start/Stop button and the automatic end of a run. Each reports its own
// failure and returns its code (buffering_failures.h); on every failure
// that does not end the program the buffer lock is released and the worker
// resumed.
#pragma once

#include "buffering/buffering_line.h"
#include "buffering/completion_monitor.h"

namespace tavimo::buffering {

// Start on a copy of the record (the caller holds the lock): with the
// worker paused, BT (1, triggerType) and its settle delay, 500 ms, BM, BP
// and BR 1 in that order; then the three status fields are cleared. The run
// flag goes last, after mode, rate and trigger point are in place. The run
// settings are clamped to the capacity first.
int startBuffering(const BufferingLine& line, BufferingState& s, CompletionMonitor& monitor);

// Stop: with the worker paused, BR 0; on success the completion timer is
// stopped and disarmed.
int stopBuffering(const BufferingLine& line, const BufferingState& s, CompletionMonitor& monitor);

// The Start/Stop button: with the lock held for the whole procedure, starts
// a run when the record's runState is 0, else stops it, and writes the copy
// back. 201 when the lock was not had.
int toggleBuffering(const BufferingLine& line, CompletionMonitor& monitor);

// The automatic end: Stop on a copy of the record (lock held only to copy).
int endRunAutomatically(const BufferingLine& line, CompletionMonitor& monitor);

} // namespace tavimo::buffering
