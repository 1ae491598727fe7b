// What every command handler shares: the reply, the handler table entry, and
// the parses of request data and encodings of answers.
#pragma once

#include "sim/controller_state.h"
#include "sim/request_parser.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavimo::sim {

struct Reply {
    bool ok = true;   // false: an error answer ("!" mark)
    std::string data; // answer data after the echo
    int delayMs = 0;  // the controller takes this long before it answers
};

inline Reply answer(std::string data) { return Reply{true, std::move(data), 0}; }
inline Reply done() { return Reply{}; }
inline Reply refuse() { return Reply{false, {}, 0}; }

using Handler = Reply (*)(ControllerState&, const Request&, Clock::time_point now);

struct CommandEntry {
    std::string_view mnemonic;
    Handler handler;
};

// The handler groups, one per source file.
std::span<const CommandEntry> settingCommands();
std::span<const CommandEntry> scalingCommands();
std::span<const CommandEntry> measureCommands();
std::span<const CommandEntry> bufferingCommands();
std::span<const CommandEntry> controllerCommands();

// Request data parses; nothing when the text does not fit.
std::optional<int> hexNumber(std::string_view text);    // one or more hex digits
std::optional<int> hexDigitAt(std::string_view text, std::size_t index);
std::optional<long long> decimalNumber(std::string_view text); // digits only
// A decimal field (sign, digits, point), inside [lo, hi] at four decimals.
std::optional<double> realIn(std::string_view text, double lo, double hi);

// Answer encodings (the program's own write encodings).
std::string signed9(double v);   // "+000.4000"
std::string unsigned9(double v); // "0000.4000"
std::string hex(int v);          // "5"

} // namespace tavimo::sim
