// The buffers the polling worker shares with the screens, each guarded by its
// own lock. Every wait for a lock is bounded (kDataLockWaitMs); a wait that
// times out skips the step.
#pragma once

#include "measure/wave_block.h"

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>

namespace tavimo::measure {

inline constexpr int kDataLockWaitMs = 50;
inline constexpr auto kDataLockWait = std::chrono::milliseconds(kDataLockWaitMs);

enum class ScreenMode : int { None = 0, MeasuredValues = 1, Waveform = 2, Buffering = 3 };

struct MeasuredValue {
    double value = 0;
    bool hi = false, go = false, lo = false, alarm = false;
    bool zeroSet = false;
    bool voltageDisplay = false;
};

struct MeasuredSnapshot {
    std::array<MeasuredValue, 8> controllers{};
    void clear() { controllers.fill(MeasuredValue{}); }
};

// One flag per controller ID, mirroring the main window's check boxes.
struct ControllerChecks {
    std::array<bool, 8> checked{};
    bool isChecked(int id) const { return id >= 0 && id < 8 && checked[static_cast<std::size_t>(id)]; }
};

// What the buffering screen asks the worker to poll, and what it found.
struct BufferPollRequest {
    int controllerId = 0;
    int holdMode = 0;
};

struct BufferStatus {
    int runState = 0;     // BR: 1 running
    int triggerState = 0; // BC: 1 trigger detected
    int storedCount = 0;  // BN
};

struct SharedData {
    std::atomic<int> screenMode{0};

    std::timed_mutex measureLock;
    MeasuredSnapshot snapshot;
    ControllerChecks checks;

    // Re-entrant for the user-interface thread.
    std::recursive_timed_mutex waveLock;
    bool collect = false;
    bool replay = false;
    int liveCount = 0;
    WaveBlock liveBlock;

    std::timed_mutex bufferLock;
    BufferPollRequest bufferRequest;
    BufferStatus bufferStatus;
};

} // namespace tavimo::measure
