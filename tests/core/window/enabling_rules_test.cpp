#include "window/enabling_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tavimo::window {
namespace {

struct Case {
    const char* name;
    EnablingInputs in;
    std::set<std::string> enabled;  // governed controls expected enabled
    std::set<std::string> disabled; // governed controls expected disabled
};

EnablingInputs inputs(int mode, int trigger, int hold = 0, bool online = false, int screen = 0)
{
    EnablingInputs in;
    in.appMode = mode;
    in.triggerMode = trigger;
    in.holdMode = hold;
    in.online = online;
    in.screenMode = screen;
    return in;
}

const Case kCases[] = {
    {"ManualInternal", inputs(0, 2),
     {"HLDRadioG", "TRGRadioG", "TRGComboB11", "TRGNumEdit11", "TRGNumEdit12", "TRGNumEdit13", "TRGNumEdit14"},
     {"TRGNumEdit31", "CMPRadioG"}},
    {"ManualCyclic", inputs(0, 3), {"TRGNumEdit31", "TRGRadioG"},
     {"TRGComboB11", "TRGNumEdit11", "TRGNumEdit12", "TRGNumEdit13", "TRGNumEdit14"}},
    {"BottomHoldInternalCompares", inputs(0, 2, 2), {"CMPRadioG"}, {}},
    {"PressBdc", inputs(1, 2, 2), {"TRGNumEdit11", "TRGNumEdit12", "CMPRadioG"},
     {"HLDRadioG", "TRGRadioG", "TRGComboB11", "TRGNumEdit13", "TRGNumEdit14"}},
    {"Rotation", inputs(2, 2, 3), {"TRGNumEdit12"}, {"TRGNumEdit11", "TRGComboB11", "CMPRadioG"}},
    {"Height", inputs(3, 1, 4), {},
     {"HLDRadioG", "TRGRadioG", "TRGNumEdit11", "TRGNumEdit12", "TRGComboB11", "TRGNumEdit31"}},
    {"BufferingScreenLocksTrigger", inputs(0, 0, 0, true, 3), {"HLDRadioG"}, {"TRGRadioG"}},
    {"Online", inputs(0, 0, 0, true),
     {"SendButton", "ReciveButton", "InitButton", "RebootButton", "BitBtn3", "E1", "HIDButton01", "HIDButton02",
      "CLBButton"},
     {"C1"}},
    {"Offline", inputs(0, 0),
     {"C1"},
     {"SendButton", "ReciveButton", "InitButton", "RebootButton", "BitBtn3", "E1", "HIDButton01", "HIDButton02",
      "CLBButton"}},
};

class EnablingRules : public ::testing::TestWithParam<Case> {};

TEST_P(EnablingRules, Table)
{
    const Case& c = GetParam();
    for (const std::string& name : c.enabled) EXPECT_TRUE(controlState(c.in, name).enabled) << name;
    for (const std::string& name : c.disabled) EXPECT_FALSE(controlState(c.in, name).enabled) << name;
}

INSTANTIATE_TEST_SUITE_P(Rules, EnablingRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EnablingRulesScaling, EachModeEnablesItsOwnFields)
{
    const char* one[] = {"NumEdit11", "NumEdit12", "SlopeRadioG"};
    const char* two[] = {"NumEdit21", "NumEdit22", "NumEdit23", "NumEdit24"};
    for (const std::string prefix : {"DSC", "VSC"}) {
        for (int mode = 0; mode < 4; ++mode) {
            EnablingInputs in;
            (prefix == "DSC" ? in.displayScale : in.voltageScale) = mode;
            for (const char* n : one) EXPECT_EQ(controlState(in, prefix + n).enabled, mode == 1) << prefix << n;
            for (const char* n : two) EXPECT_EQ(controlState(in, prefix + n).enabled, mode == 2) << prefix << n;
            EXPECT_EQ(controlState(in, prefix + "ComboB11").enabled, mode == 3);
        }
    }
}

TEST(EnablingRulesHeadCodes, VisibleOnlyForACompatibleHead)
{
    EnablingInputs in;
    for (int mode : {0, 1})
        for (const char* c : {"HIDEdit1", "HIDEdit2", "HIDEdit3", "Label6", "Label24", "Label26", "Memo3"}) {
            in.headIdMode = mode;
            EXPECT_EQ(controlState(in, c).visible, mode == 1) << c;
            EXPECT_TRUE(controlState(in, c).enabled) << c;
        }
}

TEST(EnablingRulesList, NamesEachControlOnce)
{
    std::set<std::string> seen;
    for (const ControlState& s : enablingRules({})) EXPECT_TRUE(seen.insert(std::string(s.control)).second) << s.control;
    EXPECT_TRUE(controlState({}, "NoRuleHere").enabled);
}

} // namespace
} // namespace tavimo::window
