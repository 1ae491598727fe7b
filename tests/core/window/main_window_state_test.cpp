#include "window/main_window_state.h"

#include "settings/head_initialization.h"

#include <gtest/gtest.h>

namespace tavimo::window {
namespace {

class WindowStateTest : public ::testing::Test {
protected:
    settings::SettingsModel model;
    MainWindowState state{model};

    void SetUp() override { state.start(0); }
    double shown(std::string_view control) const { return *state.value(control); }
};

TEST_F(WindowStateTest, TypedValueSurvivesSwitchingMemoryAndBack)
{
    state.setValue("THRNumEdit1", 0.7);
    state.selectMemory(2);
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 0.64); // memory 2 has its own value
    EXPECT_EQ(model.controllers[0].MEMORY_NO, 2);
    state.selectMemory(0);
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 0.7);
    EXPECT_DOUBLE_EQ(model.controllers[0].memories[0].HI_TH_LEVEL, 0.7);
}

TEST_F(WindowStateTest, SelectingAControllerStoresTheWindowAndShowsItsMemory)
{
    model.controllers[3].MEMORY_NO = 2;
    model.controllers[3].memories[2].HI_TH_LEVEL = 0.5;
    state.setValue("AVGComboB", 3);
    ASSERT_EQ(state.selectController(3), SelectResult::Selected);
    EXPECT_EQ(model.controllers[0].memories[0].AVERAGE, 3);
    EXPECT_EQ(state.memory(), 2);
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 0.5);
    EXPECT_EQ(shown("MNSComboB"), 2);
}

TEST_F(WindowStateTest, NoneTabIsRefusedAndTheSelectionStays)
{
    link::ActiveControllers active;
    active.setOnline(true);
    active.setScanned({0, 3, -1, -1, -1, -1, -1, -1}, 2);
    state.showControllers(active);
    state.setValue("THRNumEdit1", 0.7);
    EXPECT_EQ(state.selectController(2), SelectResult::NotConnected);
    EXPECT_EQ(state.controller(), 0);
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 0.7); // nothing was re-shown
    EXPECT_FALSE(state.controllerPresent(2));
    EXPECT_EQ(state.selectController(3), SelectResult::Selected);
}

TEST_F(WindowStateTest, GoingOnlineMovesAwayFromAnAbsentController)
{
    state.selectController(0);
    state.setValue("HYSNumEdit", 0.01);
    link::ActiveControllers active;
    active.setOnline(true);
    active.setScanned({1, 4, -1, -1, -1, -1, -1, -1}, 2);
    state.showControllers(active);
    EXPECT_EQ(state.controller(), 1);
    EXPECT_DOUBLE_EQ(model.controllers[0].memories[0].HYS_LEVEL, 0.01); // stored before
    state.showAllControllers();
    for (int id = 0; id < 8; ++id) EXPECT_TRUE(state.controllerPresent(id));
}

TEST_F(WindowStateTest, PresetsApplyOnMemorySelectionButSlopesOnlyOnPicking)
{
    settings::MemorySettings& m1 = model.controllers[0].memories[1];
    m1.APPLI_MODE = 4;
    m1.HOLD_MODE = 5;
    m1.TRIG_MODE = 3;
    m1.INT_TRIG_THR = 0.1;
    m1.D_SCALE_SLOPE = 1;
    state.selectMemory(1);
    EXPECT_EQ(shown("HLDRadioG"), 0);
    EXPECT_EQ(shown("TRGRadioG"), 0);
    EXPECT_EQ(shown("TRGComboB11"), 1);
    EXPECT_DOUBLE_EQ(shown("TRGNumEdit11"), 0.4);
    EXPECT_EQ(shown("DSCSlopeRadioG"), 1); // selection leaves the slopes

    state.pickApplicationMode(3); // "Detect the height."
    EXPECT_EQ(shown("HLDRadioG"), 4);
    EXPECT_EQ(shown("TRGRadioG"), 1);
    EXPECT_EQ(shown("DSCSlopeRadioG"), 1);
    EXPECT_EQ(shown("VSCSlopeRadioG"), 1);
    state.pickApplicationMode(1); // "Detect the BDC of the press."
    EXPECT_EQ(shown("HLDRadioG"), 2);
    EXPECT_EQ(shown("TRGRadioG"), 2);
    EXPECT_EQ(shown("TRGComboB11"), 1);
    EXPECT_EQ(shown("DSCSlopeRadioG"), 0);
    EXPECT_EQ(model.controllers[0].memories[1].APPLI_MODE, 4); // not stored yet
}

