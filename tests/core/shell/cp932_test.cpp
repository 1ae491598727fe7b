// Shift JIS (CP932) conversion: the bytes of a Japanese CSV header, round
// trips of every Japanese catalog text, and refusal of malformed input.
#include "shell/catalog.h"
#include "shell/cp932.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace tavimo::shell {
namespace {

std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

TEST(Cp932, BufferingCsvHeaderInShiftJis)
{
    const std::string expected = bytes({
        0x8D, 0x73, 0x94, 0xD4, 0x8D, 0x86, ',',                  // 行番号
        0x91, 0xAA, 0x92, 0xE8, 0x92, 0x6C, '1', ',',             // 測定値1
        0x83, 0x54, 0x83, 0x93, 0x83, 0x76, 0x83, 0x8A, 0x83, 0x93, 0x83, 0x4F, // サンプリング
        0x83, 0x8C, 0x81, 0x5B, 0x83, 0x67,                       // レート
        0x0D, 0x0A,
    });
    const std::string& header = Catalog::instance().text(Msg::CsvHeaderBuffering, Language::Japanese);
    std::optional<std::string> sjis = utf8ToCp932(header);
    ASSERT_TRUE(sjis);
    EXPECT_EQ(*sjis, expected);
    EXPECT_EQ(cp932ToUtf8(*sjis), header);
}

TEST(Cp932, EnglishHeaderIsUnchanged)
{
    const std::string& header = Catalog::instance().text(Msg::CsvHeaderWaveform, Language::English);
    EXPECT_EQ(utf8ToCp932(header), header);
}

TEST(Cp932, FullWidthAndHalfWidthForms)
{
    EXPECT_EQ(utf8ToCp932("実　行"), bytes({0x8E, 0xC0, 0x81, 0x40, 0x8D, 0x73}));
    EXPECT_EQ(utf8ToCp932("ﾒﾓﾘｰ0"), bytes({0xD2, 0xD3, 0xD8, 0xB0, '0'}));
    EXPECT_EQ(utf8ToCp932("Ｈｉ"), bytes({0x82, 0x67, 0x82, 0x89}));
}

TEST(Cp932, EveryJapaneseCatalogTextRoundTrips)
{
    const Catalog& catalog = Catalog::instance();
    auto check = [](const std::string& text) {
        std::optional<std::string> sjis = utf8ToCp932(text);
        ASSERT_TRUE(sjis) << text;
        EXPECT_EQ(cp932ToUtf8(*sjis), text);
    };
    for (std::size_t i = 0; i < kMsgCount; ++i)
        check(catalog.text(static_cast<Msg>(i), Language::Japanese));
    for (std::string_view formName : catalog.forms())
        for (const ScreenEntry& e : catalog.screenEntries(formName, Language::Japanese))
            check(std::string(e.text));
}

TEST(Cp932, LongTextsGrowTheBuffer)
{
    // Half-width katakana take one byte in CP932 and three in UTF-8.
    std::string sjis(20000, static_cast<char>(0xB1));
    std::string utf8;
    for (int i = 0; i < 20000; ++i)
        utf8 += "ｱ";
    EXPECT_EQ(cp932ToUtf8(sjis), utf8);
    EXPECT_EQ(utf8ToCp932(utf8), sjis);
}

TEST(Cp932, EmptyAndNulBytesPassThrough)
{
    EXPECT_EQ(utf8ToCp932(""), "");
    EXPECT_EQ(cp932ToUtf8(""), "");
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(utf8ToCp932(withNul), withNul);
    EXPECT_EQ(cp932ToUtf8(withNul), withNul);
}

struct BadInput {
    std::string text;
    std::size_t offset;
};

TEST(Cp932, MalformedCp932IsRefused)
{
    const BadInput cases[] = {
        {bytes({0x82}), 0},                 // lead byte cut off at the end
        {bytes({'a', 'b', 0x82}), 2},
        {bytes({0x82, 0x20}), 0},           // trail byte out of range
        {bytes({'x', 0x81, 0x7F, 'y'}), 1},
        {bytes({0x80}), 0},                 // undefined single bytes
        {bytes({0xA0}), 0},
        {bytes({0xFD}), 0},
        {bytes({0xFF, 0xFF}), 0},
        {bytes({0x8D, 0x73, 0xFE}), 2},
    };
    for (const BadInput& c : cases) {
        EXPECT_EQ(cp932ToUtf8(c.text), std::nullopt) << ::testing::PrintToString(c.text);
        Cp932Conversion r = fromCp932(c.text);
        EXPECT_EQ(r.status, Cp932Status::InvalidInput);
        EXPECT_EQ(r.errorOffset, c.offset) << ::testing::PrintToString(c.text);
    }
}

TEST(Cp932, BadOrUnconvertibleUtf8IsRefused)
{
    const BadInput cases[] = {
        {"abc\xE2\x82\xAC", 3},              // euro sign: not in CP932
        {"\xF0\x9F\x98\x80", 0},             // emoji
        {bytes({0xC3}), 0},                  // cut-off sequence
        {bytes({'o', 'k', 0xFF}), 2},        // never valid in UTF-8
        {bytes({0xC0, 0xAF}), 0},            // overlong "/"
        {bytes({0xED, 0xA0, 0x80}), 0},      // surrogate
        {bytes({0x80, 'a'}), 0},             // stray continuation byte
    };
    for (const BadInput& c : cases) {
        EXPECT_EQ(utf8ToCp932(c.text), std::nullopt) << ::testing::PrintToString(c.text);
        Cp932Conversion r = toCp932(c.text);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.status, Cp932Status::InvalidInput);
        EXPECT_EQ(r.errorOffset, c.offset) << ::testing::PrintToString(c.text);
    }
}

TEST(Cp932, WaveDashIsWrittenAsWindowsDoes)
{
    // U+301C and U+FF5E share 0x8160; reading it back gives U+FF5E.
    EXPECT_EQ(utf8ToCp932("\xE3\x80\x9C"), bytes({0x81, 0x60}));
    EXPECT_EQ(cp932ToUtf8(bytes({0x81, 0x60})), "\xEF\xBD\x9E");
}

} // namespace
} // namespace tavimo::shell
