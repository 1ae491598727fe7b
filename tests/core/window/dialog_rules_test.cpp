#include "window/dialog_rules.h"

#include "files/app_config.h"

#include <gtest/gtest.h>

namespace tavimo::window {
namespace {

TEST(CsvChoiceRule, CommaNeverStandsForBoth)
{
    // Either order: the last choice wins, the other moves.
    EXPECT_EQ(chooseDecimal(chooseSeparator({1, 1}, 0), 1), (CsvChoice{1, 1}));
    EXPECT_EQ(chooseSeparator({1, 1}, 0), (CsvChoice{0, 0}));
    EXPECT_EQ(chooseDecimal({0, 0}, 1), (CsvChoice{1, 1}));
    EXPECT_EQ(chooseDecimal({2, 0}, 1), (CsvChoice{2, 1})); // tab and comma may stand together
    EXPECT_EQ(chooseSeparator({2, 1}, 1), (CsvChoice{1, 1}));
    EXPECT_EQ(normalisedCsvChoice({0, 1}), (CsvChoice{0, 0}));
    for (int s = 0; s < 3; ++s)
        for (int d = 0; d < 2; ++d)
            for (int pick = 0; pick < 3; ++pick) {
                const CsvChoice a = chooseSeparator({s, d}, pick);
                EXPECT_FALSE(a.separator == 0 && a.decimal == 1);
                const CsvChoice b = chooseDecimal({s, d}, pick % 2);
                EXPECT_FALSE(b.separator == 0 && b.decimal == 1);
            }
}

TEST(CsvChoice, EveryCsvFileTakesTheConfigurationsSettingsAsTheDialogShowsThem)
{
    files::EnvironmentConfig e;
    e.CSV_SEPARATOR = 1;
    e.DECIMAL_SEPARATOR = 1;
    EXPECT_EQ(configuredCsvChoice(e), (CsvChoice{1, 1}));
    e.CSV_SEPARATOR = 0; // hand-edited: the comma for both
    EXPECT_EQ(configuredCsvChoice(e), normalisedCsvChoice({0, 1}));
}

TEST(FileErrorMessages, EveryFailureHasItsOwnText)
{
    EXPECT_EQ(fileErrorMessage(files::FileError::None), std::nullopt);
    EXPECT_EQ(fileErrorMessage(files::FileError::CannotOpen), shell::Msg::FileOpenFailed);
    EXPECT_EQ(fileErrorMessage(files::FileError::CannotRead), shell::Msg::FileReadFailed);
    EXPECT_EQ(fileErrorMessage(files::FileError::CannotCreate), shell::Msg::FileCreateFailed);
    EXPECT_EQ(fileErrorMessage(files::FileError::CannotWrite), shell::Msg::FileWriteFailed);
    EXPECT_EQ(fileErrorMessage(files::FileError::CannotBackup), shell::Msg::BackupFailed);
}

} // namespace
} // namespace tavimo::window
