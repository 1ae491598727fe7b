// The buffering screen's state and actions against the simulator, with the
// polling worker polling the buffering status and a clock set by the test.
#include "buffering_fixture.h"

#include "buffering/buffering_failures.h"
#include "buffering/buffering_rules.h"
#include "buffering/buffering_screen.h"

#include <filesystem>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace tavimo::bufferingtest {
namespace {

using namespace buffering;
using batchtest::text;
using shell::Msg;
using std::chrono::milliseconds;

const MonitorClock::time_point t0{std::chrono::hours(2)};

class Screen : public BufferingSim {
protected:
    BufferScreenConfig config(int points, int rate, int triggerPoint = 1)
    {
        BufferScreenConfig c;
        c.setRunSettings({1, points, rate, triggerPoint});
        return c;
    }

    // Ticks the screen at `now` every 20 ms until `done`, at most 10 s.
    template <class Done> bool tickUntil(BufferingScreen& screen, MonitorClock::time_point now, Done&& done)
    {
        for (int i = 0; i < 500; ++i) {
            screen.statusTick(now);
            if (done()) return true;
            std::this_thread::sleep_for(milliseconds(20));
        }
        return false;
    }

    void pollStatus() { shared_.screenMode = static_cast<int>(measure::ScreenMode::Buffering); }
};

TEST_F(Screen, ARunWithoutHoldEndsWhenTheCompletionTimerHasRunItsPeriod)
{
    startLine({0});
    BufferingScreen screen(line(), config(40000, 32767));
    screen.open();
    pollStatus();
    ASSERT_EQ(screen.toggle(), kCodeOk);
    EXPECT_FALSE(screen.controls().idList);
    // The first tick that sees the run going and the trigger seen starts the timer.
    ASSERT_TRUE(tickUntil(screen, t0, [&] { return screen.monitor().timerRunning(); }));
    EXPECT_EQ(screen.status().run, text(Msg::Executing));
    EXPECT_EQ(screen.status().trigger, text(Msg::TriggerDetect));
    const auto period = milliseconds(completionPeriodMs(32767, 40000, 1));
    ASSERT_TRUE(screen.completionDueAt());
    EXPECT_EQ(*screen.completionDueAt(), t0 + period);

    sim_->clearLog();
    screen.completionTimerFired(t0 + period - milliseconds(1));
    screen.statusTick(t0 + period - milliseconds(1));
    EXPECT_TRUE(requestsLike(0, "WBR").empty());
    screen.completionTimerFired(t0 + period);
    EXPECT_EQ(requestsLike(0, "WBR"), std::vector<std::string>{"WBR0"});
    EXPECT_FALSE(screen.monitor().pending());
    onController(0, [](sim::ControllerState& c) { EXPECT_FALSE(c.run.running(sim::Clock::now())); });
    ASSERT_TRUE(tickUntil(screen, t0 + period, [&] { return screen.controls().read; }));
    EXPECT_TRUE(screen.controls().idList);
    EXPECT_EQ(screen.controls().startStopCaption, text(Msg::Start));
}

TEST_F(Screen, ARunWithHoldEndsWhenTheControllerHoldsItsPoints)
{
    startLine({0});
    onController(0, [](sim::ControllerState& c) { c.memory().holdMode = 1; });
    BufferingScreen screen(line(), config(100, 4));
    screen.open();
    EXPECT_EQ(screen.view().unit(), HorizontalUnit::Points);
    pollStatus();
    ASSERT_EQ(screen.toggle(), kCodeOk);
    bool timerRan = false;
    ASSERT_TRUE(tickUntil(screen, t0, [&] {
        timerRan = timerRan || screen.monitor().timerRunning();
        return !screen.monitor().pending();
    }));
    EXPECT_FALSE(timerRan);
    EXPECT_EQ(requestsLike(0, "WBR"), (std::vector<std::string>{"WBR1", "WBR0"}));
    onController(0, [](sim::ControllerState& c) {
        EXPECT_FALSE(c.run.running(sim::Clock::now()));
        EXPECT_GE(c.run.storedCount(sim::Clock::now()), 100);
    });
    ASSERT_TRUE(tickUntil(screen, t0, [&] { return screen.controls().read; }));
    ASSERT_EQ(screen.read(), kCodeOk);
    EXPECT_EQ(screen.data().size(), 100u);
    EXPECT_EQ(screen.data()[99].position, 99); // point numbers with a hold mode
    EXPECT_TRUE(screen.controls().save);
}

TEST_F(Screen, AnotherControllerCannotBeSelectedWhileARunIsPending)
{
    startLine({0, 1});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open();
    ASSERT_EQ(screen.toggle(), kCodeOk);
    sim_->clearLog();
    screen.selectController(1);
    EXPECT_EQ(state().controllerId, 0);
    EXPECT_EQ(screen.selectedPosition(), 0);
    EXPECT_TRUE(requestsTo(1).empty());
    screen.reselect(); // the same controller, after a batch send: allowed
    EXPECT_FALSE(requestsTo(0).empty());

    editState([](BufferingState& s) { s.runState = 1; });
    ASSERT_EQ(screen.toggle(), kCodeOk); // Stop
    EXPECT_TRUE(screen.controls().idList);
    screen.selectController(1);
    EXPECT_EQ(state().controllerId, 1);
    EXPECT_FALSE(requestsTo(1).empty());
}

TEST_F(Screen, StopEndsTheRunOfTheControllerOpenedWithWhateverThePolledStatusSays)
{
    startLine({0, 1});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open(1);
    EXPECT_EQ(state().controllerId, 1);
    EXPECT_TRUE(requestsTo(0).empty());
    ASSERT_EQ(screen.toggle(), kCodeOk);
    EXPECT_EQ(state().runState, 0); // not polled yet: the button would start again
    sim_->clearLog();
    EXPECT_EQ(screen.stop(), kCodeOk);
    EXPECT_EQ(requestsTo(1), std::vector<std::string>{"WBR0"});
    EXPECT_FALSE(screen.monitor().pending());
}

TEST_F(Screen, AReadoutIsModal)
{
    startLine({0, 1});
    BufferingScreen screen(line(), config(5000, 4));
    screen.open();
    finishedRun(0, 5000);
    readable(0, 5000);
    ASSERT_EQ(screen.toggle(), kCodeOk); // a pending completion the timer would end
    editState([](BufferingState& s) { s.status() = {1, 1, 10}; });
    screen.statusTick(t0);
    ASSERT_TRUE(screen.monitor().timerRunning());
    finishedRun(0, 5000);
    readable(0, 5000);

    const auto tmp = std::filesystem::temp_directory_path() / ("tavimo-modal-" + std::to_string(::getpid()) + ".CSV");
    std::ofstream(tmp) << "h\r\n1, 1.0, 4\r\n";
    int calls = 0;
    bool refusedAll = true;
    user_.onProgressSet = [&] {
        if (user_.progressMax != 5000 || calls++ != 2) return;
        const std::size_t before = sim_->requestCount();
        const BufferingControls c = screen.controls();
        refusedAll = screen.busy() && !(c.startStop || c.read || c.settings || c.idList || c.load || c.save ||
                                        c.view || c.valueCursorBars || c.timeCursorBars);
        refusedAll = refusedAll && screen.toggle() == kCodeRefused;
        screen.selectController(1);
        screen.statusTick(t0 + std::chrono::hours(100));
        screen.completionTimerFired(t0 + std::chrono::hours(100));
        refusedAll = refusedAll && screen.load(tmp, {}) == kCodeRefused;
        refusedAll = refusedAll && screen.close() == kCodeRefused;
        refusedAll = refusedAll && sim_->requestCount() == before && !screen.closed();
    };
    EXPECT_EQ(screen.read(), kCodeOk);
    std::filesystem::remove(tmp);
    EXPECT_GT(calls, 2);
    EXPECT_TRUE(refusedAll);
    EXPECT_EQ(screen.data().size(), 5000u);
    EXPECT_FALSE(screen.busy());
    EXPECT_EQ(state().controllerId, 0);
    // The completion that came due meanwhile is fired by the next tick.
    sim_->clearLog();
    screen.statusTick(t0 + std::chrono::hours(100));
    EXPECT_EQ(requestsLike(0, "WBR"), std::vector<std::string>{"WBR0"});
}

TEST_F(Screen, ClosingStopsTheCompletionTimer)
{
    startLine({0});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open();
    ASSERT_EQ(screen.toggle(), kCodeOk);
    editState([](BufferingState& s) { s.status() = {1, 1, 10}; });
    screen.statusTick(t0);
    ASSERT_TRUE(screen.monitor().timerRunning());
    user_.answers = {shell::Answer::Yes}; // leave it running
    EXPECT_EQ(screen.close(), kCodeOk);
    EXPECT_TRUE(screen.closed());
    EXPECT_EQ(user_.questions.size(), 1u);
    sim_->clearLog();
    screen.completionTimerFired(t0 + std::chrono::hours(1));
    screen.statusTick(t0 + std::chrono::hours(1));
    EXPECT_EQ(sim_->requestCount(), 0u);
    EXPECT_FALSE(screen.controls().startStop);
}

TEST_F(Screen, OfflineTheScreenOnlyShowsFiles)
{
    startOffline({0});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open();
    EXPECT_EQ(screen.ids().size(), 8u);
    EXPECT_EQ(screen.idLabels()[7], " ID 7");
    const BufferingControls c = screen.controls();
    EXPECT_FALSE(c.startStop);
    EXPECT_FALSE(c.read);
    EXPECT_FALSE(c.settings);
    EXPECT_FALSE(c.idList);
    EXPECT_TRUE(c.load);
    EXPECT_FALSE(c.save);
    EXPECT_EQ(c.startStopCaption, "Execute");
    EXPECT_EQ(screen.toggle(), kCodeRefused);
    EXPECT_EQ(screen.openSettings([] {}), kCodeRefused);
    EXPECT_EQ(user_.messages.back(), text(Msg::DoItOnline));
    EXPECT_EQ(screen.close(), kCodeOk);
    EXPECT_EQ(sim_->requestCount(), 0u);
}

TEST_F(Screen, LoadKeepsTheDataShownWhenTheFileIsRefusedAndSaveWritesIt)
{
    startOffline({0});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open();
    const auto dir = std::filesystem::temp_directory_path() / ("tavimo-screen-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "GOOD.CSV") << "h\r\n1, 1.5, 8\r\n2, 2.5, 8\r\n";
    std::ofstream(dir / "BAD.CSV") << "h\r\n1, 1.5, 8\r\n2, x, 8\r\n";

    ASSERT_EQ(screen.load(dir / "GOOD.CSV", {}), kCodeOk);
    EXPECT_EQ(screen.data().size(), 2u);
    EXPECT_EQ(state().dataRate, 8);
    EXPECT_EQ(screen.view().replay().max, 2);
    EXPECT_TRUE(screen.controls().save);
    EXPECT_EQ(screen.load(dir / "BAD.CSV", {}), kCodeFileRead);
    EXPECT_EQ(user_.messages.back(), text(Msg::FileReadFailed));
    EXPECT_EQ(screen.load(dir / "NONE.CSV", {}), kCodeFileNotFound);
    EXPECT_EQ(user_.messages.back(), text(Msg::FileNotFound));
    EXPECT_EQ(screen.data().size(), 2u);
    EXPECT_EQ(screen.data()[1].value, 2.5);

    ASSERT_EQ(screen.save(dir / "OUT.CSV", shell::Language::English, {}), kCodeOk);
    std::ifstream in(dir / "OUT.CSV", std::ios::binary);
    const std::string saved(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(saved, "Line number, Measured value 1, Sampling rate\r\n1, 1.5000, 8\r\n2, 2.5000, 8\r\n");
    const BufferScreenConfig kept = screen.configToSave();
    EXPECT_EQ(kept.DATABUFF_OPENFOLDER, dir.string());
    EXPECT_EQ(kept.DATABUFF_SAVEFOLDER, dir.string());
    EXPECT_EQ(kept.runSettings(), (RunSettings{1, 1000, 4, 1}));
    EXPECT_EQ(user_.terminations, 0);
    std::filesystem::remove_all(dir);
}

TEST_F(Screen, ReadStaysOffUntilEnoughPointsAreHeld)
{
    startLine({0});
    BufferingScreen screen(line(), config(1000, 4));
    screen.open();
    editState([](BufferingState& s) {
        s.controllerTriggerPoint = 500;
        s.status() = {0, 1, 499};
    });
    screen.statusTick(t0);
    EXPECT_FALSE(screen.controls().read);
    EXPECT_TRUE(screen.controls().settings);
    EXPECT_EQ(screen.status().count, "499");
    editState([](BufferingState& s) { s.status() = {0, 1, 500}; });
    screen.statusTick(t0);
    EXPECT_TRUE(screen.controls().read);
    editState([](BufferingState& s) { s.status() = {1, 1, 600}; });
    screen.statusTick(t0);
    EXPECT_FALSE(screen.controls().read);
    EXPECT_FALSE(screen.controls().settings);
    EXPECT_EQ(screen.controls().startStopCaption, text(Msg::Stop));
}

} // namespace
} // namespace tavimo::bufferingtest
