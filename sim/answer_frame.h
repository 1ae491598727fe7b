// Building the answer frame a controller sends back, and the shapes the
// faults give it.
#pragma once

#include "sim/command_support.h"
#include "sim/faults.h"

#include <string>

namespace tavimo::sim {

inline constexpr char kErrorMark = '!';
// Bytes a noise fault puts before the answer: no "%", a stray CR.
inline constexpr std::string_view kNoiseBytes = "\x7f#?~\r\n";

// "%EE$" + echo of the command field + ID digit + data + check code of the
// mode + CR; an error answer has "!" for "$" and no data. With `noCr` the CR
// is left off.
std::string buildAnswer(const Request& request, const Reply& reply, int checkCodeMode, const FaultEffects& shape);

} // namespace tavimo::sim
