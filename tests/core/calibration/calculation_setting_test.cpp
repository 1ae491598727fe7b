// The calculation setting: rows, duplicate IDs, the entry check and the send.
#include "../batch/batch_line.h"

#include "calibration/calculation_setting.h"

#include "shell/failure_codes.h"

#include <set>

using namespace tavimo;
using namespace tavimo::calibration;
using batchtest::text;
using shell::Msg;

namespace {

settings::SettingsModel tableOf(std::initializer_list<std::array<int, 3>> rows)
{
    settings::SettingsModel m;
    int i = 0;
    for (const auto& r : rows) {
        auto& e = m.calculations[static_cast<std::size_t>(i++)];
        e.MODE = r[0];
        e.ID_A = r[1];
        e.ID_B = r[2];
    }
    return m;
}

TEST(CalculationDialogRows, ActiveRowsFollowTheConnectedCount)
{
    const int expected[] = {0, 0, 1, 1, 2, 2, 3, 3, 4};
    for (int n = 0; n <= 8; ++n) {
        CalculationDialog d(settings::SettingsModel{}, true, n);
        EXPECT_EQ(d.activeRows(), expected[n]) << n;
        EXPECT_EQ(d.sendEnabled(), expected[n] >= 1) << n;
        for (int r = 0; r < 4; ++r) EXPECT_EQ(d.row(r).enabled, r < expected[n]);
    }
    CalculationDialog offline(settings::SettingsModel{}, false, 8);
    EXPECT_EQ(offline.activeRows(), 0);
    EXPECT_FALSE(offline.sendEnabled());
}

TEST(CalculationDialogRows, ListsAreEnabledOnlyForACalculationType)
{
    CalculationDialog d(tableOf({{1, 0, 1}, {0, 2, 3}}), true, 4);
    EXPECT_TRUE(d.row(0).listsEnabled);
    EXPECT_FALSE(d.row(1).listsEnabled);
    d.setMode(1, 2);
    EXPECT_TRUE(d.row(1).listsEnabled);
}

TEST(CalculationDialogRows, DuplicatesMoveTheLaterSlotToTheHighestFreeId)
{
    // One active row (0, 1): B = 0 or A = 1 both move B to 7.
    {
        CalculationDialog d(tableOf({{1, 0, 1}}), true, 3);
        EXPECT_TRUE(d.setIdB(0, 0));
        EXPECT_EQ(d.row(0).idA, 0);
        EXPECT_EQ(d.row(0).idB, 7);
    }
    {
        CalculationDialog d(tableOf({{1, 0, 1}}), true, 3);
        EXPECT_TRUE(d.setIdA(0, 1));
        EXPECT_EQ(d.row(0).idA, 1);
        EXPECT_EQ(d.row(0).idB, 7);
    }
    // The defaults hold every ID once: nothing moves at opening.
    {
        CalculationDialog d(settings::SettingsModel{}, true, 8);
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(d.row(r).idA, 2 * r);
            EXPECT_EQ(d.row(r).idB, 2 * r + 1);
        }
        EXPECT_FALSE(d.resolveDuplicateIds());
    }
    // Several duplicates in one pass take different IDs: no row ends with A = B.
    {
        CalculationDialog d(tableOf({{1, 0, 0}, {1, 0, 0}, {1, 1, 1}, {1, 2, 3}}), true, 8);
        std::set<int> ids;
        for (int r = 0; r < 4; ++r) {
            EXPECT_NE(d.row(r).idA, d.row(r).idB) << r;
            ids.insert(d.row(r).idA);
            ids.insert(d.row(r).idB);
        }
        EXPECT_EQ(ids.size(), 8u);
    }
}

TEST(CalculationDialogRows, HandEditedTableValuesNeverIndexOutsideTheLists)
{
    CalculationDialog d(tableOf({{7, -3, 12}, {-1, 99, 2}}), true, 8);
    EXPECT_EQ(d.row(0).mode, 0);
    for (int r = 0; r < 2; ++r) {
        EXPECT_GE(d.row(r).idA, 0);
        EXPECT_LE(d.row(r).idA, 7);
        EXPECT_GE(d.row(r).idB, 0);
        EXPECT_LE(d.row(r).idB, 7);
    }
    EXPECT_FALSE(d.setIdA(0, 8));
    d.setMode(0, 3);
    EXPECT_EQ(d.row(0).mode, 0);
}

class CalculationLine : public batchtest::BatchLine {
protected:
    // Every UC frame on the line, in order, with its controller: "1:WUC15".
    std::vector<std::string> ucFrames() const
    {
        std::vector<std::string> out;
        for (const auto& f : sim_->requestFrames())
            if (f.substr(4, 3) == "RUC" || f.substr(4, 3) == "WUC")
                out.push_back(std::string(1, f[7]) + ":" + f.substr(4, 3) + f.substr(8, f.size() - 11));
        return out;
    }
};

TEST_F(CalculationLine, EntryNeedsManualNoHoldNoTriggerOnEveryController)
{
    start({0, 1, 5});
    auto ctx = context();
    EXPECT_TRUE(checkCalculationEntry(ctx).allowed);
    onController(5, [](sim::ControllerState& c) { c.memory().triggerMode = 2; });
    auto r = checkCalculationEntry(ctx);
    EXPECT_FALSE(r.allowed);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(CalculationLine, ClearsEveryControllerThenWritesActiveRows)
{
    start({0, 1, 5, 6});
    onController(5, [](sim::ControllerState& c) {
        c.calcMode = 1;
        c.calcPartner = 6;
    });
    model_ = tableOf({{1, 1, 5}, {0, 6, 0}});
    CalculationDialog d(model_, true, 4);
    sim_->clearLog();
    auto ctx = context();
    EXPECT_EQ(sendCalculationSettings(ctx, d, model_), 0);
    EXPECT_EQ(ucFrames(), (std::vector<std::string>{"0:RUC0", "1:RUC0", "5:RUC0", "5:WUC00", "6:RUC0", "1:WUC15"}));
    onController(1, [](sim::ControllerState& c) {
        EXPECT_EQ(c.calcMode, 1);
        EXPECT_EQ(c.calcPartner, 5);
    });
    onController(5, [](sim::ControllerState& c) { EXPECT_EQ(c.calcMode, 0); });
    EXPECT_EQ(model_.calculations[0].MODE, 1);
    EXPECT_TRUE(model_.calculations[1].ENABLED);
    EXPECT_FALSE(model_.calculations[2].ENABLED);
    EXPECT_TRUE(op_.messages.empty());
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
}

TEST_F(CalculationLine, AFailureInTheMiddleStopsReportsAndResumes)
{
    start({0, 1, 5, 6});
    sim::Fault f;
    f.kind = sim::FaultKind::Silence;
    f.command = "UC";
    f.id = 5;
    sim_->addFault(f);
    model_ = tableOf({{1, 1, 5}});
    auto before = model_;
    CalculationDialog d(model_, true, 4);
    sim_->clearLog();
    auto ctx = context();
    EXPECT_EQ(sendCalculationSettings(ctx, d, model_), shell::kCodeSettingTransfer);
    EXPECT_EQ(op_.messages, std::vector<std::string>{text(Msg::SettingSendFailed)});
    auto frames = ucFrames();
    EXPECT_EQ(frames.back(), "5:RUC0");                 // nothing after the failing controller
    EXPECT_EQ(model_.calculations, before.calculations); // the table was not reached
    EXPECT_TRUE(workerRunning());
    EXPECT_TRUE(op_.balanced());
    EXPECT_EQ(op_.terminations, 0);
}

} // namespace
