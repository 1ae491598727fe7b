// The controller commands that carry one value, as data: mnemonic, directions,
// encoding and write range.
#pragma once

#include "link/encoding.h"

#include <span>
#include <string_view>

namespace tavimo::link {

struct IntCommand {
    std::string_view mnemonic;
    bool canRead;
    bool canWrite;
    Encoding encoding; // H, D6 or D5; reads of the D family parse as D6
    long long min;
    long long max;
    bool hasSelector = false; // the read data is a selector digit
    int selectorMax = 0;
};

struct RealCommand {
    std::string_view mnemonic;
    bool canRead;
    bool canWrite;
    Encoding encoding; // S9, U9 or U6; reads parse as a decimal number
    double min;
    double max;
};

namespace cmd {
// Integer values, hexadecimal digit.
inline constexpr IntCommand OT{"OT", true, false, Encoding::H, 0, 0};
inline constexpr IntCommand HM{"HM", true, true, Encoding::H, 0, 5};
inline constexpr IntCommand ZS{"ZS", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand TG{"TG", true, true, Encoding::H, 0, 3};
inline constexpr IntCommand JM{"JM", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand MM{"MM", true, true, Encoding::H, 0, 3};
inline constexpr IntCommand KB{"KB", true, true, Encoding::H, 0, 2};
inline constexpr IntCommand AV{"AV", true, true, Encoding::H, 0, 14};
inline constexpr IntCommand UT{"UT", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand MT{"MT", true, true, Encoding::H, 0, 2};
inline constexpr IntCommand OD{"OD", true, true, Encoding::H, 0, 6};
inline constexpr IntCommand EG{"EG", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand AP{"AP", true, true, Encoding::H, 0, 4};
inline constexpr IntCommand HH{"HH", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand PA{"PA", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand BR{"BR", true, true, Encoding::H, 0, 1};
inline constexpr IntCommand BC{"BC", true, false, Encoding::H, 0, 0};
// Integer values, decimal.
inline constexpr IntCommand BN{"BN", true, false, Encoding::D6, 0, 0, true, 2};
inline constexpr IntCommand BM{"BM", true, true, Encoding::D5, 1, 32767};
inline constexpr IntCommand BP{"BP", true, true, Encoding::D6, 0, 999999};
// Decimal values.
inline constexpr RealCommand MD{"MD", true, false, Encoding::S9, 0, 0};
inline constexpr RealCommand DT{"DT", true, true, Encoding::U9, 0, 99.9999};
inline constexpr RealCommand HT{"HT", true, true, Encoding::S9, -99.9999, 99.9999};
inline constexpr RealCommand LT{"LT", true, true, Encoding::S9, -99.9999, 99.9999};
inline constexpr RealCommand FT{"FT", true, true, Encoding::U9, 0.0001, 99.9999};
inline constexpr RealCommand SK{"SK", true, true, Encoding::U9, 0, 99.9999};
inline constexpr RealCommand TT{"TT", true, true, Encoding::S9, -999.9999, 999.9999};
inline constexpr RealCommand TH{"TH", true, true, Encoding::U9, 0, 999.9999};
inline constexpr RealCommand VR{"VR", true, false, Encoding::S9, 0, 0};
} // namespace cmd

std::span<const IntCommand> intCommands();
std::span<const RealCommand> realCommands();
const IntCommand* findIntCommand(std::string_view mnemonic);
const RealCommand* findRealCommand(std::string_view mnemonic);

} // namespace tavimo::link
