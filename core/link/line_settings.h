// Line settings offered to the user and accepted by the port: speed, parity,
// stop bits, data bits, and the timeout table.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tavimo::link {

// Lists shown in the communication settings and indexed by the configuration.
inline constexpr std::array<std::string_view, 5> kSpeedChoices{"9600", "19200", "38400", "57600", "115200"};
inline constexpr std::array<std::string_view, 3> kParityChoices{"N", "E", "O"};
inline constexpr std::array<std::string_view, 2> kStopChoices{"1", "2"};
inline constexpr std::string_view kDataBits = "8";

inline constexpr int kDefaultSpeedIndex = 1;   // 19200
inline constexpr int kDefaultParityIndex = 2;  // odd
inline constexpr int kDefaultStopIndex = 0;    // one stop bit
inline constexpr int kDefaultTimeoutIndex = 2; // 2000 ms

// Timeout rows with a fixed use.
inline constexpr int kTimeoutIndexLongOperation = 7; // initialise and reboot
inline constexpr int kTimeoutIndexScan = 8;          // controller scan

// The values the port accepts; a text outside a table takes the fallback.
struct LineSettings {
    int baud = 9600;
    char parity = 'N'; // 'N', 'E' or 'O'
    int dataBits = 8;
    int stopBits = 1;
};

int acceptedBaud(std::string_view text);   // fallback 9600
char acceptedParity(std::string_view text); // fallback 'N'
int acceptedDataBits(std::string_view text); // fallback 8
int acceptedStopBits(std::string_view text); // fallback 1

LineSettings resolveLineSettings(std::string_view speed, std::string_view parity, std::string_view data,
                                 std::string_view stop);

// "baud=19200 parity=O data=8 stop=1"
std::string definitionText(const LineSettings& s);

// Read and write timeout T in ms of a timeout-table row; an index outside 0..8
// selects the 30000 ms fallback row.
int timeoutMsForIndex(int index);

// Text shown for the user-selectable rows 0..6 ("0.5", "1", ... "10").
inline constexpr std::array<std::string_view, 7> kTimeoutChoices{"0.5", "1", "2", "3", "4", "5", "10"};

// Time one character takes on the line: start bit, data bits, parity, stop bits.
int bitsPerCharacter(const LineSettings& s);

} // namespace tavimo::link
