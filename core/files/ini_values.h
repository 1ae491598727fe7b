// Typed values in INI documents: integers, booleans, decimals and texts, each
// read with the key's default when the key is missing or does not parse.
// Numbers always use "." whatever the locale.
#pragma once

#include "files/ini_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavimo::files {

// Decimal integer with an optional sign; nothing for anything else or a
// value outside int32.
std::optional<std::int32_t> parseInteger(std::string_view text);
// Decimal number, also in exponent notation (1E-6); nothing for anything
// else and for infinities and NaN.
std::optional<double> parseDecimal(std::string_view text);

// The shortest text that reads back as exactly the same double: "0.8",
// "0.0008", "1", "-12.5"; exponent notation ("1E-6") only below 1E-5 or
// from 1E15 on. Non-finite values are written as "0".
std::string formatDecimal(double value);

std::int32_t readInteger(const IniDocument& doc, std::string_view section, std::string_view key, std::int32_t def);
// An index into a list of `count` items: anything outside 0..count-1 gives
// the default, so a hand-edited file can never make the program index
// outside a list.
std::int32_t readIndex(const IniDocument& doc, std::string_view section, std::string_view key, int count,
                       std::int32_t def);
// An integer clamped into min..max (missing or unparsable: the default).
std::int32_t readClamped(const IniDocument& doc, std::string_view section, std::string_view key, std::int32_t min,
                         std::int32_t max, std::int32_t def);
// Any non-zero integer is true.
bool readBool(const IniDocument& doc, std::string_view section, std::string_view key, bool def);
double readDecimal(const IniDocument& doc, std::string_view section, std::string_view key, double def);
std::string readText(const IniDocument& doc, std::string_view section, std::string_view key, std::string_view def);

void writeInteger(IniDocument& doc, std::string_view section, std::string_view key, std::int64_t value);
void writeBool(IniDocument& doc, std::string_view section, std::string_view key, bool value);
void writeDecimal(IniDocument& doc, std::string_view section, std::string_view key, double value);
void writeText(IniDocument& doc, std::string_view section, std::string_view key, std::string_view value);

} // namespace tavimo::files
