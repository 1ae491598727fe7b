// The simulated controllers answer every command of the command set the way
// the program reads and writes them, over the real pty.
#include "line_fixture.h"

#include "link/controller_scan.h"

#include <cmath>

using namespace tavimo;
using namespace tavimo::link;
using simtest::LineTest;

namespace {

using Commands = LineTest;

// Freezes the measured distance of a controller.
void freeze(sim::Simulator& s, int id, double distance)
{
    s.withController(id, [&](sim::ControllerState& c) { c.signal.frozen = distance; });
}

TEST_F(Commands, IntegerSettingsReadBackWhatWasWritten)
{
    struct Case {
        const IntCommand& command;
        long long value;
    };
    const Case cases[] = {
        {cmd::HM, 3}, {cmd::TG, 2}, {cmd::EG, 0}, {cmd::PA, 1}, {cmd::MT, 2},  {cmd::AV, 14},  {cmd::KB, 2},
        {cmd::JM, 1}, {cmd::OD, 6}, {cmd::HH, 1}, {cmd::UT, 1}, {cmd::BM, 1234}, {cmd::BP, 999999}, {cmd::MM, 3},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(commands_->write(c.command, 1, c.value, true)) << c.command.mnemonic;
        int back = -1;
        ASSERT_TRUE(commands_->read(c.command, 1, back, true)) << c.command.mnemonic;
        EXPECT_EQ(back, c.value) << c.command.mnemonic;
    }
}

TEST_F(Commands, DecimalSettingsReadBackWhatWasWritten)
{
    struct Case {
        const RealCommand& command;
        double value;
    };
    const Case cases[] = {
        {cmd::TT, -999.9999}, {cmd::TH, 999.9999}, {cmd::DT, 0.8},   {cmd::SK, 12.3456},
        {cmd::FT, 0.0001},    {cmd::HT, 0.64},     {cmd::LT, -0.5},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(commands_->write(c.command, 2, c.value, true)) << c.command.mnemonic;
        double back = 0;
        ASSERT_TRUE(commands_->read(c.command, 2, back, true)) << c.command.mnemonic;
        EXPECT_DOUBLE_EQ(back, c.value) << c.command.mnemonic;
    }
    JudgementLimits written{0.8, 0.16, 0.0008}, back;
    ASSERT_TRUE(commands_->writeLimits(2, written, true));
    ASSERT_TRUE(commands_->readLimits(2, back, true));
    EXPECT_DOUBLE_EQ(back.upper, 0.8);
    EXPECT_DOUBLE_EQ(back.lower, 0.16);
    EXPECT_DOUBLE_EQ(back.hysteresis, 0.0008);
}

TEST_F(Commands, PerMemorySettingsFollowTheCurrentMemory)
{
    ASSERT_TRUE(commands_->write(cmd::MM, 0, 1, true));
    ASSERT_TRUE(commands_->write(cmd::HM, 0, 4, true));
    ASSERT_TRUE(commands_->write(cmd::TT, 0, 0.25, true));
    ASSERT_TRUE(commands_->writeLimits(0, {0.7, 0.1, 0.001}, true));
    ASSERT_TRUE(commands_->write(cmd::KB, 0, 2, true)); // common to all memories

    ASSERT_TRUE(commands_->write(cmd::MM, 0, 2, true));
    int hm = -1, kb = -1;
    double tt = 0, ht = 0;
    ASSERT_TRUE(commands_->read(cmd::HM, 0, hm, true));
    ASSERT_TRUE(commands_->read(cmd::TT, 0, tt, true));
    ASSERT_TRUE(commands_->read(cmd::HT, 0, ht, true));
    ASSERT_TRUE(commands_->read(cmd::KB, 0, kb, true));
    EXPECT_EQ(hm, 0);
    EXPECT_DOUBLE_EQ(tt, 0.4); // HT-01 default: R x 0.5
    EXPECT_DOUBLE_EQ(ht, 0.64); // R x 0.8
    EXPECT_EQ(kb, 2);

    ASSERT_TRUE(commands_->write(cmd::MM, 0, 1, true));
    ASSERT_TRUE(commands_->read(cmd::HM, 0, hm, true));
    ASSERT_TRUE(commands_->read(cmd::HT, 0, ht, true)); // the limit in force is the memory's WT upper limit
    EXPECT_EQ(hm, 4);
    EXPECT_DOUBLE_EQ(ht, 0.7);
}

TEST_F(Commands, ApplicationModeFixesHoldAndTriggerItself)
{
    ASSERT_TRUE(commands_->write(cmd::AP, 3, 1, true));
    int hm = 0, tg = 0, eg = 0;
    ASSERT_TRUE(commands_->read(cmd::HM, 3, hm, true));
    ASSERT_TRUE(commands_->read(cmd::TG, 3, tg, true));
    ASSERT_TRUE(commands_->read(cmd::EG, 3, eg, true));
    EXPECT_EQ(hm, 2);
    EXPECT_EQ(tg, 2);
    EXPECT_EQ(eg, 1);
}

TEST_F(Commands, ScalingsAreHeldAsTwoPoints)
{
    // HT-01: R = 0.8. One point at 0.3 shown as 1.5, falling slope.
    ASSERT_TRUE(commands_->writeOnePoint(Scaling::Display, 0, {0.3, 1.5}, true));
    ASSERT_TRUE(commands_->writeSlope(0, 0, 1, true));
    int mode = -1, slope = -1, flag = -1;
    OnePointScaling one;
    TwoPointScaling two;
    ASSERT_TRUE(commands_->readScalingMode(Scaling::Display, 0, mode, true));
    ASSERT_TRUE(commands_->readOnePoint(Scaling::Display, 0, one, true));
    ASSERT_TRUE(commands_->readSlope(0, 0, slope, true));
    ASSERT_TRUE(commands_->readTwoPoint(Scaling::Display, 0, two, true));
    ASSERT_TRUE(commands_->readInversion(Scaling::Display, 0, flag, true));
    EXPECT_EQ(mode, 1);
    EXPECT_DOUBLE_EQ(one.sense, 0.3);
    EXPECT_DOUBLE_EQ(one.offset, 1.5);
    EXPECT_EQ(slope, 1);
    EXPECT_DOUBLE_EQ(two.senseA, 0.3);
    EXPECT_DOUBLE_EQ(two.scaleA, 1.5);
    EXPECT_DOUBLE_EQ(two.senseB, 0.8);
    EXPECT_DOUBLE_EQ(two.scaleB, 1.0);
    EXPECT_EQ(flag, 1);

    ASSERT_TRUE(commands_->writeTwoPoint(Scaling::Voltage, 0, {0.1, -2.5, 0.7, 4.5}, true));
    ASSERT_TRUE(commands_->readScalingMode(Scaling::Voltage, 0, mode, true));
    ASSERT_TRUE(commands_->readTwoPoint(Scaling::Voltage, 0, two, true));
    ASSERT_TRUE(commands_->readInversion(Scaling::Voltage, 0, flag, true));
    EXPECT_EQ(mode, 2);
    EXPECT_DOUBLE_EQ(two.scaleA, -2.5);
    EXPECT_DOUBLE_EQ(two.senseB, 0.7);
    EXPECT_EQ(flag, 0);

    ASSERT_TRUE(commands_->writeInversion(Scaling::Voltage, 0, 1, true));
    ASSERT_TRUE(commands_->readScalingMode(Scaling::Voltage, 0, mode, true));
    ASSERT_TRUE(commands_->readInversion(Scaling::Voltage, 0, flag, true));
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(flag, 1);

    ASSERT_TRUE(commands_->writeNoScaling(Scaling::Display, 0, true));
    ASSERT_TRUE(commands_->readScalingMode(Scaling::Display, 0, mode, true));
    ASSERT_TRUE(commands_->readTwoPoint(Scaling::Display, 0, two, true));
    EXPECT_EQ(mode, 0);
    EXPECT_DOUBLE_EQ(two.senseA, 0);
    EXPECT_DOUBLE_EQ(two.scaleA, 0);
    EXPECT_DOUBLE_EQ(two.senseB, 0.8);
    EXPECT_DOUBLE_EQ(two.scaleB, 0.8);
}

TEST_F(Commands, MeasuredValueFollowsScalingDisplayedQuantityAndLimits)
{
    freeze(*sim_, 1, 0.5);
    double md = 0;
    int ot = 0;
    ASSERT_TRUE(commands_->read(cmd::MD, 1, md, true));
    EXPECT_DOUBLE_EQ(md, 0.5);
    ASSERT_TRUE(commands_->writeTwoPoint(Scaling::Display, 1, {0, 0, 0.8, 8.0}, true));
    ASSERT_TRUE(commands_->read(cmd::MD, 1, md, true));
    EXPECT_DOUBLE_EQ(md, 5.0);
    ASSERT_TRUE(commands_->write(cmd::UT, 1, 1, true)); // volts: default 0..R -> 0..5 V
    ASSERT_TRUE(commands_->read(cmd::MD, 1, md, true));
    EXPECT_DOUBLE_EQ(md, 3.125);

    struct Case {
        double upper, lower;
        int bits;
    };
    for (Case c : {Case{3.0, 1.0, 1}, Case{4.0, 3.5, 4}, Case{4.0, 3.0, 2}}) {
        ASSERT_TRUE(commands_->write(cmd::HT, 1, c.upper, true));
        ASSERT_TRUE(commands_->write(cmd::LT, 1, c.lower, true));
        ASSERT_TRUE(commands_->read(cmd::OT, 1, ot, true));
        EXPECT_EQ(ot, c.bits) << c.upper << " " << c.lower;
    }
}

TEST_F(Commands, ZeroSetAndTeaching)
{
    freeze(*sim_, 2, 0.5);
    int zs = -1;
    double md = 1;
    ASSERT_TRUE(commands_->write(cmd::ZS, 2, 0, true));
    ASSERT_TRUE(commands_->read(cmd::ZS, 2, zs, true));
    ASSERT_TRUE(commands_->read(cmd::MD, 2, md, true));
    EXPECT_EQ(zs, 1);
    EXPECT_DOUBLE_EQ(md, 0.0);
    freeze(*sim_, 2, 0.6);
    ASSERT_TRUE(commands_->read(cmd::MD, 2, md, true));
    EXPECT_NEAR(md, 0.1, 1e-12);
    ASSERT_TRUE(commands_->write(cmd::ZS, 2, 1, true));
    ASSERT_TRUE(commands_->read(cmd::ZS, 2, zs, true));
    ASSERT_TRUE(commands_->read(cmd::MD, 2, md, true));
    EXPECT_EQ(zs, 0);
    EXPECT_DOUBLE_EQ(md, 0.6);

    double taught = 0, limit = 0;
    freeze(*sim_, 2, 0.55);
    ASSERT_TRUE(commands_->teachUpper(2, taught, true));
    ASSERT_TRUE(commands_->read(cmd::HT, 2, limit, true));
    EXPECT_DOUBLE_EQ(taught, 0.55);
    EXPECT_DOUBLE_EQ(limit, 0.55);
    freeze(*sim_, 2, 0.15);
    ASSERT_TRUE(commands_->teachLower(2, taught, true));
    ASSERT_TRUE(commands_->read(cmd::LT, 2, limit, true));
    EXPECT_DOUBLE_EQ(taught, 0.15);
    EXPECT_DOUBLE_EQ(limit, 0.15);
}

TEST_F(Commands, TheScanFindsTheControllersOnTheLine)
{
    sim_->withController(2, [](sim::ControllerState& c) { c.changeHead(5); });
    sim_->withController(3, [](sim::ControllerState& c) { c.version = "1.50"; }); // too old
    ScanResult scan = scanControllers(*commands_, 0, 2, true);
    ASSERT_EQ(scan.found.size(), 3u);
    EXPECT_EQ(scan.found[0].id, 0);
    EXPECT_EQ(scan.found[2].id, 2);
    EXPECT_EQ(scan.found[2].headType, 5);
    EXPECT_EQ(scan.found[2].controllerCode, 100);
    EXPECT_DOUBLE_EQ(scan.found[2].version, 2.01);
}

TEST_F(Commands, CalculationHeadCodesAndCalibrationSteps)
{
    int mode = -1, partner = -1;
    ASSERT_TRUE(commands_->writeCalculation(0, 2, 3, true));
    ASSERT_TRUE(commands_->readCalculation(0, mode, partner, true));
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(partner, 3);

    std::string text;
    ASSERT_TRUE(commands_->writeHeadCode(1, 2, "ABCDE12345", true));
    ASSERT_TRUE(commands_->readHeadCode(1, 2, text, true));
    EXPECT_EQ(text, "2ABCDE12345");
    ASSERT_TRUE(commands_->readHeadCode(1, 0, text, true));
    EXPECT_EQ(text.size(), 11u);

    for (int step : {9, 1, 2, 3, 4}) ASSERT_TRUE(commands_->calibrationStep(3, step, true));
    ASSERT_TRUE(commands_->calibrationStep(3, 2, true)); // out of order: accepted, noted
    sim_->withController(3, [](sim::ControllerState& c) {
        EXPECT_EQ(c.calibration.steps, (std::vector<int>{9, 1, 2, 3, 4, 2}));
        EXPECT_EQ(c.calibration.completed, 1);
        EXPECT_TRUE(c.calibration.currentMemoryOnly);
        EXPECT_FALSE(c.calibration.inOrder);
    });
}

TEST_F(Commands, RebootKeepsSettingsInitialiseResetsThem)
{
    sim::SimulatorOptions o;
    o.resetAnswerDelayMs = 30;
    startLine(o);
    ASSERT_TRUE(commands_->write(cmd::HM, 1, 5, true));
    ASSERT_TRUE(commands_->write(cmd::ZS, 1, 0, true));
    ASSERT_TRUE(commands_->reboot(1, true));
    int hm = -1, zs = -1;
    ASSERT_TRUE(commands_->read(cmd::HM, 1, hm, true));
    ASSERT_TRUE(commands_->read(cmd::ZS, 1, zs, true));
    EXPECT_EQ(hm, 5);
    EXPECT_EQ(zs, 0);
    ASSERT_TRUE(commands_->initialize(1, true));
    ASSERT_TRUE(commands_->read(cmd::HM, 1, hm, true));
    EXPECT_EQ(hm, 0);
    sim_->withController(1, [](sim::ControllerState& c) {
        EXPECT_EQ(c.reboots, 1);
        EXPECT_EQ(c.initialisations, 1);
    });
}

TEST_F(Commands, DataThatDoesNotFitGetsAnErrorAnswer)
{
    shortTimeout();
    struct Case {
        const char* mnemonic;
        Direction dir;
        const char* data;
    };
    const Case cases[] = {
        {"HM", Direction::Write, "6"},         {"UC", Direction::Write, "11"}, // partner is itself
        {"WGD", Direction::Raw, "1SHORT"},     {"CG", Direction::Write, "5"},
        {"RBB", Direction::Raw, "000000000009"}, // nothing buffered
        {"XY", Direction::Read, "0"},          {"WT", Direction::Write, "0:+000.8000"},
        {"INT", Direction::Raw, "REBOOT"},
    };
    for (const Case& c : cases) {
        sim_->clearLog();
        auto r = link_->sendCommand(c.dir, c.mnemonic, 1, c.data, false);
        EXPECT_EQ(r.status, LinkStatus::NoValidAnswer) << c.mnemonic;
        // Each error answer was followed by one clear-alarm command.
        EXPECT_EQ(requests().size(), 4u) << c.mnemonic;
    }
}

TEST_F(Commands, ControllersNotOnTheLineAndBadFramesGetNoAnswer)
{
    shortTimeout();
    int type = 0, code = 0;
    EXPECT_FALSE(commands_->readHeadType(5, type, code, false));
    EXPECT_EQ(sim_->requestCount(), 2u);
    for (const char* frame : {"%EE#RHM1\r", "%XX#RHM10**\r", "%EE#rhm10**\r", "%EE$RHM10**\r"})
        EXPECT_EQ(link_->exchangeFrame(frame).status, LinkStatus::NoAnswer) << frame;
    EXPECT_EQ(sim_->requestCount(), 6u); // every frame is logged
}

TEST_F(Commands, ThePortCanBeClosedAndOpenedAgain)
{
    port_->closePort();
    ASSERT_TRUE(port_->openPort(sim_->portPath(), "19200", "O", 2, false, false, "1", "8"));
    int hm = -1;
    EXPECT_TRUE(commands_->read(cmd::HM, 0, hm, true));
}

} // namespace
