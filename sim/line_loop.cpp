// The line thread: reads requests from the pty master, lets the addressed
// controller answer (through the faults in force) and sends each answer's
// bytes at their time.
#include "sim/answer_frame.h"
#include "sim/command_dispatch.h"
#include "sim/line_state.h"
#include "sim/simulator.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace tavimo::sim {

namespace {

// Paced: the last byte of an answer is awaited by spinning for this long
// before its time instead of sleeping, so the wake-up latency does not add
// to the exchange (earlier bytes may come a little late; their lateness
// does not add up, every time is absolute).
constexpr auto kSpinBeforeLastByte = std::chrono::microseconds(50);
constexpr auto kIdleWait = std::chrono::milliseconds(200);
constexpr auto kDefaultNoCrStream = std::chrono::milliseconds(10000);

timespec toTimespec(Clock::duration d)
{
    if (d < Clock::duration::zero()) d = Clock::duration::zero();
    auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

} // namespace

void Simulator::runLine()
{
    lowerTimerSlack();
    Line& line = *line_;
    if (line.pacer.pacing()) raiseLinePriority();
    char buf[1024];
    while (!stopRequested_) {
        if (unplugRequested_ && !unplugged_) {
            unplugged_ = true; // before the program can see the line go
            line.pty.closeMaster();
            line.out.clear();
            line.stream.stop();
        }
        const int fd = line.pty.masterFd();
        Clock::time_point now = Clock::now();
        if (fd >= 0) {
            if (!line.out.flushDue(fd, now) || !line.stream.pump(fd, now)) {
                // The master failed: the line is gone.
                unplugRequested_ = true;
                continue;
            }
        }
        quiet_ = line.out.empty() && !line.stream.active();

        // How long to wait for input before the next byte is due.
        Clock::duration wait = kIdleWait;
        if (auto due = line.out.nextDue()) {
            wait = *due - now;
            if (line.pacer.pacing() && line.out.nextEndsAnswer()) wait -= kSpinBeforeLastByte;
        }
        if (auto due = line.stream.nextDue()) wait = std::min(wait, *due - now);
        if (wait < Clock::duration::zero()) wait = Clock::duration::zero();

        pollfd fds[2] = {{wakeFd_, POLLIN, 0}, {fd, static_cast<short>(POLLIN | (line.out.blocked() ? POLLOUT : 0)), 0}};
        timespec ts = toTimespec(wait);
        int r = ::ppoll(fds, fd >= 0 ? 2 : 1, &ts, nullptr);
        if (r < 0 && errno != EINTR) break;
        if (r <= 0) continue;
        if (fds[0].revents & POLLIN) {
            std::uint64_t v;
            [[maybe_unused]] ssize_t n = ::read(wakeFd_, &v, sizeof v);
        }
        if (fd >= 0 && (fds[1].revents & POLLIN)) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                Clock::time_point at = Clock::now();
                for (const ReceivedFrame& f : line.assembler.feed(std::string_view(buf, static_cast<std::size_t>(n)), at))
                    onFrame(f);
            }
        }
    }
}

void Simulator::onFrame(const ReceivedFrame& frame)
{
    Line& line = *line_;
    // Any complete request ends a stream without CR.
    line.stream.stop();

    std::function<void(const std::string&)> listener;
    std::string bytes;
    int delayMs = 0;
    FaultEffects effects;
    {
        std::lock_guard lock(mutex_);
        log_.push_back({frame.bytes, frame.startedAt});
        listener = listener_;
        std::optional<Request> req = parseRequest(frame.bytes, checkCodeMode_);
        ControllerState* c = req ? findLocked(req->id) : nullptr;
        if (c) {
            effects = combineFaults(faults_.take(req->field, req->mnemonic, req->id));
            if (!effects.unplug && !effects.silence) {
                if (effects.alarm) c->alarm = true;
                if (effects.stuckAlarm) c->alarmStuck = true;
                Reply reply = handleRequest(*c, *req, Clock::now());
                bytes = buildAnswer(*req, reply, checkCodeMode_, effects);
                delayMs = reply.delayMs + effects.delayMs;
            }
        }
    }
    if (listener) listener(frame.bytes);
    if (effects.unplug) {
        unplugRequested_ = true;
        return;
    }
    if (bytes.empty()) return;

    // Paced, the request took its length on the line before it was complete.
    Clock::time_point ready = line.pacer.pacing() ? frame.startedAt + line.pacer.characters(frame.bytes.size())
                                                  : Clock::now();
    ready += std::chrono::milliseconds(delayMs);
    Clock::time_point start = std::max(ready, line.out.lineFreeAt(ready));
    line.out.schedule(bytes, start, line.pacer);
    quiet_ = false;
    if (effects.noCr) {
        auto lasts = effects.noCrMs > 0 ? std::chrono::milliseconds(effects.noCrMs) : kDefaultNoCrStream;
        Clock::time_point from = line.out.lineFreeAt(start);
        line.stream.start(from, from + lasts, line.pacer);
    }
}

} // namespace tavimo::sim
