#include "settings/head_initialization.h"

#include <gtest/gtest.h>

namespace tavimo::settings {
namespace {

// A model in which every value differs from its initial value, so that a
// re-initialisation that touches too much or too little shows.
SettingsModel editedModel()
{
    SettingsModel m;
    for (int id = 0; id < kControllerCount; ++id) {
        ControllerSettings& c = m.controllers[id];
        c.SENSOR_TYPE = id % kHeadTypeCount;
        c.MEMORY_NO = 3;
        c.KANSYOUBOUSHI = 2;
        c.OUT_TYPE = 1;
        c.OFF_DELAY = 6;
        c.HEAD_SR = c.KANSYOU_SR = c.OUT_SR = false;
        c.HEAD_ID_MODE = 1;
        c.SUS_ID = "ABCDEFGHIJ";
        c.FE_ID = "0123456789";
        c.AL_ID = "ZZZZZZZZZZ";
        for (MemorySettings& v : c.memories) {
            v.APPLI_MODE = 2;
            v.HOLD_MODE = 5;
            v.INT_TRIG_THR = -1.25;
            v.HI_TH_LEVEL = 7.5;
            v.D_SENSE_VALUE_B = 0.3;
            v.V_SCALE_VALUE_B = -2;
            v.V_SCALE_SLOPE = 1;
        }
    }
    m.calculations[2] = {false, 2, 7, 6};
    m.VERSION_INDEX = 0;
    return m;
}

TEST(HeadInitialization, ChangeHeadTypeResetsExactlyOneControllerWithItsRange)
{
    SettingsModel model = editedModel();
    model.controllers[3].SENSOR_TYPE = 0; // HT-01
    const SettingsModel before = model;

    changeHeadType(model, 3, 5); // HT-06, R = 10

    const ControllerSettings& c = model.controllers[3];
    EXPECT_EQ(c.SENSOR_TYPE, 5);
    EXPECT_EQ(c.MEMORY_NO, 0);
    EXPECT_EQ(c.KANSYOUBOUSHI, 0);
    EXPECT_EQ(c.OUT_TYPE, 0);
    EXPECT_EQ(c.OFF_DELAY, 1);
    EXPECT_TRUE(c.HEAD_SR && c.KANSYOU_SR && c.OUT_SR);
    EXPECT_EQ(c.HEAD_ID_MODE, 0);
    EXPECT_TRUE(c.SUS_ID.empty() && c.FE_ID.empty() && c.AL_ID.empty());
    for (const MemorySettings& v : c.memories) {
        EXPECT_EQ(v.INT_TRIG_THR, 5.0);
        EXPECT_EQ(v.INT_TRIG_HYS, 0.01);
        EXPECT_EQ(v.HI_TH_LEVEL, 8.0);
        EXPECT_EQ(v.LO_TH_LEVEL, 2.0);
        EXPECT_EQ(v.HYS_LEVEL, 0.01);
        EXPECT_EQ(v.D_SENSE_VALUE_B, 10.0);
        EXPECT_EQ(v.D_SCALE_VALUE_B, 10.0);
        EXPECT_EQ(v.V_SENSE_VALUE_B, 10.0);
        EXPECT_EQ(v.V_SCALE_VALUE_B, 5.0);
        EXPECT_EQ(v.FLK_TRIG_TIME, 1.0);
        EXPECT_EQ(v.AVERAGE, 6);
        EXPECT_EQ(v.INT_TRIG_EDG, 1);
        EXPECT_EQ(v.APPLI_MODE, 0);
        EXPECT_EQ(v.HOLD_MODE, 0);
        EXPECT_EQ(v.V_SCALE_SLOPE, 0);
    }
    for (int id = 0; id < kControllerCount; ++id) {
        if (id != 3) {
            EXPECT_EQ(model.controllers[id], before.controllers[id]) << "controller " << id;
        }
    }
    EXPECT_EQ(model.calculations, before.calculations);
    EXPECT_EQ(model.VERSION_INDEX, before.VERSION_INDEX);
}

TEST(HeadInitialization, DerivedValuesAreKeptAtFourDecimals)
{
    // 0.8 x 0.001 in binary is 0.0008000000000000001; the model keeps 0.0008.
    for (const HeadType& head : kHeadTypes) {
        const MemorySettings v = initialMemorySettings(head.range);
        EXPECT_EQ(v.INT_TRIG_HYS, roundToFourDecimals(head.range / 1000.0)) << head.model;
        EXPECT_EQ(v.HI_TH_LEVEL, roundToFourDecimals(head.range * 0.8)) << head.model;
    }
    EXPECT_EQ(initialMemorySettings(0.8).HYS_LEVEL, 0.0008);
    EXPECT_EQ(initialMemorySettings(0.8).HI_TH_LEVEL, 0.64);
}

TEST(HeadInitialization, DefaultModelIsEveryControllerInitialisedForHt01)
{
    SettingsModel model = editedModel();
    for (int id = 0; id < kControllerCount; ++id)
        changeHeadType(model, id, 0);
    resetCalculations(model);
    EXPECT_EQ(model, SettingsModel{});
}

TEST(HeadInitialization, HeadRangeOfEveryTypeAndOfTypesOutsideTheTable)
{
    const struct {
        int type;
        double range;
    } cases[] = {{0, 0.8}, {1, 1.0}, {2, 2.0}, {3, 2.0}, {4, 5.0}, {5, 10.0}, {6, 3.0},
                 {7, 1.0}, {9, 1.0}, {10, 1.0}, {-1, 1.0}, {2147483647, 1.0}};
    for (const auto& c : cases) {
        SettingsModel model;
        model.controllers[6].SENSOR_TYPE = c.type;
        EXPECT_EQ(headRange(model, 6), c.range) << "type " << c.type;
        EXPECT_EQ(headModelName(c.type).has_value(), c.type >= 0 && c.type <= 6);
    }
    SettingsModel model;
    model.controllers[1].SENSOR_TYPE = 7;
    initializeForHead(model, 1); // uses R = 1.0, keeps the odd type
    EXPECT_EQ(model.controllers[1].SENSOR_TYPE, 7);
    EXPECT_EQ(model.controllers[1].memories[2].D_SENSE_VALUE_B, 1.0);
}

TEST(HeadInitialization, ResetCalculationsGivesEnabledPairs)
{
    SettingsModel model = editedModel();
    for (CalculationSetting& c : model.calculations)
        c = {false, 1, 5, 5};
    resetCalculations(model);
    for (int i = 0; i < kCalculationCount; ++i)
        EXPECT_EQ(model.calculations[i], (CalculationSetting{true, 0, 2 * i, 2 * i + 1}));
}

TEST(HeadInitialization, InvalidControllerIdChangesNothing)
{
    SettingsModel model = editedModel();
    const SettingsModel before = model;
    changeHeadType(model, 8, 3);
    initializeForHead(model, -1);
    EXPECT_EQ(model, before);
}

} // namespace
} // namespace tavimo::settings
