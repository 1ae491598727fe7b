#include "buffering/completion_monitor.h"

#include "buffering/buffering_rules.h"

namespace tavimo::buffering {

void CompletionMonitor::runStarting(const BufferingState& s)
{
    if (closed_) return;
    awaiting_ = true;
    running_ = false;
    if (s.holdMode == 0) {
        armed_ = true;
        periodMs_ = completionPeriodMs(s.bufferRate, s.bufferPoints, s.triggerPoint);
    } else {
        armed_ = false;
    }
}

void CompletionMonitor::runNotStarted()
{
    awaiting_ = false;
    armed_ = false;
    running_ = false;
}

void CompletionMonitor::runStopped()
{
    runNotStarted();
}

void CompletionMonitor::close()
{
    runNotStarted();
    closed_ = true;
}

bool CompletionMonitor::statusSeen(const BufferingState& s, MonitorClock::time_point now)
{
    if (closed_ || !awaiting_) return false;
    if (s.runState == 1 && s.triggerState == 1) {
        if (s.holdMode == 0) {
            if (armed_ && !running_) {
                armed_ = false;
                running_ = true;
                startedAt_ = now;
                awaiting_ = false;
            }
            return false;
        }
        if (s.storedCount >= s.bufferPoints) {
            awaiting_ = false;
            return true;
        }
        return false;
    }
    // The run ended in the controller before a status showed it recording
    // (a short run, or the controller's memory full): nothing is left to
    // wait for, and the screen must not stay locked to this controller.
    if (s.runState == 0 && s.triggerState == 1) {
        awaiting_ = false;
        armed_ = false;
    }
    return false;
}

bool CompletionMonitor::timerFired(MonitorClock::time_point now)
{
    if (closed_ || !running_) return false;
    if (now - startedAt_ < std::chrono::milliseconds(periodMs_)) return false;
    running_ = false;
    return true;
}

std::optional<MonitorClock::time_point> CompletionMonitor::dueAt() const
{
    if (!running_) return std::nullopt;
    return startedAt_ + std::chrono::milliseconds(periodMs_);
}

} // namespace tavimo::buffering
