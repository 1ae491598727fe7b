#include "files/ini_document.h"
#include "files/ini_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>

namespace tavimo::files {
namespace {

TEST(IniDocument, NamesCompareWithoutCaseAndTheFirstOccurrenceWins)
{
    const IniDocument doc = IniDocument::parse("[Controller0]\n"
                                               "  Memory_No = 2 \n"
                                               "MEMORY_NO=3\n"
                                               "[CONTROLLER0]\n"
                                               "SENSOR_TYPE=5\n"
                                               "[other]\r\n"
                                               "key=with = sign\r\n");
    EXPECT_EQ(doc.value("CONTROLLER0", "memory_no"), "2");
    EXPECT_FALSE(doc.value("controller0", "SENSOR_TYPE")); // only in the later duplicate
    EXPECT_EQ(doc.value("OTHER", "KEY"), "with = sign");
    EXPECT_FALSE(doc.value("missing", "key"));
    EXPECT_TRUE(doc.hasSection("cOnTrOlLeR0"));
}

TEST(IniDocument, RewriteKeepsUnknownLinesAndChangesValuesInPlace)
{
    const std::string original = "; written by hand\n"
                                 "[ENVIRONMENT]\n"
                                 "Language=1\n"
                                 "garbage line without equals\n"
                                 "MAIN_TOP=10\n"
                                 "\n"
                                 "[MEASUREWAVE]\n"
                                 "THRESHOLD=0.5\n";
    IniDocument doc = IniDocument::parse(original);
    doc.setValue("environment", "MAIN_TOP", "20");   // in place, file's own spelling of the section
    doc.setValue("ENVIRONMENT", "language", "0");    // keeps "Language"
    doc.setValue("ENVIRONMENT", "MAIN_LEFT", "30");  // appended before the blank line
    doc.setValue("RS232C", "COM", "2");              // new section at the end
    EXPECT_EQ(doc.serialize(), "; written by hand\r\n"
                               "[ENVIRONMENT]\r\n"
                               "Language=0\r\n"
                               "garbage line without equals\r\n"
                               "MAIN_TOP=20\r\n"
                               "MAIN_LEFT=30\r\n"
                               "\r\n"
                               "[MEASUREWAVE]\r\n"
                               "THRESHOLD=0.5\r\n"
                               "\r\n"
                               "[RS232C]\r\n"
                               "COM=2\r\n");
    // The rewritten document reads back the same.
    const IniDocument again = IniDocument::parse(doc.serialize());
    EXPECT_EQ(again.value("ENVIRONMENT", "MAIN_LEFT"), "30");
    EXPECT_EQ(again.serialize(), doc.serialize());
}

TEST(IniDocument, LineEndsAndValuesThatWouldBreakALine)
{
    IniDocument doc = IniDocument::parse("\xEF\xBB\xBF[A]\rX=1\r\nY=2\nZ=3");
    EXPECT_EQ(doc.value("A", "X"), "1");
    EXPECT_EQ(doc.value("A", "Y"), "2");
    EXPECT_EQ(doc.value("A", "Z"), "3");
    doc.setValue("A", "Y", "two\r\n[B]\r\nW=1");
    EXPECT_EQ(doc.serialize(), "\xEF\xBB\xBF[A]\r\nX=1\r\nY=two[B]W=1\r\nZ=3\r\n");
    EXPECT_FALSE(IniDocument::parse(doc.serialize()).hasSection("B"));
}

TEST(IniDocument, ArbitraryBytesParseAndSurviveARewrite)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(rng() % 600, '\0');
        for (char& c : bytes) {
            const char pool[] = "[]=\r\n ;abAB01-\xff\x80";
            c = (rng() % 4 == 0) ? char(rng()) : pool[rng() % (sizeof pool - 1)];
        }
        IniDocument doc = IniDocument::parse(bytes);
        doc.setValue("a", "b", "c");
        const std::string out = doc.serialize();
        EXPECT_EQ(IniDocument::parse(out).value("A", "B"), "c") << "round " << round;
        // A second parse and write changes nothing more.
        EXPECT_EQ(IniDocument::parse(out).serialize(), out) << "round " << round;
    }
}

TEST(IniValues, DecimalTextIsShortAndReadsBackExactly)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {{0.8, "0.8"},   {0.0008, "0.0008"}, {1.0, "1"},     {5.0, "5"},           {-12.5, "-12.5"},
                 {1e-6, "1E-6"}, {-0.0, "0"},        {99.9999, "99.9999"}, {-99.9989, "-99.9989"},
                 {0.1 + 0.2, "0.30000000000000004"}, {2.5e20, "2.5E20"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatDecimal(c.value), c.text);
        EXPECT_EQ(parseDecimal(c.text), c.value) << c.text;
    }
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = rng();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            continue;
        const auto back = parseDecimal(formatDecimal(v));
        ASSERT_TRUE(back.has_value()) << formatDecimal(v);
        EXPECT_EQ(*back, v == 0 ? 0.0 : v) << formatDecimal(v);
    }
}

TEST(IniValues, ParsingAcceptsWhatHandsWriteAndRefusesTheRest)
{
    const struct {
        const char* text;
        std::optional<double> decimal;
        std::optional<std::int32_t> integer;
    } cases[] = {
        {"12", 12, 12},          {"-3", -3, -3},          {"+4", 4, 4},
        {"1E-6", 1e-6, {}},      {"2.5e1", 25, {}},       {"1.0", 1, {}},
        {"0,5", {}, {}},         {"abc", {}, {}},         {"", {}, {}},
        {"inf", {}, {}},         {"nan", {}, {}},         {"1e999", {}, {}},
        {"2147483648", 2147483648.0, {}}, {"-2147483648", -2147483648.0, INT32_MIN},
        {"++1", {}, {}},         {"0x10", {}, {}},        {"5 apples", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseDecimal(c.text), c.decimal) << '"' << c.text << '"';
        EXPECT_EQ(parseInteger(c.text), c.integer) << '"' << c.text << '"';
    }
}

TEST(IniValues, TypedReadsFallBackToTheDefault)
{
    const IniDocument doc = IniDocument::parse("[S]\nA=abc\nB=2\nC=-7\nD= 0.25 \nE=\n");
    EXPECT_EQ(readInteger(doc, "S", "A", 9), 9);
    EXPECT_EQ(readInteger(doc, "S", "missing", 9), 9);
    EXPECT_TRUE(readBool(doc, "S", "B", false));
    EXPECT_FALSE(readBool(doc, "S", "E", false));
    EXPECT_EQ(readIndex(doc, "S", "B", 3, 1), 2);
    EXPECT_EQ(readIndex(doc, "S", "B", 2, 1), 1);
    EXPECT_EQ(readIndex(doc, "S", "C", 5, 0), 0);
    EXPECT_EQ(readClamped(doc, "S", "C", 0, 100, 50), 0);
    EXPECT_EQ(readClamped(doc, "S", "A", 0, 100, 50), 50);
    EXPECT_EQ(readDecimal(doc, "S", "D", 1), 0.25);
    EXPECT_EQ(readText(doc, "S", "E", "x"), "");
    EXPECT_EQ(readText(doc, "S", "F", "x"), "x");
}

} // namespace
} // namespace tavimo::files
