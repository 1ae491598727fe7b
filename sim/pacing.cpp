#include "sim/pacing.h"

#include <cmath>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

namespace tavimo::sim {

LinePacer::LinePacer(bool pace, int baud, int bitsPerCharacter)
    : pace_(pace && baud > 0 && bitsPerCharacter > 0),
      nsPerCharacter_(baud > 0 ? 1e9 * bitsPerCharacter / baud : 0)
{
}

Clock::duration LinePacer::characters(std::size_t n) const
{
    if (!pace_) return Clock::duration::zero();
    auto ns = std::chrono::nanoseconds(std::llround(nsPerCharacter_ * static_cast<double>(n)));
    return std::chrono::duration_cast<Clock::duration>(ns);
}

void lowerTimerSlack()
{
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

} // namespace tavimo::sim

namespace tavimo::sim {

void raiseLinePriority()
{
    sched_param p{};
    p.sched_priority = sched_get_priority_min(SCHED_FIFO);
    (void)pthread_setschedparam(pthread_self(), SCHED_FIFO, &p);
}

} // namespace tavimo::sim
