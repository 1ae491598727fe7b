#include "settings/head_initialization.h"
#include "settings/mode_presets.h"

#include <gtest/gtest.h>

namespace tavimo::settings {
namespace {

// Stored values that no preset would produce, so that every forced item shows.
MemorySettings storedValues(int mode)
{
    MemorySettings v = initialMemorySettings(10.0);
    v.APPLI_MODE = mode;
    v.HOLD_MODE = 5;
    v.TRIG_MODE = 3;
    v.INT_TRIG_EDG = 0;
    v.INT_TRIG_THR = -3.5;
    v.INT_TRIG_HYS = 0.5;
    v.INT_TRIG_DRY = 1.5;
    v.INT_TRIG_SMP = 2.5;
    v.COMP_MODE = 1;
    v.D_SCALE_SLOPE = 1;
    v.V_SCALE_SLOPE = 0;
    return v;
}

TEST(ModePresets, EachModeForcesItsItemsAndKeepsTheRest)
{
    struct Case {
        int mode;
        void (*expect)(MemorySettings&); // turns the stored values into the expected ones
    };
    const Case cases[] = {
        {0, [](MemorySettings&) {}},
        {1, [](MemorySettings& v) { v.HOLD_MODE = 2, v.TRIG_MODE = 2, v.INT_TRIG_EDG = 1; }},
        {2, [](MemorySettings& v) { v.HOLD_MODE = 3, v.TRIG_MODE = 2, v.INT_TRIG_EDG = 0; }},
        {3, [](MemorySettings& v) { v.HOLD_MODE = 4, v.TRIG_MODE = 1; }}, // edge kept
        {4, [](MemorySettings& v) {
             v.HOLD_MODE = 0, v.TRIG_MODE = 0, v.INT_TRIG_EDG = 1;
             v.INT_TRIG_THR = 2.5, v.INT_TRIG_HYS = 0.005; // R = 5
             v.INT_TRIG_DRY = 0, v.INT_TRIG_SMP = 0, v.COMP_MODE = 0;
         }},
        {7, [](MemorySettings&) {}}, // an index outside the list forces nothing
    };
    for (const Case& c : cases) {
        MemorySettings shown = storedValues(c.mode);
        MemorySettings expected = shown;
        c.expect(expected);
        applyModePresets(shown, 5.0);
        EXPECT_EQ(shown, expected) << "mode " << c.mode;
        // Showing a memory never changes its slopes.
        EXPECT_EQ(shown.D_SCALE_SLOPE, 1);
        EXPECT_EQ(shown.V_SCALE_SLOPE, 0);
    }
}

TEST(ModePresets, PickingAModeSetsBothSlopesMinusOnlyForHeight)
{
    for (int mode = 0; mode < kApplicationModeCount; ++mode) {
        MemorySettings v = storedValues(0);
        v.SENSE_MODE = 3;
        pickApplicationMode(v, mode, 0.8);
        const int slope = mode == 3 ? 1 : 0;
        EXPECT_EQ(v.APPLI_MODE, mode);
        EXPECT_EQ(v.SENSE_MODE, 0);
        EXPECT_EQ(v.D_SCALE_SLOPE, slope) << "mode " << mode;
        EXPECT_EQ(v.V_SCALE_SLOPE, slope) << "mode " << mode;
    }
}

TEST(ModePresets, InitialiseModeUsesFourDecimalValuesOfTheHeadRange)
{
    MemorySettings v = storedValues(4);
    applyModePresets(v, 0.8);
    EXPECT_EQ(v.INT_TRIG_THR, 0.4);
    EXPECT_EQ(v.INT_TRIG_HYS, 0.0008);
}

} // namespace
} // namespace tavimo::settings
