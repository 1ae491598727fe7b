// The waveform screen's state machine: against the simulator with the real
// polling worker (tick wrap, the bound of 256 blocks, the 5-minute stop),
// and with hand-made live blocks for replay, loading and the fields.
#include "../files/temp_folder.h"
#include "../link/sim_line.h"
#include "wave_blocks.h"

#include "measure/polling_worker.h"
#include "waveform/tmd_file.h"
#include "waveform/wave_acquisition.h"

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

using namespace tavimo;
using namespace tavimo::waveform;
using namespace std::chrono_literals;

namespace {

// ---------------------------------------------------------------------------
// Against the simulator.

class LiveCapture : public testkit::SimLine {
protected:
    void SetUp() override
    {
        startLine({0, 2}, 0);
        active_.setScanned({0, 2, -1, -1, -1, -1, -1, -1}, 2);
        active_.setOnline(true);
        shared_.screenMode = static_cast<int>(measure::ScreenMode::Waveform);
    }
    void TearDown() override
    {
        acquisition_.reset();
        worker_.reset();
        SimLine::TearDown();
    }
    // Worker ticks start at `first` and advance by `step` per waveform cycle.
    void start(std::uint32_t first, std::uint32_t step)
    {
        tick_ = first;
        step_ = step;
        worker_ = std::make_unique<measure::TSdrvThread>(*commands_, active_, shared_, 40, 3,
                                                          [this] { return tick_.fetch_add(step_); });
        acquisition_ = std::make_unique<WaveAcquisition>(shared_, active_);
        ASSERT_TRUE(acquisition_->toggleCollect());
        ASSERT_EQ(acquisition_->state(), AcquisitionState::Collecting);
        ASSERT_TRUE(worker_->resumeWorker());
    }
    // Waits (bounded) for the worker's next sample, then runs a display tick.
    TickResult tickWithSamples()
    {
        for (int i = 0; i < 5000; ++i) {
            {
                std::lock_guard lk(shared_.waveLock);
                if (shared_.liveCount > 0) break;
            }
            std::this_thread::sleep_for(1ms);
        }
        return acquisition_->tick();
    }

    link::ActiveControllers active_;
    measure::SharedData shared_;
    std::atomic<std::uint32_t> tick_{0};
    std::uint32_t step_ = 1;
    std::unique_ptr<measure::TSdrvThread> worker_;
    std::unique_ptr<WaveAcquisition> acquisition_;
};

TEST_F(LiveCapture, ElapsedAndStepStayTrueAcrossTheTickWrap)
{
    start(0xFFFFFFFFu - 1500, 97);
    bool wrapped = false;
    for (int i = 0; i < 200 && !(wrapped && acquisition_->archive().size() >= 4); ++i) {
        ASSERT_TRUE(tickWithSamples().lockObtained);
        const WaveBlock& b = acquisition_->archive().back();
        wrapped = wrapped || b.records[static_cast<std::size_t>(b.count - 1)].tick < 0x80000000u;
    }
    ASSERT_TRUE(wrapped);
    ASSERT_TRUE(worker_->pauseWorker());

    const WaveArchive& a = acquisition_->archive();
    std::uint32_t previousBlockEnd = 0;
    std::uint32_t last = 0;
    std::size_t records = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const WaveBlock& b = a.block(k);
        for (int i = 0; i < b.count; ++i) {
            const WaveRecord& r = b.records[static_cast<std::size_t>(i)];
            EXPECT_EQ(r.elapsed, static_cast<std::uint32_t>(r.tick - a.startTick()));
            EXPECT_EQ(r.elapsed % 97, 0u);
            if (k + i > 0) {
                EXPECT_GT(r.elapsed, last); // never a jump back or to 4 billion
            }
            EXPECT_LT(r.elapsed, 1000000u);
            EXPECT_EQ(r.step, static_cast<std::int32_t>(r.elapsed - previousBlockEnd));
            EXPECT_EQ(r.slot[0].valid, 1);
            EXPECT_EQ(r.slot[1].valid, 0);
            last = r.elapsed;
            ++records;
        }
        previousBlockEnd = lastElapsed(b);
    }
    EXPECT_EQ(acquisition_->plot().controllers[0].size(), records);
    EXPECT_EQ(acquisition_->plot().controllers[2].back().x, static_cast<double>(last));
    EXPECT_TRUE(acquisition_->plot().controllers[1].empty());
}

