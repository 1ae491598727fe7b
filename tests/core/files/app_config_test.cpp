#include "files/app_config.h"

#include "files/ini_values.h"
#include "files/settings_sections.h"
#include "settings/head_initialization.h"
#include "model_defaults.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace tavimo::files {
namespace {

using namespace tavimo::settings;
using testing::missingKeyModel;
using testing::readAll;
using testing::TempFolder;
using testing::writeAll;

class AppConfigFile : public ::testing::Test {
protected:
    TempFolder dir;
    std::filesystem::path path = dir / "Orvik" / "Tavimo" / "Tavimo.INI";

    AppConfig load(const std::string& text)
    {
        std::filesystem::create_directories(path.parent_path());
        writeAll(path, text);
        AppConfig config;
        SettingsModel model;
        loadAppConfig(path, config, model);
        return config;
    }
};

TEST_F(AppConfigFile, FirstStartWithoutAFileGivesEveryDefault)
{
    AppConfig config;
    config.environment.LANGUAGE = 1;
    config.port.SPEED = 4;
    SettingsModel model;
    changeHeadType(model, 2, 5);
    model.VERSION_INDEX = 0;
    EXPECT_EQ(loadAppConfig(path, config, model), FileError::CannotOpen);

    const EnvironmentConfig& e = config.environment;
    EXPECT_EQ(e.LANGUAGE, 0); // Japanese
    EXPECT_EQ(config.port, (PortConfig{0, 1, 2, 0, 2, 0}));
    for (bool checked : e.CONTCHECK)
        EXPECT_TRUE(checked);
    EXPECT_EQ(e.PRIORITY, 2);
    EXPECT_EQ(e.INTERVAL, 40);
    EXPECT_EQ(e.SEND_INTERVAL, 100);
    EXPECT_FALSE(e.DEBUG_FLAG);
    EXPECT_TRUE(e.PRODUCT);
    EXPECT_EQ(config, AppConfig{});
    EXPECT_EQ(model, missingKeyModel());
}

TEST_F(AppConfigFile, ValuesOutsideTheirRangeAreClampedOrTakeTheDefault)
{
    const struct {
        const char* text;
        int (*get)(const AppConfig&);
        int expected;
    } cases[] = {
        {"[ENVIRONMENT]\nTAB_PAGE=5", [](const AppConfig& c) { return c.environment.TAB_PAGE; }, 0},
        {"[ENVIRONMENT]\nTAB_PAGE=9", [](const AppConfig& c) { return c.environment.TAB_PAGE; }, 0},
        {"[ENVIRONMENT]\nTAB_PAGE=3", [](const AppConfig& c) { return c.environment.TAB_PAGE; }, 3},
        {"[ENVIRONMENT]\nPRIORITY=7", [](const AppConfig& c) { return c.environment.PRIORITY; }, 2},
        {"[ENVIRONMENT]\nPRIORITY=0", [](const AppConfig& c) { return c.environment.PRIORITY; }, 2},
        {"[ENVIRONMENT]\nPRIORITY=5", [](const AppConfig& c) { return c.environment.PRIORITY; }, 5},
        {"[ENVIRONMENT]\nSEND_INTERVAL=-5", [](const AppConfig& c) { return c.environment.SEND_INTERVAL; }, 0},
        {"[ENVIRONMENT]\nSEND_INTERVAL=20000", [](const AppConfig& c) { return c.environment.SEND_INTERVAL; }, 10000},
        {"[ENVIRONMENT]\nSEND_INTERVAL=250", [](const AppConfig& c) { return c.environment.SEND_INTERVAL; }, 250},
        {"[ENVIRONMENT]\nSEND_INTERVAL=abc", [](const AppConfig& c) { return c.environment.SEND_INTERVAL; }, 100},
        {"[ENVIRONMENT]\nINTERVAL=-1", [](const AppConfig& c) { return c.environment.INTERVAL; }, 0},
        {"[ENVIRONMENT]\nCONTROLER_PAGE=8", [](const AppConfig& c) { return c.environment.CONTROLER_PAGE; }, 0},
        {"[ENVIRONMENT]\nCONTROLER_PAGE=7", [](const AppConfig& c) { return c.environment.CONTROLER_PAGE; }, 7},
        {"[ENVIRONMENT]\nCSV_SEPARATOR=3", [](const AppConfig& c) { return c.environment.CSV_SEPARATOR; }, 0},
        {"[ENVIRONMENT]\nDECIMAL_SEPARATOR=1", [](const AppConfig& c) { return c.environment.DECIMAL_SEPARATOR; }, 1},
        {"[ENVIRONMENT]\nCONTCHECK3=0", [](const AppConfig& c) { return int(c.environment.CONTCHECK[3]); }, 0},
        {"[ENVIRONMENT]\nLANGUAGE=2", [](const AppConfig& c) { return c.environment.LANGUAGE; }, 1},
        {"[ENVIRONMENT]\nLANGUAGE=-1", [](const AppConfig& c) { return c.environment.LANGUAGE; }, 1},
        {"[ENVIRONMENT]\nLANGUAGE=abc", [](const AppConfig& c) { return c.environment.LANGUAGE; }, 0},
        {"[RS232C]\nSPEED=5", [](const AppConfig& c) { return c.port.SPEED; }, 1},
        {"[RS232C]\nPARITY=-1", [](const AppConfig& c) { return c.port.PARITY; }, 2},
        {"[RS232C]\nSTOP_BIT=2", [](const AppConfig& c) { return c.port.STOP_BIT; }, 0},
        {"[RS232C]\nTIMEOUT=7", [](const AppConfig& c) { return c.port.TIMEOUT; }, 2},
        {"[RS232C]\nTIMEOUT=6", [](const AppConfig& c) { return c.port.TIMEOUT; }, 6},
        {"[RS232C]\nBCC=1", [](const AppConfig& c) { return c.port.BCC; }, 1},
        {"[RS232C]\nCOM=-3", [](const AppConfig& c) { return c.port.COM; }, 0},
        {"[RS232C]\nCOM=4", [](const AppConfig& c) { return c.port.COM; }, 4},
        {"[environment]\nLanguage=1", [](const AppConfig& c) { return c.environment.LANGUAGE; }, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.get(load(c.text)), c.expected) << c.text;

    std::filesystem::create_directories(path.parent_path());
    writeAll(path, "[SETTING_ENVIRONMENT]\nVERSION_INDEX=1\n[CONTROLLER1]\nMEMORY_NO=9\n");
    AppConfig config;
    SettingsModel model;
    EXPECT_EQ(loadAppConfig(path, config, model), FileError::None);
    EXPECT_EQ(model.VERSION_INDEX, 0);
    EXPECT_EQ(model.controllers[1].MEMORY_NO, 0);
}

TEST_F(AppConfigFile, SaveThenLoadRestoresTheStateAndCreatesTheFolders)
{
    AppConfig config;
    EnvironmentConfig& e = config.environment;
    e.MAIN_OPENFOLDER = "/home/user/設定";
    e.MAIN_SAVEFOLDER = "/tmp/a b";
    e.TEXT_SAVEFOLDER = "/tmp/text";
    e.MAIN_TOP = -20;
    e.MAIN_LEFT = 1900;
    e.MESUREDISP_TOP = 5;
    e.MESUREDISP_LEFT = 6;
    e.CONTROLER_PAGE = 6;
    e.TAB_PAGE = 2;
    e.CONTCHECK = {true, false, true, false, false, true, true, false};
    e.CSV_SEPARATOR = 2;
    e.DECIMAL_SEPARATOR = 1;
    e.DEBUG_FLAG = true;
    e.PRODUCT = false;
    e.PRIORITY = 4;
    config.port = {3, 4, 0, 1, 6, 0};
    SettingsModel model;
    changeHeadType(model, 4, 6);
    model.controllers[4].MEMORY_NO = 2;
    model.controllers[4].memories[2].V_SCALE_SLOPE = 1;
    model.controllers[0].memories[1].INT_TRIG_THR = 0.1 + 0.2;
    model.calculations[1] = {false, 2, 3, 0};

    ASSERT_EQ(saveAppConfig(path, config, model), FileError::None);
    AppConfig loadedConfig;
    SettingsModel loadedModel;
    ASSERT_EQ(loadAppConfig(path, loadedConfig, loadedModel), FileError::None);
    EXPECT_EQ(loadedConfig, config);
    EXPECT_EQ(loadedModel, model);
}

TEST_F(AppConfigFile, KeysWrittenByHandOrByOtherScreensSurviveASave)
{
    const std::string handWritten = "; my notes\r\n"
                                    "[Environment]\r\n"
                                    "LANGUAGE=1\r\n"
                                    "SEND_INTERVAL=250\r\n"
                                    "INTERVAL=10\r\n"
                                    "PRIORITY=7\r\n"
                                    "MEASUREWAVE_TOP=33\r\n"
                                    "UNKNOWN_KEY=kept\r\n"
                                    "\r\n"
                                    "[MEASUREWAVE]\r\n"
                                    "THRESHOLD=0.5\r\n"
                                    "INTERVAL=250\r\n"
                                    "\r\n"
                                    "[RS232C]\r\n"
                                    "BCC=1\r\n";
    std::filesystem::create_directories(path.parent_path());
    writeAll(path, handWritten);

    AppConfig config;
    SettingsModel model;
    ASSERT_EQ(loadAppConfig(path, config, model), FileError::None);
    EXPECT_EQ(config.environment.PRIORITY, 2);
    config.environment.LANGUAGE = 0; // never written, whatever the program holds
    config.environment.SEND_INTERVAL = 100;
    config.port.BCC = 0;
    ASSERT_EQ(saveAppConfig(path, config, model), FileError::None);
    ASSERT_EQ(saveAppConfig(path, config, model), FileError::None);

    const std::string text = readAll(path);
    for (const char* line : {"; my notes\r\n[Environment]\r\nLANGUAGE=1\r\nSEND_INTERVAL=250\r\nINTERVAL=10\r\nPRIORITY=2\r\n"
                             "MEASUREWAVE_TOP=33\r\nUNKNOWN_KEY=kept\r\n",
                             "[MEASUREWAVE]\r\nTHRESHOLD=0.5\r\nINTERVAL=250\r\n", "[RS232C]\r\nBCC=1\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("[ENVIRONMENT]"), std::string::npos); // updated in place, not added again
    EXPECT_EQ(readAll(dir / "Orvik" / "Tavimo" / "Tavimo.BAK").substr(0, 12), "; my notes\r\n");

    ASSERT_EQ(loadAppConfig(path, config, model), FileError::None);
    EXPECT_EQ(config.environment.LANGUAGE, 1);
    EXPECT_EQ(config.environment.SEND_INTERVAL, 250);
    EXPECT_EQ(config.port.BCC, 1);
}

TEST_F(AppConfigFile, OtherScreensUpdateTheirOwnKeys)
{
    ASSERT_EQ(saveAppConfig(path, AppConfig{}, SettingsModel{}), FileError::None);
    ASSERT_EQ(updateAppConfig(path, [](IniDocument& doc) { writeDecimal(doc, "DATABUFF", "VERTICAL_MAX", 1.5); }),
              FileError::None);
    ASSERT_EQ(saveAppConfig(path, AppConfig{}, SettingsModel{}), FileError::None);
    EXPECT_EQ(readAppConfigDocument(path).value("DATABUFF", "VERTICAL_MAX"), "1.5");
}

TEST_F(AppConfigFile, AnUnreadableFileGivesDefaultsAndIsKeptAsBackupOnSave)
{
    std::filesystem::create_directories(path.parent_path());
    writeAll(path, std::string(5u << 20, 'x'));
    AppConfig config;
    config.environment.TAB_PAGE = 3;
    SettingsModel model;
    EXPECT_EQ(loadAppConfig(path, config, model), FileError::CannotRead);
    EXPECT_EQ(config, AppConfig{});
    ASSERT_EQ(saveAppConfig(path, config, model), FileError::None);
    EXPECT_EQ(std::filesystem::file_size(dir / "Orvik" / "Tavimo" / "Tavimo.BAK"), 5u << 20);
}

TEST(AppConfigPath, PerUserFolderWithTheProgramName)
{
    EXPECT_EQ(appConfigPathFrom("/x/conf", "/home/u"), std::filesystem::path("/x/conf/Orvik/Tavimo/Tavimo.INI"));
    EXPECT_EQ(appConfigPathFrom(nullptr, "/home/u"), std::filesystem::path("/home/u/.config/Orvik/Tavimo/Tavimo.INI"));
    EXPECT_EQ(appConfigPathFrom("relative", "/home/u", "tavimo-cli"),
              std::filesystem::path("/home/u/.config/Orvik/Tavimo/tavimo-cli.INI"));
    EXPECT_EQ(appConfigPath().filename(), "Tavimo.INI");
}

} // namespace
} // namespace tavimo::files
