// The smaller controller operations: memory copy and edit initialise on the
// model, initialise and reboot over the simulator (timeout row 7 and back),
// head characteristic codes, the calibration precondition.
#include "batch_line.h"

#include "settings/calibration_launch.h"
#include "settings/controller_reset.h"
#include "settings/head_codes.h"
#include "settings/head_initialization.h"
#include "settings/memory_copy.h"
#include "shell/failure_codes.h"

#include <mutex>

using namespace tavimo;
using namespace tavimo::batchtest;
using settings::CopyOutcome;
using settings::MemoryRef;

namespace {

class MemoryCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::Catalog::instance().setLanguage(shell::Language::English);
        model_.controllers[1].SENSOR_TYPE = 2; // HT-03, the others HT-01
        auto& src = model_.controllers[0];
        src.KANSYOUBOUSHI = 2;
        src.OUT_TYPE = 1;
        src.OFF_DELAY = 5;
        src.OUT_SR = false;
        src.MEMORY_NO = 3;
        src.memories[1].AVERAGE = 12;
        src.memories[1].HI_TH_LEVEL = 0.5;
        model_.controllers[2].MEMORY_NO = 1;
        model_.controllers[2].SUS_ID = "ABCDEFGHIJ";
    }
    settings::SettingsModel model_;
    ScriptedOperator op_;
};

TEST_F(MemoryCopy, RefusalsChangeNothing)
{
    struct Case {
        MemoryRef source, target;
        CopyOutcome outcome;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{0, 1}, {0, 1}, CopyOutcome::SameMemory, {"Stops a copy for the same memory."}},
        {{0, 1}, {1, 1}, CopyOutcome::HeadMismatch, {"Stops a copy because head classification does not agree."}},
        {{0, 1}, {8, 1}, CopyOutcome::InvalidRef, {}},
        {{0, 4}, {2, 1}, CopyOutcome::InvalidRef, {}},
    };
    for (const auto& c : cases) {
        const settings::SettingsModel before = model_;
        op_ = ScriptedOperator{};
        EXPECT_EQ(settings::copyMemory(model_, op_, c.source, c.target), c.outcome);
        EXPECT_EQ(op_.messages, c.messages);
        EXPECT_TRUE(op_.questions.empty());
        EXPECT_EQ(model_, before);
    }
}

TEST_F(MemoryCopy, ToAnotherControllerCopiesCommonAndMemoryItemsAfterAsking)
{
    op_.answers = {shell::Answer::Yes};
    EXPECT_EQ(settings::copyMemory(model_, op_, {0, 1}, {2, 3}), CopyOutcome::Copied);
    EXPECT_EQ(op_.questions,
              std::vector<std::string>{"ID0Copies from memory1 to ID2memory3.\nWill that be all right?"});
    const auto& to = model_.controllers[2];
    EXPECT_EQ(to.KANSYOUBOUSHI, 2);
    EXPECT_EQ(to.OUT_TYPE, 1);
    EXPECT_EQ(to.OFF_DELAY, 5);
    EXPECT_FALSE(to.OUT_SR);
    EXPECT_EQ(to.memories[3], model_.controllers[0].memories[1]);
    EXPECT_EQ(to.MEMORY_NO, 1);
    EXPECT_EQ(to.SUS_ID, "ABCDEFGHIJ");
    EXPECT_EQ(op_.busyDepth, 0);
}

TEST_F(MemoryCopy, WithinOneControllerCopiesOnlyTheMemory)
{
    op_.answers = {shell::Answer::Yes};
    const auto before = model_.controllers[0];
    EXPECT_EQ(settings::copyMemory(model_, op_, {0, 1}, {0, 2}), CopyOutcome::Copied);
    auto expected = before;
    expected.memories[2] = before.memories[1];
    EXPECT_EQ(model_.controllers[0], expected);
}

TEST_F(MemoryCopy, CancelChangesNothing)
{
    op_.answers = {shell::Answer::No};
    const settings::SettingsModel before = model_;
    EXPECT_EQ(settings::copyMemory(model_, op_, {0, 1}, {2, 3}), CopyOutcome::Cancelled);
    EXPECT_EQ(model_, before);
}