TEST_F(LiveCapture, The257thBlockDropsTheOldest)
{
    start(5000, 10);
    std::vector<std::uint32_t> firstTicks;
    std::size_t records = 0;
    for (int i = 0; i < 257; ++i) {
        const TickResult r = tickWithSamples();
        ASSERT_TRUE(r.archived) << "tick " << i;
        firstTicks.push_back(acquisition_->archive().back().records[0].tick);
        records += static_cast<std::size_t>(r.plottedRecords);
    }
    ASSERT_TRUE(worker_->pauseWorker());
    const WaveArchive& a = acquisition_->archive();
    ASSERT_EQ(a.size(), 256u);
    EXPECT_EQ(a.block(0).records[0].tick, firstTicks[1]);
    EXPECT_EQ(a.back().records[0].tick, firstTicks[256]);
    EXPECT_EQ(a.startTick(), 5000u); // elapsed still counts from the first record
    EXPECT_EQ(a.block(0).records[0].elapsed, firstTicks[1] - 5000u);
    EXPECT_EQ(acquisition_->trackBar().selectionEnd, 256);
    EXPECT_EQ(acquisition_->plot().controllers[0].size(), records); // the chart keeps everything
}

TEST_F(LiveCapture, StopsByItselfInTheTickThatReachesFiveMinutes)
{
    start(123, 1000);
    TickResult last;
    double axisBefore = 0;
    for (int i = 0; i < 3000 && acquisition_->state() == AcquisitionState::Collecting; ++i) {
        axisBefore = acquisition_->axes().time.max;
        const std::size_t blocks = acquisition_->archive().size();
        last = tickWithSamples();
        if (last.stopped) {
            EXPECT_EQ(acquisition_->archive().size(), std::min<std::size_t>(blocks + 1, 256));
        } else {
            EXPECT_LT(axisBefore, kAutoStopMs);
        }
    }
    ASSERT_EQ(acquisition_->state(), AcquisitionState::Idle);
    EXPECT_TRUE(last.stopped);
    EXPECT_TRUE(last.archived); // that tick's block is still archived and plotted
    EXPECT_GT(last.plottedRecords, 0);
    EXPECT_GE(axisBefore, kAutoStopMs);
    EXPECT_FALSE(acquisition_->timerActive());
    EXPECT_EQ(acquisition_->plot().controllers[0].back().x, double(lastElapsed(acquisition_->archive().back())));
    {
        std::lock_guard lk(shared_.waveLock);
        EXPECT_FALSE(shared_.collect);
    }
    const std::size_t points = acquisition_->plot().controllers[0].size();
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(acquisition_->tick().archived); // nothing more once stopped
    EXPECT_EQ(acquisition_->plot().controllers[0].size(), points);
    EXPECT_TRUE(acquisition_->controls().replayButton);
}

// ---------------------------------------------------------------------------
// With hand-made live blocks (the worker's part played by the test).

class Screen : public ::testing::Test {
protected:
    void SetUp() override
    {
        active_.setScanned({0, 1, -1, -1, -1, -1, -1, -1}, 2);
        active_.setOnline(true);
    }
    // One worker cycle: a record of controllers 0 and 1 at `tick`.
    void sample(std::uint32_t tick, double value)
    {
        std::lock_guard lk(shared_.waveLock);
        auto& r = shared_.liveBlock.records[static_cast<std::size_t>(shared_.liveCount++)];
        r.tick = tick;
        for (std::size_t id : {0u, 1u}) {
            r.slot[id].valid = 1;
            r.slot[id].value = value;
        }
    }
    // A capture of `blocks` blocks of 3 samples 100 ms apart.
    void capture(int blocks)
    {
        ASSERT_TRUE(acq_.toggleCollect());
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < 3; ++i) sample(1000 + 300u * b + 100u * i, b);
            ASSERT_TRUE(acq_.tick().archived);
        }
        ASSERT_TRUE(acq_.toggleCollect());
        ASSERT_EQ(acq_.state(), AcquisitionState::Idle);
    }
    // Holds the waveform lock on another thread until the returned promise is set.
    std::thread holdLock(std::promise<void>& release)
    {
        std::promise<void> held;
        auto heldFuture = held.get_future();
        std::thread t([&, h = std::move(held)]() mutable {
            std::lock_guard lk(shared_.waveLock);
            h.set_value();
            release.get_future().wait();
        });
        heldFuture.wait();
        return t;
    }

    link::ActiveControllers active_;
    measure::SharedData shared_;
    WaveAcquisition acq_{shared_, active_};
};

