// The screen's keys in the configuration file.
#include "../files/temp_folder.h"
#include "waveform/wave_config.h"

#include "files/ini_values.h"

#include <gtest/gtest.h>

using namespace tavimo;
using namespace tavimo::waveform;
using tavimo::files::testing::readAll;
using tavimo::files::testing::TempFolder;
using tavimo::files::testing::writeAll;

namespace {

TEST(WaveConfig, DefaultsWhenAbsent)
{
    const WaveScreenConfig c = readWaveConfig(files::IniDocument::parse(""));
    EXPECT_EQ(c, WaveScreenConfig{});
    EXPECT_EQ(c.OUT_POSITION, 0); // the key's default, not the field's 3
    EXPECT_EQ(c.INTERVAL, 250);
    EXPECT_EQ(c.HORIZONTAL, 50);
    EXPECT_EQ(c.VERTICAL_MAX, 5.0);
    EXPECT_EQ(c.VERTICAL_MIN, 0.0);
}

TEST(WaveConfig, WrittenKeysReadBackAndLeaveTheRestAlone)
{
    auto doc = files::IniDocument::parse("[ENVIRONMENT]\r\nINTERVAL=40\r\nLANGUAGE=1\r\n[OTHER]\r\nX=y\r\n");
    WaveScreenConfig c;
    c.MEASUREWAVE_OPENFOLDER = "/home/u/waves";
    c.MEASUREWAVE_SAVEFOLDER = "/tmp/out dir";
    c.MEASUREWAVE_TOP = -20;
    c.MEASUREWAVE_LEFT = 1300;
    c.THRESHOLD = true;
    c.HI_PASS_LO = true;
    c.SELECT_ID = 7;
    c.OUT_POSITION = -999;
    c.INTERVAL = 100;
    c.VERTICAL_MAX = 2.75;
    c.VERTICAL_MIN = -0.125;
    c.HORIZONTAL = 90;
    c.MEASURE_CURSOR = true;
    c.TIME_CURSOR = true;
    writeWaveConfig(doc, c);
    const auto reread = files::IniDocument::parse(doc.serialize());
    EXPECT_EQ(readWaveConfig(reread), c);
    EXPECT_EQ(reread.value("ENVIRONMENT", "INTERVAL"), "40"); // the worker's key of the same name
    EXPECT_EQ(reread.value("MEASUREWAVE", "INTERVAL"), "100");
    EXPECT_EQ(reread.value("MEASUREWAVE", "VERTICAL_MIN"), "-0.125");
    EXPECT_EQ(reread.value("OTHER", "X"), "y");
}

TEST(WaveConfig, HandEditedValuesAreBroughtIntoTheFieldRanges)
{
    struct Case {
        const char* lines;
        WaveScreenConfig expected;
    };
    auto with = [](auto edit) {
        WaveScreenConfig c;
        edit(c);
        return c;
    };
    const Case cases[] = {
        {"INTERVAL=50", with([](auto& c) { c.INTERVAL = 100; })},
        {"INTERVAL=9999", with([](auto& c) { c.INTERVAL = 500; })},
        {"HORIZONTAL=0", with([](auto& c) { c.HORIZONTAL = 1; })},
        {"HORIZONTAL=91", with([](auto& c) { c.HORIZONTAL = 90; })},
        {"SELECT_ID=8", with([](auto&) {})},
        {"SELECT_ID=-1", with([](auto&) {})},
        {"OUT_POSITION=5000", with([](auto& c) { c.OUT_POSITION = 999; })},
        {"VERTICAL_MAX=2000", with([](auto& c) { c.VERTICAL_MAX = 1000; })},
        {"VERTICAL_MIN=3\r\nVERTICAL_MAX=2", with([](auto&) {})}, // no extent: both defaults
        {"VERTICAL_MIN=5", with([](auto&) {})},
        {"VERTICAL_MAX=abc\r\nINTERVAL=1e3", with([](auto&) {})},
        {"THRESHOLD=2\r\nTIME_CURSOR=-1", with([](auto& c) { c.THRESHOLD = c.TIME_CURSOR = true; })},
    };
    for (const Case& k : cases) {
        const auto doc = files::IniDocument::parse(std::string("[MEASUREWAVE]\r\n") + k.lines + "\r\n");
        EXPECT_EQ(readWaveConfig(doc), k.expected) << k.lines;
    }
}

TEST(WaveConfig, SavedThroughTheConfigurationFile)
{
    TempFolder dir;
    const auto path = dir / "Tavimo.INI";
    writeAll(path, "[ENVIRONMENT]\r\nLANGUAGE=1\r\n");
    EXPECT_EQ(loadWaveConfig(path), WaveScreenConfig{});
    WaveScreenConfig c;
    c.HORIZONTAL = 12;
    c.MEASUREWAVE_SAVEFOLDER = "/data";
    ASSERT_EQ(saveWaveConfig(path, c), files::FileError::None);
    EXPECT_EQ(loadWaveConfig(path), c);
    EXPECT_NE(readAll(path).find("LANGUAGE=1"), std::string::npos);
    EXPECT_EQ(loadWaveConfig(dir / "missing.INI"), WaveScreenConfig{});
}

} // namespace
