// Request and answer frames: "%EE#" + command field + ID digit + data + check
// code + CR, and the check code.
#pragma once

#include <string>
#include <string_view>

namespace tavimo::link {

inline constexpr std::string_view kRequestPrefix = "%EE#";
inline constexpr char kStart = '%';
inline constexpr char kNormalMark = '$';
inline constexpr char kCR = '\r';
inline constexpr std::size_t kAnswerHeaderLength = 8; // "%EE$" + command field + ID digit

enum class Direction : int { Read = 0, Write = 1, Raw = 9 };

// Check-code modes: 0 sends "**" and checks nothing, 1 sends and checks the
// XOR, any other mode sends no check code.
inline constexpr int kCheckCodeOff = 0;
inline constexpr int kCheckCodeXor = 1;

// Number of check-code characters a frame carries in the given mode.
std::size_t checkCodeLength(int mode);

std::string appendCheckCode(int mode, std::string_view text);
// True when the answer ("%" through CR) passes the check of the mode.
bool checkCodeMatches(int mode, std::string_view answer);
// "R"/"W"/"" + mnemonic
std::string commandField(Direction dir, std::string_view mnemonic);
// The whole request including check code and CR.
std::string buildRequest(int mode, Direction dir, std::string_view mnemonic, int id, std::string_view data);
// Two upper-case hexadecimal digits of the XOR of every byte.
std::string xorCode(std::string_view bytes);

} // namespace tavimo::link
