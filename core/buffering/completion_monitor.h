// When a buffering run ends by itself: the awaiting-completion flag and the
// one-shot completion timer, as a state machine driven by the clock the
// caller passes in (the window's timers in the program, a hand-set clock in
// tests).
//
// Without a hold mode, Start arms the timer with the time the points from
// the trigger point to the last take; the first status that shows the run
// going and the trigger seen starts it, and when it has run its period the
// automatic end (Stop) is due. With a hold mode the automatic end is due as
// soon as a status shows at least the run's points held.
#pragma once

#include "buffering/buffering_state.h"

#include <chrono>
#include <optional>

namespace tavimo::buffering {

using MonitorClock = std::chrono::steady_clock;

class CompletionMonitor {
public:
    // Start, before the first command: awaiting set, timer stopped; armed
    // with its period without a hold mode, not armed with one.
    void runStarting(const BufferingState& s);
    // The start failed: no run is pending.
    void runNotStarted();
    // Stop succeeded (by the operator or the automatic end): timer stopped
    // and disarmed, nothing awaited.
    void runStopped();
    // The screen closes: the timer never fires afterwards.
    void close();

    // A status tick with the copied record. True when the automatic end is
    // due now (hold mode, enough points held).
    bool statusSeen(const BufferingState& s, MonitorClock::time_point now);
    // The completion timer's event. True (and the timer stopped) when it was
    // running and its period has passed; an early or stale event does nothing.
    bool timerFired(MonitorClock::time_point now);

    // When the running timer is due; nothing when it is not running.
    std::optional<MonitorClock::time_point> dueAt() const;

    bool awaiting() const { return awaiting_; }
    bool armed() const { return armed_; }
    bool timerRunning() const { return running_; }
    int periodMs() const { return periodMs_; }
    // A run or its completion is still to come.
    bool pending() const { return awaiting_ || armed_ || running_; }

private:
    bool awaiting_ = false;
    bool armed_ = false;
    bool running_ = false;
    bool closed_ = false;
    int periodMs_ = 0;
    MonitorClock::time_point startedAt_{};
};

} // namespace tavimo::buffering
