// tavimo-sim on its own: prints a usable pty path, stops on SIGTERM, and
// refuses bad usage with exit code 2.
#include "link/commands.h"
#include "link/serial_port.h"
#include "link/transaction.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace tavimo;
using namespace tavimo::link;

extern char** environ;

namespace {

struct Child {
    pid_t pid = -1;
    FILE* out = nullptr;
};

Child spawnSim(std::vector<std::string> args)
{
    int fds[2];
    if (::pipe(fds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    args.insert(args.begin(), TAVIMO_SIM_EXECUTABLE);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    Child c;
    int rc = posix_spawn(&c.pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (rc != 0) {
        ::close(fds[0]);
        return {};
    }
    c.out = ::fdopen(fds[0], "r");
    return c;
}

int exitCodeOf(pid_t pid)
{
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(SimExecutable, PrintsAUsablePtyPathAndStopsOnSigterm)
{
    Child c = spawnSim({"--ids", "0,2", "--fault", "silence:id=2:cmd=PC"});
    ASSERT_GT(c.pid, 0);
    char line[256] = {};
    ASSERT_NE(std::fgets(line, sizeof line, c.out), nullptr);
    std::string path(line);
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();

    SerialPort port;
    ASSERT_TRUE(port.openPort(path, "19200", "O", 2, false, false, "1", "8"));
    Link link(port);
    CommandSet commands(link);
    int type = -1, code = -1;
    EXPECT_TRUE(commands.readHeadType(0, type, code, false));
    EXPECT_EQ(code, 100);
    port.applyTimeout(kTimeoutIndexScan);
    EXPECT_FALSE(commands.readHeadType(2, type, code, false)); // the fault from the command line
    double version = 0;
    EXPECT_TRUE(commands.read(cmd::VR, 2, version, false));
    EXPECT_FALSE(commands.readHeadType(1, type, code, false)); // not on the line
    port.closePort();

    ::kill(c.pid, SIGTERM);
    EXPECT_EQ(exitCodeOf(c.pid), 0);
    std::fclose(c.out);
}

TEST(SimExecutable, BadUsageExitsWithTwo)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"--ids", "0,9"}, {"--fault", "gremlin"},
                                          {"--fault", "delay:ms=x"}, {"--no-such-option"}, {"--baud", "0"}}) {
        Child c = spawnSim(args);
        ASSERT_GT(c.pid, 0);
        EXPECT_EQ(exitCodeOf(c.pid), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        std::fclose(c.out);
    }
}

} // namespace
