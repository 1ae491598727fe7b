#include "window/instance_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavimo::window {
namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    std::filesystem::path folder;
    std::filesystem::path file;

    void SetUp() override
    {
        char tmpl[] = "/tmp/tavimo-lock-XXXXXX";
        folder = ::mkdtemp(tmpl);
        file = folder / "Orvik" / "Tavimo" / "Tavimo.lock";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // A child process that takes the lock and waits on a pipe until killed.
    pid_t holdInChild()
    {
        int ready[2];
        if (::pipe(ready) != 0) return -1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            InstanceLock lock;
            const char ok = lock.acquire(file) == LockResult::Acquired ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            for (;;) ::pause();
        }
        ::close(ready[1]);
        char ok = 0;
        (void)!::read(ready[0], &ok, 1);
        ::close(ready[0]);
        EXPECT_EQ(ok, 'y');
        return pid;
    }
};

TEST_F(InstanceLockTest, SecondInstanceIsRefusedUntilTheFirstEnds)
{
    const pid_t first = holdInChild();
    ASSERT_GT(first, 0);
    EXPECT_EQ(InstanceLock::holderPid(file), first);
    InstanceLock second;
    EXPECT_EQ(second.acquire(file), LockResult::HeldByOther);
    EXPECT_FALSE(second.held());

    // The first instance dies without cleaning up: its lock file stays, but
    // the lock itself went with the process.
    ::kill(first, SIGKILL);
    ::waitpid(first, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(second.acquire(file), LockResult::Acquired);
    EXPECT_EQ(InstanceLock::holderPid(file), ::getpid());
}

TEST_F(InstanceLockTest, ReleaseLetsTheNextInstanceIn)
{
    {
        InstanceLock a;
        ASSERT_EQ(a.acquire(file), LockResult::Acquired);
        EXPECT_EQ(a.acquire(file), LockResult::Acquired); // already held: no change
    }
    const pid_t next = holdInChild();
    ASSERT_GT(next, 0);
    ::kill(next, SIGKILL);
    ::waitpid(next, nullptr, 0);
}

TEST_F(InstanceLockTest, AnUncreatableFileFails)
{
    std::ofstream(folder / "plain") << "x"; // a file where a folder should be
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(folder / "plain" / "Tavimo.lock"), LockResult::Failed);
    EXPECT_EQ(instanceLockPath("/a/b/Tavimo.INI"), std::filesystem::path("/a/b/Tavimo.lock"));
}

} // namespace
} // namespace tavimo::window
