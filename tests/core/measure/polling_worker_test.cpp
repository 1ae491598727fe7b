// The polling worker against the simulator: what each screen mode polls, the
// pause handshake, and what a failing controller leaves in the buffers.
#include "../link/sim_line.h"

#include "measure/polling_worker.h"

#include <chrono>
#include <set>
#include <thread>

using namespace tavimo;
using namespace tavimo::measure;
using namespace std::chrono_literals;

namespace {

class Worker : public testkit::SimLine {
protected:
    void SetUp() override
    {
        startLine({0, 2, 3}, 0);
        std::array<int, 8> ids{0, 2, 3, -1, -1, -1, -1, -1};
        active_.setScanned(ids, 3);
        active_.setOnline(true);
    }
    void TearDown() override
    {
        worker_.reset();
        SimLine::TearDown();
    }
    void start(int interval = 40)
    {
        worker_ = std::make_unique<TSdrvThread>(*commands_, active_, shared_, interval, 3);
    }
    // Waits (bounded) until the worker has run `n` more cycles.
    void runCycles(std::uint64_t n)
    {
        auto target = worker_->cycles() + n;
        for (int i = 0; i < 2000 && worker_->cycles() < target; ++i) std::this_thread::sleep_for(1ms);
        ASSERT_GE(worker_->cycles(), target);
    }
    std::set<std::string> mnemonicsSent() const
    {
        std::set<std::string> out;
        for (const auto& r : requests()) out.insert(r.substr(1, 2));
        return out;
    }

