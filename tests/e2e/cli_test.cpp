// tavimo-cli as a script would use it, on its demo line and on tavimo-sim.
#include "run_program.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sstream>
#include <unistd.h>

using tavimo::testkit::runProgram;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

TEST(Cli, DemoScanListsControllersZeroToThree)
{
    auto r = runProgram(TAVIMO_CLI, {"--demo", "scan"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 4u) << r.out;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(l[static_cast<size_t>(i)].substr(0, 8), std::to_string(i) + " HT-01 ");
}

TEST(Cli, ExitStatusSaysSuccessFailureOrUsage)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* inErr; // expected part of the message
    } cases[] = {
        {{"--demo", "get", "HM", "--id", "1"}, 0, ""},
        {{"--demo", "set", "HM", "--id", "1", "3"}, 0, ""},
        {{"--demo", "set", "HM", "--id", "1", "7"}, 1, "out of range"},
        {{"--demo", "--timeout-index", "8", "get", "HM", "--id", "6"}, 1, "no valid answer"},
        {{"--demo", "set", "UC", "--id", "2", "1", "2"}, 1, "out of range"},
        {{"--demo", "get", "XX", "--id", "1"}, 2, "unknown command"},
        {{"--demo", "get", "HM"}, 2, "--id"},
        {{"--demo", "get", "HM", "--id", "9"}, 2, ""},
        {{"--demo", "set", "HM", "--id", "1", "abc"}, 2, "integer"},
        {{"--port", "/dev/tavimo-no-such-port", "get", "HM", "--id", "0"}, 1, "did not open"},
        {{"frobnicate"}, 2, ""},
    };
    for (const auto& c : cases) {
        auto r = runProgram(TAVIMO_CLI, c.args);
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        EXPECT_EQ(r.status, c.status) << joined << "\n" << r.err;
        EXPECT_NE(r.err.find(c.inErr), std::string::npos) << joined << "\n" << r.err;
    }
}

TEST(Cli, GetPrintsParsedValuesAndRepeats)
{
    auto r = runProgram(TAVIMO_CLI, {"--demo", "get", "WT", "--id", "0", "--repeat", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u);
    // Three decimals with four places each.
    EXPECT_EQ(std::count(l[0].begin(), l[0].end(), ' '), 2);
    EXPECT_EQ(l[0].size() - l[0].rfind('.'), 5u);
}

TEST(Cli, TalksToTheStandaloneSimulatorWithCheckCodes)
{
    // tavimo-sim prints its pty on the first line and runs until signalled.
    auto r = [] {
        tavimo::testkit::BackgroundProgram sim(TAVIMO_SIM, {"--ids", "0,2,5", "--bcc", "1"});
        EXPECT_FALSE(sim.firstLine().empty());
        return runProgram(TAVIMO_CLI, {"--port", sim.firstLine(), "--bcc", "1", "scan"});
    }();
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u) << r.out;
    EXPECT_EQ(l[0][0], '0');
    EXPECT_EQ(l[1][0], '2');
    EXPECT_EQ(l[2][0], '5');
}

} // namespace

namespace {

std::string tempPrefix()
{
    return "tavimo-e2e-" + std::to_string(::getpid()) + "-";
}

std::string tempPath(const std::string& name)
{
    return ::testing::TempDir() + tempPrefix() + name;
}

// Removes this run's files (and their .BAK copies) when the tests end.
class TempFileCleanup : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir(), ec))
            if (entry.path().filename().string().rfind(tempPrefix(), 0) == 0) std::filesystem::remove_all(entry.path(), ec);
    }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new TempFileCleanup);

