// One request to one controller: the alarm state first, then the handler of
// its mnemonic.
#pragma once

#include "sim/command_support.h"

namespace tavimo::sim {

// Answers an error while the controller is in alarm (except CA, which clears
// an alarm that is not stuck, and INT, which reboots); an unknown command or
// data that does not fit its command also gets an error answer.
Reply handleRequest(ControllerState& c, const Request& r, Clock::time_point now);

// True when some handler serves the mnemonic.
bool knownMnemonic(std::string_view mnemonic);

} // namespace tavimo::sim
