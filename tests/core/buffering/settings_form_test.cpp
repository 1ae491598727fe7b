#include "buffering/settings_form.h"

#include "../batch/scripted_operator.h"
#include "lock_holder.h"
#include "shell/catalog.h"

#include <gtest/gtest.h>
#include <cmath>

namespace tavimo::buffering {
namespace {

BufferingState stored(int points, int rate, int trigger, int maxPoints = 50000)
{
    BufferingState s;
    s.bufferPoints = points;
    s.bufferRate = rate;
    s.triggerPoint = trigger;
    s.maxPoints = maxPoints;
    s.triggerType = 0;
    return s;
}

TEST(SettingsForm, OpeningShowsTheRecordAndThePredictedTime)
{
    BufferingSettingsForm f(stored(10000, 4, 1));
    EXPECT_EQ(f.points(), (SliderField{1, 50000, 10000, 10000}));
    EXPECT_EQ(f.rate(), (SliderField{1, 32767, 4, 4}));
    EXPECT_EQ(f.trigger(), (SliderField{1, 10000, 1, 1}));
    EXPECT_EQ(f.triggerType(), 0);
    EXPECT_EQ(f.totalTimeText(), "1000");
    EXPECT_EQ(BufferingSettingsForm(stored(1, 1, 1)).totalTimeText(), "?");
}

TEST(SettingsForm, RotationModeShowsTheInternalTrigger)
{
    BufferingState s = stored(100, 4, 1);
    s.applicationMode = 2;
    EXPECT_EQ(BufferingSettingsForm(s).triggerType(), 1);
}

TEST(SettingsForm, PointsAreLimitedByTheCapacity)
{
    BufferingSettingsForm f(stored(10000, 4, 9000, 5000));
    EXPECT_EQ(f.points().slider, 5000);
    EXPECT_EQ(f.points().max, 5000);
    EXPECT_EQ(f.trigger().max, 5000);
    EXPECT_EQ(f.trigger().slider, 5000);
    EXPECT_FALSE(f.pointsFieldChanged(6000)); // outside the field: red, nothing moves
    EXPECT_EQ(f.points().slider, 5000);
    f.pointsSliderMoved(7000);
    EXPECT_EQ(f.points().slider, 5000);
}

TEST(SettingsForm, LoweringThePointsClampsTheTriggerPoint)
{
    BufferingSettingsForm f(stored(100, 4, 80));
    EXPECT_TRUE(f.pointsFieldChanged(50.7)); // the field passes its integer part
    EXPECT_EQ(f.points(), (SliderField{1, 50000, 50, 50}));
    EXPECT_EQ(f.trigger(), (SliderField{1, 50, 50, 50}));
    f.pointsSliderMoved(200);
    EXPECT_EQ(f.points().field, 200);
    EXPECT_EQ(f.trigger().max, 200);
    EXPECT_EQ(f.trigger().slider, 50);
    f.rateSliderMoved(10);
    EXPECT_EQ(f.rate().field, 10);
    EXPECT_EQ(f.totalTimeText(), "50"); // 200 * 10 * 0.025
    EXPECT_TRUE(f.triggerFieldChanged(120));
    EXPECT_EQ(f.trigger().slider, 120);
    EXPECT_FALSE(f.rateFieldChanged(0));
    EXPECT_FALSE(f.rateFieldChanged(std::nan("")));
}

class SettingsFormRecord : public ::testing::Test {
protected:
    void SetUp() override { shell::Catalog::instance().setLanguage(shell::Language::English); }
    measure::SharedData shared_;
    BufferingRecord record_{shared_};
    batchtest::ScriptedOperator op_;
};

TEST_F(SettingsFormRecord, SetStoresTheSlidersAndKeepsTheRest)
{
    record_.resetForScreen({1, 100, 4, 1});
    BufferingState before = *record_.copy();
    before.applicationMode = 2;
    before.dataRate = 9;
    before.storedCount = 33;
    record_.store(before);

    auto form = BufferingSettingsForm::open(record_, op_);
    ASSERT_TRUE(form);
    form->pointsSliderMoved(300);
    form->rateSliderMoved(20);
    form->triggerSliderMoved(30);
    ASSERT_TRUE(form->set(record_, op_));
    const BufferingState after = *record_.copy();
    EXPECT_EQ(after.triggerType, 1);
    EXPECT_EQ(after.bufferPoints, 300);
    EXPECT_EQ(after.bufferRate, 20);
    EXPECT_EQ(after.triggerPoint, 30);
    EXPECT_EQ(after.dataRate, 9);
    EXPECT_EQ(after.storedCount, 33);
}

TEST_F(SettingsFormRecord, CancelWritesNothingAndALockFailureKeepsTheRecord)
{
    record_.resetForScreen({1, 100, 4, 1});
    const BufferingState before = *record_.copy();
    {
        auto form = BufferingSettingsForm::open(record_, op_);
        ASSERT_TRUE(form);
        form->pointsSliderMoved(300); // then Cancel: the form is dropped
    }
    EXPECT_EQ(record_.copy()->parameters(), before.parameters());

    auto form = BufferingSettingsForm::open(record_, op_);
    ASSERT_TRUE(form);
    form->pointsSliderMoved(300);
    {
        bufferingtest::LockHolder holder(record_.mutex());
        EXPECT_FALSE(form->set(record_, op_));
        EXPECT_FALSE(BufferingSettingsForm::open(record_, op_));
    }
    ASSERT_EQ(op_.messages.size(), 2u);
    EXPECT_EQ(op_.messages[0], shell::Catalog::instance().text(shell::Msg::SharedBufferFailure));
    EXPECT_EQ(record_.copy()->parameters(), before.parameters());
}

} // namespace
} // namespace tavimo::buffering
