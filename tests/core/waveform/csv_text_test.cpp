// CSV number format and the choice of separator and decimal character.
#include "waveform/csv_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace tavimo::waveform;

namespace {

TEST(CsvNumber, GeneralNotationWithFifteenSignificantDigits)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.25, "0.25"},
        {1.2345, "1.2345"},
        {0.1234, "0.1234"},
        {-12.5, "-12.5"},
        {1000, "1000"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {-2.0 / 3, "-0.666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e-6, "1.5E-6"},
        {-1.5e-6, "-1.5E-6"},
        {0.00001, "0.00001"},
        {0.0000123, "0.0000123"},
        {9.99e-6, "9.99E-6"},
        {1e-300, "1E-300"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatCsvNumber(c.value), c.text) << c.text;
}

TEST(CsvFormatChoice, IndexesOutsideTheListsAndTheCommaTwice)
{
    struct Case {
        int separator, decimal;
        char sep, dec;
    };
    const Case cases[] = {
        {0, 0, ',', '.'}, {1, 0, ';', '.'}, {2, 0, '\t', '.'}, {1, 1, ';', ','}, {2, 1, '\t', ','},
        {3, 0, ',', '.'}, {-1, 7, ',', '.'},
        {0, 1, ';', ','}, // comma as both: the separator moves to the semicolon
    };
    for (const Case& c : cases) {
        const CsvFormat f{c.separator, c.decimal};
        EXPECT_EQ(csvSeparator(f), c.sep) << c.separator << "/" << c.decimal;
        EXPECT_EQ(csvDecimal(f), c.dec) << c.separator << "/" << c.decimal;
    }
}

} // namespace