TEST_F(Screen, CollectNeedsTheLineAndAnEmptyTickDoesNothing)
{
    active_.setOnline(false);
    EXPECT_TRUE(acq_.toggleCollect());
    EXPECT_EQ(acq_.state(), AcquisitionState::Idle);
    EXPECT_FALSE(acq_.controls().collectButton);
    active_.setOnline(true);
    ASSERT_TRUE(acq_.toggleCollect());
    EXPECT_TRUE(acq_.timerActive());
    EXPECT_EQ(acq_.timerIntervalMs(), 250);
    const TickResult r = acq_.tick();
    EXPECT_TRUE(r.lockObtained);
    EXPECT_FALSE(r.archived);
    sample(7, 1.5);
    EXPECT_EQ(acq_.tick().plottedRecords, 1);
    std::lock_guard lk(shared_.waveLock);
    EXPECT_EQ(shared_.liveCount, 0); // taken out and handed back empty
    EXPECT_EQ(shared_.liveBlock.records[0].tick, 0u);
    EXPECT_EQ(shared_.liveBlock.records[0].slot[0].valid, 0);
}

TEST_F(Screen, ReplayPlaysEveryBlockAtTheCaptureIntervalThenStops)
{
    ASSERT_TRUE(acq_.setInterval(300));
    capture(3);
    EXPECT_EQ(acq_.archive().header().captureInterval, 300);
    ASSERT_TRUE(acq_.setInterval(150));
    const auto captured = acq_.plot().controllers;
    ASSERT_TRUE(acq_.toggleReplay());
    EXPECT_EQ(acq_.state(), AcquisitionState::Replaying);
    EXPECT_EQ(acq_.timerIntervalMs(), 300);
    EXPECT_EQ(acq_.plot().pointCount(), 0u);
    EXPECT_FALSE(acq_.moveTrackBar(2)); // ignored while replaying
    EXPECT_FALSE(acq_.setWidth(10));

    EXPECT_EQ(acq_.tick().plottedRecords, 3);
    EXPECT_EQ(acq_.trackBar().position, 1);
    EXPECT_EQ(acq_.tick().plottedRecords, 3);
    EXPECT_EQ(acq_.trackBar().position, 2);
    const TickResult last = acq_.tick();
    EXPECT_TRUE(last.stopped);
    EXPECT_EQ(last.plottedRecords, 3); // the last block is shown in the tick that stops
    EXPECT_EQ(acq_.state(), AcquisitionState::Idle);
    EXPECT_EQ(acq_.timerIntervalMs(), 150);
    EXPECT_EQ(acq_.plot().controllers, captured);
    std::lock_guard lk(shared_.waveLock);
    EXPECT_EQ(shared_.liveCount, 0); // replay never touches the worker's block
}

TEST_F(Screen, ALoadedFileReplacesTheArchiveOnlyWhenItIsGood)
{
    files::testing::TempFolder dir;
    const WaveArchive file = samples::patternArchive(5);
    ASSERT_EQ(saveTmdFile(dir / "good.TMD", file), WaveFileError::None);
    std::string bytes = tmdBytes(file);
    bytes.resize(bytes.size() - 1);
    files::testing::writeAll(dir / "bad.TMD", bytes);

    capture(2);
    const std::string capturedBytes = tmdBytes(acq_.archive());
    const auto plotted = acq_.plot().pointCount();
    EXPECT_EQ(acq_.loadFile(dir / "bad.TMD"), WaveFileError::CannotRead);
    EXPECT_EQ(tmdBytes(acq_.archive()), capturedBytes); // the unsaved capture survives
    EXPECT_EQ(acq_.plot().pointCount(), plotted);

    ASSERT_TRUE(acq_.moveTrackBar(1));
    ASSERT_EQ(acq_.loadFile(dir / "good.TMD"), WaveFileError::None);
    EXPECT_EQ(tmdBytes(acq_.archive()), tmdBytes(file));
    EXPECT_EQ(acq_.trackBar(), (TrackBarState{0, 5}));
    EXPECT_EQ(acq_.plot().pointCount(), 0u);
    EXPECT_EQ(acq_.axes().time, (AxisSpan{0, 5000}));
    EXPECT_TRUE(acq_.controls().replayButton);

    ASSERT_TRUE(acq_.toggleCollect()); // a new capture discards the loaded archive
    EXPECT_TRUE(acq_.archive().empty());
    EXPECT_EQ(acq_.loadFile(dir / "good.TMD"), WaveFileError::CannotOpen); // not while collecting
}

TEST_F(Screen, ABusyLockMakesClicksAndTicksDoNothing)
{
    ASSERT_TRUE(acq_.toggleCollect());
    sample(5, 1);
    std::promise<void> release;
    std::thread holder = holdLock(release);
    EXPECT_FALSE(acq_.tick().lockObtained);
    EXPECT_FALSE(acq_.toggleCollect());
    EXPECT_EQ(acq_.state(), AcquisitionState::Collecting);
    release.set_value();
    holder.join();
    EXPECT_TRUE(acq_.tick().archived);
}

