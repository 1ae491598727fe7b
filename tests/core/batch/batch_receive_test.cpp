// Batch receive against the simulator: what lands in the model, the head
// type and memory questions, failing steps, the scaling normalisation and
// the calculation read-back.
#include "batch_line.h"

#include "settings/batch_receive.h"
#include "shell/failure_codes.h"

#include <algorithm>

using namespace tavimo;
using namespace tavimo::batchtest;
using settings::MemorySettings;

namespace {

class Receive : public BatchLine {
protected:
    settings::BatchResult receive()
    {
        auto ctx = context();
        return settings::batchReceive(ctx, model_);
    }
    const settings::ControllerSettings& record(int id) const
    {
        return model_.controllers[static_cast<std::size_t>(id)];
    }
    const MemorySettings& memory(int id, int m) const { return settings::memorySettings(model_, id, m); }
};

struct IntItem {
    const char* name;
    int sim::MemorySettings::*simMember;
    std::int32_t MemorySettings::*modelMember;
    int value;
};

struct RealItem {
    const char* name;
    double sim::MemorySettings::*simMember;
    double MemorySettings::*modelMember;
    double value;
};

constexpr IntItem kIntItems[] = {
    {"APPLI_MODE", &sim::MemorySettings::applicationMode, &MemorySettings::APPLI_MODE, 2},
    {"HOLD_MODE", &sim::MemorySettings::holdMode, &MemorySettings::HOLD_MODE, 5},
    {"TRIG_MODE", &sim::MemorySettings::triggerMode, &MemorySettings::TRIG_MODE, 3},
    {"INT_TRIG_EDG", &sim::MemorySettings::triggerEdge, &MemorySettings::INT_TRIG_EDG, 0},
    {"COMP_MODE", &sim::MemorySettings::compareMode, &MemorySettings::COMP_MODE, 1},
    {"METAL_TYPE", &sim::MemorySettings::material, &MemorySettings::METAL_TYPE, 2},
    {"AVERAGE", &sim::MemorySettings::average, &MemorySettings::AVERAGE, 14},
};

constexpr RealItem kRealItems[] = {
    {"INT_TRIG_THR", &sim::MemorySettings::triggerLevel, &MemorySettings::INT_TRIG_THR, -1.25},
    {"INT_TRIG_HYS", &sim::MemorySettings::triggerHysteresis, &MemorySettings::INT_TRIG_HYS, 0.0125},
    {"INT_TRIG_DRY", &sim::MemorySettings::triggerDelay, &MemorySettings::INT_TRIG_DRY, 1.5},
    {"INT_TRIG_SMP", &sim::MemorySettings::triggerSampling, &MemorySettings::INT_TRIG_SMP, 0.25},
    {"FLK_TRIG_TIME", &sim::MemorySettings::cyclicPeriod, &MemorySettings::FLK_TRIG_TIME, 12.5},
    {"HI_TH_LEVEL", &sim::MemorySettings::upperLimit, &MemorySettings::HI_TH_LEVEL, 0.7},
    {"LO_TH_LEVEL", &sim::MemorySettings::lowerLimit, &MemorySettings::LO_TH_LEVEL, -0.3},
    {"HYS_LEVEL", &sim::MemorySettings::hysteresis, &MemorySettings::HYS_LEVEL, 0.002},
};

TEST_F(Receive, ChangedControllerValuesLandInTheModelsRecordAndMemory)
{
    start({0, 2});
    model_.controllers[2].MEMORY_NO = 1;
    onController(2, [](sim::ControllerState& c) {
        c.currentMemory = 1;
        c.interference = 2;
        c.outputForm = 1;
        c.offDelay = 6;
        sim::MemorySettings& m = c.memories[1];
        for (const auto& i : kIntItems) m.*i.simMember = i.value;
        for (const auto& i : kRealItems) m.*i.simMember = i.value;
        m.display = {2, 0.1, -0.5, 0.7, 0.5, 1, 0};
        m.voltage = {2, 0.2, 4.5, 0.6, 0.5, 0, 1};
    });
    const settings::SettingsModel before = model_;

    const auto result = receive();

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outcome(2), 0);
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(op_.questions.empty());
    EXPECT_EQ(record(2).KANSYOUBOUSHI, 2);
    EXPECT_EQ(record(2).OUT_TYPE, 1);
    EXPECT_EQ(record(2).OFF_DELAY, 6);
    for (const auto& i : kIntItems) EXPECT_EQ(memory(2, 1).*i.modelMember, i.value) << i.name;
    for (const auto& i : kRealItems) EXPECT_DOUBLE_EQ(memory(2, 1).*i.modelMember, i.value) << i.name;
    const MemorySettings& m = memory(2, 1);
    EXPECT_DOUBLE_EQ(m.D_SENSE_VALUE_A, 0.1);
    EXPECT_DOUBLE_EQ(m.D_SCALE_VALUE_A, -0.5);
    EXPECT_DOUBLE_EQ(m.D_SENSE_VALUE_B, 0.7);
    EXPECT_DOUBLE_EQ(m.D_SCALE_VALUE_B, 0.5);
    EXPECT_EQ(m.D_SCALE_SLOPE, 1);
    EXPECT_EQ(m.D_SCALE_MODE, 2); // rebuilt from the two points
    EXPECT_EQ(m.D_SCALE_DIRECT, 0);
    EXPECT_DOUBLE_EQ(m.D_SENSE_VALUE_1, 0.1);
    EXPECT_DOUBLE_EQ(m.D_SCALE_OFFSET, -0.5);
    EXPECT_DOUBLE_EQ(m.V_SCALE_VALUE_A, 4.5);
    EXPECT_EQ(m.V_SCALE_DIRECT, 1); // falling voltage points
    // Only the controller's current memory is received.
    EXPECT_EQ(memory(2, 0), before.controllers[2].memories[0]);
    EXPECT_EQ(record(2).MEMORY_NO, 1);
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
    EXPECT_EQ(op_.progressValue, op_.progressMax);
}

