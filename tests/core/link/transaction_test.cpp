// The command transaction against the simulator over a real pty.
#include "sim_line.h"

#include <chrono>
#include <thread>

using namespace tavimo;
using namespace tavimo::link;
using sim::Fault;
using sim::FaultKind;
using testkit::SimLine;

namespace {

Fault fault(FaultKind k, const char* cmd = "", int count = -1, int id = -1)
{
    Fault f;
    f.kind = k;
    f.command = cmd;
    f.count = count;
    f.id = id;
    return f;
}

using Transaction = SimLine;

TEST_F(Transaction, ReadsTheAnswerDataOfAValidAnswer)
{
    sim_->withController(1, [](sim::ControllerState& c) { c.memories[c.currentMemory].holdMode = 3; });
    auto r = link_->sendCommand(Direction::Read, "HM", 1, "0", true);
    EXPECT_EQ(r.status, LinkStatus::Ok);
    EXPECT_EQ(r.data, "3");
    EXPECT_EQ(frames(), std::vector<std::string>{"%EE#RHM10**\r"});
}

TEST_F(Transaction, InvalidAnswersAreTriedTwiceThenGiveStatusSeven)
{
    for (FaultKind k : {FaultKind::Silence, FaultKind::WrongEcho, FaultKind::WrongId, FaultKind::ShortAnswer,
                        FaultKind::NoCr}) {
        sim_->clearFaults();
        sim_->clearLog();
        sim_->addFault(fault(k, "MD"));
        auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
        EXPECT_EQ(r.status, LinkStatus::NoValidAnswer) << sim::faultKindName(k);
        EXPECT_TRUE(r.data.empty());
        EXPECT_EQ(sim_->requestCount(), 2u) << sim::faultKindName(k);
    }
    EXPECT_TRUE(reporter_.shown.empty());
    EXPECT_FALSE(link_->terminating());
}

TEST_F(Transaction, AbsentControllerCountsAsNoAnswer)
{
    auto r = link_->sendCommand(Direction::Read, "PC", 6, "0", true);
    EXPECT_EQ(r.status, LinkStatus::NoValidAnswer);
    EXPECT_EQ(sim_->requestCount(), 2u);
}

TEST_F(Transaction, NoiseAndARestartedFrameAreSkipped)
{
    sim_->withController(2, [](sim::ControllerState& c) { c.memories[c.currentMemory].holdMode = 4; });
    for (FaultKind k : {FaultKind::Noise, FaultKind::RestartedFrame}) {
        sim_->clearFaults();
        sim_->clearLog();
        sim_->addFault(fault(k, "HM"));
        auto r = link_->sendCommand(Direction::Read, "HM", 2, "0", true);
        EXPECT_EQ(r.status, LinkStatus::Ok) << sim::faultKindName(k);
        EXPECT_EQ(r.data, "4") << sim::faultKindName(k);
        EXPECT_EQ(sim_->requestCount(), 1u);
    }
}

TEST_F(Transaction, OneClearAlarmPerErrorAnswerThenTheCommandAgain)
{
    sim_->addFault(fault(FaultKind::Alarm, "MD", 1));
    auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    EXPECT_EQ(r.status, LinkStatus::Ok);
    EXPECT_EQ(requests(), (std::vector<std::string>{"RMD0", "WCA0", "RMD0"}));
    EXPECT_TRUE(reporter_.shown.empty());

    sim_->clearLog();
    sim_->addFault(fault(FaultKind::Alarm, "MD", 2));
    r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    EXPECT_EQ(r.status, LinkStatus::NoValidAnswer);
    EXPECT_EQ(requests(), (std::vector<std::string>{"RMD0", "WCA0", "RMD0", "WCA0"}));
}

TEST_F(Transaction, AnAlarmThatCannotBeClearedGivesFourteenAndOneMessage)
{
    sim_->addFault(fault(FaultKind::StuckAlarm, "", -1, 0));
    auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    EXPECT_EQ(r.status, LinkStatus::AlarmNotCleared);
    // The clearing command uses its own two attempts and never clears itself.
    EXPECT_EQ(requests(), (std::vector<std::string>{"RMD0", "WCA0", "WCA0"}));
    EXPECT_EQ(reporter_.shown, std::vector<LinkMessage>{LinkMessage::AlarmNotCleared});
    EXPECT_EQ(reporter_.terminations, 0);

    // The worker's commands show nothing.
    reporter_.shown.clear();
    r = link_->sendCommand(Direction::Read, "MD", 0, "0", false);
    EXPECT_EQ(r.status, LinkStatus::AlarmNotCleared);
    EXPECT_TRUE(reporter_.shown.empty());
}

TEST_F(Transaction, BusyPortLockGivesTwelveTwiceThenSeven)
{
    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        std::lock_guard lk(link_->portLock());
        held = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    while (!held) std::this_thread::yield();
    auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(link_->exchangeFrame("%EE#RMD00**\r").status, LinkStatus::LockTimeout);
    auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    auto took = std::chrono::steady_clock::now() - before;
    release = true;
    holder.join();
    EXPECT_EQ(r.status, LinkStatus::NoValidAnswer);
    EXPECT_EQ(sim_->requestCount(), 0u);
    // Three lock waits of 50 ms and the two 20 ms pauses happened.
    EXPECT_GE(took, std::chrono::milliseconds(3 * 50 + 2 * 20 - 5));
    // Once the lock is free the line works again.
    EXPECT_EQ(link_->sendCommand(Direction::Read, "MD", 0, "0", true).status, LinkStatus::Ok);
}

TEST_F(Transaction, AFatalStatusIsNotRetriedAndLaterCommandsFailSilently)
{
    sim_->addFault(fault(FaultKind::Unplug));
    auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    EXPECT_TRUE(isFatal(r.status)) << static_cast<int>(r.status);
    EXPECT_LE(sim_->requestCount(), 1u);
    EXPECT_EQ(reporter_.shown, std::vector<LinkMessage>{LinkMessage::ProgramError});
    EXPECT_EQ(reporter_.terminations, 1);
    EXPECT_TRUE(link_->terminating());

    r = link_->sendCommand(Direction::Read, "MD", 0, "0", true);
    EXPECT_NE(r.status, LinkStatus::Ok);
    EXPECT_EQ(reporter_.shown.size(), 1u);
    EXPECT_EQ(reporter_.terminations, 1);
}

TEST_F(Transaction, ClosedPortIsFatal)
{
    port_->closePort();
    auto r = link_->sendCommand(Direction::Read, "MD", 0, "0", false);
    EXPECT_EQ(r.status, LinkStatus::PortClosed);
    // The worker's side shows nothing and does not end the program.
    EXPECT_TRUE(reporter_.shown.empty());
    EXPECT_FALSE(link_->terminating());
}

class CheckCodeXor : public SimLine {
protected:
    void SetUp() override { startLine({0, 1}, 1); }
};

TEST_F(CheckCodeXor, ValidXorPassesBadOrLowerCaseIsRetried)
{
    sim_->withController(1, [](sim::ControllerState& c) { c.memories[c.currentMemory].holdMode = 3; });
    auto r = link_->sendCommand(Direction::Read, "HM", 1, "0", true);
    EXPECT_EQ(r.status, LinkStatus::Ok);
    EXPECT_EQ(r.data, "3");
    EXPECT_EQ(frames(), std::vector<std::string>{"%EE#RHM1050\r"});

    for (FaultKind k : {FaultKind::BadCheckCode, FaultKind::LowerCaseCheck}) {
        sim_->clearLog();
        sim_->addFault(fault(k, "MD", 1));
        r = link_->sendCommand(Direction::Read, "MD", 1, "0", true);
        EXPECT_EQ(r.status, LinkStatus::Ok) << sim::faultKindName(k);
        EXPECT_EQ(sim_->requestCount(), 2u) << sim::faultKindName(k);
    }
}

class CheckCodeNone : public SimLine {
protected:
    void SetUp() override { startLine({0}, 2); }
};

TEST_F(CheckCodeNone, OnlyTheCarriageReturnIsStripped)
{
    sim_->withController(0, [](sim::ControllerState& c) { c.memories[c.currentMemory].holdMode = 5; });
    auto r = link_->sendCommand(Direction::Read, "HM", 0, "0", true);
    EXPECT_EQ(r.status, LinkStatus::Ok);
    EXPECT_EQ(r.data, "5");
    EXPECT_EQ(frames(), std::vector<std::string>{"%EE#RHM00\r"});
}

} // namespace
