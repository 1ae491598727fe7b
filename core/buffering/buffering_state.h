// The buffering record shared by the buffering screen, its settings dialog
// and the polling worker, guarded by the buffer lock of the shared data.
//
// The worker's two parts (the poll request controllerId/holdMode and the
// polled status runState/triggerState/storedCount) live in
// measure::SharedData, where the worker reads and writes them; the rest of
// the record lives in BufferingRecord. BufferingState is the whole record as
// one copy, with the fields named as everywhere else in the program.
#pragma once

#include "measure/shared_data.h"

#include <mutex>
#include <optional>

namespace tavimo::buffering {

// The fields only the screen and the settings dialog use.
struct BufferingParameters {
    int applicationMode = 0;        // AP of the selected controller
    int triggerType = 1;            // 0 external, 1 internal (TRIG_MODE)
    int maxPoints = 1000;           // BN selector 0, at most 50000
    int bufferPoints = 10000;       // points of the next run (AMOUNT_N)
    int bufferRate = 1;             // 1/x: x * 0.025 ms between points (RATE)
    int triggerPoint = 1;           // 1-based position of the trigger (TRIG_POINT)
    int dataRate = 1;               // rate of the data shown on the screen
    int controllerTriggerPoint = 1; // BP as last read from or written to the controller
    bool operator==(const BufferingParameters&) const = default;
};

// One copy of the whole record.
struct BufferingState : measure::BufferPollRequest, BufferingParameters, measure::BufferStatus {
    measure::BufferPollRequest& request() { return *this; }
    const measure::BufferPollRequest& request() const { return *this; }
    BufferingParameters& parameters() { return *this; }
    const BufferingParameters& parameters() const { return *this; }
    measure::BufferStatus& status() { return *this; }
    const measure::BufferStatus& status() const { return *this; }
};

// The four values the configuration keeps (DATABUFF TRIG_MODE, AMOUNT_N,
// RATE, TRIG_POINT).
struct RunSettings {
    int triggerType = 1;
    int bufferPoints = 10000;
    int bufferRate = 4;
    int triggerPoint = 1;
    bool operator==(const RunSettings&) const = default;
};

// The process-wide record. It lives as long as the shared data it refers
// to; the screens come and go around it.
class BufferingRecord {
public:
    explicit BufferingRecord(measure::SharedData& shared) : shared_(shared) {}
    BufferingRecord(const BufferingRecord&) = delete;
    BufferingRecord& operator=(const BufferingRecord&) = delete;

    std::timed_mutex& mutex() { return shared_.bufferLock; }

    // With the lock held by the caller.
    BufferingState getLocked() const;
    void setLocked(const BufferingState& state);

    // With a bounded wait (50 ms) for the lock; nothing / false on timeout.
    std::optional<BufferingState> copy();
    bool store(const BufferingState& state);

    // The buffering screen's creation: waits for the lock without a limit,
    // resets the record (holdMode, applicationMode and bufferPoints keep
    // their values) and applies the configured run settings.
    void resetForScreen(const RunSettings& configured);

private:
    measure::SharedData& shared_;
    BufferingParameters params_;
};

// A lock on the record taken with the bounded wait; owns() tells whether it
// was obtained.
class RecordLock {
public:
    explicit RecordLock(BufferingRecord& record);
    bool owns() const { return lock_.owns_lock(); }

private:
    std::unique_lock<std::timed_mutex> lock_;
};

} // namespace tavimo::buffering
