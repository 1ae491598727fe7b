// Closing the buffering screen: the buffering function of every controller
// captured when the screen opened is switched off again. A controller still
// running is first asked about (" ID n", line break, "Data buffering was
// executed.\n\nClose the screen which executed?", No preselected): Yes leaves
// it running with buffering on; No stops it (BR 0) and switches buffering
// off (BT 0 with its settle delay). A controller whose function is off is
// left alone. Every exchange is made without reporting errors.
#pragma once

#include "buffering/buffering_line.h"

#include <vector>

namespace tavimo::buffering {

// Offline (as the screen was opened): nothing is sent. Online: 0, 402 (a BT
// or BR exchange failed; the other controllers are still released, the
// message is shown once), 500 or 501. The screen closes whatever the code.
int endBufferingOnClose(const BufferingLine& line, bool openedOnline, const std::vector<int>& ids);

} // namespace tavimo::buffering
