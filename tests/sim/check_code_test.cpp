// Check-code mode 1: answers carry the XOR, requests with a wrong one are
// ignored, and the check-code faults are caught by the program.
#include "line_fixture.h"

#include "link/frame.h"

using namespace tavimo;
using namespace tavimo::link;
using simtest::LineTest;

namespace {

class XorLine : public LineTest {
protected:
    void SetUp() override
    {
        sim::SimulatorOptions o;
        o.checkCodeMode = 1;
        startLine(o);
        shortTimeout();
    }
};

TEST_F(XorLine, AnswersCarryTheXorOfTheirBytes)
{
    for (int id = 0; id < 4; ++id) {
        for (const char* mnemonic : {"MD", "HM", "WT", "PC"}) {
            ExchangeResult r = link_->exchangeFrame(buildRequest(1, Direction::Read, mnemonic, id, "0"));
            ASSERT_EQ(r.status, LinkStatus::Ok) << mnemonic << id;
            const std::string& a = r.answer;
            ASSERT_GE(a.size(), 11u);
            EXPECT_EQ(a.substr(a.size() - 3, 2), xorCode(a.substr(0, a.size() - 3))) << a;
            EXPECT_EQ(a.substr(0, 4), "%EE$");
            EXPECT_EQ(a.substr(4, 4), std::string("R") + mnemonic + std::to_string(id));
        }
    }
}

TEST_F(XorLine, RequestsWithAWrongCheckCodeAreIgnored)
{
    std::string good = buildRequest(1, Direction::Read, "HM", 1, "0");
    std::string bad = good;
    bad[bad.size() - 2] = bad[bad.size() - 2] == '0' ? '1' : '0';
    EXPECT_EQ(link_->exchangeFrame(bad).status, LinkStatus::NoAnswer);
    EXPECT_EQ(link_->exchangeFrame(good).status, LinkStatus::Ok);
}

TEST_F(XorLine, BadAndLowerCaseCheckCodesAreRetried)
{
    using sim::FaultKind;
    for (FaultKind k : {FaultKind::BadCheckCode, FaultKind::LowerCaseCheck}) {
        for (int count : {1, -1}) {
            sim::Fault f;
            f.kind = k;
            f.count = count;
            sim_->clearFaults();
            sim_->addFault(f);
            sim_->clearLog();
            // Every value of HM on every controller: lower case must show
            // whatever the code's digits are.
            for (int id = 0; id < 4; ++id) {
                sim_->clearLog();
                int hm = -1;
                bool ok = commands_->read(cmd::HM, id, hm, false);
                EXPECT_EQ(ok, count == 1) << sim::faultKindName(k) << " " << id;
                EXPECT_EQ(sim_->requestCount(), 2u) << sim::faultKindName(k) << " " << id;
                if (count == 1) break;
            }
        }
    }
}

TEST_F(XorLine, TheModeCanBeChangedWhileRunning)
{
    sim_->setCheckCodeMode(0);
    link_->setCheckCodeMode(0);
    ExchangeResult r = link_->exchangeFrame("%EE#RHM00**\r");
    ASSERT_EQ(r.status, LinkStatus::Ok);
    EXPECT_EQ(r.answer, "%EE$RHM00**\r");
}

} // namespace
