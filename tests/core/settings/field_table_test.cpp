#include "settings/field_table.h"
#include "settings/head_initialization.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tavimo::settings {
namespace {

TEST(FieldTable, CoversEveryMemberOnceAndInitialValuesMatchHeadInitialisation)
{
    // Writing a distinct value through each descriptor must reach a distinct
    // member: a descriptor pointing at the wrong member shows as a collision.
    MemorySettings v{};
    std::set<std::string_view> names;
    int n = 0;
    for (const MemoryField& f : memoryFields()) {
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        setFieldValue(v, f, 1000 + n);
        ++n;
    }
    EXPECT_EQ(n, 34);
    n = 0;
    for (const MemoryField& f : memoryFields())
        EXPECT_EQ(fieldValue(v, f), 1000 + n++) << f.name;

    for (const HeadType& head : kHeadTypes) {
        const MemorySettings init = initialMemorySettings(head.range);
        for (const MemoryField& f : memoryFields())
            EXPECT_EQ(fieldValue(init, f), fieldLimits(f, head.range).defaultValue) << head.model << ' ' << f.name;
    }
    EXPECT_EQ(commonFields().size(), 12u);
}

TEST(FieldTable, WindowRangesFollowTheHeadRange)
{
    const struct {
        std::string_view name;
        double R;
        bool headInitialised;
        double min, max, def;
    } cases[] = {
        {"D_SENSE_VALUE_B", 0.8, true, 0, 0.88, 0.8},
        {"D_SENSE_VALUE_B", 0.8, false, 0.001, 0.88, 0.8},
        {"V_SENSE_VALUE_1", 10, true, 0, 11, 0},
        {"HI_TH_LEVEL", 0.8, true, -99.9989, 99.9999, 0.64},
        {"LO_TH_LEVEL", 5, true, -99.9999, 99.9989, 1},
        {"FLK_TRIG_TIME", 2, true, 0.0001, 99.9999, 1},
        {"V_SCALE_VALUE_B", 3, true, -5.5, 5.5, 5},
        {"AVERAGE", 3, true, 0, 14, 6},
    };
    for (const auto& c : cases) {
        const MemoryField* f = findMemoryField(c.name);
        ASSERT_NE(f, nullptr) << c.name;
        const FieldLimits l = fieldLimits(*f, c.R, c.headInitialised);
        EXPECT_EQ(l.min, c.min) << c.name;
        EXPECT_EQ(l.max, c.max) << c.name;
        EXPECT_EQ(l.defaultValue, c.def) << c.name;
    }
}

TEST(FieldTable, FitsFieldSaysWhatTheWindowCanShow)
{
    const MemoryField& hi = *findMemoryField("HI_TH_LEVEL");
    const MemoryField& bSense = *findMemoryField("D_SENSE_VALUE_B");
    const MemoryField& hold = *findMemoryField("HOLD_MODE");
    EXPECT_TRUE(fitsField(hi, 5.0, 0.8));      // inside -99.9989..99.9999
    EXPECT_FALSE(fitsField(bSense, 5.0, 0.8)); // outside 0..0.88
    EXPECT_TRUE(fitsField(bSense, 0.88, 0.8));
    EXPECT_FALSE(fitsField(hi, std::numeric_limits<double>::quiet_NaN(), 0.8));
    EXPECT_TRUE(fitsField(hold, 5, 0.8));
    EXPECT_FALSE(fitsField(hold, 6, 0.8));
    EXPECT_FALSE(fitsField(hold, -1, 0.8));
    EXPECT_FALSE(fitsField(hold, 1.5, 0.8));
    EXPECT_TRUE(isValidListIndex(*findCommonField("OFF_DELAY"), 6));
    EXPECT_FALSE(isValidListIndex(*findCommonField("SENSOR_TYPE"), 7));
    EXPECT_FALSE(isValidListIndex(*findCommonField("HEAD_SR"), 0));
}

} // namespace
} // namespace tavimo::settings