TEST_F(Receive, UncheckedControllerIsNotTouchedAndEachRecordIsItsOwn)
{
    start({0, 2, 5});
    check({0, 5});
    for (int id : {0, 2, 5})
        onController(id, [id](sim::ControllerState& c) { c.memories[0].holdMode = id == 5 ? 4 : 3; });
    model_.controllers[2].memories[0].D_SCALE_MODE = 1; // one point, set by the user
    const settings::ControllerSettings untouched = model_.controllers[2];

    const auto result = receive();

    EXPECT_EQ(result.outcome(0), 0);
    EXPECT_EQ(result.outcome(2), shell::kOutcomeNotAttempted);
    EXPECT_EQ(result.outcome(5), 0);
    EXPECT_EQ(memory(0, 0).HOLD_MODE, 3);
    EXPECT_EQ(memory(5, 0).HOLD_MODE, 4);
    EXPECT_EQ(record(2), untouched);
    // Only the calculation read-back talks to the unchecked controller.
    EXPECT_EQ(requestsTo(2), std::vector<std::string>{"RUC0"});
}

struct HeadCase {
    const char* name;
    bool headSwitch;
    shell::Answer answer;
    int outcome;
    bool reinitialised;
};

class ReceiveHead : public Receive, public ::testing::WithParamInterface<HeadCase> {};