TEST_F(WindowStateTest, ValuesTheFieldsCannotShowBecomeTheirDefaults)
{
    settings::MemorySettings& m = model.controllers[0].memories[0];
    m.HI_TH_LEVEL = 5.0;     // inside -99.9989..99.9999: shown as is
    m.D_SENSE_VALUE_B = 5.0; // outside 0..0.88 on HT-01: the default R
    m.AVERAGE = 40;          // no such item: the list's initial index
    state.showModel();
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 5.0);
    EXPECT_DOUBLE_EQ(shown("DSCNumEdit23"), 0.8);
    EXPECT_EQ(shown("AVGComboB"), 6);
    state.storeWindow();
    EXPECT_DOUBLE_EQ(m.D_SENSE_VALUE_B, 0.8);
}

TEST_F(WindowStateTest, BPointBoundDropsToZeroWithTheFirstHeadInitialisation)
{
    model.controllers[0].memories[0].D_SENSE_VALUE_B = 0;
    state.showModel();
    EXPECT_DOUBLE_EQ(state.limits("DSCNumEdit23")->min, 0.001);
    EXPECT_DOUBLE_EQ(shown("DSCNumEdit23"), 0.8);
    state.pickHeadType(0, true);
    EXPECT_DOUBLE_EQ(state.limits("DSCNumEdit23")->min, 0);
}

TEST_F(WindowStateTest, HeadRangeSetsLimitsAndDefaults)
{
    model.controllers[5].SENSOR_TYPE = 5; // HT-06, R = 10
    state.selectController(5);
    EXPECT_DOUBLE_EQ(state.limits("DSCNumEdit11")->max, 11.0);
    EXPECT_DOUBLE_EQ(state.limits("VSCNumEdit23")->max, 11.0);
    EXPECT_DOUBLE_EQ(state.limits("TRGNumEdit11")->defaultValue, 5.0);
    EXPECT_DOUBLE_EQ(state.limits("THRNumEdit2")->defaultValue, 2.0);
    model.controllers[6].SENSOR_TYPE = 7; // only from a hand-edited file: R = 1
    state.selectController(6);
    EXPECT_DOUBLE_EQ(state.limits("DSCNumEdit21")->max, 1.1);
    EXPECT_EQ(shown("STSComboB"), 7); // shown as no item, stored back unchanged
    state.storeWindow();
    EXPECT_EQ(model.controllers[6].SENSOR_TYPE, 7);
}

TEST_F(WindowStateTest, HeadChangeConfirmedReinitialisesCancelKeeps)
{
    state.selectController(3);
    state.selectMemory(2);
    state.setValue("HYSNumEdit", 0.05);
    state.pickHeadType(5, false);
    EXPECT_EQ(model.controllers[3].SENSOR_TYPE, 0);
    EXPECT_EQ(shown("STSComboB"), 0);
    EXPECT_DOUBLE_EQ(shown("HYSNumEdit"), 0.05);

    state.pickHeadType(5, true);
    EXPECT_EQ(model.controllers[3].SENSOR_TYPE, 5);
    EXPECT_EQ(state.memory(), 0);
    EXPECT_DOUBLE_EQ(shown("THRNumEdit1"), 8.0);
    EXPECT_DOUBLE_EQ(shown("HYSNumEdit"), 0.01);
    EXPECT_FALSE(state.setValue("STSComboB", 2)); // the head only changes after the question
}

TEST_F(WindowStateTest, VoltageScalingNonResetsOnlyTheVoltageFields)
{
    state.setDisplayScaleMode(2);
    state.setValue("DSCNumEdit21", 0.1);
    state.setVoltageScaleMode(2);
    state.setValue("VSCNumEdit21", 0.2);
    state.setValue("VSCNumEdit24", 3.0);
    state.setVoltageScaleMode(0);
    EXPECT_DOUBLE_EQ(shown("VSCNumEdit21"), 0);
    EXPECT_DOUBLE_EQ(shown("VSCNumEdit23"), 0.8);
    EXPECT_DOUBLE_EQ(shown("VSCNumEdit24"), 5.0);
    EXPECT_DOUBLE_EQ(shown("DSCNumEdit21"), 0.1);
    EXPECT_EQ(shown("DSCRadioG"), 2);
    state.setDisplayScaleMode(0);
    EXPECT_DOUBLE_EQ(shown("DSCNumEdit21"), 0);
    EXPECT_DOUBLE_EQ(shown("DSCNumEdit24"), 0.8);
}

