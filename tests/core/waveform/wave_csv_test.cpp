// The waveform CSV, byte for byte, in both languages with every separator
// and decimal character.
#include "wave_blocks.h"

#include "../files/temp_folder.h"
#include "waveform/wave_csv.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavimo;
using namespace tavimo::waveform;
using tavimo::files::testing::readAll;
using tavimo::files::testing::TempFolder;

namespace {

// Two blocks: controller 0 alone, then controllers 0 and 7 with an invalid
// slot in between whose value must not show.
WaveArchive sampleArchive()
{
    WaveArchive a;
    WaveBlock b1;
    b1.count = 2;
    b1.records[0].elapsed = 0;
    b1.records[0].slot[0] = {.valid = 1, .value = 0.1234};
    b1.records[1].elapsed = 250;
    b1.records[1].slot[0] = {.valid = 1, .value = -1.5e-6};
    b1.records[2].slot[0] = {.valid = 1, .value = 99}; // beyond the count: not written
    a.appendVerbatim(b1);
    WaveBlock b2;
    b2.count = 1;
    b2.records[0].elapsed = 4294967295u;
    b2.records[0].slot[0] = {.valid = 1, .value = 1000};
    b2.records[0].slot[3] = {.valid = 0, .value = 7.5};
    b2.records[0].slot[7] = {.valid = 1, .value = 2.25};
    a.appendVerbatim(b2);
    return a;
}

const std::string kEnglishHeader = "Line number, Measured value 1, Measured value 2, Measured value 3, Measured value 4, "
                                   "Measured value 5, Measured value 6, Measured value 7, Measured value 8, "
                                   "Progress time\r\n";
// 行番号,測定値1,...,経過時間, in CP932.
std::string japaneseHeader(char sep)
{
    const std::string lineNumber = "\x8d\x73\x94\xd4\x8d\x86";
    const std::string measured = "\x91\xaa\x92\xe8\x92\x6c";
    const std::string elapsed = "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4";
    std::string h = lineNumber + sep;
    for (int i = 1; i <= 8; ++i) h += measured + std::to_string(i) + sep;
    return h + elapsed + sep + "\r\n";
}

struct CsvCase {
    shell::Language language;
    int separator, decimal;
    const char* data; // the three data lines
};

class WaveCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(WaveCsv, HeaderAndLinesByteForByte)
{
    const CsvCase& c = GetParam();
    const CsvFormat format{c.separator, c.decimal};
    std::string expected;
    if (c.language == shell::Language::English) {
        expected = kEnglishHeader;
        applyCsvSeparator(expected, format);
    } else {
        expected = japaneseHeader(csvSeparator(format));
    }
    expected += c.data;
    const auto bytes = waveCsvBytes(sampleArchive(), c.language, format);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WaveCsv,
    ::testing::Values(
        CsvCase{shell::Language::English, 0, 0,
                "1, 0.1234, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
                "2, -1.5E-6, 0, 0, 0, 0, 0, 0, 0, 250\r\n"
                "3, 1000, 0, 0, 0, 0, 0, 0, 2.25, 4294967295\r\n"},
        CsvCase{shell::Language::English, 1, 1,
                "1; 0,1234; 0; 0; 0; 0; 0; 0; 0; 0\r\n"
                "2; -1,5E-6; 0; 0; 0; 0; 0; 0; 0; 250\r\n"
                "3; 1000; 0; 0; 0; 0; 0; 0; 2,25; 4294967295\r\n"},
        CsvCase{shell::Language::English, 2, 0,
                "1\t 0.1234\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\n"
                "2\t -1.5E-6\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 250\r\n"
                "3\t 1000\t 0\t 0\t 0\t 0\t 0\t 0\t 2.25\t 4294967295\r\n"},
        CsvCase{shell::Language::Japanese, 0, 0,
                "1, 0.1234, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
                "2, -1.5E-6, 0, 0, 0, 0, 0, 0, 0, 250\r\n"
                "3, 1000, 0, 0, 0, 0, 0, 0, 2.25, 4294967295\r\n"},
        CsvCase{shell::Language::Japanese, 2, 1,
                "1\t 0,1234\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 0\r\n"
                "2\t -1,5E-6\t 0\t 0\t 0\t 0\t 0\t 0\t 0\t 250\r\n"
                "3\t 1000\t 0\t 0\t 0\t 0\t 0\t 0\t 2,25\t 4294967295\r\n"},
        CsvCase{shell::Language::Japanese, 0, 1, // comma twice, from a hand-edited file
                "1; 0,1234; 0; 0; 0; 0; 0; 0; 0; 0\r\n"
                "2; -1,5E-6; 0; 0; 0; 0; 0; 0; 0; 250\r\n"
                "3; 1000; 0; 0; 0; 0; 0; 0; 2,25; 4294967295\r\n"}));

TEST(WaveCsvFile, SavedWithBackupAndNotForAnEmptyArchive)
{
    TempFolder dir;
    const auto path = dir / "w.CSV";
    ASSERT_EQ(saveWaveCsv(path, sampleArchive(), shell::Language::English, {}), WaveFileError::None);
    const std::string first = readAll(path);
    EXPECT_EQ(first, *waveCsvBytes(sampleArchive(), shell::Language::English, {}));
    ASSERT_EQ(saveWaveCsv(path, sampleArchive(), shell::Language::English, {1, 1}), WaveFileError::None);
    EXPECT_EQ(readAll(dir / "w.BAK"), first);
    EXPECT_EQ(saveWaveCsv(dir / "e.CSV", WaveArchive{}, shell::Language::English, {}), WaveFileError::CannotWrite);
    EXPECT_FALSE(std::filesystem::exists(dir / "e.CSV"));
}

TEST(WaveCsvFile, LineNumbersCountOverAFullArchive)
{
    const WaveArchive a = samples::patternArchive(256);
    std::size_t records = 0;
    for (const auto& b : a) records += static_cast<std::size_t>(b.count);
    const std::string bytes = *waveCsvBytes(a, shell::Language::English, {});
    std::size_t lines = 0;
    for (std::size_t p = bytes.find("\r\n"); p != std::string::npos; p = bytes.find("\r\n", p + 2)) ++lines;
    EXPECT_EQ(lines, records + 1);
    const std::size_t lastLine = bytes.rfind("\r\n", bytes.size() - 3) + 2;
    EXPECT_EQ(bytes.substr(lastLine, bytes.find(',', lastLine) - lastLine), std::to_string(records));
    EXPECT_EQ(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')), lines); // no bare line feed
}

} // namespace