    link::ActiveControllers active_;
    SharedData shared_;
    std::unique_ptr<TSdrvThread> worker_;
};

TEST_F(Worker, StartsSuspendedAndResumesOnlyOnline)
{
    start();
    EXPECT_EQ(worker_->currentState(), static_cast<int>(WorkerState::Created));
    EXPECT_TRUE(worker_->pauseWorker()); // suspended already
    active_.setOnline(false);
    EXPECT_TRUE(worker_->resumeWorker());
    EXPECT_TRUE(worker_->suspended());
    active_.setOnline(true);
    EXPECT_TRUE(worker_->resumeWorker());
    EXPECT_EQ(worker_->currentState(), static_cast<int>(WorkerState::Running));
    EXPECT_TRUE(worker_->pauseWorker());
    EXPECT_EQ(worker_->currentState(), static_cast<int>(WorkerState::Paused));
    EXPECT_TRUE(worker_->suspended());
    worker_->requestState(4); // not a request the worker takes
    EXPECT_EQ(worker_->currentState(), static_cast<int>(WorkerState::Paused));
}

TEST_F(Worker, SendsNothingAndBlocksWithoutAMeasurementScreen)
{
    start();
    shared_.screenMode = 0;
    ASSERT_TRUE(worker_->resumeWorker());
    std::this_thread::sleep_for(150ms);
    shared_.screenMode = 2; // waveform screen without collection
    worker_->wake();
    auto before = worker_->cycles();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(sim_->requestCount(), 0u);
    // Idle passes wait on the condition variable: a handful, not thousands.
    EXPECT_LE(worker_->cycles() - before, 10u);
    // A screen opened is served at once after wake().
    shared_.screenMode = 1;
    worker_->wake();
    runCycles(2);
    EXPECT_GT(sim_->requestCount(), 0u);
}

TEST_F(Worker, APauseIsTakenAfterAFailedCommandWithDeadControllers)
{
    std::array<int, 8> ids{0, 5, 6, 7, -1, -1, -1, -1}; // 5, 6 and 7 do not answer
    active_.setScanned(ids, 4);
    start();
    shared_.screenMode = 1;
    ASSERT_TRUE(worker_->resumeWorker());
    // Wait until the worker is busy with the dead controllers.
    for (int i = 0; i < 2000; ++i) {
        auto f = frames();
        if (!f.empty() && f.back()[7] == '5') break;
        std::this_thread::sleep_for(1ms);
    }
    auto sentBefore = sim_->requestCount();
    ASSERT_TRUE(worker_->pauseWorker());
    // At most the two attempts of the command in progress after the request.
    EXPECT_LE(sim_->requestCount() - sentBefore, 2u);
}

TEST_F(Worker, MeasuredValuesOfActiveControllersOnly)
{
    sim_->withController(2, [](sim::ControllerState& c) { c.displayUnit = 1; });
    ASSERT_TRUE(commands_->write(link::cmd::ZS, 3, 0, true));
    shared_.snapshot.controllers[1].value = 42; // not active: never written
    start();
    shared_.screenMode = 1;
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(3);
    ASSERT_TRUE(worker_->pauseWorker());
    EXPECT_EQ(mnemonicsSent(), (std::set<std::string>{"MD", "OT", "ZS", "UT"}));
    std::lock_guard lk(shared_.measureLock);
    EXPECT_EQ(shared_.snapshot.controllers[1].value, 42);
    EXPECT_TRUE(shared_.snapshot.controllers[2].voltageDisplay);
    EXPECT_FALSE(shared_.snapshot.controllers[0].voltageDisplay);
    EXPECT_TRUE(shared_.snapshot.controllers[3].zeroSet);
    EXPECT_FALSE(shared_.snapshot.controllers[0].zeroSet);
}

TEST_F(Worker, AControllerThatStopsAnsweringShowsZeroAndDarkLamps)
{
    sim_->withController(2, [](sim::ControllerState& c) { c.displayUnit = 1; });
    start();
    shared_.screenMode = 1;
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(2);
    sim::Fault silent;
    silent.kind = sim::FaultKind::Silence;
    silent.id = 2;
    sim_->addFault(silent);
    runCycles(3);
    ASSERT_TRUE(worker_->pauseWorker());
    std::lock_guard lk(shared_.measureLock);
    const MeasuredValue& m = shared_.snapshot.controllers[2];
    EXPECT_EQ(m.value, 0.0);
    EXPECT_FALSE(m.hi || m.go || m.lo || m.alarm || m.zeroSet || m.voltageDisplay);
    EXPECT_TRUE(shared_.snapshot.controllers[0].go || shared_.snapshot.controllers[0].hi ||
                shared_.snapshot.controllers[0].lo || shared_.snapshot.controllers[0].value != 0.0);
}

TEST_F(Worker, APauseDuringACycleLeavesTheSnapshotAsItWas)
{
    start();
    shared_.screenMode = 1;
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(2);
    ASSERT_TRUE(worker_->pauseWorker());
    MeasuredSnapshot before;
    {
        std::lock_guard lk(shared_.measureLock);
        before = shared_.snapshot;
    }
    // The next cycle's OT to controller 3 answers late; the pause comes meanwhile.
    sim::Fault late;
    late.kind = sim::FaultKind::Delay;
    late.command = "OT";
    late.id = 3;
    late.ms = 50;
    sim_->addFault(late);
    sim_->withController(0, [](sim::ControllerState& c) { c.displayUnit = 1; });
    ASSERT_TRUE(worker_->resumeWorker());
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(worker_->pauseWorker());
    std::lock_guard lk(shared_.measureLock);
    for (int id : {0, 2, 3}) {
        EXPECT_EQ(shared_.snapshot.controllers[id].voltageDisplay, before.controllers[id].voltageDisplay) << id;
    }
}

TEST_F(Worker, WaveformRingStopsAtThirtySixRecords)
{
    start();
    {
        std::lock_guard lk(shared_.waveLock);
        shared_.collect = true;
    }
    shared_.screenMode = 2;
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(50);
    ASSERT_TRUE(worker_->pauseWorker());
    std::lock_guard lk(shared_.waveLock);
    EXPECT_EQ(shared_.liveCount, kWaveRecordsPerBlock);
    const WaveRecord& r = shared_.liveBlock.records[0];
    EXPECT_EQ(r.slot[0].valid, 1);
    EXPECT_EQ(r.slot[1].valid, 0);
    EXPECT_EQ(r.slot[2].valid, 1);
    EXPECT_EQ(r.elapsed, 0u);
    EXPECT_EQ(mnemonicsSent(), (std::set<std::string>{"MD", "HT", "LT", "OT"}));
}

TEST_F(Worker, BufferingStatusEveryIntervalPlusOneCyclesAndKeptWhenAReadFails)
{
    start(0);
    {
        std::lock_guard lk(shared_.bufferLock);
        shared_.bufferRequest = {2, 0};
        shared_.bufferStatus = {7, 7, 7};
    }
    shared_.screenMode = 3;
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(4);
    ASSERT_TRUE(worker_->pauseWorker());
    auto reqs = requests();
    ASSERT_GE(reqs.size(), 3u);
    EXPECT_EQ(reqs[0], "RBR0");
    EXPECT_EQ(reqs[1], "RBC0");
    EXPECT_EQ(reqs[2], "RBN2"); // not hold mode: selector 2
    {
        std::lock_guard lk(shared_.bufferLock);
        EXPECT_EQ(shared_.bufferStatus.runState, 0);
        shared_.bufferStatus = {7, 7, 7};
    }
    sim::Fault noBc;
    noBc.kind = sim::FaultKind::Silence;
    noBc.command = "BC";
    sim_->addFault(noBc);
    ASSERT_TRUE(worker_->resumeWorker());
    runCycles(2);
    ASSERT_TRUE(worker_->pauseWorker());
    std::lock_guard lk(shared_.bufferLock);
    EXPECT_EQ(shared_.bufferStatus.runState, 7);
    EXPECT_EQ(shared_.bufferStatus.storedCount, 7);
}

} // namespace