TEST_F(Screen, FieldRulesAndTheirLockWhileRunning)
{
    WaveAcquisition& a = acq_;
    ASSERT_TRUE(a.setVerticalMax(2.0));
    ASSERT_TRUE(a.setVerticalMin(3.0)); // not below the maximum: the minimum goes to -1000
    EXPECT_EQ(a.fields().VERTICAL_MIN, -1000);
    EXPECT_EQ(a.axes().value, (AxisSpan{-1000, 2}));
    ASSERT_TRUE(a.setVerticalMin(10.0 - 20.0));
    ASSERT_TRUE(a.setVerticalMax(-50)); // not above the minimum: the maximum goes to 1000
    EXPECT_EQ(a.axes().valueRange, (AxisSpan{-10, 1000}));
    ASSERT_TRUE(a.setVerticalMin(900));
    ASSERT_TRUE(a.restoreValueRange()); // both defaults, even from a high minimum
    EXPECT_EQ(a.axes().value, (AxisSpan{0, 5}));
    EXPECT_TRUE(a.setWidth(500));
    EXPECT_EQ(a.fields().HORIZONTAL, 90);
    EXPECT_TRUE(a.restoreWidth());
    EXPECT_EQ(a.axes().time, (AxisSpan{0, 5000}));
    EXPECT_TRUE(a.setInterval(20));
    EXPECT_EQ(a.timerIntervalMs(), 100);
    EXPECT_FALSE(a.setSelectedId(8));

    ASSERT_TRUE(a.toggleCollect());
    for (bool refused : {a.setInterval(300), a.setWidth(3), a.restoreWidth(), a.setVerticalMax(9), a.restoreValueRange(),
                         a.setOutputPosition(1), a.setSelectedId(1), a.setLimitLines(true), a.setPlotted(0, false),
                         a.afterZoom({0, 1}, {0, 1}), a.panTime(0, 1)})
        EXPECT_FALSE(refused);
    a.setTimeCursors(true); // the cursor boxes stay usable
    EXPECT_TRUE(a.fields().TIME_CURSOR);
    const WaveControls c = a.controls();
    EXPECT_EQ(c, (WaveControls{.collectButton = true, .collectShowsStop = true}));
}

TEST_F(Screen, ControlsWhenIdle)
{
    ASSERT_TRUE(acq_.setJudgementBars(true));
    WaveControls c = acq_.controls();
    EXPECT_TRUE(c.collectButton && !c.collectShowsStop);
    EXPECT_FALSE(c.replayButton || c.saveButton || c.trackBar); // nothing archived
    EXPECT_TRUE(c.selectId && c.outputPosition && c.loadButton && c.headBoxes && c.zoomPan);
    EXPECT_FALSE(c.valueScrollBars || c.timeScrollBars);
    capture(1);
    acq_.setValueCursors(true);
    ASSERT_TRUE(acq_.setJudgementBars(false));
    c = acq_.controls();
    EXPECT_TRUE(c.replayButton && c.saveButton && c.trackBar && c.valueScrollBars);
    EXPECT_FALSE(c.selectId || c.outputPosition || c.timeScrollBars);
}

TEST_F(Screen, TrackBarCentresOnABlockAndShutdownDiscardsEverything)
{
    ASSERT_TRUE(acq_.setWidth(2)); // 200 ms window
    capture(3);                    // blocks start at elapsed 0, 300, 600
    ASSERT_TRUE(acq_.moveTrackBar(2));
    EXPECT_EQ(acq_.axes().time, (AxisSpan{500, 700}));
    ASSERT_TRUE(acq_.moveTrackBar(0));
    EXPECT_EQ(acq_.axes().time, (AxisSpan{0, 200}));
    ASSERT_TRUE(acq_.moveTrackBar(200)); // beyond the archive: position only
    EXPECT_EQ(acq_.trackBar().position, 200);
    EXPECT_EQ(acq_.axes().time, (AxisSpan{0, 200}));

    ASSERT_TRUE(acq_.toggleReplay());
    acq_.shutdown();
    EXPECT_EQ(acq_.state(), AcquisitionState::Idle);
    EXPECT_TRUE(acq_.archive().empty());
    EXPECT_EQ(acq_.plot().pointCount(), 0u);
    std::lock_guard lk(shared_.waveLock);
    EXPECT_FALSE(shared_.collect || shared_.replay);
}

} // namespace
