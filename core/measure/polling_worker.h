// The polling worker: while online it reads what the open measurement screen
// needs (measured values, waveform samples or the buffering status) into the
// shared buffers. The user-interface thread pauses it around every command
// sequence of its own and resumes it afterwards.
#pragma once

#include "link/active_list.h"
#include "link/commands.h"
#include "measure/shared_data.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace tavimo::measure {

enum class WorkerState : int {
    Ended = 0,
    Created = 1,
    PauseRequested = 3,
    Paused = 4,
    RunRequested = 5,
    Running = 6,
};

// Polls of 50 ms that pauseWorker and resumeWorker wait for the worker at
// least; longer when one command can take longer (see handshakeWait).
inline constexpr int kHandshakePolls = 201;
inline constexpr int kHandshakePollMs = 50;

using TickSource = std::function<std::uint32_t()>;
// The system's 32-bit millisecond tick, which wraps after about 49.7 days.
std::uint32_t systemTick();

class TSdrvThread {
public:
    // Starts the thread suspended (state Created). `priority` 1 (lowest) to 5
    // (highest); `statusDivider` is the INTERVAL setting.
    TSdrvThread(link::CommandSet& commands, const link::ActiveControllers& active, SharedData& shared,
                int statusDivider, int priority, TickSource tick = systemTick);
    ~TSdrvThread();
    TSdrvThread(const TSdrvThread&) = delete;
    TSdrvThread& operator=(const TSdrvThread&) = delete;

    // Accepts 3 (pause) and 5 (run) only.
    void requestState(int value);
    int currentState() const { return state_.load(); }
    bool suspended() const;

    // User-interface thread. False when the worker did not acknowledge within
    // 201 polls of 50 ms.
    bool pauseWorker();
    bool resumeWorker();
    // Ends the thread and waits for it (shutdown).
    void terminate();
    // Ends an idle wait at once: call after changing the screen mode, the
    // collect flag or the online flag.
    void wake();

    // Cycles run so far (for tests and benchmarks).
    std::uint64_t cycles() const { return cycles_.load(); }

private:
    void run();
    void measuredValueCycle();
    void waveformCycle();
    void bufferingStatusCycle();
    bool pauseRequested() const { return state_.load() == static_cast<int>(WorkerState::PauseRequested); }
    void setState(WorkerState s);
    bool waitForState(WorkerState wanted);
    std::chrono::milliseconds handshakeWait() const;
    void idleWait();

    link::CommandSet& commands_;
    const link::ActiveControllers& active_;
    SharedData& shared_;
    TickSource tick_;
    const int statusDivider_;
    int divideCounter_ = 0;
    const int priority_;

    std::atomic<int> state_{static_cast<int>(WorkerState::Created)};
    std::atomic<std::uint64_t> cycles_{0};
    mutable std::mutex mutex_;
    std::condition_variable wake_;       // resumes a suspended worker, ends idle waits
    std::condition_variable stateChanged_; // the worker acknowledged a state
    bool suspended_ = true;
    bool terminate_ = false;
    std::thread thread_;
};

// The priority setting (1..5) as a nice value of the calling thread; values
// outside the range take 2 (below normal). Raising above normal may need
// privileges and is then left as it is.
void applyThreadPriority(int priority);

} // namespace tavimo::measure
