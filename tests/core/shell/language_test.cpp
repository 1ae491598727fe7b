// The language rule for ENVIRONMENT/LANGUAGE and the help file names.
#include "shell/language.h"

#include <gtest/gtest.h>

namespace tavimo::shell {
namespace {

struct ValueCase {
    std::optional<std::string_view> raw;
    Language expected;
};

TEST(Language, FromConfigurationText)
{
    const ValueCase cases[] = {
        {std::nullopt, Language::Japanese}, // no file or no key
        {"0", Language::Japanese},
        {"", Language::Japanese},
        {"00", Language::Japanese},
        {"-0", Language::Japanese},
        {" 0 ", Language::Japanese},
        {"1", Language::English},
        {"2", Language::English},
        {"-1", Language::English},
        {"+3", Language::English},
        {" 1\r", Language::English},
        {"99999999999999999999", Language::English}, // any integer other than 0
        {"abc", Language::Japanese},                 // no integer: the default 0
        {"1x", Language::Japanese},
        {"-", Language::Japanese},
        {"0.5", Language::Japanese},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(languageFromValue(c.raw), c.expected) << (c.raw ? std::string(*c.raw) : "<missing>");
}

TEST(Language, FromInteger)
{
    EXPECT_EQ(languageFromInteger(std::nullopt), Language::Japanese);
    EXPECT_EQ(languageFromInteger(0), Language::Japanese);
    EXPECT_EQ(languageFromInteger(1), Language::English);
    EXPECT_EQ(languageFromInteger(-1), Language::English);
}

TEST(Language, HelpFiles)
{
    EXPECT_EQ(helpFileName(Language::Japanese), "TAVIMO_J.chm");
    EXPECT_EQ(helpFileName(Language::English), "TAVIMO_E.chm");
    EXPECT_EQ(helpFileName(languageFromValue(std::nullopt)), "TAVIMO_J.chm");
}

} // namespace
} // namespace tavimo::shell
