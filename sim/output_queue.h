// Answer bytes waiting for their time on the line, and the endless stream
// without CR that one fault produces.
#pragma once

#include "sim/pacing.h"

#include <deque>
#include <optional>
#include <string>

namespace tavimo::sim {

class OutputQueue {
public:
    // Paced: each byte leaves when it has fully crossed the line, the first
    // one character after `start`. Unpaced: all of them at `start`.
    void schedule(const std::string& bytes, Clock::time_point start, const LinePacer& pacer);
    // When the last scheduled byte is done (now, when nothing is scheduled).
    Clock::time_point lineFreeAt(Clock::time_point now) const;
    std::optional<Clock::time_point> nextDue() const;
    bool nextEndsAnswer() const; // the next due byte is the last of an answer
    // Writes every due byte. False on a write error other than a full buffer.
    bool flushDue(int fd, Clock::time_point now);
    bool blocked() const { return blocked_; } // the last write found the buffer full
    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }

private:
    struct Item {
        Clock::time_point at;
        std::string bytes;
        bool endsAnswer;
    };
    std::deque<Item> items_;
    bool blocked_ = false;
};

// Bytes that keep coming and never bring a CR (nor a "%").
class EndlessStream {
public:
    void start(Clock::time_point from, Clock::time_point until, const LinePacer& pacer);
    void stop() { active_ = false; }
    bool active() const { return active_; }
    std::optional<Clock::time_point> nextDue() const;
    // Writes what is due by `now`. False on a write error.
    bool pump(int fd, Clock::time_point now);

private:
    bool active_ = false;
    Clock::time_point next_{}, until_{};
    Clock::duration perByte_{};
    bool paced_ = false;
    std::size_t sent_ = 0;
};

} // namespace tavimo::sim
