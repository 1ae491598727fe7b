// Texts that the program picks by number: the " ID n" labels and the failure
// texts of the per-controller batch steps.
#pragma once

#include "shell/msg.h"

#include <optional>

namespace tavimo::shell {

inline constexpr int kBatchFailureCodes = 25;

// " ID 0" .. " ID 7"; nullopt outside 0..7.
std::optional<Msg> idLabel(int id);
// Failure text of a batch send step, outcome codes 1..25; nullopt for 0 (no
// failure) and for any code without a text.
std::optional<Msg> sendFailureMessage(int code);
// Failure text of a batch receive step, outcome codes 1..25; as above.
std::optional<Msg> receiveFailureMessage(int code);

} // namespace tavimo::shell
