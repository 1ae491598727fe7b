// The measurement-data file: byte-exact round trip, refusal of files that
// cannot be trusted (leaving the archive as it was), and the .BAK backup.
#include "wave_blocks.h"

#include "../files/temp_folder.h"
#include "waveform/tmd_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace tavimo::waveform;
using tavimo::files::testing::fileCount;
using tavimo::files::testing::readAll;
using tavimo::files::testing::TempFolder;
using tavimo::files::testing::writeAll;

namespace {

void putInt32(std::string& bytes, std::size_t at, std::int32_t v)
{
    std::memcpy(bytes.data() + at, &v, 4);
}

constexpr std::size_t kCountOffset = 4; // of a block

std::size_t blockAt(int i)
{
    return kTmdHeaderBytes + kTmdBlockBytes * static_cast<std::size_t>(i);
}

TEST(TmdFile, SaveThenLoadOf256BlocksIsByteIdentical)
{
    TempFolder dir;
    const WaveArchive original = samples::patternArchive(256);
    ASSERT_EQ(saveTmdFile(dir / "a.TMD", original), WaveFileError::None);
    const std::string written = readAll(dir / "a.TMD");
    ASSERT_EQ(written.size(), 7606384u);
    EXPECT_EQ(written, tmdBytes(original));

    WaveArchive loaded;
    ASSERT_EQ(loadTmdFile(dir / "a.TMD", loaded), WaveFileError::None);
    ASSERT_EQ(loaded.size(), 256u);
    EXPECT_EQ(std::memcmp(&loaded.header(), written.data(), kTmdHeaderBytes), 0); // reserved bytes kept
    ASSERT_EQ(saveTmdFile(dir / "b.TMD", loaded), WaveFileError::None);
    EXPECT_EQ(readAll(dir / "b.TMD"), written);
}

TEST(TmdFile, HeaderBlockCountFollowsTheArchive)
{
    WaveArchive a = samples::patternArchive(3);
    a.header().blockCount = 99; // stale value in memory
    const std::string bytes = tmdBytes(a);
    std::int32_t count = 0;
    std::memcpy(&count, bytes.data(), 4);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(bytes.size(), tmdFileSize(3));
}

struct BadFile {
    const char* name;
    std::function<void(std::string&)> damage;
};

void PrintTo(const BadFile& f, std::ostream* os)
{
    *os << f.name;
}

class TmdRefused : public ::testing::TestWithParam<BadFile> {};

TEST_P(TmdRefused, WithTheReadFailureAndTheArchiveUnchanged)
{
    TempFolder dir;
    std::string bytes = tmdBytes(samples::patternArchive(4, 11));
    GetParam().damage(bytes);
    writeAll(dir / "bad.TMD", bytes);

    WaveArchive capture = samples::patternArchive(2, 5); // an unsaved capture
    const std::string before = tmdBytes(capture);
    std::string detail;
    EXPECT_EQ(loadTmdFile(dir / "bad.TMD", capture, &detail), WaveFileError::CannotRead) << GetParam().name;
    EXPECT_FALSE(detail.empty());
    EXPECT_EQ(tmdBytes(capture), before);
    EXPECT_EQ(parseTmd(bytes, capture), WaveFileError::CannotRead);
    EXPECT_EQ(tmdBytes(capture), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, TmdRefused,
    ::testing::Values(
        BadFile{"last byte missing", [](std::string& b) { b.pop_back(); }},
        BadFile{"ends inside the first block", [](std::string& b) { b.resize(blockAt(0) + 1000); }},
        BadFile{"header only", [](std::string& b) { b.resize(kTmdHeaderBytes); }},
        BadFile{"shorter than the header", [](std::string& b) { b.resize(111); }},
        BadFile{"empty", [](std::string& b) { b.clear(); }},
        BadFile{"block count 0", [](std::string& b) { putInt32(b, 0, 0); }},
        BadFile{"block count -1", [](std::string& b) { putInt32(b, 0, -1); }},
        BadFile{"block count 257", [](std::string& b) { putInt32(b, 0, 257); }},
        BadFile{"257 blocks present",
                [](std::string& b) {
                    b.append(kTmdBlockBytes * 253, '\0');
                    putInt32(b, 0, 257);
                }},
        BadFile{"block count beyond 32-bit sizes", [](std::string& b) { putInt32(b, 0, 0x7fffffff); }},
        BadFile{"more blocks than the file holds", [](std::string& b) { putInt32(b, 0, 5); }},
        BadFile{"record count -1", [](std::string& b) { putInt32(b, blockAt(3) + kCountOffset, -1); }},
        BadFile{"record count 37", [](std::string& b) { putInt32(b, blockAt(3) + kCountOffset, 37); }},
        BadFile{"interval 99", [](std::string& b) { putInt32(b, 8, 99); }},
        BadFile{"interval 501", [](std::string& b) { putInt32(b, 8, 501); }},
        BadFile{"interval negative", [](std::string& b) { putInt32(b, 8, -250); }}),
    [](const auto& info) {
        std::string n = info.param.name;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST(TmdFile, AcceptsTheBoundsAndIgnoresBytesAfterTheLastBlock)
{
    TempFolder dir;
    WaveArchive a = samples::patternArchive(2);
    a.header().captureInterval = 500;
    std::string bytes = tmdBytes(a);
    putInt32(bytes, blockAt(0) + kCountOffset, 0);
    putInt32(bytes, blockAt(1) + kCountOffset, 36);
    const std::string valid = bytes;
    bytes += "trailing garbage";
    writeAll(dir / "x.TMD", bytes);
    WaveArchive loaded;
    ASSERT_EQ(loadTmdFile(dir / "x.TMD", loaded), WaveFileError::None);
    EXPECT_EQ(loaded.size(), 2u);
    EXPECT_EQ(tmdBytes(loaded), valid);
    putInt32(bytes, 8, 100);
    EXPECT_EQ(parseTmd(bytes, loaded), WaveFileError::None);
}

TEST(TmdFile, MissingFileAndFolderAreRefused)
{
    TempFolder dir;
    WaveArchive capture = samples::patternArchive(1);
    const std::string before = tmdBytes(capture);
    EXPECT_EQ(loadTmdFile(dir / "none.TMD", capture), WaveFileError::CannotOpen);
    EXPECT_EQ(loadTmdFile(dir.path(), capture), WaveFileError::CannotRead);
    EXPECT_EQ(tmdBytes(capture), before);
}

TEST(TmdFile, SavingOverAFileKeepsThePreviousOneAsBak)
{
    TempFolder dir;
    const auto a = samples::patternArchive(1, 1), b = samples::patternArchive(2, 2), c = samples::patternArchive(3, 3);
    ASSERT_EQ(saveTmdFile(dir / "w.TMD", a), WaveFileError::None);
    EXPECT_FALSE(std::filesystem::exists(dir / "w.BAK"));
    ASSERT_EQ(saveTmdFile(dir / "w.TMD", b), WaveFileError::None);
    EXPECT_EQ(readAll(dir / "w.BAK"), tmdBytes(a));
    ASSERT_EQ(saveTmdFile(dir / "w.TMD", c), WaveFileError::None);
    EXPECT_EQ(readAll(dir / "w.TMD"), tmdBytes(c));
    EXPECT_EQ(readAll(dir / "w.BAK"), tmdBytes(b));
    EXPECT_EQ(fileCount(dir.path()), 2); // no temporary file left
}

TEST(TmdFile, NothingIsWrittenForAnEmptyArchiveOrAMissingFolder)
{
    TempFolder dir;
    EXPECT_EQ(saveTmdFile(dir / "e.TMD", WaveArchive{}), WaveFileError::CannotWrite);
    EXPECT_EQ(saveTmdFile(dir / "no" / "e.TMD", samples::patternArchive(1)), WaveFileError::CannotCreate);
    EXPECT_EQ(fileCount(dir.path()), 0);
}

} // namespace
