#include "window/session.h"

#include "files/ini_document.h"
#include "../batch/scripted_operator.h"
#include "shell/catalog.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tavimo::window {
namespace {

class SessionTest : public ::testing::Test {
protected:
    std::filesystem::path folder;
    SessionOptions options;

    void SetUp() override
    {
        char tmpl[] = "/tmp/tavimo-session-XXXXXX";
        folder = ::mkdtemp(tmpl);
        options.configPath = folder / "Orvik" / "Tavimo" / "Tavimo.INI";
        std::filesystem::create_directories(folder / "sys");
        options.sysTtyRoot = (folder / "sys").string(); // no real serial ports
    }
    void TearDown() override
    {
        shell::Catalog::instance().setLanguage(shell::Language::Japanese);
        std::filesystem::remove_all(folder);
    }
    std::string configText() const
    {
        std::ifstream in(options.configPath);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(SessionTest, MissingConfigurationGivesTheDefaultsAndIsCreatedAtClose)
{
    Session s(options);
    EXPECT_EQ(s.open(), files::FileError::CannotOpen);
    EXPECT_EQ(s.config, files::AppConfig{});
    files::AppConfig emptyConfig;
    settings::SettingsModel emptyModel;
    files::readAppConfig(files::IniDocument{}, emptyConfig, emptyModel); // every missing-key default
    EXPECT_EQ(s.model, emptyModel);
    EXPECT_EQ(shell::Catalog::instance().language(), shell::Language::Japanese);
    EXPECT_TRUE(s.ports.empty());
    EXPECT_TRUE(s.workerRunning());
    EXPECT_EQ(s.finish(true), files::FileError::None);
    EXPECT_FALSE(s.workerRunning());
    EXPECT_TRUE(std::filesystem::exists(options.configPath)); // both folders made
}

TEST_F(SessionTest, LanguageAndLineComeFromTheConfiguration)
{
    std::filesystem::create_directories(options.configPath.parent_path());
    std::ofstream(options.configPath) << "[ENVIRONMENT]\r\nLANGUAGE=1\r\n[RS232C]\r\nCOM=0\r\nSPEED=4\r\nPARITY=0\r\n";
    options.firstPort = "/dev/pts/999";
    Session s(options);
    EXPECT_EQ(s.open(), files::FileError::None);
    EXPECT_EQ(shell::Catalog::instance().language(), shell::Language::English);
    ASSERT_EQ(s.ports.size(), 1u);
    const link::OnlineLine line = s.onlineLine();
    EXPECT_EQ(line.port, "/dev/pts/999");
    EXPECT_EQ(line.speed, "115200");
    EXPECT_EQ(line.parity, "N");
    s.config.port.COM = 5; // no such port: going online fails to open
    EXPECT_EQ(s.onlineLine().port, "");
}

TEST_F(SessionTest, ClosingWhileOnlineStopsTheWorkerClosesThePortAndSaves)
{
    sim::SimulatorOptions so;
    so.ids = {0, 3};
    sim::Simulator sim(so);
    ASSERT_TRUE(sim.start());
    options.firstPort = sim.portPath();

    Session s(options);
    s.open();
    batchtest::ScriptedOperator op;
    link::OnlineView view;
    ASSERT_EQ(link::goOnline(s.onlineParts(op, view), s.onlineLine()), 0);
    EXPECT_TRUE(s.active.online());
    EXPECT_EQ(s.active.activeCount(), 2);
    EXPECT_TRUE(s.port.isOpen());

    s.model.controllers[3].memories[0].HI_TH_LEVEL = 0.55;
    s.config.environment.CONTROLER_PAGE = 3;
    s.markOffline();
    EXPECT_EQ(s.finish(true), files::FileError::None);
    EXPECT_FALSE(s.workerRunning());
    EXPECT_FALSE(s.port.isOpen());
    EXPECT_FALSE(s.active.online());

    Session again(options);
    EXPECT_EQ(again.open(), files::FileError::None);
    EXPECT_DOUBLE_EQ(again.model.controllers[3].memories[0].HI_TH_LEVEL, 0.55);
    EXPECT_EQ(again.config.environment.CONTROLER_PAGE, 3);
    sim.stop();
}

TEST_F(SessionTest, FatalEndStopsTheWorkerButSavesNothing)
{
    Session s(options);
    s.open();
    s.model.controllers[0].SENSOR_TYPE = 4;
    EXPECT_EQ(s.finish(false), files::FileError::None);
    EXPECT_FALSE(s.workerRunning());
    EXPECT_FALSE(std::filesystem::exists(options.configPath));
}

TEST_F(SessionTest, OperationsFailCleanlyWithoutAWorker)
{
    Session s(options);
    s.open();
    s.stopWorker();
    batchtest::ScriptedOperator op;
    settings::OperationContext ctx = s.operationContext(op);
    EXPECT_FALSE(ctx.worker.pauseWorker());
}

} // namespace
} // namespace tavimo::window
