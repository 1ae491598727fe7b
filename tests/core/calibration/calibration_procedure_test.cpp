// The three-point calibration against the simulator.
#include "../batch/batch_line.h"

#include "calibration/calibration_procedure.h"
#include "shell/failure_codes.h"

using namespace tavimo;
using namespace tavimo::calibration;
using batchtest::text;
using shell::Msg;

namespace {

class Calibration : public batchtest::BatchLine {
protected:
    std::vector<std::string> cgFrames() const { return writesStartingWith(2, "WCG"); }
};

TEST_F(Calibration, OneStepPerButtonInOrderThenTheDoneMessage)
{
    for (auto target : {CalibrationTarget::AllMemories, CalibrationTarget::CurrentMemory}) {
        start({0, 2});
        auto ctx = context();
        CalibrationProcedure p(ctx, 2);
        p.setTarget(target);
        // Out of order presses do nothing.
        EXPECT_TRUE(p.press(CalibrationButton::Zero));
        EXPECT_TRUE(p.press(CalibrationButton::End));
        EXPECT_TRUE(cgFrames().empty());
        for (auto b : {CalibrationButton::Start, CalibrationButton::Zero, CalibrationButton::Half,
                       CalibrationButton::Full}) {
            EXPECT_TRUE(p.enabled(b));
            EXPECT_TRUE(p.press(b));
            EXPECT_FALSE(p.enabled(b));
            EXPECT_FALSE(p.targetEnabled());
            EXPECT_TRUE(p.press(b)); // a second press sends nothing
        }
        EXPECT_FALSE(p.press(CalibrationButton::End));
        EXPECT_TRUE(p.closed());
        const std::string start = target == CalibrationTarget::AllMemories ? "WCG0" : "WCG9";
        EXPECT_EQ(cgFrames(), (std::vector<std::string>{start, "WCG1", "WCG2", "WCG3", "WCG4"}));
        EXPECT_EQ(op_.messages, std::vector<std::string>{text(Msg::CalibrationFinished)});
        EXPECT_TRUE(workerRunning());
        EXPECT_TRUE(op_.balanced());
        TearDown();
        op_ = {};
    }
}

TEST_F(Calibration, AFailedStepClosesTheDialogSendsNothingMoreAndResumesTheWorker)
{
    start({0, 2});
    auto ctx = context();
    CalibrationProcedure p(ctx, 2);
    ASSERT_TRUE(p.press(CalibrationButton::Start));
    sim::Fault f;
    f.kind = sim::FaultKind::Silence;
    f.command = "CG";
    sim_->addFault(f);
    EXPECT_FALSE(p.press(CalibrationButton::Zero));
    EXPECT_TRUE(p.closed());
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(Msg::CommunicationErrorStop)});
    for (auto b : {CalibrationButton::Half, CalibrationButton::Full, CalibrationButton::End})
        EXPECT_FALSE(p.enabled(b));
    EXPECT_EQ(cgFrames().size(), 1u + 2u); // start, then the zero step's two attempts
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(Calibration, AFailedEndStepShowsOnlyTheFailure)
{
    start({2});
    auto ctx = context();
    CalibrationProcedure p(ctx, 2);
    for (auto b : {CalibrationButton::Start, CalibrationButton::Zero, CalibrationButton::Half,
                   CalibrationButton::Full})
        ASSERT_TRUE(p.press(b));
    sim::Fault f;
    f.kind = sim::FaultKind::Silence;
    f.command = "CG";
    sim_->addFault(f);
    EXPECT_FALSE(p.press(CalibrationButton::End));
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(Msg::CommunicationErrorStop)});
}

TEST_F(Calibration, CancelSendsNothing)
{
    start({2});
    auto ctx = context();
    CalibrationProcedure p(ctx, 2);
    ASSERT_TRUE(p.press(CalibrationButton::Start));
    EXPECT_FALSE(p.press(CalibrationButton::Cancel));
    EXPECT_TRUE(p.closed());
    EXPECT_EQ(cgFrames(), std::vector<std::string>{"WCG0"});
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(Msg::CalibrationStopped)});
}

TEST_F(Calibration, OfflineAStepIsNotReportedAsDone)
{
    startOffline({2});
    auto ctx = context();
    EXPECT_EQ(sendCalibrationStep(ctx, 2, kStepZero), shell::kCodeCommunicationError);
    EXPECT_EQ(sim_->requestCount(), 0u);
    EXPECT_TRUE(op_.balanced());
}

} // namespace
