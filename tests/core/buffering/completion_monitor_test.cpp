#include "buffering/completion_monitor.h"

#include <gtest/gtest.h>

namespace tavimo::buffering {
namespace {

using std::chrono::milliseconds;

const MonitorClock::time_point t0{std::chrono::hours(1)};

BufferingState run(int holdMode, int rate, int points, int triggerPoint)
{
    BufferingState s;
    s.holdMode = holdMode;
    s.bufferRate = rate;
    s.bufferPoints = points;
    s.triggerPoint = triggerPoint;
    return s;
}

BufferingState polled(BufferingState s, int runState, int triggerState, int stored)
{
    s.runState = runState;
    s.triggerState = triggerState;
    s.storedCount = stored;
    return s;
}

TEST(CompletionMonitor, WithoutHoldTheTimerStartsAtTheFirstTriggeredStatusAndRunsItsPeriod)
{
    CompletionMonitor m;
    const BufferingState s = run(0, 4, 10000, 1);
    m.runStarting(s);
    EXPECT_TRUE(m.awaiting());
    EXPECT_TRUE(m.armed());
    EXPECT_EQ(m.periodMs(), 1000);
    EXPECT_FALSE(m.dueAt());

    EXPECT_FALSE(m.statusSeen(polled(s, 1, 0, 10), t0)); // waiting for the trigger
    EXPECT_FALSE(m.timerRunning());
    EXPECT_FALSE(m.statusSeen(polled(s, 1, 1, 20), t0 + milliseconds(200)));
    EXPECT_TRUE(m.timerRunning());
    EXPECT_FALSE(m.awaiting());
    EXPECT_FALSE(m.armed());
    ASSERT_TRUE(m.dueAt());
    EXPECT_EQ(*m.dueAt(), t0 + milliseconds(1200));

    // Later ticks do not restart it.
    EXPECT_FALSE(m.statusSeen(polled(s, 1, 1, 30), t0 + milliseconds(400)));
    EXPECT_EQ(*m.dueAt(), t0 + milliseconds(1200));

    EXPECT_FALSE(m.timerFired(t0 + milliseconds(1199))); // early event: nothing
    EXPECT_TRUE(m.timerRunning());
    EXPECT_TRUE(m.timerFired(t0 + milliseconds(1200)));
    EXPECT_FALSE(m.timerRunning());
    EXPECT_FALSE(m.timerFired(t0 + milliseconds(1300))); // fires once
    EXPECT_TRUE(m.pending() == false);
}

TEST(CompletionMonitor, WithHoldTheEndIsDueWhenEnoughPointsAreHeldAndTheTimerNeverRuns)
{
    CompletionMonitor m;
    const BufferingState s = run(2, 4, 100, 1);
    m.runStarting(s);
    EXPECT_TRUE(m.awaiting());
    EXPECT_FALSE(m.armed());
    EXPECT_FALSE(m.statusSeen(polled(s, 1, 1, 99), t0));
    EXPECT_FALSE(m.timerRunning());
    EXPECT_TRUE(m.statusSeen(polled(s, 1, 1, 100), t0 + milliseconds(200)));
    EXPECT_FALSE(m.awaiting());
    EXPECT_FALSE(m.statusSeen(polled(s, 1, 1, 120), t0 + milliseconds(400))); // once only
    EXPECT_FALSE(m.timerFired(t0 + std::chrono::hours(1)));
}

TEST(CompletionMonitor, StopAndAFailedStartLeaveNothingPending)
{
    CompletionMonitor m;
    m.runStarting(run(0, 1, 100, 1));
    m.runNotStarted();
    EXPECT_FALSE(m.pending());
    m.runStarting(run(0, 1, 100, 1));
    m.statusSeen(polled(run(0, 1, 100, 1), 1, 1, 5), t0);
    EXPECT_TRUE(m.timerRunning());
    m.runStopped();
    EXPECT_FALSE(m.pending());
    EXPECT_FALSE(m.timerFired(t0 + std::chrono::hours(1)));
}

TEST(CompletionMonitor, ARunThatEndedBeforeAnyStatusShowedItIsNoLongerAwaited)
{
    CompletionMonitor m;
    const BufferingState s = run(0, 1, 1000, 1);
    m.runStarting(s);
    EXPECT_FALSE(m.statusSeen(polled(s, 0, 0, 0), t0)); // no poll yet since the start
    EXPECT_TRUE(m.pending());
    EXPECT_FALSE(m.statusSeen(polled(s, 0, 1, 1000), t0 + milliseconds(200)));
    EXPECT_FALSE(m.pending());
}

TEST(CompletionMonitor, AClosedScreenNeverFires)
{
    CompletionMonitor m;
    const BufferingState s = run(0, 1, 100, 1);
    m.runStarting(s);
    m.statusSeen(polled(s, 1, 1, 5), t0);
    m.close();
    EXPECT_FALSE(m.timerFired(t0 + std::chrono::hours(1)));
    m.runStarting(run(5, 1, 100, 1));
    EXPECT_FALSE(m.statusSeen(polled(run(5, 1, 100, 1), 1, 1, 100), t0));
}

} // namespace
} // namespace tavimo::buffering
