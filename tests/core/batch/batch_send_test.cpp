// Batch send against the simulator, with its request log as the witness:
// only what differs is written, the mode conditions, the scaling writes, the
// pause after each write, failing controllers reported and skipped.
#include "batch_line.h"

#include "settings/batch_receive.h"
#include "settings/batch_send.h"
#include "shell/failure_codes.h"

#include <algorithm>
#include <set>

using namespace tavimo;
using namespace tavimo::batchtest;
using settings::MemorySettings;

namespace {

class Send : public BatchLine {
protected:
    settings::BatchResult send()
    {
        auto ctx = context();
        return settings::batchSend(ctx, model_);
    }
    // The model takes what the controllers hold; log, pauses and operator
    // start afresh.
    void takeControllersIntoModel()
    {
        auto ctx = context();
        ASSERT_EQ(settings::batchReceive(ctx, model_).code, 0);
        sim_->clearLog();
        pauses_.clear();
        op_ = ScriptedOperator{};
    }
    MemorySettings& memory(int id, int m) { return settings::memorySettings(model_, id, m); }
    // Mnemonics read from `id`, among `among`.
    std::set<std::string> readsAmong(int id, const std::set<std::string>& among) const
    {
        std::set<std::string> out;
        for (const auto& r : requestsTo(id))
            if (r[0] == 'R' && among.count(r.substr(1, 2))) out.insert(r.substr(1, 2));
        return out;
    }
};

TEST_F(Send, ControllerHoldingTheModelGetsOnlyTheTwoScalingWritesAndOnePause)
{
    start({1});
    takeControllersIntoModel();

    const auto result = send();

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outcome(1), 0);
    EXPECT_EQ(writesTo(1), (std::vector<std::string>{"WSD9", "WSV9"}));
    EXPECT_EQ(pauses_, std::vector<int>{kTestSendInterval}); // after the head type
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
    EXPECT_EQ(op_.progressValue, op_.progressMax);
}

TEST_F(Send, WritesOnlyWhatDiffersAndTheControllerThenHoldsTheModel)
{
    start({1});
    takeControllersIntoModel();
    auto& rec = model_.controllers[1];
    rec.KANSYOUBOUSHI = 2;
    rec.OFF_DELAY = 3;
    MemorySettings& m = memory(1, 0);
    m.HOLD_MODE = 1;
    m.METAL_TYPE = 1;
    m.AVERAGE = 2;
    m.HI_TH_LEVEL = 0.7;
    m.D_SCALE_MODE = 2;
    m.D_SENSE_VALUE_A = 0.1, m.D_SCALE_VALUE_A = -0.5, m.D_SENSE_VALUE_B = 0.7, m.D_SCALE_VALUE_B = 0.5;
    m.V_SCALE_MODE = 1;
    m.V_SENSE_VALUE_1 = 0.2, m.V_SCALE_OFFSET = 1.5, m.V_SCALE_SLOPE = 1;

    ASSERT_EQ(send().outcome(1), 0);

    EXPECT_EQ(writesTo(1), (std::vector<std::string>{"WKB2", "WOD3", "WSD3:0000.1000 -000.5000 0000.7000 +000.5000",
                                                     "WSV2:0000.2000 +001.5000", "WLO11", "WHM1", "WMT1", "WAV2",
                                                     "WWT0:+000.7000 +000.1600 0000.0008"}));
    // After the head type and after each compared write; none after the
    // scaling and limit writes.
    EXPECT_EQ(pauses_, std::vector<int>(6, kTestSendInterval));
    onController(1, [](sim::ControllerState& c) {
        EXPECT_EQ(c.interference, 2);
        EXPECT_EQ(c.offDelay, 3);
        const sim::MemorySettings& s = c.memories[0];
        EXPECT_EQ(s.holdMode, 1);
        EXPECT_EQ(s.material, 1);
        EXPECT_EQ(s.average, 2);
        EXPECT_DOUBLE_EQ(s.upperLimit, 0.7);
        EXPECT_EQ(s.display.mode, 2);
        EXPECT_DOUBLE_EQ(s.display.scaleA, -0.5);
        EXPECT_EQ(s.voltage.slope, 1);
    });

    // Sent again, the compared items are all equal now.
    sim_->clearLog();
    pauses_.clear();
    ASSERT_EQ(send().outcome(1), 0);
    EXPECT_EQ(writesTo(1), (std::vector<std::string>{"WSD3:0000.1000 -000.5000 0000.7000 +000.5000",
                                                     "WSV2:0000.2000 +001.5000", "WLO11"}));
    EXPECT_EQ(pauses_, std::vector<int>{kTestSendInterval});
}

