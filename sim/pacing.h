// Line timing: how long characters take on the line at the configured rate,
// and a thread timer slack small enough to hit each byte's time.
#pragma once

#include "sim/request_parser.h"

#include <cstddef>

namespace tavimo::sim {

class LinePacer {
public:
    LinePacer(bool pace, int baud, int bitsPerCharacter);
    bool pacing() const { return pace_; }
    // Time `n` characters take on the line (zero when not pacing).
    Clock::duration characters(std::size_t n) const;

private:
    bool pace_;
    double nsPerCharacter_;
};

// Lowers the calling thread's timer slack to 1 ns (Linux), so that timed
// waits end when asked, not up to 50 us later.
void lowerTimerSlack();
// Paced lines: runs the calling thread at the lowest real-time priority when
// the system allows it, so a busy machine does not delay the line's bytes.
// Silently keeps the normal priority otherwise.
void raiseLinePriority();

} // namespace tavimo::sim
