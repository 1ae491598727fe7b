#include "link/encoding.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace tavimo::link;

namespace {

TEST(Encoding, WriteTexts)
{
    struct Case {
        Encoding enc;
        double value;
        const char* text;
    } cases[] = {
        {Encoding::S9, 12.5, "+012.5000"},    {Encoding::S9, -3.25, "-003.2500"},
        {Encoding::S9, 0.0, "+000.0000"},     {Encoding::S9, -0.00001, "+000.0000"},
        {Encoding::S9, -999.9999, "-999.9999"}, {Encoding::S9, -1.25, "-001.2500"},
        {Encoding::S9, 0.00005, "+000.0001"}, {Encoding::S9, 99.99994, "+099.9999"},
        {Encoding::U9, 0.8, "0000.8000"},     {Encoding::U9, 999.9999, "0999.9999"},
        {Encoding::U9, 0.0008, "0000.0008"},  {Encoding::U9, 12345.5, "2345.5000"},
        {Encoding::U6, 0.8, "00.800"},        {Encoding::U6, 12.3456, "12.346"},
        {Encoding::D6, 1000, "001000"},       {Encoding::D6, 1234567, "234567"},
        {Encoding::D5, 32767, "32767"},       {Encoding::D5, 1, "00001"},
        {Encoding::H, 5, "5"},                {Encoding::H, 14, "E"},
    };
    for (const auto& c : cases) EXPECT_EQ(encode(c.enc, c.value), c.text) << c.text;
}

TEST(Encoding, ReadParsesFallBackAsControllersExpect)
{
    EXPECT_EQ(parseHex("5"), 5);
    EXPECT_EQ(parseHex("E"), 14);
    EXPECT_EQ(parseHex("1F"), 31);
    EXPECT_EQ(parseHex(""), 0);
    EXPECT_EQ(parseHex("G"), 0);
    EXPECT_EQ(parseHex("5 "), 0);

    EXPECT_EQ(parseInteger("001000"), 1000);
    EXPECT_EQ(parseInteger("ABC"), 1);
    EXPECT_EQ(parseInteger(""), 1);
    EXPECT_EQ(parseInteger("12x"), 1);
    EXPECT_EQ(parseInteger("99999999999999999999"), 1);

    EXPECT_DOUBLE_EQ(parseReal("+012.3456"), 12.3456);
    EXPECT_DOUBLE_EQ(parseReal("  -1.5"), -1.5);
    EXPECT_DOUBLE_EQ(parseReal("2.01xyz"), 2.01);
    EXPECT_DOUBLE_EQ(parseReal("1e3"), 1000.0);
    for (const char* notANumber : {"abc", "", "nan", "NAN", "inf", "-inf", "+", ".", "1e999"})
        EXPECT_EQ(parseReal(notANumber), 0.0) << notANumber;
}

TEST(Encoding, StrictFieldParseRejectsGarbage)
{
    EXPECT_EQ(parseRealField("+000.8000"), 0.8);
    EXPECT_EQ(parseRealField(" 1.5 "), 1.5);
    EXPECT_FALSE(parseRealField("+00x.8000"));
    EXPECT_FALSE(parseRealField("         "));
    EXPECT_FALSE(parseRealField("nan"));
}

TEST(Encoding, RangeCheckUsesTheSentFourDecimalsAndRejectsNonFinite)
{
    EXPECT_TRUE(inRange4(99.9999, -99.9999, 99.9999));
    EXPECT_TRUE(inRange4(99.99994, -99.9999, 99.9999));
    EXPECT_FALSE(inRange4(99.99996, -99.9999, 99.9999));
    EXPECT_FALSE(inRange4(0.00004, 0.0001, 99.9999));
    EXPECT_FALSE(inRange4(std::numeric_limits<double>::quiet_NaN(), -1, 1));
    EXPECT_FALSE(inRange4(std::numeric_limits<double>::infinity(), -1e300, 1e300));
    EXPECT_FALSE(inRange4(1e300, -1e300, 1e300));
}

} // namespace
