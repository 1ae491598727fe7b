#include "files/atomic_file.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimo::files {
namespace {

using testing::fileCount;
using testing::readAll;
using testing::TempFolder;
using testing::writeAll;

class AtomicSave : public ::testing::Test {
protected:
    TempFolder dir;
};

TEST_F(AtomicSave, OverwriteKeepsThePreviousFileAsBakReplacingAnOlderOne)
{
    const auto target = dir / "a.TSD";
    ASSERT_EQ(saveFile(target, "first", true), FileError::None);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.BAK")); // nothing to back up yet
    writeAll(dir / "a.BAK", "an older backup");

    ASSERT_EQ(saveFile(target, "second", true), FileError::None);
    EXPECT_EQ(readAll(target), "second");
    EXPECT_EQ(readAll(dir / "a.BAK"), "first");

    ASSERT_EQ(saveFile(target, "third", true), FileError::None);
    EXPECT_EQ(readAll(dir / "a.BAK"), "second");
    EXPECT_EQ(fileCount(dir.path()), 2); // no temporary file left behind
}

TEST_F(AtomicSave, NoBackupWhenNotAskedOrWhenTheTargetIsItselfABakFile)
{
    writeAll(dir / "b.txt", "old");
    ASSERT_EQ(saveFile(dir / "b.txt", "new", false), FileError::None);
    EXPECT_FALSE(std::filesystem::exists(dir / "b.BAK"));

    // Making the backup of x.bak would delete the target itself.
    writeAll(dir / "x.bak", "old");
    ASSERT_EQ(saveFile(dir / "x.bak", "new", true), FileError::None);
    EXPECT_EQ(readAll(dir / "x.bak"), "new");
    EXPECT_EQ(fileCount(dir.path()), 2);
}

TEST_F(AtomicSave, KeepsThePermissionsOfTheFileItReplaces)
{
    const auto target = dir / "c.INI";
    writeAll(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    ASSERT_EQ(saveFile(target, "new", true), FileError::None);
    EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::mask,
              std::filesystem::perms(0640));
}

TEST_F(AtomicSave, FailuresReportTheStepAndLeaveTheOldFileAlone)
{
    const auto target = dir / "d.TSD";
    writeAll(target, "precious");

    // The backup name is taken by a folder that cannot be replaced.
    std::filesystem::create_directory(dir / "d.BAK");
    writeAll(dir / "d.BAK" / "inside", "x");
    std::string why;
    FileError kind = FileError::None;
    EXPECT_FALSE(saveFileAtomically(target, "new", true, &why, &kind));
    EXPECT_EQ(kind, FileError::CannotBackup);
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(readAll(target), "precious");
    EXPECT_EQ(fileCount(dir.path()), 2);

    // A folder that does not exist, and a target that is a folder.
    EXPECT_EQ(saveFile(dir / "nowhere" / "e.TSD", "x", true), FileError::CannotCreate);
    EXPECT_EQ(saveFile(dir / "d.BAK", "x", false), FileError::CannotCreate);
    EXPECT_EQ(readAll(dir / "d.BAK" / "inside"), "x");
}

TEST_F(AtomicSave, AFullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    const auto target = dir / "f.TSD";
    writeAll(target, "precious");
    // A file size limit makes the write fail the way a full disk does.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileError e = saveFile(target, std::string(100000, 'x'), true);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(e, FileError::CannotWrite);
    EXPECT_EQ(readAll(target), "precious");
    EXPECT_FALSE(std::filesystem::exists(dir / "f.BAK"));
    EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST_F(AtomicSave, AReadOnlyFolderLeavesTheOldFile)
{
    const auto target = dir / "g.TSD";
    writeAll(target, "precious");
    ::chmod(dir.path().c_str(), 0555);
    if (::access(dir.path().c_str(), W_OK) == 0) { // root writes anyway
        ::chmod(dir.path().c_str(), 0755);
        GTEST_SKIP() << "the folder stays writable for this user";
    }
    EXPECT_EQ(saveFile(target, "new", true), FileError::CannotCreate);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(readAll(target), "precious");
    EXPECT_EQ(fileCount(dir.path()), 1);
}

TEST(BackupPath, ExtensionIsReplacedByBak)
{
    EXPECT_EQ(backupPathFor("/x/a.TSD"), std::filesystem::path("/x/a.BAK"));
    EXPECT_EQ(backupPathFor("/x/noext"), std::filesystem::path("/x/noext.BAK"));
    EXPECT_EQ(backupPathFor("/x/two.dots.txt"), std::filesystem::path("/x/two.dots.BAK"));
    EXPECT_TRUE(isBackupPath("/x/a.Bak"));
    EXPECT_FALSE(isBackupPath("/x/bak"));
}

} // namespace
} // namespace tavimo::files
