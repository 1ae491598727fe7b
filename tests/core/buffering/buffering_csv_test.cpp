#include "buffering/buffering_csv.h"
#include "buffering/buffering_failures.h"
#include "shell/catalog.h"
#include "shell/cp932.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace tavimo::buffering {
namespace {

namespace fs = std::filesystem;
using waveform::CsvFormat;

BufferedData threePoints(int rate = 4)
{
    BufferedData d;
    d.append(0.1, 0.1234);
    d.append(0.2, -1.5);
    d.append(0.3, 12.00006);
    d.setRate(rate);
    return d;
}

class BufferingCsv : public ::testing::Test {
protected:
    void SetUp() override
    {
        shell::Catalog::instance().setLanguage(shell::Language::English);
        dir_ = fs::temp_directory_path() / ("tavimo-buffering-csv-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path write(const std::string& name, const std::string& bytes)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    static std::string read(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir_;
};

TEST_F(BufferingCsv, DefaultFormatLines)
{
    const auto bytes = bufferingCsvBytes(threePoints(), shell::Language::English, {});
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "Line number, Measured value 1, Sampling rate\r\n"
                      "1, 0.1234, 4\r\n"
                      "2, -1.5000, 4\r\n"
                      "3, 12.0001, 4\r\n");
}

TEST_F(BufferingCsv, SemicolonAndDecimalCommaLines)
{
    const auto bytes = bufferingCsvBytes(threePoints(), shell::Language::English, CsvFormat{1, 1});
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, "Line number; Measured value 1; Sampling rate\r\n"
                      "1; 0,1234; 4\r\n"
                      "2; -1,5000; 4\r\n"
                      "3; 12,0001; 4\r\n");
}

TEST_F(BufferingCsv, JapaneseHeaderIsWrittenInCp932)
{
    const auto bytes = bufferingCsvBytes(threePoints(), shell::Language::Japanese, {});
    ASSERT_TRUE(bytes);
    const std::string header = bytes->substr(0, bytes->find("\r\n") + 2);
    EXPECT_EQ(shell::cp932ToUtf8(header).value_or(""),
              shell::Catalog::instance().text(shell::Msg::CsvHeaderBuffering, shell::Language::Japanese));
}

// Save then load gives the same chart: values as shown, one interval per
// point from the rate, the rate of the data.
class RoundTrip : public BufferingCsv, public ::testing::WithParamInterface<CsvFormat> {};

TEST_P(RoundTrip, SaveThenLoadGivesTheSameChart)
{
    const fs::path p = dir_ / "RUN.CSV";
    const BufferedData saved = threePoints(4);
    ASSERT_EQ(saveBufferingCsv(p, saved, shell::Language::English, GetParam()), kCodeOk);
    BufferedData loaded;
    ASSERT_EQ(loadBufferingCsv(p, GetParam(), loaded), kCodeOk);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded.rate(), 4);
    const double expected[] = {0.1234, -1.5, 12.0001};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(loaded[i].position, 0.1 * static_cast<double>(i + 1), 1e-12);
        EXPECT_NEAR(loaded[i].value, expected[i], 1e-12);
    }
    // Saving the loaded data again writes the same bytes.
    EXPECT_EQ(bufferingCsvBytes(loaded, shell::Language::English, GetParam()),
              bufferingCsvBytes(saved, shell::Language::English, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(BufferingCsv, RoundTrip,
                         ::testing::Values(CsvFormat{0, 0}, CsvFormat{1, 0}, CsvFormat{1, 1}, CsvFormat{2, 1},
                                           CsvFormat{0, 1})); // "," and "," is read as ";" and ","

TEST_F(BufferingCsv, SavingOverAFileKeepsItAsBak)
{
    const fs::path p = dir_ / "RUN.CSV";
    write("RUN.CSV", "old");
    ASSERT_EQ(saveBufferingCsv(p, threePoints(), shell::Language::English, {}), kCodeOk);
    EXPECT_EQ(read(dir_ / "RUN.BAK"), "old");
    EXPECT_EQ(read(p).substr(0, 11), "Line number");
    EXPECT_EQ(saveBufferingCsv(dir_ / "EMPTY.CSV", BufferedData{}, shell::Language::English, {}), kCodeFileWrite);
    EXPECT_FALSE(fs::exists(dir_ / "EMPTY.CSV"));
}

TEST_F(BufferingCsv, LinesMayCarryTheirOwnRatesAndTrailingLineEnds)
{
    const auto r = parseBufferingCsv("header\r\n1, 1.0, 4\r\n2, 2.0, 8\n3,3.0,4\r\n\r\n", {});
    ASSERT_TRUE(r.data);
    ASSERT_EQ(r.data->size(), 3u);
    EXPECT_NEAR((*r.data)[0].position, 0.1, 1e-12);
    EXPECT_NEAR((*r.data)[1].position, 0.3, 1e-12);
    EXPECT_NEAR((*r.data)[2].position, 0.4, 1e-12);
    EXPECT_EQ(r.data->rate(), 4);
}

TEST_F(BufferingCsv, MalformedFilesAreRefusedWithTheirLine)
{
    struct Case {
        const char* bytes;
        std::size_t badLine;
    };
    const Case cases[] = {
        {"", 1},                                           // nothing at all
        {"Line number, Measured value 1, Sampling rate\r\n", 2}, // header only
        {"h\r\n1, 0.5, 4\r\n2 0.5 4\r\n", 3},              // no separator
        {"h\r\n1, 0.5, 4\r\n0.5, 4\r\n", 3},               // a field missing
        {"h\r\n1, abc, 4\r\n", 2},                         // value no number
        {"h\r\n1, 0.5, 4.5\r\n", 2},                       // rate no integer
        {"h\r\n1, 0.5, 0\r\n", 2},                         // rate outside 1..32767
        {"h\r\n1, 0.5, 40000\r\n", 2},
        {"h\r\n1, 0.5, \r\n", 2},                          // empty rate
        {"h\r\n1, 0.5, 4\r\n\r\n2, 0.5, 4\r\n", 3},        // blank line inside the data
        {"h\r\n1, inf, 4\r\n", 2},
    };
    for (const Case& c : cases) {
        const auto r = parseBufferingCsv(c.bytes, {});
        EXPECT_FALSE(r.data) << c.bytes;
        EXPECT_EQ(r.badLine, c.badLine) << c.bytes;
    }
    // A file written with ";" does not read with the default settings.
    EXPECT_FALSE(parseBufferingCsv("h\r\n1; 0,5; 4\r\n", {}).data);
}

TEST_F(BufferingCsv, RefusedLoadsLeaveTheDataAsItWas)
{
    BufferedData shown = threePoints(7);
    std::string detail;
    EXPECT_EQ(loadBufferingCsv(write("BAD.CSV", "h\r\n1, 0.5, 4\r\nxx\r\n"), {}, shown, &detail), kCodeFileRead);
    EXPECT_NE(detail.find("line 3"), std::string::npos) << detail;
    EXPECT_EQ(loadBufferingCsv(dir_ / "MISSING.CSV", {}, shown), kCodeFileNotFound);
    EXPECT_EQ(loadBufferingCsv(dir_, {}, shown), kCodeFileRead); // a folder

    std::string big = "h\r\n";
    while (big.size() <= kMaxBufferingCsvBytes) big += "1, 0.5000, 4\r\n";
    EXPECT_EQ(loadBufferingCsv(write("BIG.CSV", big), {}, shown), kCodeFileRead);

    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown.rate(), 7);
    EXPECT_EQ(shown[1].value, -1.5);
}

} // namespace
} // namespace tavimo::buffering
