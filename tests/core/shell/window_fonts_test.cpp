// The English font step and the drop-down width rule.
#include "shell/window_fonts.h"

#include <gtest/gtest.h>

namespace tavimo::shell {
namespace {

struct FontCase {
    FontSize designed;
    Language language;
    int designDpi;
    int screenDpi;
    int expected;
};

TEST(WindowFonts, EnglishIsOneStepSmallerOnDenserScreens)
{
    const FontCase cases[] = {
        {{9, FontUnit::Points}, Language::English, 96, 144, 8},
        {{12, FontUnit::Pixels}, Language::English, 96, 120, 11},
        {{9, FontUnit::Points}, Language::English, 96, 96, 9},   // same density
        {{9, FontUnit::Points}, Language::English, 144, 96, 9},  // screen less dense
        {{9, FontUnit::Points}, Language::Japanese, 96, 144, 9}, // Japanese unchanged
        {{0, FontUnit::Points}, Language::English, 96, 144, 0},  // toolkit default
        {{1, FontUnit::Pixels}, Language::English, 96, 144, 1},  // never below 1
    };
    for (const FontCase& c : cases) {
        FontSize got = windowFontSize(c.designed, c.language, c.designDpi, c.screenDpi);
        EXPECT_EQ(got.value, c.expected);
        EXPECT_EQ(got.unit, c.designed.unit);
    }
}

TEST(WindowFonts, ModeDropDownWidth)
{
    EXPECT_DOUBLE_EQ(modeDropDownWidthFactor(Language::English), 1.5);
    EXPECT_DOUBLE_EQ(modeDropDownWidthFactor(Language::Japanese), 1.0);
}

} // namespace
} // namespace tavimo::shell