struct FourDecimalCase {
    const char* name;
    double MemorySettings::*item;
    double value;
    std::string writePrefix;
    std::vector<std::string> expected;
};

class SendFourDecimals : public Send, public ::testing::WithParamInterface<FourDecimalCase> {};

TEST_P(SendFourDecimals, ComparesAtFourDecimals)
{
    const auto& c = GetParam();
    start({2});
    takeControllersIntoModel();
    MemorySettings& m = memory(2, 0);
    m.TRIG_MODE = 2; // internal, so that the trigger level is sent
    m.*c.item = c.value;
    ASSERT_EQ(send().outcome(2), 0);
    EXPECT_EQ(writesStartingWith(2, c.writePrefix), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendFourDecimals,
    ::testing::Values(
        FourDecimalCase{"UpperLimitEqual", &MemorySettings::HI_TH_LEVEL, 0.64004, "WWT", {}},
        FourDecimalCase{
            "UpperLimitDiffers", &MemorySettings::HI_TH_LEVEL, 0.6401, "WWT", {"WWT0:+000.6401 +000.1600 0000.0008"}},
        FourDecimalCase{"LowerLimitRoundedToo",
                        &MemorySettings::LO_TH_LEVEL,
                        0.16006,
                        "WWT",
                        {"WWT0:+000.6400 +000.1601 0000.0008"}},
        FourDecimalCase{"TriggerLevelEqual", &MemorySettings::INT_TRIG_THR, 0.40004, "WTT", {}},
        FourDecimalCase{"TriggerLevelDiffers", &MemorySettings::INT_TRIG_THR, 0.4001, "WTT", {"WTT+000.4001"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModeCase {
    const char* name;
    int application, trigger, hold;
    bool bufferingScreen;
    std::set<std::string> sent;
};

class SendModes : public Send, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(SendModes, LeavesOutWhatTheModesMakeMeaningless)
{
    const auto& c = GetParam();
    start({3});
    MemorySettings& m = memory(3, 0);
    m.APPLI_MODE = c.application;
    m.TRIG_MODE = c.trigger;
    m.HOLD_MODE = c.hold;
    if (c.bufferingScreen) shared_.screenMode = static_cast<int>(measure::ScreenMode::Buffering);
    ASSERT_EQ(send().outcome(3), 0);
    shared_.screenMode = 0;
    EXPECT_EQ(readsAmong(3, {"HM", "TG", "EG", "TT", "TH", "DT", "SK", "FT", "PA"}), c.sent);
    EXPECT_EQ(readsAmong(3, {"MT", "AV", "WT", "AP", "MM", "KB", "JM", "OD"}),
              (std::set<std::string>{"MT", "AV", "WT", "AP", "MM", "KB", "JM", "OD"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendModes,
    ::testing::Values(
        ModeCase{"ManualNoTrigger", 0, 0, 0, false, {"HM", "TG"}},
        ModeCase{"ManualInternalBottomHold", 0, 2, 2, false, {"HM", "TG", "EG", "TT", "TH", "DT", "SK", "PA"}},
        ModeCase{"ManualCyclic", 0, 3, 0, false, {"HM", "TG", "FT"}},
        ModeCase{"HeightInternal", 3, 2, 4, false, {"TT", "TH"}}, ModeCase{"HeightCyclic", 3, 3, 4, false, {"FT"}},
        ModeCase{"RotationInternal", 2, 2, 3, false, {"TH"}}, ModeCase{"BufferingScreenOpen", 0, 1, 0, true, {"HM"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ScalingCase {
    const char* name;
    int mode;
    std::vector<std::string> writes;
};

class SendScaling : public Send, public ::testing::WithParamInterface<ScalingCase> {};

TEST_P(SendScaling, DisplayScalingIsWrittenByItsMode)
{
    const auto& c = GetParam();
    start({0});
    MemorySettings& m = memory(0, 0);
    m.D_SCALE_MODE = c.mode;
    m.D_SENSE_VALUE_1 = 0.1, m.D_SCALE_OFFSET = 0.2, m.D_SCALE_SLOPE = 1, m.D_SCALE_DIRECT = 1;
    m.D_SENSE_VALUE_A = 0, m.D_SCALE_VALUE_A = 0, m.D_SENSE_VALUE_B = 0.8, m.D_SCALE_VALUE_B = 2;
    ASSERT_EQ(send().outcome(0), 0);
    std::vector<std::string> writes;
    for (const auto& w : writesTo(0))
        if (w.rfind("WSD", 0) == 0 || w.rfind("WLO0", 0) == 0) writes.push_back(w);
    EXPECT_EQ(writes, c.writes);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SendScaling,
    ::testing::Values(ScalingCase{"None", 0, {"WSD9"}},
                      ScalingCase{"OnePoint", 1, {"WSD2:0000.1000 +000.2000", "WLO01"}},
                      ScalingCase{"TwoPoints", 2, {"WSD3:0000.0000 +000.0000 0000.8000 +002.0000"}},
                      ScalingCase{"InversionOnly", 3, {"WSD71"}}, ScalingCase{"OutsideTheList", 7, {"WSD9"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Send, FailingControllerIsReportedAndSkippedAndTheNextIsSent)
{
    start({1, 2});
    sim_->addFault({sim::FaultKind::Silence, 1, "HM"});
    memory(1, 0).AVERAGE = 3;
    memory(2, 0).AVERAGE = 4;

    const auto result = send();

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outcome(1), 12);
    EXPECT_EQ(result.outcome(2), 0);
    EXPECT_EQ(op_.messages,
              std::vector<std::string>{"ID1\nFails in the transmission of a message of a hold mode.\nSkip with this "
                                       "controller."});
    EXPECT_TRUE(writesStartingWith(1, "WAV").empty());
    onController(2, [](sim::ControllerState& c) { EXPECT_EQ(c.memories[0].average, 4); });
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
    EXPECT_EQ(op_.terminations, 0);
}

TEST_F(Send, HeadTypeMismatchWritesNothing)
{
    start({1});
    model_.controllers[1].SENSOR_TYPE = 2;
    const auto result = send();
    EXPECT_EQ(result.outcome(1), shell::kOutcomeHeadMismatch);
    EXPECT_EQ(op_.messages, std::vector<std::string>{"ID1\nHead classification does not agree.\nSkip."});
    EXPECT_TRUE(writesTo(1).empty());
    EXPECT_EQ(pauses_, std::vector<int>{kTestSendInterval});
}

TEST_F(Send, EachControllerIsSwitchedToAndSentItsOwnMemory)
{
    start({0, 2, 5});
    const std::pair<int, int> memories[] = {{0, 1}, {2, 2}, {5, 3}};
    for (auto [id, mem] : memories) {
        model_.controllers[static_cast<std::size_t>(id)].MEMORY_NO = mem;
        memory(id, mem).AVERAGE = 8 + id;
    }
    const auto result = send();
    for (auto [id, mem] : memories) {
        EXPECT_EQ(result.outcome(id), 0);
        EXPECT_EQ(writesStartingWith(id, "WMM"), std::vector<std::string>{"WMM" + std::to_string(mem)});
        onController(id, [&](sim::ControllerState& c) {
            EXPECT_EQ(c.currentMemory, mem);
            EXPECT_EQ(c.memories[static_cast<std::size_t>(mem)].average, 8 + id);
        });
    }
}

TEST_F(Send, ValuesFromAHandEditedFileFailTheirStepWithoutBeingSent)
{
    start({1, 2});
    memory(1, 0).HOLD_MODE = 9;
    model_.controllers[2].MEMORY_NO = 7;
    const auto result = send();
    EXPECT_EQ(result.outcome(1), 12);
    EXPECT_TRUE(writesStartingWith(1, "WHM").empty());
    EXPECT_EQ(result.outcome(2), 2);
    EXPECT_TRUE(writesTo(2).empty());
}

TEST(SendInterval, IsClampedToTenSeconds)
{
    const std::pair<int, int> cases[] = {{-5, 0}, {0, 0}, {100, 100}, {10000, 10000}, {20000, 10000}};
    for (auto [given, used] : cases) EXPECT_EQ(settings::clampSendInterval(given), used) << given;
}

TEST_F(Send, PausesForTheClampedInterval)
{
    start({1});
    for (auto [given, used] : {std::pair{20000, 10000}, std::pair{-3, 0}}) {
        pauses_.clear();
        auto ctx = context();
        ctx.sendIntervalMs = given;
        settings::batchSend(ctx, model_);
        ASSERT_FALSE(pauses_.empty());
        EXPECT_TRUE(std::all_of(pauses_.begin(), pauses_.end(), [used = used](int p) { return p == used; }));
    }
}

TEST(AtFourDecimals, RoundsLikeTheTextTheControllerHolds)
{
    const std::pair<double, double> cases[] = {
        {0.64004, 0.64}, {0.6401, 0.6401}, {-0.00004, -0.0}, {-1.00006, -1.0001}, {1.23456789, 1.2346}};
    for (auto [v, r] : cases) EXPECT_EQ(settings::atFourDecimals(v), r) << v;
}

} // namespace
