#include "window/screen_switch.h"

#include <gtest/gtest.h>

namespace tavimo::window {
namespace {

TEST(ScreenSwitch, ButtonsSelectTheirModes)
{
    EXPECT_EQ(modeForButton(ScreenButton::Value, true), kScreenMeasuredValues);
    EXPECT_EQ(modeForButton(ScreenButton::Value, false), kScreenNone);
    EXPECT_EQ(modeForButton(ScreenButton::Waveform, false), kScreenWaveform);
    EXPECT_EQ(modeForButton(ScreenButton::Logging, true), kScreenBuffering);
    EXPECT_EQ(buttonTarget(ScreenButton::Waveform, kScreenWaveform, true), std::nullopt);
    EXPECT_EQ(buttonTarget(ScreenButton::Value, kScreenNone, false), std::nullopt);
    EXPECT_EQ(buttonTarget(ScreenButton::Value, kScreenWaveform, false), kScreenNone);
    EXPECT_FALSE(opensScreen(kScreenMeasuredValues, false));
    EXPECT_TRUE(opensScreen(kScreenWaveform, false));
    EXPECT_FALSE(opensScreen(kScreenNone, true));
}

TEST(ScreenSwitch, LoggingCheckOnlyOnlineForTheBufferingScreen)
{
    EXPECT_TRUE(needsLoggingCheck(kScreenBuffering, true));
    EXPECT_FALSE(needsLoggingCheck(kScreenBuffering, false));
    EXPECT_FALSE(needsLoggingCheck(kScreenWaveform, true));
}

struct PlanCase {
    int target, current;
    bool online, passed;
    bool proceed;
    int planned;
    ScreenButton pressed;
};

TEST(ScreenSwitch, PlanTable)
{
    const PlanCase cases[] = {
        {kScreenBuffering, kScreenWaveform, true, false, false, kScreenWaveform, ScreenButton::Waveform},
        {kScreenBuffering, kScreenBuffering, true, false, true, kScreenMeasuredValues, ScreenButton::Value},
        {kScreenBuffering, kScreenMeasuredValues, true, false, false, kScreenMeasuredValues, ScreenButton::Value},
        {kScreenBuffering, kScreenNone, true, false, false, kScreenNone, ScreenButton::Value},
        {kScreenBuffering, kScreenNone, true, true, true, kScreenBuffering, ScreenButton::Logging},
        {kScreenBuffering, kScreenNone, false, false, true, kScreenBuffering, ScreenButton::Logging},
        {kScreenWaveform, kScreenWaveform, true, false, true, kScreenWaveform, ScreenButton::Waveform},
        {kScreenNone, kScreenWaveform, false, false, true, kScreenNone, ScreenButton::Value},
        {kScreenMeasuredValues, kScreenNone, true, false, true, kScreenMeasuredValues, ScreenButton::Value},
    };
    for (const PlanCase& c : cases) {
        const SwitchPlan p = planSwitch(c.target, c.current, c.online, c.passed);
        EXPECT_EQ(p.proceed, c.proceed) << c.target << " from " << c.current;
        if (p.proceed) {
            EXPECT_EQ(p.target, c.planned) << c.target << " from " << c.current;
        }
        EXPECT_EQ(p.pressed, c.pressed) << c.target << " from " << c.current;
    }
}

} // namespace
} // namespace tavimo::window
