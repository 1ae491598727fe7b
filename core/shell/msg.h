// Identifiers of the program texts: one enumerator per text of
// catalog_messages.inc, and the group each text belongs to.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavimo::shell {

enum class MsgGroup : std::uint8_t {
    Words,           // words and labels put together by the program
    ExportLabels,    // labels of the settings text export
    SendFailures,    // batch send failures, outcome codes 1..25
    ReceiveFailures, // batch receive failures, outcome codes 1..25
    CsvHeaders,      // header lines of the waveform and buffering CSV files
    Notices,         // confirmations, notices and errors
    Supplement,      // second-instance notice, point-mode captions, about box lines
};

enum class Msg : std::uint16_t {
#define TAVIMO_MSG(group, id, en, ja) id,
#include "shell/catalog_messages.inc"
#undef TAVIMO_MSG
};

inline constexpr std::size_t kMsgCount = 0
#define TAVIMO_MSG(group, id, en, ja) +1
#include "shell/catalog_messages.inc"
#undef TAVIMO_MSG
    ;

MsgGroup messageGroup(Msg id);
// Number of texts in a group.
std::size_t messageCount(MsgGroup group);

} // namespace tavimo::shell
