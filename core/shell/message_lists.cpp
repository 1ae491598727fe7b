#include "shell/message_lists.h"

namespace tavimo::shell {

namespace {

// Enumerators of one group are consecutive, so a number is an offset from
// the group's first entry.
std::optional<Msg> offsetFrom(Msg first, int offset, int count)
{
    if (offset < 0 || offset >= count)
        return std::nullopt;
    return static_cast<Msg>(static_cast<int>(first) + offset);
}

} // namespace

static_assert(static_cast<int>(Msg::IdLabel7) - static_cast<int>(Msg::IdLabel0) == 7);
static_assert(static_cast<int>(Msg::SendFailHysteresis) - static_cast<int>(Msg::SendFailHeadType) == kBatchFailureCodes - 1);
static_assert(static_cast<int>(Msg::ReceiveFailHysteresis) - static_cast<int>(Msg::ReceiveFailHeadType) == kBatchFailureCodes - 1);

std::optional<Msg> idLabel(int id)
{
    return offsetFrom(Msg::IdLabel0, id, 8);
}

std::optional<Msg> sendFailureMessage(int code)
{
    return offsetFrom(Msg::SendFailHeadType, code - 1, kBatchFailureCodes);
}

std::optional<Msg> receiveFailureMessage(int code)
{
    return offsetFrom(Msg::ReceiveFailHeadType, code - 1, kBatchFailureCodes);
}

} // namespace tavimo::shell
