// Pacing: the time characters take on the line, and a paced line that still
// answers everything correctly (its speed is measured by a benchmark).
#include "line_fixture.h"

#include "sim/pacing.h"

using namespace tavimo;
using namespace tavimo::link;
using simtest::LineTest;

namespace {

TEST(LinePacer, CharactersTakeTheirBitsAtTheLineRate)
{
    sim::LinePacer p(true, 19200, 11);
    EXPECT_EQ(p.characters(12), std::chrono::microseconds(6875));
    EXPECT_EQ(sim::LinePacer(true, 115200, 11).characters(32),
              std::chrono::nanoseconds(3055556)); // rounded to the nanosecond, not summed per byte
    EXPECT_EQ(sim::LinePacer(false, 19200, 11).characters(12), sim::Clock::duration::zero());
}

using Pacing = LineTest;

TEST_F(Pacing, APacedLineAnswersLongAndShortFrames)
{
    sim::SimulatorOptions o;
    o.pace = true;
    o.baud = 115200;
    startLine(o);
    port_->configurePort("115200", "O", "8", "1", false, false);
    double md = 0;
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(commands_->read(cmd::MD, i % 4, md, false)) << i;
    sim_->withController(0, [](sim::ControllerState& c) { c.buffering.capacity = 200; });
    ASSERT_TRUE(commands_->write(cmd::BR, 0, 1, false));
    int running = 1;
    for (int i = 0; i < 200 && running == 1; ++i) ASSERT_TRUE(commands_->read(cmd::BR, 0, running, false));
    ASSERT_EQ(running, 0);
    std::string block;
    ASSERT_TRUE(commands_->readBlock(0, 0, 159, block, false));
    EXPECT_GT(block.size(), 160u);
}

} // namespace
