// The calibration dialog's position keys in the configuration file.
#include "calibration/calibration_position.h"

#include "../files/temp_folder.h"

#include <gtest/gtest.h>

using namespace tavimo;
using namespace tavimo::calibration;
using files::testing::TempFolder;

TEST(CalibrationPosition, MissingFileAndUnparsableKeysGiveZero)
{
    TempFolder dir;
    EXPECT_EQ(loadCalibrationPosition(dir / "none.INI"), CalibrationPosition{});
    files::testing::writeAll(dir / "bad.INI", "[CARIBRATION]\r\nFORM_TOP=abc\r\nFORM_LEFT=12\r\n");
    EXPECT_EQ(loadCalibrationPosition(dir / "bad.INI"), (CalibrationPosition{0, 12}));
}

TEST(CalibrationPosition, SaveKeepsEveryOtherLineAndReadsBack)
{
    TempFolder dir;
    const auto path = dir / "Tavimo.INI";
    files::testing::writeAll(path, "[ENVIRONMENT]\r\nLANGUAGE=1\r\n[CALIBRATION]\r\nFORM_TOP=5\r\n");
    ASSERT_EQ(saveCalibrationPosition(path, {140, -30}), files::FileError::None);
    EXPECT_EQ(loadCalibrationPosition(path), (CalibrationPosition{140, -30}));
    const std::string text = files::testing::readAll(path);
    EXPECT_NE(text.find("LANGUAGE=1"), std::string::npos);
    // The section keeps its historical spelling; a correctly spelt one is not ours.
    EXPECT_NE(text.find("[CARIBRATION]"), std::string::npos);
    EXPECT_NE(text.find("[CALIBRATION]\r\nFORM_TOP=5"), std::string::npos);
}
