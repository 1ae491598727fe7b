#include "window/checks_publisher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tavimo::window {
namespace {

TEST(ChecksPublisher, WaitsForTheWorkersLockInsteadOfGivingUp)
{
    measure::SharedData shared;
    std::array<bool, 8> wanted{true, false, true, false, false, false, false, true};

    shared.measureLock.lock(); // the worker holds the lock, for however long
    std::atomic<bool> done{false};
    std::thread ui([&] {
        publishChecks(shared, wanted);
        done = true;
    });
    // Published only once the lock is free; never dropped.
    EXPECT_FALSE(done.load());
    shared.measureLock.unlock();
    ui.join();
    EXPECT_TRUE(done.load());
    EXPECT_EQ(publishedChecks(shared), wanted);
    EXPECT_TRUE(shared.checks.isChecked(7));
    EXPECT_FALSE(shared.checks.isChecked(1));
}

} // namespace
} // namespace tavimo::window
