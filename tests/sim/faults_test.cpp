// Every fault kind as the program sees it, and the fault filters and counts.
#include "line_fixture.h"

using namespace tavimo;
using namespace tavimo::link;
using simtest::LineTest;
using sim::Fault;
using sim::FaultKind;

namespace {

Fault fault(FaultKind kind, int count, int ms = 0, const char* command = "MD", int id = -1)
{
    Fault f;
    f.kind = kind;
    f.count = count;
    f.ms = ms;
    f.command = command;
    f.id = id;
    return f;
}

class Faults : public LineTest {
protected:
    void SetUp() override
    {
        LineTest::SetUp();
        shortTimeout();
        sim_->withController(1, [](sim::ControllerState& c) { c.signal.frozen = 0.4321; });
    }
    // Reads MD of controller 1 with only `f` in force.
    CommandResult readWith(const Fault& f)
    {
        sim_->clearFaults();
        sim_->clearLog();
        sim_->addFault(f);
        CommandResult r = link_->sendCommand(Direction::Read, "MD", 1, "0", false);
        EXPECT_TRUE(sim_->waitUntilQuiet(std::chrono::seconds(2)));
        sim_->clearFaults();
        return r;
    }
};

TEST_F(Faults, EachKindAsTheProgramSeesIt)
{
    struct Case {
        const char* what;
        Fault fault;
        LinkStatus status;
        std::vector<std::string> requests;
    };
    const std::vector<std::string> once{"RMD0"}, twice{"RMD0", "RMD0"};
    const Case cases[] = {
        {"silence once", fault(FaultKind::Silence, 1), LinkStatus::Ok, twice},
        {"silence", fault(FaultKind::Silence, -1), LinkStatus::NoValidAnswer, twice},
        {"alarm once", fault(FaultKind::Alarm, 1), LinkStatus::Ok, {"RMD0", "WCA0", "RMD0"}},
        {"stuck alarm", fault(FaultKind::StuckAlarm, 1), LinkStatus::AlarmNotCleared, {"RMD0", "WCA0", "WCA0"}},
        {"wrong echo once", fault(FaultKind::WrongEcho, 1), LinkStatus::Ok, twice},
        {"wrong echo", fault(FaultKind::WrongEcho, -1), LinkStatus::NoValidAnswer, twice},
        {"wrong id", fault(FaultKind::WrongId, -1), LinkStatus::NoValidAnswer, twice},
        {"noise", fault(FaultKind::Noise, -1), LinkStatus::Ok, once},
        {"restarted frame", fault(FaultKind::RestartedFrame, -1), LinkStatus::Ok, once},
        {"no CR once", fault(FaultKind::NoCr, 1), LinkStatus::Ok, twice},
        {"no CR", fault(FaultKind::NoCr, -1, 500), LinkStatus::NoValidAnswer, twice},
        {"short answer once", fault(FaultKind::ShortAnswer, 1), LinkStatus::Ok, twice},
        {"short answer", fault(FaultKind::ShortAnswer, -1), LinkStatus::NoValidAnswer, twice},
        {"short delay", fault(FaultKind::Delay, -1, 40), LinkStatus::Ok, once},
        {"delay past both attempts", fault(FaultKind::Delay, 2, 250), LinkStatus::NoValidAnswer, twice},
        {"other controller", fault(FaultKind::Silence, -1, 0, "MD", 2), LinkStatus::Ok, once},
        {"other command", fault(FaultKind::Silence, -1, 0, "OT"), LinkStatus::Ok, once},
        {"this command field", fault(FaultKind::Silence, -1, 0, "RMD"), LinkStatus::NoValidAnswer, twice},
    };
    for (const Case& c : cases) {
        CommandResult r = readWith(c.fault);
        EXPECT_EQ(r.status, c.status) << c.what;
        EXPECT_EQ(requests(), c.requests) << c.what;
        if (c.status == LinkStatus::Ok) {
            EXPECT_EQ(r.data, "+000.4321") << c.what;
        }
    }
}

TEST_F(Faults, AnAlarmLastsUntilClearAlarmAndAStuckOneUntilReboot)
{
    sim_->addFault(fault(FaultKind::StuckAlarm, 1, 0, "OT"));
    EXPECT_EQ(link_->sendCommand(Direction::Read, "OT", 1, "0", false).status, LinkStatus::AlarmNotCleared);
    // The fault is used up; the alarm stays until the controller reboots.
    EXPECT_EQ(link_->sendCommand(Direction::Read, "MD", 1, "0", false).status, LinkStatus::AlarmNotCleared);
    EXPECT_TRUE(commands_->reboot(1, false));
    double md = 0;
    EXPECT_TRUE(commands_->read(cmd::MD, 1, md, false));

    sim_->withController(1, [](sim::ControllerState& c) { c.alarm = true; });
    int ot = 0;
    EXPECT_TRUE(commands_->read(cmd::OT, 1, ot, false)); // cleared by the program's own CA
    sim_->withController(1, [](sim::ControllerState& c) { EXPECT_FALSE(c.alarm); });
}

TEST_F(Faults, AnUnpluggedLineFailsTheProgramsReadsAndWrites)
{
    sim_->addFault(fault(FaultKind::Unplug, 1));
    int hm = 0;
    EXPECT_TRUE(commands_->read(cmd::HM, 1, hm, false)); // only MD pulls the plug
    auto r = link_->sendCommand(Direction::Read, "MD", 1, "0", false);
    EXPECT_TRUE(isFatal(r.status)) << static_cast<int>(r.status);
    EXPECT_TRUE(sim_->unplugged());
    r = link_->sendCommand(Direction::Read, "HM", 1, "0", false);
    EXPECT_TRUE(isFatal(r.status)) << static_cast<int>(r.status);
}

TEST(FaultText, ParsesTheCommandLineForm)
{
    auto f = sim::parseFault("delay:id=2:cmd=MD:count=3:ms=500");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, FaultKind::Delay);
    EXPECT_EQ(f->id, 2);
    EXPECT_EQ(f->command, "MD");
    EXPECT_EQ(f->count, 3);
    EXPECT_EQ(f->ms, 500);
    f = sim::parseFault("stuck-alarm");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, FaultKind::StuckAlarm);
    EXPECT_EQ(f->id, -1);
    EXPECT_EQ(f->count, -1);
    for (auto k : {FaultKind::Silence, FaultKind::Alarm, FaultKind::StuckAlarm, FaultKind::WrongEcho,
                   FaultKind::WrongId, FaultKind::BadCheckCode, FaultKind::LowerCaseCheck, FaultKind::Noise,
                   FaultKind::RestartedFrame, FaultKind::NoCr, FaultKind::Unplug, FaultKind::ShortAnswer,
                   FaultKind::Delay})
        EXPECT_EQ(sim::parseFault(sim::faultKindName(k))->kind, k) << sim::faultKindName(k);
    std::string error;
    for (const char* bad : {"gremlin", "delay:ms", "delay:ms=x", "silence:count=0", "silence:colour=red",
                            "silence:cmd=TOOLONG", "silence:id=12"}) {
        EXPECT_FALSE(sim::parseFault(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

} // namespace
