#include "link/frame.h"

#include <gtest/gtest.h>

using namespace tavimo::link;

namespace {

TEST(Frame, RequestsCarryTheCheckCodeOfTheMode)
{
    struct Case {
        int mode;
        Direction dir;
        const char* mnemonic;
        int id;
        const char* data;
        const char* expected;
    } cases[] = {
        {1, Direction::Read, "HM", 1, "0", "%EE#RHM1050\r"},
        {1, Direction::Write, "HM", 1, "3", "%EE#WHM1356\r"},
        {0, Direction::Read, "HM", 1, "0", "%EE#RHM10**\r"},
        {0, Direction::Write, "HM", 2, "3", "%EE#WHM23**\r"},
        {0, Direction::Raw, "RBB", 0, "000001000160", "%EE#RBB0000001000160**\r"},
        {2, Direction::Read, "MD", 7, "0", "%EE#RMD70\r"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(buildRequest(c.mode, c.dir, c.mnemonic, c.id, c.data), c.expected) << c.expected;
}

TEST(Frame, AnswerCheckCodeIsUpperCaseXorInModeOneOnly)
{
    EXPECT_TRUE(checkCodeMatches(1, "%EE$RHM1354\r"));
    EXPECT_FALSE(checkCodeMatches(1, "%EE$RHM1355\r"));
    // Lower-case digits fail: 0x5A would be "5A", "5a" is not accepted.
    std::string body = "%EE$RMD0+001.0000";
    std::string code = xorCode(body);
    std::string lower = code;
    for (auto& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(checkCodeMatches(1, body + code + "\r"));
    if (lower != code) EXPECT_FALSE(checkCodeMatches(1, body + lower + "\r"));
    EXPECT_FALSE(checkCodeMatches(1, "%\r"));
    for (int mode : {0, 2, 9}) EXPECT_TRUE(checkCodeMatches(mode, "%EE$RHM13zz\r"));
}

TEST(Frame, XorCodeIsTwoUpperCaseHexDigits)
{
    EXPECT_EQ(xorCode("%EE#RHM10"), "50");
    EXPECT_EQ(xorCode(""), "00");
    EXPECT_EQ(xorCode(std::string(1, '\x0a')), "0A");
}

} // namespace