struct RuleCase {
    const char* name;
    const char* setFirst; // control set before, without rules
    double firstValue;
    const char* changed;
    double value;
    const char* expectControl;
    double expected;
};

class ValueRules : public WindowStateTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(ValueRules, Apply)
{
    const RuleCase& c = GetParam();
    state.setValueQuiet(c.setFirst, c.firstValue);
    state.setValue(c.changed, c.value);
    EXPECT_DOUBLE_EQ(shown(c.expectControl), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Invariants, ValueRules,
    ::testing::Values(
        RuleCase{"LowerEqualUpper", "THRNumEdit1", 0.5, "THRNumEdit2", 0.5, "THRNumEdit2", -99.9999},
        RuleCase{"LowerBelowUpperStays", "THRNumEdit1", 0.5, "THRNumEdit2", 0.4, "THRNumEdit2", 0.4},
        RuleCase{"UpperBelowLower", "THRNumEdit2", 0.3, "THRNumEdit1", 0.2, "THRNumEdit1", 99.9999},
        RuleCase{"PointAAtB", "DSCNumEdit23", 0.5, "DSCNumEdit21", 0.5, "DSCNumEdit21", 0},
        RuleCase{"PointBBelowA", "DSCNumEdit21", 0.5, "DSCNumEdit23", 0.3, "DSCNumEdit23", 0.88},
        RuleCase{"VoltagePointAAboveB", "VSCNumEdit23", 0.5, "VSCNumEdit21", 0.6, "VSCNumEdit21", 0},
        RuleCase{"VoltagePointBAtA", "VSCNumEdit21", 0.5, "VSCNumEdit23", 0.5, "VSCNumEdit23", 0.88},
        RuleCase{"OutOfRangeTakesDefault", "THRNumEdit2", 0.1, "THRNumEdit1", 500, "THRNumEdit1", 0.64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowStateTest, StoreCopiesCommonItemsCodesAndVersion)
{
    state.setValue("SKBComboB", 2);
    state.setValue("OUTCheckB", 0);
    state.setCode("HIDEdit2", "ab12cd34ef5678");
    state.setValue("HIDComboB1", 1);
    state.storeWindow();
    const settings::ControllerSettings& c = model.controllers[0];
    EXPECT_EQ(c.KANSYOUBOUSHI, 2);
    EXPECT_FALSE(c.OUT_SR);
    EXPECT_EQ(c.FE_ID, "AB12CD34EF");
    EXPECT_EQ(c.HEAD_ID_MODE, 1);
    EXPECT_FALSE(state.setValue("SKBComboB", 3)); // no such item
    EXPECT_FALSE(state.setValue("NoSuchControl", 1));
}

TEST_F(WindowStateTest, LoadedModelShowsTheLoadedMemoryWithoutPresets)
{
    state.selectController(2);
    model.controllers[2].MEMORY_NO = 2;
    model.controllers[2].memories[2].APPLI_MODE = 1;
    model.controllers[2].memories[2].HOLD_MODE = 0;
    state.showLoadedModel();
    EXPECT_EQ(state.memory(), 2);
    EXPECT_EQ(shown("HLDRadioG"), 0);
    state.showInitialisedModel();
    EXPECT_EQ(state.controller(), 0);
}

TEST_F(WindowStateTest, StartRestoresTheSavedControllerPage)
{
    model.controllers[4].MEMORY_NO = 3;
    MainWindowState restored(model);
    restored.start(4);
    EXPECT_EQ(restored.controller(), 4);
    EXPECT_EQ(restored.memory(), 3);
    MainWindowState bad(model);
    bad.start(12);
    EXPECT_EQ(bad.controller(), 0);
}

} // namespace
} // namespace tavimo::window
