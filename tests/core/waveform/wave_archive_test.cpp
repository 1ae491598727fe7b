// Archiving: elapsed and step in modulo-2^32 arithmetic, the bound of 256.
#include "wave_blocks.h"

#include <gtest/gtest.h>

using namespace tavimo::waveform;
using samples::tickBlock;

namespace {

TEST(WaveArchive, ElapsedAndStepAcrossTheTickWrap)
{
    WaveArchive a;
    const std::uint32_t start = 0xFFFFFFF0u;
    WaveBlock b1 = tickBlock(start, 3, 10); // ..F0, ..FA, 0x04 (wrapped)
    a.archive(b1, 3);
    EXPECT_EQ(a.startTick(), start);
    EXPECT_EQ(b1.count, 3);
    EXPECT_EQ(b1.records[0].elapsed, 0u);
    EXPECT_EQ(b1.records[2].elapsed, 20u);
    EXPECT_EQ(b1.records[2].step, 20); // the first block: step = elapsed

    WaveBlock b2 = tickBlock(start + 250, 2, 100); // tick 0xEA after the wrap
    a.archive(b2, 2);
    EXPECT_EQ(b2.records[0].elapsed, 250u);
    EXPECT_EQ(b2.records[1].elapsed, 350u);
    // Both steps measure from the last record of the previous block.
    EXPECT_EQ(b2.records[0].step, 230);
    EXPECT_EQ(b2.records[1].step, 330);
    EXPECT_EQ(a.back().records[1].elapsed, 350u); // the archived copy holds the same
}

TEST(WaveArchive, The257thBlockDropsTheOldest)
{
    WaveArchive a;
    for (std::uint32_t i = 0; i < 257; ++i) {
        WaveBlock b = tickBlock(1000 + i * 250, 1);
        a.archive(b, 1);
        ASSERT_EQ(a.size(), std::min<std::size_t>(i + 1, 256));
    }
    EXPECT_EQ(a.block(0).records[0].tick, 1000u + 250u); // block 0 went
    EXPECT_EQ(a.block(0).records[0].elapsed, 250u);      // elapsed still counts from the capture's start
    EXPECT_EQ(a.back().records[0].elapsed, 256u * 250u);
    EXPECT_EQ(a.back().records[0].step, 250);
}

TEST(WaveArchive, CountsOutsideTheRingAreBounded)
{
    WaveArchive a;
    WaveBlock none = tickBlock(5, 3);
    a.archive(none, 0);
    EXPECT_TRUE(a.empty());
    WaveBlock many = tickBlock(5, 36);
    a.archive(many, 99);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a.back().count, 36);
    EXPECT_EQ(lastElapsed(a.back()), 350u);
}

} // namespace
