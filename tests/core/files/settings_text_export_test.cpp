#include "files/settings_text_export.h"

#include "settings/head_initialization.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tavimo::files {
namespace {

using namespace tavimo::settings;
using shell::Language;
using testing::readAll;
using testing::TempFolder;
using testing::writeAll;

// The "key=value" lines of one section of the export, in file order.
std::vector<std::string> sectionLines(const std::string& text, const std::string& section)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "line without CR LF: " << line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + section + "]";
            continue;
        }
        if (inside && !line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> keysOf(const std::vector<std::string>& lines)
{
    std::vector<std::string> keys;
    for (const std::string& l : lines)
        keys.push_back(l.substr(0, l.find('=')));
    return keys;
}

const std::vector<std::string> kTail = {
    "Detection Object", "Average frequency", "Hi threshold value", "Lo threshold value", "Hysteresis",
    "Indication scaling", "Voltage scaling", "Sensor model name", "Mutual interference prevention",
    "Output form", "Off-delay time", "Head characteristic mode"};

std::vector<std::string> concat(std::vector<std::string> head, const std::vector<std::string>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(SettingsTextExport, CalculationEntriesInBothLanguages)
{
    SettingsModel m;
    m.calculations[0] = {false, 1, 0, 1};
    m.calculations[1] = {true, 0, 2, 3};
    m.calculations[2] = {true, 1, 4, 5};
    m.calculations[3] = {true, 2, 7, 6};
    const std::string en = settingsTextUtf8(m, Language::English);
    EXPECT_EQ(sectionLines(en, "Calculation Setting0"), std::vector<std::string>{"Calculation Setting=Off"});
    EXPECT_EQ(sectionLines(en, "Calculation Setting1"),
              (std::vector<std::string>{"Calculation Setting=On", "Calculation=None"}));
    EXPECT_EQ(sectionLines(en, "Calculation Setting2"),
              (std::vector<std::string>{"Calculation Setting=On", "Calculation=A+B", "Controler-A ID=4",
                                        "Controler-B ID=5"}));
    EXPECT_EQ(sectionLines(en, "Calculation Setting3")[1], "Calculation=A-B");

    const std::string ja = settingsTextUtf8(m, Language::Japanese);
    EXPECT_EQ(sectionLines(ja, "演算設定1"), (std::vector<std::string>{"演算設定=有効", "演算=なし"}));
    EXPECT_EQ(sectionLines(ja, "演算設定0"), std::vector<std::string>{"演算設定=無効"});
    EXPECT_EQ(en.rfind("[Calculation Setting0]\r\n", 0), 0u); // the file starts with it
}

TEST(SettingsTextExport, RowsFollowTheModesOfTheCurrentMemory)
{
    struct Case {
        const char* what;
        void (*set)(MemorySettings&, ControllerSettings&);
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {"rotation mode, internal trigger",
         [](MemorySettings& v, ControllerSettings&) { v.APPLI_MODE = 2, v.TRIG_MODE = 2, v.HOLD_MODE = 3; },
         concat({"Memory number in a selection", "Measurement mode", "Trigger hysteresis"}, kTail)},
        {"manual, cyclic trigger",
         [](MemorySettings& v, ControllerSettings&) { v.APPLI_MODE = 0, v.TRIG_MODE = 3; },
         concat({"Memory number in a selection", "Measurement mode", "Hold mode", "A kind of trigger",
                 "Trigger period"},
                kTail)},
        {"manual, internal trigger, bottom hold",
         [](MemorySettings& v, ControllerSettings&) { v.APPLI_MODE = 0, v.TRIG_MODE = 2, v.HOLD_MODE = 2; },
         concat({"Memory number in a selection", "Measurement mode", "Hold mode", "A kind of trigger", "Trigger edge",
                 "Trigger level", "Trigger hysteresis", "Trigger Delay", "Trigger sampling",
                 "Last time value comparison"},
                kTail)},
        {"press mode, internal trigger",
         [](MemorySettings& v, ControllerSettings&) { v.APPLI_MODE = 1, v.TRIG_MODE = 2, v.HOLD_MODE = 2; },
         concat({"Memory number in a selection", "Measurement mode", "Trigger level", "Trigger hysteresis",
                 "Last time value comparison"},
                kTail)},
        {"display inversion, voltage two points",
         [](MemorySettings& v, ControllerSettings&) { v.D_SCALE_MODE = 3, v.V_SCALE_MODE = 2; },
         {"Memory number in a selection", "Measurement mode", "Hold mode", "A kind of trigger", "Detection Object",
          "Average frequency", "Hi threshold value", "Lo threshold value", "Hysteresis", "Indication scaling",
          "Reversing display", "Voltage scaling", "A point displacement (Voltage)", "B point displacement (Voltage)",
          "A point voltage value", "B point voltage value", "Sensor model name", "Mutual interference prevention",
          "Output form", "Off-delay time", "Head characteristic mode"}},
        {"display two points, voltage inversion, compatible head",
         [](MemorySettings& v, ControllerSettings& c) { v.D_SCALE_MODE = 2, v.V_SCALE_MODE = 3, c.HEAD_ID_MODE = 1; },
         {"Memory number in a selection", "Measurement mode", "Hold mode", "A kind of trigger", "Detection Object",
          "Average frequency", "Hi threshold value", "Lo threshold value", "Hysteresis", "Indication scaling",
          "A point displacement", "B point displacement", "A point indication value", "B point indication value",
          "Voltage scaling", "Reversing display (Voltage)", "Sensor model name", "Mutual interference prevention",
          "Output form", "Off-delay time", "Head characteristic mode", "SUS characteristic ID code",
          "Fe characteristic ID code", "Al characteristic ID code"}},
    };
    for (const Case& c : cases) {
        SettingsModel m;
        ControllerSettings& ctl = m.controllers[3];
        ctl.MEMORY_NO = 2;
        ctl.memories[0].TRIG_MODE = 3; // other memories never show
        ctl.memories[0].D_SCALE_MODE = 1;
        c.set(ctl.memories[2], ctl);
        const auto lines = sectionLines(settingsTextUtf8(m, Language::English), "Setting of  ID 3");
        EXPECT_EQ(keysOf(lines), c.keys) << c.what;
    }
}

TEST(SettingsTextExport, ValuesAsTheWindowShowsThem)
{
    SettingsModel m;
    changeHeadType(m, 5, 5);
    ControllerSettings& c = m.controllers[5];
    c.MEMORY_NO = 1;
    c.KANSYOUBOUSHI = 2;
    c.HEAD_ID_MODE = 1;
    c.SUS_ID = "AB12CD34EF";
    c.FE_ID = "\xE2\x82\xAC"; // a character CP932 lacks, from a hand-edited file
    MemorySettings& v = c.memories[1];
    v.TRIG_MODE = 2;
    v.INT_TRIG_THR = -0.25;
    v.INT_TRIG_HYS = 0.00004; // rounds to zero: no sign
    v.AVERAGE = 10;
    v.D_SCALE_MODE = 1;
    v.D_SCALE_SLOPE = 0;
    v.V_SCALE_MODE = 1;
    v.V_SCALE_SLOPE = 1;

    const auto lines = sectionLines(settingsTextUtf8(m, Language::English), "Setting of  ID 5");
    auto has = [&](const std::string& l) { return std::find(lines.begin(), lines.end(), l) != lines.end(); };
    EXPECT_TRUE(has("Memory number in a selection=  Memory #1"));
    EXPECT_TRUE(has("Measurement mode=  Manual"));
    EXPECT_TRUE(has("Trigger level=  -0.2500"));
    EXPECT_TRUE(has("Trigger hysteresis=  0.0000"));
    EXPECT_TRUE(has("Average frequency=  1024"));
    EXPECT_TRUE(has("Hi threshold value=  8.0000"));
    EXPECT_TRUE(has("Sensor model name=  HT-06"));
    EXPECT_TRUE(has("Mutual interference prevention=  Master"));
    EXPECT_TRUE(has("SUS characteristic ID code=  AB12CD34EF"));
    // Both scalings one-point: one "Slope" entry, where the display slope
    // stood, showing the voltage slope.
    const auto keys = keysOf(lines);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "Slope"), 1);
    const auto slope = std::find(keys.begin(), keys.end(), "Slope") - keys.begin();
    EXPECT_EQ(keys[slope - 1], "Following value of an offset");
    EXPECT_EQ(lines[slope], "Slope=  -");

    const auto ja = sectionLines(settingsTextUtf8(m, Language::Japanese), "設定コントローラ ID 5");
    ASSERT_FALSE(ja.empty());
    EXPECT_EQ(ja[0], "選択中のメモリ番号=  ﾒﾓﾘｰ1");
    EXPECT_NE(std::find(ja.begin(), ja.end(), "相互干渉防止=  マスター"), ja.end());
}

