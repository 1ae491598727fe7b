// Data encodings of the command set and the parses of their answers. Every
// decimal text uses "." whatever the locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo::link {

enum class Encoding { H, D6, D5, S9, U9, U6 };

// Write texts.
std::string encodeHex(int value);          // "5", "E"
std::string encodeDecimal(long long value, int width); // zero-padded, last `width` characters kept
std::string encodeSigned9(double value);   // "+012.5000", "-003.2500", "+000.0000"
std::string encodeUnsigned9(double value); // "0000.8000", last 9 characters kept
std::string encodeUnsigned6(double value); // "00.800", last 6 characters kept
std::string encode(Encoding e, double value);

// Read parses, as the controllers' answers are taken.
int parseHex(std::string_view data);        // not a number: 0
long long parseInteger(std::string_view data); // not a number: 1
double parseReal(std::string_view data);    // C conversion of the leading number; none (or NaN/inf): 0

// Strict parse of one fixed-position field: optional blanks, a finite number,
// optional trailing blanks, nothing else.
std::optional<double> parseRealField(std::string_view field);
std::optional<int> parseHexDigit(char c);

// Finite, and inside [lo, hi] once rounded to the four decimals that are sent.
bool inRange4(double value, double lo, double hi);

} // namespace tavimo::link
