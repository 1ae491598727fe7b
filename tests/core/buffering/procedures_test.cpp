// The buffering procedures against the simulator over a real pty, with the
// polling worker running (idle) and the waits recorded instead of slept.
#include "buffering_fixture.h"
#include "lock_holder.h"

#include "buffering/buffering_failures.h"
#include "buffering/buffering_run.h"
#include "buffering/closing.h"
#include "buffering/controller_selection.h"
#include "buffering/readout.h"

#include <memory>

namespace tavimo::bufferingtest {
namespace {

using namespace buffering;
using batchtest::text;
using shell::Msg;

class Procedures : public BufferingSim {};

std::vector<int> waitMs(const std::vector<Wait>& waits)
{
    std::vector<int> out;
    for (const Wait& w : waits) out.push_back(w.ms);
    return out;
}

TEST_F(Procedures, SelectionReadsTheControllerAndSwitchesItsBufferingOn)
{
    startLine({0, 3});
    onController(3, [](sim::ControllerState& c) {
        c.memory().triggerMode = 1; // external
        c.memory().applicationMode = 2;
        c.memory().holdMode = 3;
        c.memory().average = 14;
        c.buffering.enabled = 0;
        c.buffering.capacity = 60000;
        c.buffering.triggerPoint = 7;
    });
    record_.resetForScreen({1, 70000, 4, 60000});
    sim_->clearLog();
    CompletionMonitor monitor;
    const SelectionResult r = selectBufferingController(line(), 1, monitor);
    EXPECT_EQ(r.code, kCodeOk);
    EXPECT_TRUE(r.selected);
    EXPECT_EQ(r.holdMode, 3);
    EXPECT_EQ(requestsTo(3), (std::vector<std::string>{"RTG0", "RBT0", "WBT10", "RAV0", "RBN0", "RBP0", "RAP0", "RHM0"}));
    ASSERT_EQ(waits_.size(), 2u);
    EXPECT_EQ(waits_[0].ms, 500);
    EXPECT_EQ(waits_[0].afterRequests, 2u); // after the BT read
    EXPECT_EQ(waits_[1].ms, 1279);          // 460 + 0.05 * 16384
    EXPECT_EQ(waits_[1].afterRequests, 4u); // after the BT write and the AV read

    const BufferingState s = state();
    EXPECT_EQ(s.controllerId, 3);
    EXPECT_EQ(s.triggerType, 0);
    EXPECT_EQ(s.maxPoints, 50000); // 60000 is more than the program handles
    EXPECT_EQ(s.controllerTriggerPoint, 7);
    EXPECT_EQ(s.applicationMode, 2);
    EXPECT_EQ(s.holdMode, 3);
    EXPECT_EQ(s.bufferPoints, 50000); // the configured 70000 clamped
    EXPECT_EQ(s.triggerPoint, 50000);
    onController(3, [](sim::ControllerState& c) {
        EXPECT_EQ(c.buffering.enabled, 1);
        EXPECT_EQ(c.buffering.triggerType, 0);
    });
    EXPECT_EQ(watched_.pauses, 1);
    EXPECT_EQ(watched_.resumes, 1);
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(user_.balanced());
    EXPECT_TRUE(lockFree());
}

TEST_F(Procedures, SelectionLeavesAnEnabledControllerAloneAndTakesDefaultsForFailedReads)
{
    startLine({0});
    onController(0, [](sim::ControllerState& c) {
        c.buffering.enabled = 1;
        c.buffering.capacity = 0; // a garbled capacity
        c.memory().triggerMode = 2;
    });
    sim_->addFault({sim::FaultKind::Silence, 0, "RBP", -1});
    sim_->addFault({sim::FaultKind::Silence, 0, "RHM", -1});
    CompletionMonitor monitor;
    EXPECT_EQ(selectBufferingController(line(), 0, monitor).code, kCodeOk);
    EXPECT_TRUE(requestsLike(0, "WBT").empty());
    const BufferingState s = state();
    EXPECT_EQ(s.maxPoints, 50000);
    EXPECT_EQ(s.controllerTriggerPoint, 1);
    EXPECT_EQ(s.holdMode, 0);
    EXPECT_EQ(s.triggerType, 1);
}

TEST_F(Procedures, StartSendsModeRateTriggerPointAndRunInThatOrder)
{
    startLine({0});
    onController(0, [](sim::ControllerState& c) { c.memory().average = 14; });
    editState([](BufferingState& s) {
        s.triggerType = 0;
        s.bufferRate = 4;
        s.bufferPoints = 10000;
        s.triggerPoint = 5;
        s.maxPoints = 50000;
        s.status() = {0, 1, 77};
    });
    sim_->clearLog();
    CompletionMonitor monitor;
    EXPECT_EQ(toggleBuffering(line(), monitor), kCodeOk);
    EXPECT_EQ(requestsTo(0), (std::vector<std::string>{"WBT10", "RAV0", "WBM00004", "WBP000005", "WBR1"}));
    EXPECT_EQ(waitMs(waits_), (std::vector<int>{1279, 500}));
    EXPECT_EQ(waits_[0].afterRequests, 2u); // after BT and AV, before BM
    EXPECT_EQ(waits_[1].afterRequests, 2u);

    const BufferingState s = state();
    EXPECT_EQ(s.controllerTriggerPoint, 5);
    EXPECT_EQ(s.status().runState, 0);
    EXPECT_EQ(s.status().triggerState, 0);
    EXPECT_EQ(s.status().storedCount, 0);
    EXPECT_TRUE(monitor.awaiting());
    EXPECT_TRUE(monitor.armed());
    EXPECT_EQ(monitor.periodMs(), 999); // 4 * 0.025 * 9996
    onController(0, [](sim::ControllerState& c) {
        EXPECT_TRUE(c.run.running(sim::Clock::now()));
        EXPECT_EQ(c.buffering.rate, 4);
        EXPECT_EQ(c.buffering.triggerPoint, 5);
    });
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(lockFree());
}

TEST_F(Procedures, StopWritesTheRunFlagOffAndDisarmsTheTimer)
{
    startLine({0});
    CompletionMonitor monitor;
    ASSERT_EQ(toggleBuffering(line(), monitor), kCodeOk);
    editState([](BufferingState& s) { s.runState = 1; });
    sim_->clearLog();
    EXPECT_EQ(toggleBuffering(line(), monitor), kCodeOk);
    EXPECT_EQ(requestsTo(0), std::vector<std::string>{"WBR0"});
    EXPECT_FALSE(monitor.pending());
    onController(0, [](sim::ControllerState& c) { EXPECT_FALSE(c.run.running(sim::Clock::now())); });
}

TEST_F(Procedures, ReadoutOfFiftyThousandPoints)
{
    startLine({0});
    finishedRun(0, 50000, 2);
    readable(0, 50000);
    sim_->clearLog();
    BufferedData data;
    const ReadoutResult r = readBufferedData(line(), data);
    ASSERT_EQ(r.code, kCodeOk);
    ASSERT_EQ(data.size(), 50000u);
    EXPECT_EQ(data.rate(), 2);
    EXPECT_EQ(state().dataRate, 2);
    const auto blocks = requestsLike(0, "RBB");
    ASSERT_EQ(blocks.size(), 313u);
    EXPECT_EQ(blocks.front(), "RBB000000000159");
    EXPECT_EQ(blocks.back(), "RBB049920049999");
    EXPECT_EQ(requestsTo(0).front(), "RBM0");
    onController(0, [&](sim::ControllerState& c) {
        for (std::size_t k = 0; k < data.size(); k += 997) {
            EXPECT_NEAR(data[k].value, c.run.point(static_cast<long long>(k)), 1e-9) << k;
            EXPECT_NEAR(data[k].position, 0.05 * static_cast<double>(k + 1), 1e-6) << k;
        }
        EXPECT_NEAR(data[49999].value, c.run.point(49999), 1e-9);
    });
    EXPECT_EQ(data.gridRowCount(), 50001u);
    EXPECT_EQ(data.gridCell(50000, 0), "50000");
    EXPECT_EQ(data.gridCell(50001, 1), "");
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(user_.balanced());
    EXPECT_EQ(user_.progressMax, 50000);
    EXPECT_EQ(user_.progressValue, 50000);
}

TEST_F(Procedures, BlocksOfAReadout)
{
    startLine({0});
    for (int points : {1, 160, 161, 321}) {
        finishedRun(0, points);
        readable(0, points);
        sim_->clearLog();
        BufferedData data;
        ASSERT_EQ(readBufferedData(line(), data).code, kCodeOk) << points;
        EXPECT_EQ(data.size(), static_cast<std::size_t>(points));
        const auto blocks = requestsLike(0, "RBB");
        EXPECT_EQ(blocks.size(), static_cast<std::size_t>((points + 159) / 160)) << points;
        if (points == 161) {
            EXPECT_EQ(blocks, (std::vector<std::string>{"RBB000000000159", "RBB000160000160"}));
        }
    }
}

TEST_F(Procedures, PositionsWithAndWithoutHoldMode)
{
    startLine({0});
    finishedRun(0, 3, 4);
    readable(0, 3);
    BufferedData data;
    ASSERT_EQ(readBufferedData(line(), data).code, kCodeOk);
    ASSERT_EQ(data.size(), 3u);
    EXPECT_NEAR(data[0].position, 0.1, 1e-12);
    EXPECT_NEAR(data[1].position, 0.2, 1e-12);
    EXPECT_NEAR(data[2].position, 0.3, 1e-12);

    finishedRun(0, 3, 4, 1);
    readable(0, 3, 1);
    ASSERT_EQ(readBufferedData(line(), data).code, kCodeOk);
    EXPECT_EQ(data[0].position, 0);
    EXPECT_EQ(data[1].position, 1);
    EXPECT_EQ(data[2].position, 2);
}

TEST_F(Procedures, AReadoutThatCannotBeginSendsNothingAndKeepsTheDataShown)
{
    startLine({0});
    finishedRun(0, 100);
    readable(0, 100);
    editState([](BufferingState& s) { s.controllerTriggerPoint = 101; });
    BufferedData data;
    data.append(1, 2);
    sim_->clearLog();
    EXPECT_EQ(readBufferedData(line(), data).code, kCodeReadoutNotPossible);
    EXPECT_TRUE(requestsTo(0).empty());
    EXPECT_EQ(data.size(), 1u);
    EXPECT_EQ(user_.messages.back(), text(Msg::ReadoutNotPossible));
    EXPECT_EQ(watched_.pauses, 0);
}

TEST_F(Procedures, CancelStopsTheReadoutWithinABlockAndEmptiesTheChart)
{
    startLine({0});
    finishedRun(0, 5000);
    readable(0, 5000);
    user_.cancelAfterSets = 3;
    sim_->clearLog();
    BufferedData data;
    EXPECT_EQ(readBufferedData(line(), data).code, kCodeReadoutCancelled);
    EXPECT_EQ(requestsLike(0, "RBB").size(), 4u);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(user_.messages.back(), text(Msg::DataReceiveStopped));
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(lockFree());
    EXPECT_TRUE(user_.balanced());
}

TEST_F(Procedures, ALockFailureAfterACompleteReadoutKeepsTheData)
{
    startLine({0});
    finishedRun(0, 500, 3);
    readable(0, 500);
    editState([](BufferingState& s) { s.dataRate = 1; });
    std::unique_ptr<LockHolder> holder;
    user_.onProgressEnd = [&] { holder = std::make_unique<LockHolder>(shared_.bufferLock); };
    BufferedData data;
    const ReadoutResult r = readBufferedData(line(), data);
    holder.reset();
    EXPECT_EQ(r.code, kCodeSharedBuffer);
    EXPECT_EQ(data.size(), 500u);
    EXPECT_EQ(data.rate(), 3); // saved files get the rate of the points
    EXPECT_EQ(state().dataRate, 1);
    EXPECT_EQ(user_.messages.back(), text(Msg::SharedBufferFailure));
    EXPECT_TRUE(workerRunning());
    EXPECT_EQ(user_.terminations, 0);
}

// Every failure that does not end the program leaves the worker running and
// the buffer lock free, and shows the procedure's message.
TEST_F(Procedures, EveryFailurePathResumesTheWorkerAndReleasesTheLock)
{
    startLine({0});
    struct Case {
        const char* name;
        const char* silent; // command field that gets no answer
        int code;
        Msg message;
        std::function<int()> run;
        bool starts = false;
    };
    CompletionMonitor monitor;
    BufferedData data;
    auto start = [&] {
        editState([](BufferingState& s) { s.runState = 0; });
        return toggleBuffering(line(), monitor);
    };
    auto stop = [&] {
        editState([](BufferingState& s) { s.runState = 1; });
        return toggleBuffering(line(), monitor);
    };
    auto read = [&] {
        finishedRun(0, 400);
        readable(0, 400);
        data.append(1, 1);
        const int code = readBufferedData(line(), data).code;
        EXPECT_TRUE(data.empty());
        return code;
    };
    auto close = [&] { return endBufferingOnClose(line(), true, {0}); };
    const Case cases[] = {
        {"start, BT", "WBT", kCodeSettingTransfer, Msg::SettingSendFailed, start, true},
        {"start, BM", "WBM", kCodeSettingTransfer, Msg::SettingSendFailed, start, true},
        {"start, BR", "WBR", kCodeSettingTransfer, Msg::SettingSendFailed, start, true},
        {"stop, BR", "WBR", kCodeSettingTransfer, Msg::SettingSendFailed, stop},
        {"readout, BM", "RBM", kCodeReadoutFailed, Msg::ReadoutFailed, read},
        {"readout, RBB", "RBB", kCodeReadoutFailed, Msg::ReadoutFailed, read},
        {"closing, BT", "RBT", kCodeSettingTransfer, Msg::BufferingEndFailed, close},
    };
    for (const Case& c : cases) {
        sim_->clearFaults();
        sim_->addFault({sim::FaultKind::Silence, 0, c.silent, -1});
        const int pauses = watched_.pauses, resumes = watched_.resumes;
        EXPECT_EQ(c.run(), c.code) << c.name;
        EXPECT_EQ(user_.messages.back(), text(c.message)) << c.name;
        EXPECT_EQ(watched_.pauses - pauses, watched_.resumes - resumes) << c.name;
        EXPECT_TRUE(workerRunning()) << c.name;
        EXPECT_TRUE(lockFree()) << c.name;
        EXPECT_TRUE(user_.balanced()) << c.name;
        if (c.starts) {
            EXPECT_FALSE(monitor.pending()) << c.name; // a failed start awaits nothing
        }
    }
    EXPECT_EQ(user_.terminations, 0);
}

TEST_F(Procedures, AWorkerThatCannotBePausedEndsTheProgramAndNothingIsSent)
{
    startLine({0});
    finishedRun(0, 10);
    readable(0, 10);
    watched_.refusePause = true;
    sim_->clearLog();
    CompletionMonitor monitor;
    BufferedData data;
    EXPECT_EQ(toggleBuffering(line(), monitor), kCodeWorkerNotPaused);
    EXPECT_EQ(readBufferedData(line(), data).code, kCodeWorkerNotPaused);
    EXPECT_EQ(endBufferingOnClose(line(), true, {0}), kCodeWorkerNotPaused);
    EXPECT_TRUE(requestsTo(0).empty());
    EXPECT_EQ(user_.terminations, 3);
    EXPECT_EQ(user_.messages[0], text(Msg::WorkerPauseFailed));
    EXPECT_EQ(user_.messages[2], text(Msg::ProgramError));
    EXPECT_TRUE(lockFree());
}

TEST_F(Procedures, ClosingReleasesEveryControllerAndAsksAboutRunningOnes)
{
    startLine({0, 1, 2, 3});
    for (int id : {0, 1}) {
        onController(id, [](sim::ControllerState& c) {
            c.buffering.enabled = 1;
            c.buffering.triggerType = 0;
            c.buffering.rate = 32767;
            c.run.begin(sim::Clock::now(), c.buffering, false, c.valueModel());
        });
    }
    onController(2, [](sim::ControllerState& c) { c.buffering.enabled = 1; });
    onController(3, [](sim::ControllerState& c) { c.buffering.enabled = 0; });
    user_.answers = {shell::Answer::Yes, shell::Answer::No};
    sim_->clearLog();
    EXPECT_EQ(endBufferingOnClose(line(), true, {0, 1, 2, 3}), kCodeOk);

    ASSERT_EQ(user_.questions.size(), 2u);
    EXPECT_EQ(user_.questions[0], " ID 0\n" + text(Msg::ConfirmCloseWhileBuffering));
    EXPECT_EQ(user_.questions[1], " ID 1\n" + text(Msg::ConfirmCloseWhileBuffering));
    EXPECT_EQ(requestsTo(0), (std::vector<std::string>{"RBT0", "RBR0"}));
    EXPECT_EQ(requestsTo(1), (std::vector<std::string>{"RBT0", "RBR0", "WBR0", "WBT00", "RAV0"}));
    EXPECT_EQ(requestsTo(2), (std::vector<std::string>{"RBT0", "RBR0", "WBT01", "RAV0"}));
    EXPECT_EQ(requestsTo(3), std::vector<std::string>{"RBT0"});
    onController(0, [](sim::ControllerState& c) {
        EXPECT_TRUE(c.run.running(sim::Clock::now())); // left running, buffering on
        EXPECT_EQ(c.buffering.enabled, 1);
    });
    onController(1, [](sim::ControllerState& c) {
        EXPECT_FALSE(c.run.running(sim::Clock::now()));
        EXPECT_EQ(c.buffering.enabled, 0);
    });
    EXPECT_EQ(waitMs(waits_), (std::vector<int>{463, 463})); // AV 6: 463.2
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(user_.balanced());
}

TEST_F(Procedures, ClosingAScreenOpenedOfflineSendsNothing)
{
    startLine({0});
    sim_->clearLog();
    EXPECT_EQ(endBufferingOnClose(line(), false, {0}), kCodeOk);
    EXPECT_EQ(sim_->requestCount(), 0u);
    EXPECT_EQ(watched_.pauses, 0);
}

TEST_F(Procedures, AFailedReleaseStillReleasesTheOtherControllers)
{
    startLine({0, 1});
    for (int id : {0, 1}) onController(id, [](sim::ControllerState& c) { c.buffering.enabled = 1; });
    sim_->addFault({sim::FaultKind::Silence, 0, "RBR", -1});
    EXPECT_EQ(endBufferingOnClose(line(), true, {0, 1}), kCodeSettingTransfer);
    EXPECT_EQ(user_.messages, std::vector<std::string>{text(Msg::BufferingEndFailed)});
    onController(1, [](sim::ControllerState& c) { EXPECT_EQ(c.buffering.enabled, 0); });
}

} // namespace
} // namespace tavimo::bufferingtest
