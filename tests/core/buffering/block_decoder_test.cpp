#include "buffering/block_decoder.h"
#include "buffering/buffered_data.h"

#include <gtest/gtest.h>

namespace tavimo::buffering {
namespace {

std::vector<std::string> shown(const std::vector<double>& values)
{
    std::vector<std::string> out;
    for (double v : values) out.push_back(valueText(v));
    return out;
}

TEST(BlockDecoder, AbsoluteValueThenDeltasInTenThousandths)
{
    std::vector<double> v;
    ASSERT_TRUE(decodeBlock("+1.2345+10-5", 3, v));
    ASSERT_EQ(v.size(), 3u);
    EXPECT_NEAR(v[0], 1.2345, 1e-12);
    EXPECT_NEAR(v[1], 1.2355, 1e-12);
    EXPECT_NEAR(v[2], 1.2350, 1e-12);
    EXPECT_EQ(shown(v), (std::vector<std::string>{"1.2345", "1.2355", "1.2350"}));
}

TEST(BlockDecoder, NegativeStartAndOneValueBlocks)
{
    std::vector<double> v;
    ASSERT_TRUE(decodeBlock("-0.5000", 1, v));
    ASSERT_TRUE(decodeBlock("-12.0001+2+0-3", 4, v)); // appends; each block starts afresh
    EXPECT_EQ(shown(v), (std::vector<std::string>{"-0.5000", "-12.0001", "-11.9999", "-11.9999", "-12.0002"}));
}

TEST(BlockDecoder, LongBlocksKeepTheirRunningSumExact)
{
    std::string answer = "+0.0000";
    for (int i = 0; i < 159; ++i) answer += "+1";
    std::vector<double> v;
    ASSERT_TRUE(decodeBlock(answer, 160, v));
    EXPECT_EQ(valueText(v.back()), "0.0159");
}

struct BadAnswer {
    const char* answer;
    std::size_t expected;
};

class RefusedAnswer : public ::testing::TestWithParam<BadAnswer> {};

TEST_P(RefusedAnswer, AppendsNothing)
{
    std::vector<double> v{7.0};
    EXPECT_FALSE(decodeBlock(GetParam().answer, GetParam().expected, v)) << GetParam().answer;
    EXPECT_EQ(v, std::vector<double>{7.0}); // what was there stays, nothing past it
}

INSTANTIATE_TEST_SUITE_P(BlockDecoder, RefusedAnswer,
                         ::testing::Values(BadAnswer{"+1.2345+10-5", 2},     // one too many
                                           BadAnswer{"+1.2345+10-5", 4},     // one too few
                                           BadAnswer{"+1.2345+10-5", 0},     // nothing expected
                                           BadAnswer{"", 1},                 // empty answer
                                           BadAnswer{"1.2345+10", 2},        // text before the first sign
                                           BadAnswer{"+1.2345++10", 3},      // sign without digits
                                           BadAnswer{"+1.2345+1x0", 2},      // stray character
                                           BadAnswer{"+1.+10", 2},           // point without decimals
                                           BadAnswer{"+1.2345+10-", 3},      // sign at the end
                                           BadAnswer{"+1.2345 +10", 2}));    // blank inside

TEST(ReadoutBlocks, HundredSixtyPointsAreOneBlockHundredSixtyOneAreTwo)
{
    EXPECT_EQ(readoutBlocks(160), (std::vector<Block>{{0, 159}}));
    EXPECT_EQ(readoutBlocks(161), (std::vector<Block>{{0, 159}, {160, 160}}));
    EXPECT_EQ(readoutBlocks(1), (std::vector<Block>{{0, 0}}));
    EXPECT_TRUE(readoutBlocks(0).empty());
    const auto many = readoutBlocks(50000);
    ASSERT_EQ(many.size(), 313u);
    EXPECT_EQ(many.back(), (Block{49920, 49999}));
    long long total = 0;
    for (const Block& b : many) total += b.count();
    EXPECT_EQ(total, 50000);
}

} // namespace
} // namespace tavimo::buffering
