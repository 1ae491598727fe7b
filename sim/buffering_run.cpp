#include "sim/buffering_run.h"

#include <algorithm>
#include <cstdio>

namespace tavimo::sim {

void BufferingRun::begin(Clock::time_point now, const BufferingSettings& s, bool holdMode, const ValueModel& model)
{
    started_ = true;
    stopped_ = false;
    start_ = now;
    trigger_ = now + std::chrono::milliseconds(s.triggerDelayMs);
    if (holdMode) {
        interval_ = std::chrono::milliseconds(std::max(1, s.holdPeriodMs));
    } else {
        auto ns = static_cast<long long>(std::max(1, s.rate) * kRateUnitMicroseconds * 1000.0);
        interval_ = std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(ns));
    }
    pretrigger_ = std::max<long long>(0, s.triggerPoint - 1);
    capacity_ = std::max<long long>(1, s.capacity);
    model_ = model;
}

long long BufferingRun::pretriggerKept() const
{
    return std::min<long long>(pretrigger_, (trigger_ - start_) / interval_);
}

Clock::time_point BufferingRun::fullAt() const
{
    long long afterTrigger = std::max<long long>(0, capacity_ - pretriggerKept() - 1);
    return trigger_ + afterTrigger * interval_;
}

Clock::time_point BufferingRun::lastTime(Clock::time_point now) const
{
    Clock::time_point t = stopped_ ? std::min(now, end_) : now;
    return std::min(t, fullAt());
}

void BufferingRun::stop(Clock::time_point now)
{
    if (!started_ || stopped_) return;
    end_ = lastTime(now);
    stopped_ = true;
}

bool BufferingRun::running(Clock::time_point now) const
{
    return started_ && !stopped_ && now < fullAt();
}

bool BufferingRun::triggered(Clock::time_point now) const
{
    return started_ && lastTime(now) >= trigger_;
}

long long BufferingRun::storedCount(Clock::time_point now) const
{
    if (!started_) return 0;
    Clock::time_point t = lastTime(now);
    if (t < start_) return 0;
    if (t < trigger_) {
        // Points before the trigger lie at whole intervals before it.
        long long available = (trigger_ - start_) / interval_;
        long long notYet = (trigger_ - t + interval_ - Clock::duration(1)) / interval_;
        return std::min<long long>(pretrigger_, std::max<long long>(0, available - notYet + 1));
    }
    long long post = (t - trigger_) / interval_ + 1;
    return std::min(capacity_, pretriggerKept() + post);
}

long long BufferingRun::pointUnits(long long k) const
{
    return model_.unitsAt(trigger_ + (k - pretriggerKept()) * interval_);
}

std::string encodeBlock(const BufferingRun& run, long long first, long long last)
{
    std::string out;
    long long previous = 0;
    char buf[32];
    for (long long k = first; k <= last; ++k) {
        long long u = run.pointUnits(k);
        if (k == first) {
            long long a = u < 0 ? -u : u;
            std::snprintf(buf, sizeof buf, "%c%lld.%04lld", u < 0 ? '-' : '+', a / 10000, a % 10000);
        } else {
            std::snprintf(buf, sizeof buf, "%+lld", u - previous);
        }
        out += buf;
        previous = u;
    }
    return out;
}

} // namespace tavimo::sim
