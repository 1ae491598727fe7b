// The text rules shared by the program's CSV files: the number format and
// the substitution of the separator and the decimal character chosen in the
// CSV settings (ENVIRONMENT/CSV_SEPARATOR and DECIMAL_SEPARATOR).
#pragma once

#include <string>

namespace tavimo::waveform {

struct CsvFormat {
    int separatorIndex = 0; // 0 ",", 1 ";", 2 tab
    int decimalIndex = 0;   // 0 ".", 1 ","
};

// The separator and decimal characters of a format. An index outside its list
// gives the default; the comma as both separator and decimal character
// (possible only in a hand-edited configuration) makes the separator a
// semicolon, as the CSV settings dialog does, so that no file is ambiguous.
char csvSeparator(const CsvFormat& format);
char csvDecimal(const CsvFormat& format);

// General decimal notation with up to 15 significant digits and no trailing
// zeros: 0, 0.25, 1.2345, -12.5; exponent notation below 0.00001 and from
// 1E15 on (1.5E-6, 1E15). Non-finite values: "NAN", "INF", "-INF".
std::string formatCsvNumber(double value);

// Every "," replaced by the separator when that is not ",".
void applyCsvSeparator(std::string& line, const CsvFormat& format);
// Every "." replaced by the decimal character when that is not "." (data
// lines only).
void applyCsvDecimal(std::string& line, const CsvFormat& format);

} // namespace tavimo::waveform
