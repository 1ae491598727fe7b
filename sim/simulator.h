// The controller simulator: up to eight controllers on one pseudo-terminal,
// answering every command of the command set, with fault injection and
// optional pacing at the line's real rate. Tests and the --demo modes run it
// in-process; tavimo-sim runs it standalone.
#pragma once

#include "sim/controller_state.h"
#include "sim/faults.h"
#include "sim/request_parser.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tavimo::sim {

struct SimulatorOptions {
    std::vector<int> ids{0, 1, 2, 3}; // controllers on the line; other IDs never answer
    int checkCodeMode = 0;            // 0 "**", 1 XOR, other none
    int baud = 19200;
    int bitsPerCharacter = 11;        // start, 8 data, parity, stop
    bool pace = false;                // deliver bytes at the line's real rate
    int resetAnswerDelayMs = 0;       // INT and WIT answer this late
};

struct LoggedRequest {
    std::string frame; // "%" through CR
    Clock::time_point at; // when its "%" arrived
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator(); // stops
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens a pty (posix_openpt) and starts the line thread; false if impossible.
    bool start();
    void stop();
    bool running() const { return thread_.joinable(); }
    // The slave path the program opens as its serial port.
    const std::string& portPath() const { return portPath_; }

    void addFault(const Fault& f);
    // Removes every fault and ends the alarms faults started.
    void clearFaults();

    std::vector<std::string> requestFrames() const; // every complete request received, in order
    std::vector<LoggedRequest> requestLog() const;
    std::size_t requestCount() const;
    void clearLog();
    // Called on the line thread with each complete request frame.
    void setRequestListener(std::function<void(const std::string&)> listener);

    // Inspect or change one controller's full state under the simulator's
    // lock; false if that ID is not on the line. `fn` must not call back
    // into the simulator (the lock is held).
    template <class Fn>
    bool withController(int id, Fn&& fn)
    {
        std::lock_guard lock(mutex_);
        ControllerState* c = findLocked(id);
        if (!c) return false;
        fn(*c);
        return true;
    }

    void setCheckCodeMode(int mode);
    int checkCodeMode() const;
    const SimulatorOptions& options() const { return options_; }

    // Cuts the line now: the master is closed, the program's reads and writes fail.
    void unplug();
    bool unplugged() const { return unplugged_.load(); }
    // Waits until no answer byte is waiting to be sent and no stream runs;
    // false if that did not happen within `timeout`.
    bool waitUntilQuiet(std::chrono::milliseconds timeout);

private:
    struct Line;
    ControllerState* findLocked(int id);
    void runLine();
    void onFrame(const ReceivedFrame& frame);
    void wake();

    SimulatorOptions options_;
    mutable std::mutex mutex_;
    std::vector<ControllerState> controllers_;
    FaultList faults_;
    std::vector<LoggedRequest> log_;
    std::function<void(const std::string&)> listener_;
    int checkCodeMode_;
    std::string portPath_;
    std::unique_ptr<Line> line_;
    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> unplugRequested_{false};
    std::atomic<bool> unplugged_{false};
    std::atomic<bool> quiet_{true};
    int wakeFd_ = -1;
};

} // namespace tavimo::sim
