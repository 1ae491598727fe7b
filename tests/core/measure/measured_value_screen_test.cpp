// The measured-value screen's logic: formatting, panel stacking, the actions.
#include "../batch/batch_line.h"

#include "measure/measured_value_screen.h"
#include "shell/failure_codes.h"

#include <thread>

using namespace tavimo;
using namespace tavimo::measure;
using batchtest::text;

namespace {

TEST(MeasuredValueText, SignFourDecimalsAndAPlainZero)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {{12.34567, "+12.3457"}, {-1.5, "-1.5000"}, {100, "+100.0000"}, {0, "0.0000"},
                 {-0.00001, "0.0000"},   {0.00005, "+0.0001"}, {-999.9999, "-999.9999"}, {0.5, "+0.5000"}};
    for (const auto& c : cases) EXPECT_EQ(formatMeasuredValue(c.value), c.text) << c.value;
}

TEST(MeasuredValuePanels, ConnectedControllersStackFromTheTop)
{
    link::ActiveControllers active;
    active.setScanned({0, 3, 5, -1, -1, -1, -1, -1}, 3);
    active.setOnline(true);
    auto layout = stackPanels(active, 100);
    EXPECT_EQ(layout.panels, (std::vector<std::pair<int, int>>{{0, 8}, {3, 40}, {5, 72}}));
    EXPECT_EQ(layout.groupTop, 106);
    EXPECT_EQ(layout.windowHeight, 100 + 106 + 32);
}

TEST(MeasuredValuePanels, TickShowsTheSnapshotOfConnectedControllers)
{
    link::ActiveControllers active;
    active.setScanned({1, 4, -1, -1, -1, -1, -1, -1}, 2);
    active.setOnline(true);
    SharedData shared;
    shared.snapshot.controllers[1] = {12.34567, true, false, false, false, true, true};
    shared.snapshot.controllers[4] = {}; // stopped answering: zero, dark
    auto panels = displayTick(shared, active);
    ASSERT_TRUE(panels);
    ASSERT_EQ(panels->size(), 2u);
    EXPECT_EQ((*panels)[0].value, "+12.3457");
    EXPECT_TRUE((*panels)[0].hi && (*panels)[0].zero && (*panels)[0].volt);
    EXPECT_EQ((*panels)[1].value, "0.0000");
    EXPECT_FALSE((*panels)[1].hi || (*panels)[1].go || (*panels)[1].lo || (*panels)[1].zero || (*panels)[1].volt);

    // A busy lock skips the tick.
    std::thread holder([&] {
        std::lock_guard lk(shared.measureLock);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(displayTick(shared, active));
    holder.join();
}

class MeasureActions : public batchtest::BatchLine {};

TEST_F(MeasureActions, EachActionSendsItsCommandToCheckedControllersOnly)
{
    struct Case {
        MeasureAction action;
        const char* frame;
    } cases[] = {{MeasureAction::Distance, "WUT0"}, {MeasureAction::Voltage, "WUT1"}, {MeasureAction::HiTeach, "WHC0"},
                 {MeasureAction::LoTeach, "WLC0"},  {MeasureAction::ZeroSet, "WZS0"}, {MeasureAction::ZeroCancel, "WZS1"}};
    start({0, 2, 3});
    check({0, 3});
    for (const auto& c : cases) {
        sim_->clearLog();
        pauses_.clear();
        op_.answers = {shell::Answer::Yes};
        auto ctx = context();
        EXPECT_EQ(runMeasureAction(ctx, c.action), 0);
        EXPECT_EQ(writesTo(0), std::vector<std::string>{c.frame}) << c.frame;
        EXPECT_EQ(writesTo(3), std::vector<std::string>{c.frame}) << c.frame;
        EXPECT_TRUE(writesTo(2).empty());
        EXPECT_EQ(pauses_, (std::vector<int>{batchtest::kTestSendInterval, batchtest::kTestSendInterval}));
    }
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(MeasureActions, NoToTheVoltageQuestionSendsNothing)
{
    start({0, 2});
    op_.answers = {shell::Answer::No};
    auto ctx = context();
    EXPECT_EQ(runMeasureAction(ctx, MeasureAction::Voltage), 0);
    EXPECT_EQ(op_.questions, std::vector<std::string>{text(shell::Msg::ConfirmDisplayScaleChange)});
    EXPECT_TRUE(writesTo(0).empty());
    EXPECT_EQ(op_.progressBegins, 0);
}

TEST_F(MeasureActions, NothingCheckedStillPausesStepsAndResumes)
{
    start({0, 2});
    check({});
    auto ctx = context();
    EXPECT_EQ(runMeasureAction(ctx, MeasureAction::ZeroSet), 0);
    EXPECT_TRUE(writesTo(0).empty() && writesTo(2).empty());
    EXPECT_EQ(op_.progressBegins, 1);
    EXPECT_EQ(op_.progressValue, op_.progressMax);
    EXPECT_TRUE(pauses_.empty());
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(MeasureActions, AFailingControllerIsReportedAndTheNextOneServed)
{
    start({0, 2, 3});
    check({0, 2, 3});
    sim::Fault f;
    f.kind = sim::FaultKind::Silence;
    f.id = 2;
    sim_->addFault(f);
    auto ctx = context();
    ctx.sendIntervalMs = 50000; // clamped to 10 s when used
    EXPECT_EQ(runMeasureAction(ctx, MeasureAction::ZeroSet), 0);
    EXPECT_EQ(op_.messages, std::vector<std::string>{shell::controllerMessage(2, shell::Msg::ErrorSkipController)});
    EXPECT_EQ(writesTo(3), std::vector<std::string>{"WZS0"});
    EXPECT_EQ(pauses_, (std::vector<int>{10000, 10000, 10000}));
    EXPECT_TRUE(workerRunning());
}

} // namespace