TEST(EditInitialize, ResetsEveryRecordForItsHeadAndKeepsTheCalculations)
{
    shell::Catalog::instance().setLanguage(shell::Language::English);
    settings::SettingsModel model;
    model.controllers[4].SENSOR_TYPE = 5; // HT-06
    model.controllers[4].MEMORY_NO = 2;
    model.controllers[0].memories[0].AVERAGE = 1;
    model.calculations[1].MODE = 2;
    ScriptedOperator op;

    op.answers = {shell::Answer::No};
    const settings::SettingsModel before = model;
    EXPECT_FALSE(settings::editInitialize(model, op));
    EXPECT_EQ(model, before);

    op.answers = {shell::Answer::Yes};
    EXPECT_TRUE(settings::editInitialize(model, op));
    EXPECT_EQ(op.questions.back(), text(shell::Msg::ConfirmEditInitialize));
    EXPECT_EQ(model.controllers[4].SENSOR_TYPE, 5);
    EXPECT_EQ(model.controllers[4].MEMORY_NO, 0);
    EXPECT_DOUBLE_EQ(model.controllers[4].memories[3].HI_TH_LEVEL, 8.0);
    EXPECT_EQ(model.controllers[0].memories[0].AVERAGE, 6);
    EXPECT_EQ(model.calculations[1].MODE, 2);
}

class Operations : public BatchLine {
protected:
    void recordTimeoutAtEachRequest()
    {
        sim_->setRequestListener([this](const std::string& frame) {
            std::lock_guard lock(seenMutex_);
            seen_.emplace_back(frame.substr(4, 3) + frame.substr(7, 1), port_.timeoutIndex());
        });
    }
    std::vector<std::pair<std::string, int>> seen()
    {
        std::lock_guard lock(seenMutex_);
        return seen_;
    }

    std::mutex seenMutex_;
    std::vector<std::pair<std::string, int>> seen_;
};

struct ResetCase {
    const char* name;
    settings::BatchResult (*run)(settings::OperationContext&);
    const char* field;
    int sim::ControllerState::*counter;
};

class Reset : public Operations, public ::testing::WithParamInterface<ResetCase> {};

TEST_P(Reset, ChecksControllersGetTheCommandUnderTimeoutRowSevenThenTwoSeconds)
{
    const auto& c = GetParam();
    start({0, 1, 2, 3});
    check({1, 3});
    recordTimeoutAtEachRequest();
    auto ctx = context();

    const auto result = c.run(ctx);

    EXPECT_EQ(result.code, 0);
    const std::string f = c.field;
    EXPECT_EQ(seen(), (std::vector<std::pair<std::string, int>>{{f + "1", link::kTimeoutIndexLongOperation},
                                                                {f + "3", link::kTimeoutIndexLongOperation}}));
    EXPECT_EQ(port_.timeoutIndex(), kTestTimeoutIndex);
    EXPECT_EQ(pauses_, (std::vector<int>{settings::kResetWaitMs, settings::kResetWaitMs}));
    for (int id : {0, 1, 2, 3})
        onController(id, [&](sim::ControllerState& s) { EXPECT_EQ(s.*c.counter, id % 2) << id; });
    EXPECT_EQ(op_.progressValue, op_.progressMax);
    EXPECT_TRUE(op_.balanced());
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(workerRunning());
}

INSTANTIATE_TEST_SUITE_P(Commands, Reset,
                         ::testing::Values(ResetCase{"Initialize", settings::initializeControllers, "WIT",
                                                     &sim::ControllerState::initialisations},
                                           ResetCase{"Reboot", settings::rebootControllers, "INT",
                                                     &sim::ControllerState::reboots}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Operations, FailingInitialiseIsReportedAndTheNextControllerFollows)
{
    start({1, 2});
    sim_->addFault({sim::FaultKind::StuckAlarm, 1, "WIT"});
    auto ctx = context();

    const auto result = settings::initializeControllers(ctx);

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outcome(1), settings::kResetFailed);
    EXPECT_EQ(result.outcome(2), 0);
    EXPECT_EQ(op_.messages, std::vector<std::string>{"ID1\nAn error occurred.\nskip with this controller."});
    EXPECT_EQ(pauses_.size(), 2u); // the wait follows the failure too
    onController(2, [](sim::ControllerState& s) { EXPECT_EQ(s.initialisations, 1); });
    EXPECT_EQ(port_.timeoutIndex(), kTestTimeoutIndex);
    EXPECT_TRUE(workerRunning());
}

