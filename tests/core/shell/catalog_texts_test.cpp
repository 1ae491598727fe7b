// Byte-exact texts in both languages, the current-language look-ups and the
// answers for keys the catalog does not have.
#include "shell/catalog.h"
#include "shell/screen_keys.h"
#include "shell/text_lists.h"

#include <gtest/gtest.h>

#include <string>

namespace tavimo::shell {
namespace {

struct MessageCase {
    Msg id;
    const char* english;
    const char* japanese;
};

// Japanese bytes are spelled out where the form matters: U+3000 ideographic
// space, full-width letters and half-width katakana.
const MessageCase kMessageCases[] = {
    {Msg::CopyTo, " to ", " \xE3\x81\x8B\xE3\x82\x89 "},
    {Msg::CopyConfirmTail, ".\nWill that be all right?", " へコピーします\nよろしいですか？"},
    {Msg::IdLabel3, " ID 3", " ID 3"},
    {Msg::ExportSettingOf, "Setting of ", "設定コントローラ"},
    {Msg::Start, "Start", "\xE5\xAE\x9F\xE3\x80\x80\xE8\xA1\x8C"},
    {Msg::ExportHiThreshold, "Hi threshold value", "\xEF\xBC\xA8\xEF\xBD\x89しきい値"},
    {Msg::HelpSuffix, "_E", "_J"},
    {Msg::AskMemoryMismatch, "A memory number does not agree.\nchange a memory number in an Tavimo appointment number?",
     "メモリ番号が一致しません\nメモリ番号をTavimo指定番号に変更しますか？\n"},
    {Msg::ConfirmEditInitialize,
     "About a setting on Tavimo currently\n  Application mode\n  General setting\n  Environment\n  Head compatibility\n"
     "Initializes these setting items\n\nExecute the lump transmission of a message\nwhen return setting of a controller.",
     "Tavimo上の\n  アプリモード\n  一般設定\n  環境設定\n  ヘッド互換\nの設定項目を初期化します\n\n"
     "コントローラの設定も戻す場合、\n一括送信を実行してください。"},
    {Msg::CsvHeaderBuffering, "Line number, Measured value 1, Sampling rate\r\n", "行番号,測定値1,サンプリングレート\r\n"},
    {Msg::CsvHeaderWaveform,
     "Line number, Measured value 1, Measured value 2, Measured value 3, Measured value 4, Measured value 5, "
     "Measured value 6, Measured value 7, Measured value 8, Progress time\r\n",
     "行番号,測定値1,測定値2,測定値3,測定値4,測定値5,測定値6,測定値7,測定値8,経過時間,\r\n"},
    {Msg::ProgramError, "Error of program operation.\nFinish a program forcibly.", "プログラム動作異常\nプログラムを強制終了させます"},
    {Msg::UnknownError, "Catch with WinMain. Unknown Error !!", "Catch with WinMain. Unknown Error !!"},
    {Msg::LoggingTriggerNotAllowed, "Cannot do logging because 'Trigger setting' includes 'None' or 'Cyclic'.",
     "トリガ設定に'無し'または'周期'の設定があるためロギングはできません"},
    {Msg::SendFailMemoryNumber, "Fails in a change of memory number.\nSkip with this controller.",
     "メモリ番号の変更に失敗しました\nこのコントローラをスキップします"},
    {Msg::ApplicationActive, "Application is active.", "アプリケーションは既に起動しています"},
};

TEST(CatalogTexts, ProgramTextsAreByteExact)
{
    const Catalog& catalog = Catalog::instance();
    for (const MessageCase& c : kMessageCases) {
        EXPECT_EQ(catalog.text(c.id, Language::English), c.english) << static_cast<int>(c.id);
        EXPECT_EQ(catalog.text(c.id, Language::Japanese), c.japanese) << static_cast<int>(c.id);
    }
}

struct ScreenCase {
    std::string_view form;
    std::string_view control;
    std::string_view property;
    const char* english;
    const char* japanese;
};

const ScreenCase kScreenCases[] = {
    {form::kMain, kWindowControl, property::kCaption, "Tavimo", "Tavimo"},
    {form::kMain, "SendButton", property::kCaption, "Batch send", "一括送信"},
    {form::kMain, "DSCSlopeRadioG", property::kHint, "Change the direction of inclination of scaling. ",
     "スケーリングの傾き方向を変更します"},
    {form::kMain, "CS4MN3", property::kCaption, "Copy to memory 3", ""},
    {form::kMain, "CS5MN3", property::kCaption, "Copy to memory 3", "メモリ３にコピー"},
    {form::kMain, "MNSComboB", property::kItems, "Memory #0\nMemory #1\nMemory #2\nMemory #3",
     "\xEF\xBE\x92\xEF\xBE\x93\xEF\xBE\x98\xEF\xBD\xB0" "0\nﾒﾓﾘｰ1\nﾒﾓﾘｰ2\nﾒﾓﾘｰ3"},
    {form::kMain, "ControlerTab", property::kItems, " ID 0\n ID 1\n ID 2\n ID 3\n ID 4\n ID 5\n ID 6\n ID 7",
     " ID 0\n ID 1\n ID 2\n ID 3\n ID 4\n ID 5\n ID 6\n ID 7"},
    {form::kMain, "OpenDialog", property::kFilter, "Tavimo setting data (*.TSD)|*.TSD", "Tavimo設定ﾃﾞｰﾀ(*.TSD)|*.TSD"},
    {form::kMain, "Memo1", property::kItems,
     "Note: Setting items on this page are common to\n       all memories.\n       If there is no need to send or "
     "receive, clear the check box.",
     "注）本ページの設定項目は、各メモリ共通です。\n\xE3\x80\x80\xE3\x80\x80送受信の必要が無い場合は、チェックボックスを解除してください。"},
    {form::kMain, "About1", property::kCaption, "About Tavimo", "バージョン情報(&A)..."},
    {form::kMeasuredValues, "Label8", property::kCaption, " ID 7", " ID 7"},
    {form::kWaveform, "SaveDialog1", property::kFilter,
     "Quarlo measurement data(*.TMD)|*.TMD | measurement data CSV file (*.CSV)|*.CSV",
     "Quarlo測定データ(*.TMD)|*.TMD|測定データＣＳＶファイル(*.CSV)|*.CSV"},
    {form::kWaveform, "Chart1", property::kRightAxisTitle, "Output", "出力"},
    {form::kWaveform, "RadioGroup1", property::kHint,
     "Select the head to display the upper/lower limit values  and judgment output line.",
     "上下限値及び判定出力線を表示するヘッドを選択してください"},
    {form::kWaveform, "Label14", property::kCaption, "00 ms", "00 ms 幅"},
    {form::kDataBuffering, "Chart1", property::kBottomAxisTitle, "ms", "ms"},
    {form::kDataBuffering, "Button2", property::kCaption, "Read", "読　込"},
    {form::kCsvSettings, "RadioGroup1", property::kItems, "comma ',' \nsemicolon ';' \ntab",
     "カンマ ',' \nセミコロン ';' \nタブ"},
    {form::kCalculation, "Memo1", property::kItems,
     "Note: Setting items of this page are common to\n       all controllers and all memory.\n       In addition, it "
     "cannot appoint same ID more\n       than one.",
     "注）本ページの設定項目は、\n　　全コントローラ及び全メモリに共通です。\n　　また、同一ＩＤを複数箇所に指定する事は出来ません。"},
    {form::kBufferingSettings, "Label1", property::kCaption, "Total Time", "バッファリング時間　　計"},
    {form::kAbout, kWindowControl, property::kCaption, "About Tavimo", "バージョン表示"},
    {form::kProgressWithCancel, "BitBtn1", property::kCaption, "Cancel", "キャンセル"},
};

TEST(CatalogTexts, ScreenTextsAreByteExact)
{
    const Catalog& catalog = Catalog::instance();
    for (const ScreenCase& c : kScreenCases) {
        const std::string* en = catalog.screenText(c.form, c.control, c.property, Language::English);
        const std::string* ja = catalog.screenText(c.form, c.control, c.property, Language::Japanese);
        ASSERT_NE(en, nullptr) << c.form << " " << c.control << " " << c.property;
        ASSERT_NE(ja, nullptr) << c.form << " " << c.control << " " << c.property;
        EXPECT_EQ(*en, c.english) << c.form << " " << c.control << " " << c.property;
        EXPECT_EQ(*ja, c.japanese) << c.form << " " << c.control << " " << c.property;
    }
}

TEST(CatalogTexts, EntriesKeepTheirOrder)
{
    std::vector<ScreenEntry> entries = Catalog::instance().screenEntries(form::kCsvSettings, Language::English);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries.front().control, kWindowControl);
    EXPECT_EQ(entries.front().text, "CSV Setting");
    EXPECT_EQ(entries[2].control, "RadioGroup1");
    EXPECT_EQ(entries[2].property, property::kItems);
    EXPECT_EQ(entries.back().control, "BitBtn2");
    EXPECT_EQ(entries.back().text, "CANCEL");
}

TEST(CatalogTexts, UnknownKeysGiveNothing)
{
    const Catalog& catalog = Catalog::instance();
    EXPECT_EQ(catalog.screenText(form::kMain, "NoSuchButton", property::kCaption, Language::English), nullptr);
    EXPECT_EQ(catalog.screenText(form::kMain, "SendButton", property::kItems, Language::English), nullptr);
    EXPECT_EQ(catalog.screenText("TForm99", "SendButton", property::kCaption, Language::English), nullptr);
    // A control of another window is not found in this one.
    EXPECT_EQ(catalog.screenText(form::kProgress, "BitBtn1", property::kCaption, Language::English), nullptr);
    EXPECT_TRUE(catalog.screenEntries("TForm99", Language::Japanese).empty());
    EXPECT_EQ(catalog.text(static_cast<Msg>(kMsgCount), Language::English), "");
    EXPECT_EQ(catalog.text(static_cast<Msg>(60000), Language::Japanese), "");
}

TEST(CatalogTexts, ItemListsHaveTheSameItemCountInBothLanguages)
{
    // Items map to stored values by position; notes (memos) are prose and
    // wrap differently per language.
    const Catalog& catalog = Catalog::instance();
    int lists = 0;
    for (std::string_view formName : catalog.forms()) {
        std::vector<ScreenEntry> en = catalog.screenEntries(formName, Language::English);
        std::vector<ScreenEntry> ja = catalog.screenEntries(formName, Language::Japanese);
        ASSERT_EQ(en.size(), ja.size());
        for (std::size_t i = 0; i < en.size(); ++i) {
            if (en[i].property != property::kItems || en[i].control.substr(0, 4) == "Memo")
                continue;
            ++lists;
            EXPECT_EQ(splitItems(en[i].text).size(), splitItems(ja[i].text).size()) << formName << " " << en[i].control;
        }
    }
    EXPECT_EQ(lists, 31);
}

class CurrentLanguage : public ::testing::Test {
protected:
    void TearDown() override { Catalog::instance().setLanguage(Language::Japanese); }
};

TEST_F(CurrentLanguage, LookUpsFollowTheChosenLanguage)
{
    Catalog& catalog = Catalog::instance();
    EXPECT_EQ(loadLanguage(std::string_view("1")), Language::English);
    EXPECT_EQ(catalog.language(), Language::English);
    EXPECT_EQ(catalog.text(Msg::Stop), "Stop");
    ASSERT_NE(catalog.screenText(form::kMain, "ReciveButton", property::kCaption), nullptr);
    EXPECT_EQ(*catalog.screenText(form::kMain, "ReciveButton", property::kCaption), "Batch receive");
    EXPECT_EQ(catalog.screenEntries(form::kAbout).front().text, "About Tavimo");

    EXPECT_EQ(loadLanguage(std::nullopt), Language::Japanese);
    EXPECT_EQ(catalog.text(Msg::Stop), "停　止");
    EXPECT_EQ(*catalog.screenText(form::kMain, "ReciveButton", property::kCaption), "一括受信");
    EXPECT_EQ(catalog.screenEntries(form::kAbout).front().text, "バージョン表示");
}

TEST_F(CurrentLanguage, TakesTheConfigurationValueAsAString)
{
    std::optional<std::string> fromFile = "2";
    EXPECT_EQ(loadLanguage(fromFile), Language::English);
    EXPECT_EQ(Catalog::instance().text(Msg::HelpSuffix), "_E");
}

} // namespace
} // namespace tavimo::shell