TEST_P(ReceiveHead, MismatchIsSkippedOrAdoptedAsAnswered)
{
    const HeadCase& c = GetParam();
    start({3});
    onController(3, [](sim::ControllerState& s) {
        s.changeHead(5); // HT-06
        s.memories[0].average = 9;
    });
    model_.controllers[3].HEAD_SR = c.headSwitch;
    model_.controllers[3].memories[0].D_SCALE_MODE = 1;
    model_.controllers[3].memories[0].AVERAGE = 3;
    op_.answers = {c.answer};
    const settings::ControllerSettings before = model_.controllers[3];

    const auto result = receive();

    EXPECT_EQ(result.outcome(3), c.outcome);
    if (!c.headSwitch) {
        EXPECT_TRUE(op_.questions.empty());
        EXPECT_EQ(op_.messages, std::vector<std::string>{"ID3\nHead classification does not agree.\nSkip."});
    } else {
        ASSERT_EQ(op_.questions.size(), 1u);
        EXPECT_EQ(op_.questions[0], "ID3\n" + text(shell::Msg::AskInitializeOnHeadMismatch));
        EXPECT_TRUE(op_.messages.empty());
    }
    if (c.reinitialised) {
        EXPECT_EQ(record(3).SENSOR_TYPE, 5);
        EXPECT_EQ(memory(3, 0).AVERAGE, 9);
        EXPECT_DOUBLE_EQ(memory(3, 1).HI_TH_LEVEL, 8.0); // re-initialised for R = 10
    } else {
        // Nothing was received, so nothing is rebuilt: the user's one-point
        // scaling survives.
        EXPECT_EQ(record(3), before);
    }
    EXPECT_TRUE(workerRunning());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReceiveHead,
                         ::testing::Values(HeadCase{"SwitchOff", false, shell::Answer::Yes, 100, false},
                                           HeadCase{"Yes", true, shell::Answer::Yes, 0, true},
                                           HeadCase{"No", true, shell::Answer::No, 99, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MemoryCase {
    const char* name;
    shell::Answer answer;
    int outcome;
    int modelMemory;      // MEMORY_NO afterwards
    int controllerMemory; // the controller's current memory afterwards
    int averageReceived;  // AVERAGE of memory modelMemory afterwards
};

class ReceiveMemory : public Receive, public ::testing::WithParamInterface<MemoryCase> {};

TEST_P(ReceiveMemory, MismatchFollowsTheAnswer)
{
    const MemoryCase& c = GetParam();
    start({1});
    onController(1, [](sim::ControllerState& s) {
        s.currentMemory = 2;
        s.memories[1].average = 11;
        s.memories[2].average = 12;
    });
    model_.controllers[1].MEMORY_NO = 1;
    op_.answers = {c.answer};

    const auto result = receive();

    EXPECT_EQ(result.outcome(1), c.outcome);
    ASSERT_EQ(op_.questions.size(), 1u);
    EXPECT_EQ(op_.questions[0],
              "ID1\n" + text(shell::Msg::AskMemoryMismatch) + text(shell::Msg::AskMemoryMismatchChoices));
    EXPECT_EQ(record(1).MEMORY_NO, c.modelMemory);
    EXPECT_EQ(memory(1, c.modelMemory).AVERAGE, c.averageReceived);
    onController(1, [&](sim::ControllerState& s) { EXPECT_EQ(s.currentMemory, c.controllerMemory); });
    EXPECT_TRUE(op_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ReceiveMemory,
                         ::testing::Values(MemoryCase{"YesSwitchesTheController", shell::Answer::Yes, 0, 1, 1, 11},
                                           MemoryCase{"NoTakesTheControllersMemory", shell::Answer::No, 0, 2, 2, 12},
                                           MemoryCase{"CancelSkips", shell::Answer::Cancel, 99, 1, 2, 6}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailingStep {
    const char* command;
    int outcome;
    shell::Msg message;
};

class ReceiveFailingStep : public Receive, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(ReceiveFailingStep, GivesItsCodeKeepsWhatCameBeforeAndGoesOn)
{
    const FailingStep& c = GetParam();
    start({4, 5});
    for (int id : {4, 5})
        onController(id, [](sim::ControllerState& s) {
            s.interference = 1;
            s.memories[0].average = 10;
        });
    sim_->addFault({sim::FaultKind::Silence, 4, c.command});

    const auto result = receive();

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outcome(4), c.outcome);
    EXPECT_EQ(result.outcome(5), 0);
    EXPECT_EQ(op_.messages, std::vector<std::string>{"ID4\n" + text(c.message)});
    if (c.outcome > 3) {
        EXPECT_EQ(record(4).KANSYOUBOUSHI, 1); // received before the failing step
    }
    EXPECT_EQ(record(5).KANSYOUBOUSHI, 1);
    EXPECT_EQ(memory(5, 0).AVERAGE, 10);
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

INSTANTIATE_TEST_SUITE_P(Steps, ReceiveFailingStep,
                         ::testing::Values(FailingStep{"PC", 1, shell::Msg::ReceiveFailHeadType},
                                           FailingStep{"MM", 2, shell::Msg::ReceiveFailMemoryNumber},
                                           FailingStep{"KB", 3, shell::Msg::ReceiveFailMutualInterference},
                                           FailingStep{"AP", 11, shell::Msg::ReceiveFailApplicationMode},
                                           FailingStep{"SV", 7, shell::Msg::ReceiveFailScalingInit},
                                           FailingStep{"HM", 12, shell::Msg::ReceiveFailHoldMode},
                                           FailingStep{"WT", 23, shell::Msg::ReceiveFailUpperLimit}),
                         [](const auto& info) { return std::string(info.param.command); });

TEST_F(Receive, MemoryAnswerOutsideTheFourMemoriesFailsTheStepAndIsNeverAnIndex)
{
    start({1, 2});
    onController(1, [](sim::ControllerState& s) { s.currentMemory = 5; });

    const auto result = receive();

    EXPECT_EQ(result.outcome(1), 2);
    EXPECT_EQ(result.outcome(2), 0);
    EXPECT_EQ(record(1).MEMORY_NO, 0);
    EXPECT_TRUE(op_.questions.empty());
    auto sent = requestsTo(1);
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 2), (std::vector<std::string>{"RPC0", "RMM0"}));
    EXPECT_EQ(sent.back(), "RUC0"); // nothing else until the read-back
    EXPECT_EQ(sent.size(), 3u);
    onController(1, [](sim::ControllerState& s) { s.currentMemory = 0; });
}

TEST_F(Receive, CalculationsAreReadBackIntoTheTable)
{
    start({0, 1, 2});
    onController(0, [](sim::ControllerState& s) {
        s.calcMode = 1;
        s.calcPartner = 1;
    });
    onController(1, [](sim::ControllerState& s) {
        s.calcMode = 1;
        s.calcPartner = 0;
    });
    model_.calculations[2].MODE = 2;

    const auto result = receive();

    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(model_.calculations[0], (settings::CalculationSetting{true, 1, 0, 1}));
    EXPECT_EQ(model_.calculations[1], (settings::CalculationSetting{true, 1, 1, 0}));
    EXPECT_EQ(model_.calculations[2], settings::calculationResetValue(2));
    EXPECT_EQ(model_.calculations[3], settings::calculationResetValue(3));
}

TEST_F(Receive, CalculationPartnerOutsideTheLineFailsTheReadBack)
{
    start({0, 1});
    onController(1, [](sim::ControllerState& s) {
        s.calcMode = 2;
        s.calcPartner = 9;
    });

    const auto result = receive();

    EXPECT_EQ(result.code, shell::kCodeSettingTransfer);
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(shell::Msg::SettingSendFailed)});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(model_.calculations[static_cast<std::size_t>(i)], settings::calculationResetValue(i));
    EXPECT_EQ(op_.terminations, 0);
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(Receive, OfflineDoesNothing)
{
    start({0});
    active_.setOnline(false);
    const settings::SettingsModel before = model_;
    const auto result = receive();
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(model_, before);
    EXPECT_EQ(sim_->requestCount(), 0u);
    EXPECT_EQ(op_.progressBegins, 0);
}

struct ScalingCase {
    const char* name;
    double a, va, b, vb;
    int mode, direct;
};

// HT-01: R = 0.8.
constexpr ScalingCase kDisplayCases[] = {
    {"Identity", 0, 0, 0.8, 0.8, 0, 0},  {"Rising", 0.1, 0, 0.7, 0.5, 2, 0},
    {"Falling", 0, 0.8, 0.8, 0, 2, 1},   {"EqualValues", 0, 0.3, 0.8, 0.3, 2, 1},
    {"SamePoint", 0.4, 0, 0.4, 1, 2, 1}, {"AlmostIdentity", 0, 0, 0.8, 0.8001, 2, 0},
};

TEST(NormalizeReceivedScaling, DisplayScalingIsRebuiltFromItsTwoPoints)
{
    for (const auto& c : kDisplayCases) {
        settings::SettingsModel model;
        model.controllers[6].MEMORY_NO = 2;
        MemorySettings& m = model.controllers[6].memories[2];
        m.D_SCALE_MODE = 3;
        m.D_SENSE_VALUE_A = c.a, m.D_SCALE_VALUE_A = c.va, m.D_SENSE_VALUE_B = c.b, m.D_SCALE_VALUE_B = c.vb;
        m.D_SCALE_SLOPE = 1;
        const MemorySettings other = model.controllers[6].memories[0];
        settings::normalizeReceivedScaling(model, 6, {true, false});
        EXPECT_EQ(m.D_SCALE_MODE, c.mode) << c.name;
        EXPECT_EQ(m.D_SCALE_DIRECT, c.direct) << c.name;
        EXPECT_EQ(m.D_SENSE_VALUE_1, c.a) << c.name;
        EXPECT_EQ(m.D_SCALE_OFFSET, c.va) << c.name;
        EXPECT_EQ(m.D_SCALE_SLOPE, 1) << c.name; // the received slope stays
        EXPECT_EQ(model.controllers[6].memories[0], other) << c.name;
    }
}

TEST(NormalizeReceivedScaling, VoltageIdentityEndsAtFiveVolts)
{
    settings::SettingsModel model;
    MemorySettings& m = model.controllers[0].memories[0];
    m.V_SCALE_MODE = 1;
    settings::normalizeReceivedScaling(model, 0);
    EXPECT_EQ(m.V_SCALE_MODE, 0); // 0 / 0 and R / 5 V
    m.V_SCALE_VALUE_B = 0.8;
    settings::normalizeReceivedScaling(model, 0);
    EXPECT_EQ(m.V_SCALE_MODE, 2);
}

TEST(NormalizeReceivedScaling, MemoryNumberOutsideTheRecordChangesNothing)
{
    settings::SettingsModel model;
    model.controllers[1].MEMORY_NO = 7; // only from a hand-edited file
    const settings::SettingsModel before = model;
    settings::normalizeReceivedScaling(model, 1);
    settings::normalizeReceivedScaling(model, 9);
    EXPECT_EQ(model, before);
}

} // namespace