TEST_F(Operations, HeadCodesSendSkipsAnInvalidCodeAndSendsTheOthers)
{
    start({0});
    settings::HeadCodeFields fields{1, {"ABCDEFGHI", "FE12345678", "AL12345678"}};
    std::string susBefore;
    onController(0, [&](sim::ControllerState& s) { susBefore = s.headCodes[0]; });
    auto ctx = context();

    EXPECT_EQ(settings::sendHeadCodes(ctx, 0, fields), 0);

    EXPECT_EQ(writesTo(0), (std::vector<std::string>{"WHH1", "WGD1FE12345678", "WGD2AL12345678"}));
    EXPECT_EQ(op_.messages,
              (std::vector<std::string>{text(shell::Msg::SkipSusInvalidCode), text(shell::Msg::HeadCodeSendFinished)}));
    onController(0, [&](sim::ControllerState& s) {
        EXPECT_EQ(s.headIdMode, 1);
        EXPECT_EQ(s.headCodes[1], "FE12345678");
        EXPECT_EQ(s.headCodes[0], susBefore);
    });
    EXPECT_TRUE(workerRunning());
}

TEST_F(Operations, HeadCodesSendInSetHeadModeEmptiesTheFields)
{
    start({0});
    settings::HeadCodeFields fields{0, {"SUS4567890", "", ""}};
    auto ctx = context();
    EXPECT_EQ(settings::sendHeadCodes(ctx, 0, fields), 0);
    EXPECT_EQ(writesTo(0), std::vector<std::string>{"WHH0"});
    EXPECT_EQ(fields.codes[0], "");
}

TEST_F(Operations, HeadCodesReceiveEmptiesTheFieldOfAFailedReadSilently)
{
    start({0});
    onController(0, [](sim::ControllerState& s) {
        s.headIdMode = 1;
        s.headCodes = {"SUS4567890", "FE34567890", "AL34567890"};
    });
    sim_->addFault({sim::FaultKind::Silence, 0, "RGD", 2}); // both attempts of the SUS read
    settings::HeadCodeFields fields{0, {"OLD", "OLD", "OLD"}};
    auto ctx = context();

    EXPECT_EQ(settings::receiveHeadCodes(ctx, 0, fields), 0);

    EXPECT_EQ(fields.mode, 1);
    EXPECT_EQ(fields.codes, (std::array<std::string, 3>{"", "FE34567890", "AL34567890"}));
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::HeadCodeReceiveFinished)});
}

TEST_F(Operations, HeadCodesModeFailureStopsWithTheCommunicationMessage)
{
    start({0});
    sim_->addFault({sim::FaultKind::Silence, 0, "HH"});
    settings::HeadCodeFields fields{1, {"SUS4567890", "FE34567890", "AL34567890"}};
    auto ctx = context();

    EXPECT_EQ(settings::sendHeadCodes(ctx, 0, fields), shell::kCodeCommunicationError);

    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::CommunicationErrorStop)});
    EXPECT_TRUE(writesStartingWith(0, "WGD").empty());
    EXPECT_EQ(op_.terminations, 0);
    EXPECT_EQ(op_.busyDepth, 0);
    EXPECT_TRUE(workerRunning());
}

TEST_F(Operations, CalibrationNeedsAControllerWithoutCalculation)
{
    start({0, 1});
    onController(0, [](sim::ControllerState& s) {
        s.calcMode = 1;
        s.calcPartner = 1;
    });
    auto ctx = context();

    EXPECT_FALSE(settings::checkCalibrationPrecondition(ctx, 0).allowed);
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::CalibrationCalculationRunning)});
    op_.messages.clear();
    EXPECT_TRUE(settings::checkCalibrationPrecondition(ctx, 1).allowed);
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(workerRunning());
}

} // namespace
