// Going online and offline over the simulator: the scan decides the active
// list, failures close the port and say why, the view follows in order, the
// worker is resumed last and paused first.
#include "batch_line.h"

#include "link/going_online.h"
#include "shell/failure_codes.h"

using namespace tavimo;
using namespace tavimo::batchtest;

namespace {

struct RecordingView : link::OnlineView {
    std::vector<std::string> steps;
    std::vector<int> activeSeen;
    void showOnline(bool online) override { steps.push_back(online ? "online" : "offline"); }
    void switchScreen(bool online) override { steps.push_back(online ? "screen-online" : "screen-offline"); }
    void showControllers(const link::ActiveControllers& active) override
    {
        steps.push_back("controllers");
        activeSeen.clear();
        for (int i = 0; i < active.activeCount(); ++i) activeSeen.push_back(active.activeId(i));
    }
    void applyEnablingRules() override { steps.push_back("enabling"); }
};

// A worker that never acknowledges.
struct StuckWorker : link::WorkerControl {
    bool pauses = true, resumes = true;
    bool pauseWorker() override { return pauses; }
    bool resumeWorker() override { return resumes; }
};

class Online : public BatchLine {
protected:
    // The configured row differs from the scan's, to see it put back.
    static constexpr int kConfiguredTimeout = 1;

    link::OnlineLine line() const
    {
        link::OnlineLine l;
        l.port = sim_->portPath();
        l.timeoutIndex = kConfiguredTimeout;
        return l;
    }
    link::OnlineParts parts(link::WorkerControl& worker) { return {commands_, active_, worker, op_, view_}; }
    link::OnlineParts parts() { return parts(*control_); }

    RecordingView view_;
};

TEST_F(Online, ControllersOneAndFourOnlyFormTheActiveList)
{
    startOffline({1, 4});

    EXPECT_EQ(link::goOnline(parts(), line()), 0);

    EXPECT_TRUE(active_.online());
    EXPECT_EQ(active_.activeCount(), 2);
    EXPECT_EQ(active_.activeId(0), 1);
    EXPECT_EQ(active_.activeId(1), 4);
    EXPECT_FALSE(active_.isActive(0));
    EXPECT_TRUE(port_.isOpen());
    EXPECT_EQ(port_.timeoutIndex(), kConfiguredTimeout);
    EXPECT_EQ(view_.steps, (std::vector<std::string>{"online", "screen-online", "controllers", "enabling"}));
    EXPECT_EQ(view_.activeSeen, (std::vector<int>{1, 4}));
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_EQ(op_.progressMax, 8);
    EXPECT_EQ(op_.progressValue, 8);
    EXPECT_TRUE(op_.balanced());

    view_.steps.clear();
    EXPECT_EQ(link::goOffline(parts()), 0);

    EXPECT_FALSE(active_.online());
    EXPECT_FALSE(port_.isOpen());
    EXPECT_TRUE(worker_->suspended());
    EXPECT_EQ(worker_->currentState(), static_cast<int>(measure::WorkerState::Paused));
    EXPECT_EQ(view_.steps, (std::vector<std::string>{"offline", "controllers", "enabling", "screen-offline"}));
    EXPECT_EQ(view_.activeSeen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(active_.activeCount(), 8);
}

TEST_F(Online, NoControllerGives401AndClosesThePort)
{
    startOffline({});

    EXPECT_EQ(link::goOnline(parts(), line()), shell::kCodeScanFailed);

    EXPECT_FALSE(active_.online());
    EXPECT_FALSE(port_.isOpen());
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::NoControllerConnected)});
    EXPECT_EQ(op_.terminations, 0);
    EXPECT_TRUE(view_.steps.empty());
    EXPECT_TRUE(worker_->suspended());
    EXPECT_TRUE(op_.balanced());
    EXPECT_EQ(sim_->requestCount(), 16u); // two attempts of PC per ID
}

TEST_F(Online, PortThatDoesNotOpenGives400)
{
    startOffline({0});
    link::OnlineLine l = line();
    l.port = "/nonexistent/tty";

    EXPECT_EQ(link::goOnline(parts(), l), shell::kCodePortNotOpened);

    EXPECT_FALSE(active_.online());
    EXPECT_FALSE(port_.isOpen());
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::PortOpenFailed)});
    EXPECT_EQ(op_.terminations, 0);
    EXPECT_TRUE(view_.steps.empty());
}

TEST_F(Online, WorkerThatDoesNotResumeGives501AndEnds)
{
    startOffline({0});
    StuckWorker stuck;
    stuck.resumes = false;

    EXPECT_EQ(link::goOnline(parts(stuck), line()), shell::kCodeWorkerNotResumed);

    EXPECT_FALSE(port_.isOpen());
    EXPECT_FALSE(active_.online());
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::OnlineFailed)});
    EXPECT_EQ(op_.terminations, 1);
}

TEST_F(Online, WorkerThatDoesNotPauseGives500AndEnds)
{
    start({0});
    StuckWorker stuck;
    stuck.pauses = false;

    EXPECT_EQ(link::goOffline(parts(stuck)), shell::kCodeWorkerNotPaused);

    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::OfflineFailed)});
    EXPECT_EQ(op_.terminations, 1);
    EXPECT_TRUE(view_.steps.empty());
}

TEST_F(Online, ControllerOfAnOlderVersionIsNotActive)
{
    startOffline({2, 3});
    onController(2, [](sim::ControllerState& c) { c.version = "1.50"; });
    onController(3, [](sim::ControllerState& c) { c.controllerCode = 0x78; }); // outside 100..119

    EXPECT_EQ(link::goOnline(parts(), line()), shell::kCodeScanFailed);
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::NoControllerConnected)});
}

} // namespace