TEST(SettingsTextExport, TheFileIsShiftJisWithABackup)
{
    TempFolder dir;
    SettingsModel m;
    m.controllers[0].MEMORY_NO = 2;
    m.controllers[0].HEAD_ID_MODE = 1;
    m.controllers[0].AL_ID = "X\xE2\x82\xACY"; // no CP932 twin: written as "?"
    writeAll(dir / "out.TXT", "previous export");

    ASSERT_EQ(exportSettingsText(dir / "out.TXT", m, Language::Japanese), FileError::None);
    EXPECT_EQ(readAll(dir / "out.BAK"), "previous export");
    const std::string bytes = readAll(dir / "out.TXT");
    EXPECT_EQ(bytes.rfind("[\x89\x89\x8e\x5a\x90\xdd\x92\xe8" "0]\r\n"   // [演算設定0]
                          "\x89\x89\x8e\x5a\x90\xdd\x92\xe8=\x97\x4c\x8c\xf8\r\n", // 演算設定=有効
                          0),
              0u);
    EXPECT_NE(bytes.find("=  \xd2\xd3\xd8\xb0" "2\r\n"), std::string::npos); // ﾒﾓﾘｰ2
    EXPECT_NE(bytes.find("=  X?Y\r\n"), std::string::npos);

    ASSERT_EQ(exportSettingsText(dir / "en.TXT", m, Language::English), FileError::None);
    EXPECT_NE(readAll(dir / "en.TXT").find("Memory number in a selection=  Memory #2\r\n"), std::string::npos);
    EXPECT_EQ(exportSettingsText(dir / "missing" / "x.TXT", m, Language::English), FileError::CannotCreate);
}

} // namespace
} // namespace tavimo::files
