#include "sim/output_queue.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace tavimo::sim {

namespace {

// 1: all written; 0: buffer full (some may be written, `bytes` keeps the rest); -1: error.
int writeSome(int fd, std::string& bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.erase(0, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return 0;
        return -1;
    }
    return 1;
}

} // namespace

void OutputQueue::schedule(const std::string& bytes, Clock::time_point start, const LinePacer& pacer)
{
    if (bytes.empty()) return;
    if (!pacer.pacing()) {
        items_.push_back({start, bytes, true});
        return;
    }
    for (std::size_t k = 0; k < bytes.size(); ++k)
        items_.push_back({start + pacer.characters(k + 1), std::string(1, bytes[k]), k + 1 == bytes.size()});
}

Clock::time_point OutputQueue::lineFreeAt(Clock::time_point now) const
{
    return items_.empty() ? now : std::max(now, items_.back().at);
}

std::optional<Clock::time_point> OutputQueue::nextDue() const
{
    if (items_.empty()) return std::nullopt;
    return items_.front().at;
}

bool OutputQueue::nextEndsAnswer() const
{
    return !items_.empty() && items_.front().endsAnswer;
}

bool OutputQueue::flushDue(int fd, Clock::time_point now)
{
    blocked_ = false;
    while (!items_.empty() && items_.front().at <= now) {
        int r = writeSome(fd, items_.front().bytes);
        if (r < 0) return false;
        if (r == 0) {
            blocked_ = true;
            return true;
        }
        items_.pop_front();
    }
    return true;
}

void EndlessStream::start(Clock::time_point from, Clock::time_point until, const LinePacer& pacer)
{
    active_ = true;
    next_ = from;
    until_ = until;
    sent_ = 0;
    paced_ = pacer.pacing();
    perByte_ = pacer.characters(1);
}

std::optional<Clock::time_point> EndlessStream::nextDue() const
{
    if (!active_) return std::nullopt;
    return next_;
}

bool EndlessStream::pump(int fd, Clock::time_point now)
{
    if (!active_ || now < next_) return true;
    if (now >= until_) {
        active_ = false;
        return true;
    }
    // Paced: the bytes the line has carried since the last pump. Unpaced:
    // 64 bytes every millisecond.
    std::size_t due = 64;
    if (paced_) {
        due = static_cast<std::size_t>((now - next_) / perByte_) + 1;
        due = std::min<std::size_t>(due, 256);
        next_ += perByte_ * static_cast<long long>(due);
        if (next_ < now - std::chrono::milliseconds(1)) next_ = now;
    } else {
        next_ = now + std::chrono::milliseconds(1);
    }
    std::string bytes;
    for (std::size_t i = 0; i < due; ++i) bytes += static_cast<char>('0' + (sent_ + i) % 10);
    sent_ += due;
    // A full buffer drops the rest: the stream only has to keep coming.
    if (writeSome(fd, bytes) < 0) return false;
    return true;
}

} // namespace tavimo::sim
