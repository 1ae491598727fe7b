// A buffering run on a simulated controller and its readout in blocks,
// decoded the way the program decodes them.
#include "line_fixture.h"

#include <chrono>
#include <thread>

using namespace tavimo;
using namespace tavimo::link;
using namespace std::chrono_literals;
using simtest::LineTest;

namespace {

// An RBB answer: an absolute value, then changes in units of 0.0001, each
// number starting with its sign. Split from the end at the last sign.
std::vector<double> decodeBlock(std::string text)
{
    std::vector<std::string> numbers;
    for (;;) {
        auto p = text.find_last_of("+-");
        if (p == std::string::npos) break;
        numbers.insert(numbers.begin(), text.substr(p));
        text.erase(p);
    }
    std::vector<double> values;
    for (const std::string& n : numbers)
        values.push_back(values.empty() ? std::stod(n) : values.back() + std::stod(n) * 0.0001);
    return values;
}

class Buffering : public LineTest {
protected:
    int readInt(const IntCommand& c, int selector = 0)
    {
        int v = -1;
        EXPECT_TRUE(commands_->read(c, id, v, true, selector)) << c.mnemonic;
        return v;
    }
    // Polls (bounded) until the condition holds.
    template <class Pred>
    bool eventually(Pred p)
    {
        for (int i = 0; i < 300; ++i) {
            if (p()) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    const int id = 1;
};

TEST_F(Buffering, ARunIsReadBackAsTheSimulatedPoints)
{
    ASSERT_TRUE(commands_->writeBufferMode(id, 1, 1, true));
    ASSERT_TRUE(commands_->write(cmd::BM, id, 40, true)); // a point every 1 ms
    ASSERT_TRUE(commands_->write(cmd::BP, id, 20, true));
    EXPECT_EQ(readInt(cmd::BN, 0), 50000);
    ASSERT_TRUE(commands_->write(cmd::BR, id, 1, true));
    EXPECT_EQ(readInt(cmd::BR), 1);
    ASSERT_TRUE(eventually([&] { return readInt(cmd::BC) == 1 && readInt(cmd::BN, 2) >= 400; }));
    ASSERT_TRUE(commands_->write(cmd::BR, id, 0, true));
    EXPECT_EQ(readInt(cmd::BR), 0);
    const int stored = readInt(cmd::BN, 2);
    EXPECT_EQ(readInt(cmd::BN, 2), stored); // stopped: the count stays

    const long long n = 400;
    std::vector<double> values;
    for (long long first = 0; first < n; first += 160) {
        long long last = std::min(first + 159, n - 1);
        std::string answer;
        ASSERT_TRUE(commands_->readBlock(id, first, last, answer, true));
        ASSERT_TRUE(answer[0] == '+' || answer[0] == '-') << answer;
        auto block = decodeBlock(answer);
        ASSERT_EQ(static_cast<long long>(block.size()), last - first + 1);
        values.insert(values.end(), block.begin(), block.end());
    }
    sim_->withController(id, [&](sim::ControllerState& c) {
        for (long long k = 0; k < n; ++k) ASSERT_NEAR(values[k], c.run.point(k), 1e-9) << k;
        EXPECT_EQ(c.run.storedCount(sim::Clock::now()), stored);
    });
    // The signal moves: the block is not one repeated value.
    EXPECT_NE(values.front(), values.back());
}

TEST_F(Buffering, ARunStopsByItselfWhenFullAndHoldModeCountsHoldResults)
{
    sim_->withController(id, [](sim::ControllerState& c) { c.buffering.capacity = 300; });
    ASSERT_TRUE(commands_->writeBufferMode(id, 1, 0, true));
    ASSERT_TRUE(commands_->write(cmd::BR, id, 1, true));
    ASSERT_TRUE(eventually([&] { return readInt(cmd::BR) == 0; }));
    EXPECT_EQ(readInt(cmd::BC), 1);
    EXPECT_EQ(readInt(cmd::BN, 2), 300);
    std::string answer;
    EXPECT_TRUE(commands_->readBlock(id, 140, 299, answer, true));

    ASSERT_TRUE(commands_->write(cmd::HM, id, 1, true));
    ASSERT_TRUE(commands_->write(cmd::BR, id, 1, true));
    ASSERT_TRUE(eventually([&] { return readInt(cmd::BN, 1) >= 5; }));
    ASSERT_TRUE(commands_->write(cmd::BR, id, 0, true));
    sim_->withController(id, [](sim::ControllerState& c) { EXPECT_EQ(c.run.interval(), 2ms); });
}

} // namespace
