// Sending and receiving the head characteristic mode and codes of one
// controller. Both work on the window's fields (the mode selector and the
// three code fields); the model takes them at the window's next store.
#pragma once

#include "settings/operation_context.h"

#include <array>
#include <string>

namespace tavimo::settings {

inline constexpr int kHeadMaterials = 3; // 0 SUS, 1 Fe, 2 Al

struct HeadCodeFields {
    int mode = 0; // 0 "Set head", 1 "Compatible"
    std::array<std::string, kHeadMaterials> codes;
};

// Writes the mode (HH) and, in mode 1, each code that is a valid 10-character
// code (GD); a code of another length or with characters the line cannot
// carry is skipped with its message, a failed write has its own message, and
// the next material follows either way. Mode 0 empties the fields. Ends with
// "Finished the transmission of a message of head characteristic code.".
// Returns 0, 100 (HH failed; "Stops processing because a communication
// error occurred."), 500 or 501. Offline nothing is sent and "Do it with
// On-line." is shown.
int sendHeadCodes(OperationContext& ctx, int id, HeadCodeFields& fields);

// Reads the mode and, in mode 1, the three codes into the fields (a failed
// code read empties its field, silently). Ends with "Finished receipt of a
// message of head characteristic code.". Returns 0, 100 (HH failed or
// answered neither 0 nor 1), 500 or 501.
int receiveHeadCodes(OperationContext& ctx, int id, HeadCodeFields& fields);

} // namespace tavimo::settings
