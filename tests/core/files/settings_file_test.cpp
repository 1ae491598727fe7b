#include "files/settings_file.h"

#include "files/settings_sections.h"
#include "settings/field_table.h"
#include "settings/head_initialization.h"
#include "model_defaults.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <random>

namespace tavimo::files {
namespace {

using namespace tavimo::settings;
using testing::missingKeyModel;
using testing::readAll;
using testing::TempFolder;
using testing::writeAll;

// Every item set to a value that differs between controllers and memories,
// including decimals that have no short decimal form.
SettingsModel variedModel()
{
    SettingsModel m;
    std::mt19937 rng(99);
    for (int id = 0; id < kControllerCount; ++id) {
        ControllerSettings& c = m.controllers[id];
        c.SENSOR_TYPE = id % kHeadTypeCount;
        c.MEMORY_NO = (id + 1) % kMemoryCount;
        c.KANSYOUBOUSHI = id % 3;
        c.OUT_TYPE = id % 2;
        c.OFF_DELAY = id % 7;
        c.HEAD_SR = id % 2 == 0;
        c.KANSYOU_SR = id % 3 == 0;
        c.OUT_SR = id % 4 == 0;
        c.HEAD_ID_MODE = 1;
        c.SUS_ID = "SUS" + std::to_string(1000000 + id);
        c.FE_ID = id == 3 ? "" : "FE0000000" + std::to_string(id);
        c.AL_ID = "AL";
        for (int mem = 0; mem < kMemoryCount; ++mem) {
            for (const MemoryField& f : memoryFields()) {
                if (f.kind == MemoryFieldKind::List)
                    setFieldValue(c.memories[mem], f, (id + mem + f.name.size()) % f.itemCount);
                else
                    setFieldValue(c.memories[mem], f, std::uniform_real_distribution<double>(-100, 100)(rng));
            }
        }
    }
    m.controllers[5].memories[2].INT_TRIG_HYS = 1e-7;
    m.controllers[5].memories[2].INT_TRIG_THR = 0.1 + 0.2;
    m.controllers[5].memories[3].V_SCALE_SLOPE = 1;
    m.calculations = {{{false, 2, 7, 0}, {true, 1, 3, 4}, {true, 0, 5, 5}, {false, 0, 6, 7}}};
    return m;
}

class SettingsFile : public ::testing::Test {
protected:
    TempFolder dir;
};

TEST_F(SettingsFile, SaveThenLoadGivesTheIdenticalModel)
{
    const SettingsModel saved = variedModel();
    ASSERT_EQ(saveSettingsFile(dir / "a.TSD", saved), FileError::None);
    SettingsModel loaded; // VERSION_INDEX is not in the file: the loader keeps it
    loaded.VERSION_INDEX = 0;
    ASSERT_EQ(loadSettingsFile(dir / "a.TSD", loaded), FileError::None);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(loaded.controllers[5].memories[3].V_SCALE_SLOPE, 1);
}

TEST_F(SettingsFile, WritesEverySectionAndKeyInOrder)
{
    const std::string text = settingsFileText(SettingsModel{});
    const std::string head = "[CALCULATE0]\r\nENABLED=1\r\nMODE=0\r\nID_A=0\r\nID_B=1\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::size_t c0 = text.find("[CONTROLLER0]\r\n");
    ASSERT_NE(c0, std::string::npos);
    EXPECT_EQ(text.substr(c0, text.find("\r\n\r\n", c0) - c0),
              "[CONTROLLER0]\r\nMEMORY_NO=0\r\nSENSOR_TYPE=0\r\nKANSYOUBOUSHI=0\r\nOUT_TYPE=0\r\nOFF_DELAY=1\r\n"
              "HEAD_SR=1\r\nKANSYOU_SR=1\r\nOUT_SR=1\r\nHEAD_ID_MODE=0\r\nSUS_ID=\r\nFE_ID=\r\nAL_ID=");
    const IniDocument doc = IniDocument::parse(text);
    const auto names = doc.sectionNames();
    ASSERT_EQ(names.size(), 44u);
    EXPECT_EQ(names[4], "CONTROLLER0");
    EXPECT_EQ(names[5], "CONTROLLER0-0");
    EXPECT_EQ(names[9], "CONTROLLER1");
    EXPECT_EQ(names[43], "CONTROLLER7-3");
    EXPECT_NE(text.find("INT_TRIG_HYS=0.0008\r\n"), std::string::npos);
    EXPECT_NE(text.find("HI_TH_LEVEL=0.64\r\n"), std::string::npos);
}

TEST_F(SettingsFile, MissingKeysTakeTheFixedDefaults)
{
    SettingsModel model = variedModel();
    model.VERSION_INDEX = 0;
    ASSERT_EQ(loadSettingsFromText("[CONTROLLER2]\r\nSENSOR_TYPE=5\r\n", model), FileError::None);
    SettingsModel expected = missingKeyModel();
    expected.controllers[2].SENSOR_TYPE = 5; // HT-06, but HT-01 values elsewhere
    EXPECT_EQ(model, expected);
    EXPECT_EQ(model.controllers[2].memories[1].D_SENSE_VALUE_B, 0.8);
    EXPECT_EQ(model.controllers[2].memories[1].HI_TH_LEVEL, 0.8);
    EXPECT_EQ(model.controllers[2].memories[1].FLK_TRIG_TIME, 1.0);
}

TEST_F(SettingsFile, MixedCaseNamesAndHandEditedValues)
{
    const struct {
        const char* text;
        void (*expect)(SettingsModel&); // applied to missingKeyModel()
    } cases[] = {
        {"[calculate1]\nEnabled=0\n", [](SettingsModel& m) { m.calculations[1].ENABLED = false; }},
        {"[Controller1-2]\nhold_mode=3\nHi_Th_Level=2.5\n",
         [](SettingsModel& m) { m.controllers[1].memories[2].HOLD_MODE = 3, m.controllers[1].memories[2].HI_TH_LEVEL = 2.5; }},
        {"[CONTROLLER0]\nHEAD_SR=2\nKANSYOU_SR=0\nOUT_SR=x\n",
         [](SettingsModel& m) { m.controllers[0].KANSYOU_SR = false; }},
        {"[CALCULATE0]\nMODE=abc\n", [](SettingsModel&) {}},
        {"[CALCULATE3]\nMODE=3\nID_A=8\nID_B=-1\n", [](SettingsModel&) {}},
        {"[CALCULATE3]\nMODE=2\nID_A=7\nID_B=0\n",
         [](SettingsModel& m) { m.calculations[3] = {true, 2, 7, 0}; }},
        // Indexes outside their lists take the default; the odd value never reaches the model.
        {"[CONTROLLER4]\nMEMORY_NO=4\nSENSOR_TYPE=7\nOFF_DELAY=-1\nHEAD_ID_MODE=2\n", [](SettingsModel&) {}},
        {"[CONTROLLER4]\nMEMORY_NO=3\nSENSOR_TYPE=6\n",
         [](SettingsModel& m) { m.controllers[4].MEMORY_NO = 3, m.controllers[4].SENSOR_TYPE = 6; }},
        {"[CONTROLLER4-0]\nAVERAGE=15\nAPPLI_MODE=5\nSENSE_MODE=1\nV_SCALE_SLOPE=2\nMETAL_TYPE=99999999999\n",
         [](SettingsModel&) {}},
        // Decimals: exponent and blanks accepted, as stored even outside the window's range;
        // non-finite and unreadable values take the default.
        {"[CONTROLLER6-3]\nINT_TRIG_HYS=1E-6\nINT_TRIG_THR = -0.25 \nD_SENSE_VALUE_B=5\n",
         [](SettingsModel& m) {
             auto& v = m.controllers[6].memories[3];
             v.INT_TRIG_HYS = 1e-6, v.INT_TRIG_THR = -0.25, v.D_SENSE_VALUE_B = 5;
         }},
        {"[CONTROLLER6-3]\nINT_TRIG_THR=nan\nHI_TH_LEVEL=inf\nLO_TH_LEVEL=1e999\nHYS_LEVEL=0,5\n", [](SettingsModel&) {}},
        // The first of two sections with the same name is the one read.
        {"[CONTROLLER7]\nSUS_ID=FIRST\n[controller7]\nSUS_ID=SECOND\nFE_ID=X\n",
         [](SettingsModel& m) { m.controllers[7].SUS_ID = "FIRST"; }},
    };
    for (const auto& c : cases) {
        SettingsModel model = variedModel();
        model.VERSION_INDEX = 0;
        ASSERT_EQ(loadSettingsFromText(c.text, model), FileError::None) << c.text;
        SettingsModel expected = missingKeyModel();
        c.expect(expected);
        EXPECT_EQ(model, expected) << c.text;
    }
}

TEST_F(SettingsFile, TruncatedFilesLoadWhatTheyHoldOrAreRefused)
{
    const SettingsModel saved = variedModel();
    const std::string text = settingsFileText(saved);
    const SettingsModel before = missingKeyModel();
    for (std::size_t cut = 0; cut < text.size(); cut += 97) {
        SettingsModel model = before;
        const FileError e = loadSettingsFromText(std::string_view(text).substr(0, cut), model);
        if (cut < 12) { // not even the first section header
            EXPECT_EQ(e, FileError::CannotRead) << cut;
            EXPECT_EQ(model, before) << cut;
        } else {
            EXPECT_EQ(e, FileError::None) << cut;
            EXPECT_EQ(model.calculations[0], saved.calculations[0]) << cut;
        }
    }
}

TEST_F(SettingsFile, BinaryOrForeignFilesAreRefusedAndTheModelIsUntouched)
{
    std::mt19937 rng(3);
    std::string binary(30000, '\0');
    for (char& c : binary)
        c = char(rng());
    const std::string foreign[] = {
        binary,
        "[CONTROLLER0]\nSENSOR_TYPE=1\n" + std::string("\0\x01\x02", 3), // NUL inside
        "plain text without sections\r\n",
        "[ENVIRONMENT]\r\nLANGUAGE=1\r\n", // an INI file, but not of settings
        "",
    };
    for (const std::string& bytes : foreign) {
        SettingsModel model = variedModel();
        EXPECT_EQ(loadSettingsFromText(bytes, model), FileError::CannotRead);
        EXPECT_EQ(model, variedModel());
    }
}

TEST_F(SettingsFile, LoadFailuresOfTheFileItself)
{
    SettingsModel model = variedModel();
    std::string why;
    EXPECT_EQ(loadSettingsFile(dir / "missing.TSD", model, &why), FileError::CannotOpen);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(loadSettingsFile(dir.path(), model), FileError::CannotRead); // a folder
    writeAll(dir / "huge.TSD", "[CALCULATE0]\r\n" + std::string(5u << 20, ';'));
    EXPECT_EQ(loadSettingsFile(dir / "huge.TSD", model), FileError::CannotRead);
    EXPECT_EQ(model, variedModel());
}

TEST_F(SettingsFile, SavingOverAFileKeepsItAsBak)
{
    const auto path = dir / "a.TSD";
    writeAll(dir / "a.BAK", "older backup");
    ASSERT_EQ(saveSettingsFile(path, SettingsModel{}), FileError::None);
    const std::string first = readAll(path);
    ASSERT_EQ(saveSettingsFile(path, variedModel()), FileError::None);
    EXPECT_EQ(readAll(dir / "a.BAK"), first);
    SettingsModel loaded;
    ASSERT_EQ(loadSettingsFile(path, loaded), FileError::None);
    EXPECT_EQ(loaded, variedModel());

    EXPECT_EQ(saveSettingsFile(dir / "no" / "b.TSD", SettingsModel{}), FileError::CannotCreate);
}

} // namespace
} // namespace tavimo::files
