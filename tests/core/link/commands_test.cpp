// What each command puts on the line, and what it refuses to send.
#include "sim_line.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace tavimo;
using namespace tavimo::link;
using testkit::SimLine;

namespace {

using Commands = SimLine;

struct WireCase {
    const char* name;
    std::function<bool(CommandSet&)> call;
    const char* expected; // command field + data sent to controller 2; "" = nothing sent
    bool answered = true; // false: the controller may refuse it (nothing buffered)
};

TEST_F(Commands, WritesPutTheEncodedDataOnTheLineOrSendNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const WireCase cases[] = {
        {"HM 3", [](CommandSet& c) { return c.write(cmd::HM, 2, 3, true); }, "WHM3"},
        {"HM 6 refused", [](CommandSet& c) { return c.write(cmd::HM, 2, 6, true); }, ""},
        {"HM -1 refused", [](CommandSet& c) { return c.write(cmd::HM, 2, -1, true); }, ""},
        {"AV 14", [](CommandSet& c) { return c.write(cmd::AV, 2, 14, true); }, "WAVE"},
        {"DT 0.8", [](CommandSet& c) { return c.write(cmd::DT, 2, 0.8, true); }, "WDT0000.8000"},
        {"TT -999.9999", [](CommandSet& c) { return c.write(cmd::TT, 2, -999.9999, true); }, "WTT-999.9999"},
        {"TT -1.25", [](CommandSet& c) { return c.write(cmd::TT, 2, -1.25, true); }, "WTT-001.2500"},
        {"TT NaN refused", [nan](CommandSet& c) { return c.write(cmd::TT, 2, nan, true); }, ""},
        {"TH 999.9999", [](CommandSet& c) { return c.write(cmd::TH, 2, 999.9999, true); }, "WTH0999.9999"},
        {"TH -0.5 refused", [](CommandSet& c) { return c.write(cmd::TH, 2, -0.5, true); }, ""},
        {"FT 0 refused", [](CommandSet& c) { return c.write(cmd::FT, 2, 0.0, true); }, ""},
        {"HT inf refused", [inf](CommandSet& c) { return c.write(cmd::HT, 2, inf, true); }, ""},
        {"BM 1000", [](CommandSet& c) { return c.write(cmd::BM, 2, 1000, true); }, "WBM01000"},
        {"BM 0 refused", [](CommandSet& c) { return c.write(cmd::BM, 2, 0, true); }, ""},
        {"BP 1000", [](CommandSet& c) { return c.write(cmd::BP, 2, 1000, true); }, "WBP001000"},
        {"UC mode 0 ignores partner", [](CommandSet& c) { return c.writeCalculation(2, 0, 5, true); }, "WUC00"},
        {"UC 1 with 3", [](CommandSet& c) { return c.writeCalculation(2, 1, 3, true); }, "WUC13"},
        {"UC partner = own ID refused", [](CommandSet& c) { return c.writeCalculation(2, 1, 2, true); }, ""},
        {"UC mode 3 refused", [](CommandSet& c) { return c.writeCalculation(2, 3, 1, true); }, ""},
        {"WT", [](CommandSet& c) { return c.writeLimits(2, {0.8, 0.16, 0.0008}, true); },
         "WWT0:+000.8000 +000.1600 0000.0008"},
        {"WT hysteresis < 0 refused", [](CommandSet& c) { return c.writeLimits(2, {0.8, 0.1, -1}, true); }, ""},
        {"SD one point", [](CommandSet& c) { return c.writeOnePoint(Scaling::Display, 2, {1.5, -0.25}, true); },
         "WSD2:0001.5000 -000.2500"},
        {"SV two points",
         [](CommandSet& c) { return c.writeTwoPoint(Scaling::Voltage, 2, {1, -2, 3, 4.5}, true); },
         "WSV3:0001.0000 -002.0000 0003.0000 +004.5000"},
        {"SV none", [](CommandSet& c) { return c.writeNoScaling(Scaling::Voltage, 2, true); }, "WSV9"},
        {"SD inversion", [](CommandSet& c) { return c.writeInversion(Scaling::Display, 2, 1, true); }, "WSD71"},
        {"LO voltage minus", [](CommandSet& c) { return c.writeSlope(2, 1, 1, true); }, "WLO11"},
        {"BT on internal", [](CommandSet& c) { return c.writeBufferMode(2, 1, 1, true); }, "WBT11"},
        {"CG 9", [](CommandSet& c) { return c.calibrationStep(2, 9, true); }, "WCG9"},
        {"CG 5 refused", [](CommandSet& c) { return c.calibrationStep(2, 5, true); }, ""},
        {"GD", [](CommandSet& c) { return c.writeHeadCode(2, 1, "ABCDEFGHIJ", true); }, "WGD1ABCDEFGHIJ"},
        {"GD 9 characters refused", [](CommandSet& c) { return c.writeHeadCode(2, 1, "ABCDEFGHI", true); }, ""},
        {"GD with % refused", [](CommandSet& c) { return c.writeHeadCode(2, 1, "ABCDE%GHIJ", true); }, ""},
        {"GD with CR refused", [](CommandSet& c) { return c.writeHeadCode(2, 1, "ABCDE\rGHIJ", true); }, ""},
        {"INT", [](CommandSet& c) { return c.reboot(2, true); }, "INTRESET"},
        {"WIT", [](CommandSet& c) { return c.initialize(2, true); }, "WITSYSINIT"},
        {"ID 8 refused", [](CommandSet& c) { return c.write(cmd::HM, 8, 1, true); }, ""},
    };
    for (const auto& c : cases) {
        sim_->clearLog();
        bool ok = c.call(*commands_);
        if (*c.expected == '\0') {
            EXPECT_FALSE(ok) << c.name;
            EXPECT_EQ(sim_->requestCount(), 0u) << c.name;
        } else {
            EXPECT_TRUE(ok) << c.name;
            ASSERT_FALSE(requests().empty()) << c.name;
            EXPECT_EQ(requests().front(), c.expected) << c.name;
        }
    }
}

TEST_F(Commands, ReadsSendTheSelectorDigitOrZero)
{
    int v = 0;
    std::string text;
    const WireCase cases[] = {
        {"HM", [&](CommandSet& c) { return c.read(cmd::HM, 2, v, true); }, "RHM0"},
        {"BN 1", [&](CommandSet& c) { return c.read(cmd::BN, 2, v, true, 1); }, "RBN1"},
        {"BN 3 refused", [&](CommandSet& c) { return c.read(cmd::BN, 2, v, true, 3); }, ""},
        {"LO 1", [&](CommandSet& c) { return c.readSlope(2, 1, v, true); }, "RLO1"},
        {"LO 2 refused", [&](CommandSet& c) { return c.readSlope(2, 2, v, true); }, ""},
        {"GD 2", [&](CommandSet& c) { return c.readHeadCode(2, 2, text, true); }, "RGD2"},
        {"GD 3 refused", [&](CommandSet& c) { return c.readHeadCode(2, 3, text, true); }, ""},
        {"SD mode", [&](CommandSet& c) { return c.readScalingMode(Scaling::Display, 2, v, true); }, "RSD3"},
        {"RBB", [&](CommandSet& c) { return c.readBlock(2, 1, 160, text, true); }, "RBB000001000160", false},
        {"RBB 7 digits refused", [&](CommandSet& c) { return c.readBlock(2, 1000000, 1, text, true); }, ""},
    };
    for (const auto& c : cases) {
        sim_->clearLog();
        bool ok = c.call(*commands_);
        if (*c.expected == '\0') {
            EXPECT_FALSE(ok) << c.name;
            EXPECT_EQ(sim_->requestCount(), 0u) << c.name;
        } else {
            if (c.answered) EXPECT_TRUE(ok) << c.name;
            ASSERT_FALSE(requests().empty()) << c.name;
            EXPECT_EQ(requests().front(), c.expected) << c.name;
        }
    }
}

TEST_F(Commands, WrittenValuesReadBackThroughTheController)
{
    ASSERT_TRUE(commands_->writeLimits(1, {1.25, -0.5, 0.01}, true));
    JudgementLimits l;
    ASSERT_TRUE(commands_->readLimits(1, l, true));
    EXPECT_DOUBLE_EQ(l.upper, 1.25);
    EXPECT_DOUBLE_EQ(l.lower, -0.5);
    EXPECT_DOUBLE_EQ(l.hysteresis, 0.01);

    ASSERT_TRUE(commands_->writeTwoPoint(Scaling::Display, 1, {1, -2, 3, 4.5}, true));
    TwoPointScaling t;
    ASSERT_TRUE(commands_->readTwoPoint(Scaling::Display, 1, t, true));
    EXPECT_DOUBLE_EQ(t.senseA, 1);
    EXPECT_DOUBLE_EQ(t.scaleA, -2);
    EXPECT_DOUBLE_EQ(t.senseB, 3);
    EXPECT_DOUBLE_EQ(t.scaleB, 4.5);

    ASSERT_TRUE(commands_->writeCalculation(1, 2, 3, true));
    int mode = 0, partner = 0;
    ASSERT_TRUE(commands_->readCalculation(1, mode, partner, true));
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(partner, 3);

    int head = -1, code = 0;
    ASSERT_TRUE(commands_->readHeadType(1, head, code, true));
    EXPECT_GE(code, 100);
    EXPECT_LE(code, 119);
}

TEST_F(Commands, ZeroSetAndTeachFollowTheController)
{
    int zero = -1;
    ASSERT_TRUE(commands_->write(cmd::ZS, 0, 0, true));
    ASSERT_TRUE(commands_->read(cmd::ZS, 0, zero, true));
    EXPECT_EQ(zero, 1);
    ASSERT_TRUE(commands_->write(cmd::ZS, 0, 1, true));
    ASSERT_TRUE(commands_->read(cmd::ZS, 0, zero, true));
    EXPECT_EQ(zero, 0);

    double taught = 1e9, inForce = 0;
    ASSERT_TRUE(commands_->teachUpper(0, taught, true));
    ASSERT_TRUE(commands_->read(cmd::HT, 0, inForce, true));
    EXPECT_NEAR(taught, inForce, 1e-4);
}

TEST_F(Commands, AFailedReadLeavesZero)
{
    int v = 7;
    EXPECT_FALSE(commands_->read(cmd::HM, 6, v, true)); // nobody at ID 6
    EXPECT_EQ(v, 0);
}

} // namespace