TEST(CliSettings, NewCheckAndExportAFile)
{
    const std::string tsd = tempPath("a.TSD"), txt = tempPath("a.TXT");
    auto r = runProgram(TAVIMO_CLI, {"settings", "new", "--out", tsd, "--head", "2:4"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runProgram(TAVIMO_CLI, {"settings", "check", tsd});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.out.empty());
    r = runProgram(TAVIMO_CLI, {"settings", "export", tsd, txt, "--language", "en"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runProgram("/bin/cat", {txt});
    EXPECT_NE(r.out.find("[Setting of  ID 2]"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n"), std::string::npos);

    // A value outside its window field is reported with its place.
    r = runProgram("/bin/sed", {"-i", "0,/^HI_TH_LEVEL=.*/s//HI_TH_LEVEL=1000/", tsd});
    ASSERT_EQ(r.status, 0);
    r = runProgram(TAVIMO_CLI, {"settings", "check", tsd});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("ID0 memory 0 HI_TH_LEVEL = 1000.0000"), std::string::npos) << r.out;
    std::remove(tsd.c_str());
    std::remove((tsd.substr(0, tsd.size() - 3) + "BAK").c_str());
    std::remove(txt.c_str());
}

TEST(CliSettings, FileFailuresAndBadArgumentsAreReported)
{
    auto r = runProgram(TAVIMO_CLI, {"settings", "check", tempPath("missing.TSD")});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
    r = runProgram(TAVIMO_CLI, {"settings", "new", "--out", tempPath("x.TSD"), "--head", "9:1"});
    EXPECT_EQ(r.status, 2);
    r = runProgram(TAVIMO_CLI, {"settings", "new", "--out", "/proc/tavimo/x.TSD"});
    EXPECT_EQ(r.status, 1);
}

} // namespace

namespace {

std::string slurp(const std::string& path)
{
    auto r = runProgram("/bin/cat", {path});
    return r.status == 0 ? r.out : std::string();
}

class CliFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Keep the user's own configuration out of the way.
        configHome_ = tempPath("config");
        ::setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
    }
    void writeConfig(const std::string& text)
    {
        const std::string folder = configHome_ + "/Orvik/Tavimo";
        ASSERT_EQ(runProgram("/bin/mkdir", {"-p", folder}).status, 0);
        FILE* f = std::fopen((folder + "/Tavimo.INI").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    std::string configHome_;
};

TEST_F(CliFiles, CaptureWritesBlocksAndConvertGivesTheSameCsv)
{
    const std::string tmd = tempPath("c.TMD"), csv = tempPath("c.CSV"), again = tempPath("d.CSV");
    auto r = runProgram(TAVIMO_CLI,
                        {"--demo", "capture", "--seconds", "1", "--out", tmd, "--csv", csv, "--language", "en"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = slurp(tmd);
    ASSERT_GT(bytes.size(), 112u);
    EXPECT_EQ((bytes.size() - 112) % 29712, 0u) << bytes.size();
    r = runProgram(TAVIMO_CLI, {"wave", "convert", tmd, "--csv", again, "--language", "en"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string first = slurp(csv);
    EXPECT_EQ(first, slurp(again));
    EXPECT_EQ(first.rfind("Line number,", 0), 0u) << first.substr(0, 80);
    EXPECT_NE(first.find("\r\n"), std::string::npos);

    // The separator and decimal character come from the configuration, and
    // the options override it.
    std::string semicolons = first;
    std::replace(semicolons.begin(), semicolons.end(), ',', ';');
    std::replace(semicolons.begin(), semicolons.end(), '.', ',');
    writeConfig("[ENVIRONMENT]\r\nCSV_SEPARATOR=1\r\nDECIMAL_SEPARATOR=1\r\nLANGUAGE=1\r\n");
    r = runProgram(TAVIMO_CLI, {"wave", "convert", tmd, "--csv", again});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(again), semicolons);
    r = runProgram(TAVIMO_CLI,
                   {"wave", "convert", tmd, "--csv", again, "--separator", "comma", "--decimal", "period"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(again), first);

    // A truncated file is refused with a message.
    r = runProgram("/usr/bin/truncate", {"-s", "5000", tmd});
    ASSERT_EQ(r.status, 0);
    r = runProgram(TAVIMO_CLI, {"wave", "convert", tmd, "--csv", again});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
}

TEST_F(CliFiles, BufferRunReadsThePointsBackIntoACsv)
{
    tavimo::testkit::BackgroundProgram sim(TAVIMO_SIM, {"--ids", "1"});
    const std::string& path = sim.firstLine();
    ASSERT_FALSE(path.empty());
    // Logging needs a trigger setting other than none or cyclic.
    auto r = runProgram(TAVIMO_CLI, {"--port", path, "set", "TG", "--id", "1", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string csv = tempPath("b.CSV");
    r = runProgram(TAVIMO_CLI, {"--port", path, "buffer", "run", "--id", "1", "--points", "500", "--rate", "10",
                                "--trigger-point", "1", "--out", csv, "--language", "en"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = slurp(csv);
    EXPECT_GE(std::count(text.begin(), text.end(), '\n'), 500) << text.substr(0, 200);
}

} // namespace
