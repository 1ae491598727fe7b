#include "window/precondition_checks.h"

#include "../batch/scripted_operator.h"
#include "counting_worker.h"
#include "shell/catalog.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

namespace tavimo::window {
namespace {

using shell::Msg;

class PreconditionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::SimulatorOptions o;
        o.ids = {0, 2, 5};
        sim_ = std::make_unique<sim::Simulator>(o);
        ASSERT_TRUE(sim_->start());
        ASSERT_TRUE(port_.openPort(sim_->portPath(), "19200", "O", link::kTimeoutIndexScan, false, false, "1", "8"));
        active_.setScanned({0, 2, 5, -1, -1, -1, -1, -1}, 3);
        active_.setOnline(true);
        for (int id : {0, 2, 5}) setTrigger(id, 2);
    }
    void TearDown() override
    {
        port_.closePort();
        sim_->stop();
    }

    void setTrigger(int id, int mode)
    {
        sim_->withController(id, [mode](sim::ControllerState& c) { c.memory().triggerMode = mode; });
    }
    std::string text(Msg m) const { return shell::Catalog::instance().text(m); }
    settings::OperationContext context() { return {commands_, active_, worker_, shared_, op_}; }

    std::unique_ptr<sim::Simulator> sim_;
    link::SerialPort port_;
    link::Link link_{port_};
    link::CommandSet commands_{link_};
    link::ActiveControllers active_;
    measure::SharedData shared_;
    testkit::CountingWorker worker_;
    batchtest::ScriptedOperator op_;
};

TEST_F(PreconditionTest, LoggingPassesWithTriggersAndNoCalculation)
{
    setTrigger(5, 1);
    auto ctx = context();
    const PreconditionResult r = checkLoggingPreconditions(ctx);
    EXPECT_TRUE(r.passed);
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_EQ(worker_.pauses, 2); // one pause per check
    EXPECT_EQ(worker_.resumes, 2);
    EXPECT_TRUE(op_.balanced());
}

TEST_F(PreconditionTest, RunningCalculationStopsLoggingBeforeTheTriggerCheck)
{
    sim_->withController(2, [](sim::ControllerState& c) {
        c.calcMode = 1;
        c.calcPartner = 5;
    });
    setTrigger(0, 3); // would fail the second check too
    auto ctx = context();
    EXPECT_FALSE(checkLoggingPreconditions(ctx).passed);
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0], text(Msg::LoggingCalculationRunning));
    EXPECT_EQ(worker_.pauses, 1);
}

TEST_F(PreconditionTest, NoneOrCyclicTriggerRefusesLogging)
{
    for (int mode : {0, 3}) {
        setTrigger(5, mode);
        op_.messages.clear();
        auto ctx = context();
        EXPECT_FALSE(checkLoggingPreconditions(ctx).passed);
        ASSERT_EQ(op_.messages.size(), 1u);
        EXPECT_EQ(op_.messages[0], text(Msg::LoggingTriggerNotAllowed));
    }
}

TEST_F(PreconditionTest, WorkerThatWillNotPauseEndsTheApplication)
{
    worker_.refusePause = true;
    auto ctx = context();
    const PreconditionResult r = checkLoggingPreconditions(ctx);
    EXPECT_EQ(r.code, 500);
    EXPECT_EQ(op_.terminations, 1);
    EXPECT_TRUE(op_.balanced());
    worker_.refusePause = false;
    worker_.refuseResume = true;
    EXPECT_EQ(checkCalculationPrecondition(ctx).code, 501);
}

TEST_F(PreconditionTest, CalculationNeedsManualModeWithoutHoldOrTrigger)
{
    for (int id : {0, 2, 5}) setTrigger(id, 0);
    auto ctx = context();
    EXPECT_TRUE(checkCalculationPrecondition(ctx).passed);
    sim_->withController(5, [](sim::ControllerState& c) { c.memory().holdMode = 2; });
    EXPECT_FALSE(checkCalculationPrecondition(ctx).passed);
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0], text(Msg::CalculationNotAllowed));
}

TEST_F(PreconditionTest, OfflineLoggingPassesAndCalculationAsksForOnline)
{
    active_.setOnline(false);
    auto ctx = context();
    EXPECT_TRUE(checkLoggingPreconditions(ctx).passed);
    EXPECT_FALSE(checkCalculationPrecondition(ctx).passed);
    ASSERT_EQ(op_.messages.size(), 1u);
    EXPECT_EQ(op_.messages[0], text(Msg::DoItOnline));
    EXPECT_EQ(worker_.pauses, 0);
    EXPECT_TRUE(sim_->requestFrames().empty());
}

} // namespace
} // namespace tavimo::window
