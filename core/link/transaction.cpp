#include "link/transaction.h"

#include <chrono>
#include <thread>

namespace tavimo::link {

using Clock = std::chrono::steady_clock;

namespace {
thread_local LinkStatus lastCommandStatus = LinkStatus::Ok;
}

LinkStatus Link::lastStatus()
{
    return lastCommandStatus;
}

void Link::resetLastStatus()
{
    lastCommandStatus = LinkStatus::NotSent;
}

Link::Link(SerialPort& port, LinkReporter* reporter) : port_(port), reporter_(reporter) {}

ExchangeResult Link::exchangeFrame(std::string_view request)
{
    ExchangeResult r;
    std::unique_lock lock(portLock_, std::defer_lock);
    if (!lock.try_lock_for(std::chrono::milliseconds(kPortLockWaitMs))) {
        r.status = LinkStatus::LockTimeout;
        return r;
    }
    try {
        if (!port_.isOpen()) {
            r.status = LinkStatus::PortClosed;
            return r;
        }
        port_.purgePort();
        int w = port_.writePort(request.data(), static_cast<int>(request.size()));
        if (w == kPortError) r.status = LinkStatus::WriteError;
        else if (w == kPortTimeout) r.status = LinkStatus::WriteIncomplete;
        else r.status = readAnswer(r.answer);
    } catch (...) {
        r.status = LinkStatus::OtherFailure;
    }
    if (r.status != LinkStatus::Ok) r.answer.clear();
    return r;
}

// Hunts for "%", collects up to CR; a "%" restarts the answer. Each byte must
// come within the read timeout; the whole answer within a bound that leaves
// room for the longest answer at the line's speed.
LinkStatus Link::readAnswer(std::string& answer)
{
    const int perByteMs = port_.timeoutMs();
    const LineSettings line = port_.lineSettings();
    const long long capMs =
        static_cast<long long>(kMaxAnswerBytes) * bitsPerCharacter(line) * 1000 / (line.baud > 0 ? line.baud : 9600);
    const auto deadline = Clock::now() + std::chrono::milliseconds(perByteMs + capMs);

    bool collecting = false;
    std::size_t received = 0;
    char buf[512];
    answer.clear();
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return LinkStatus::NoAnswer;
        int wait = static_cast<int>(std::min<long long>(left, perByteMs));
        int n = port_.readAvailable(buf, sizeof buf, wait);
        if (n < 0) {
            port_.purgePort();
            return LinkStatus::ReadError;
        }
        if (n == 0) return LinkStatus::NoAnswer;
        for (int i = 0; i < n; ++i) {
            char c = buf[i];
            if (++received > kMaxAnswerBytes) return LinkStatus::NoAnswer;
            if (c == kStart) {
                answer.assign(1, c);
                collecting = true;
            } else if (collecting) {
                answer += c;
                // Bytes after the CR are stale; the next exchange purges them.
                if (c == kCR) return LinkStatus::Ok;
            }
        }
    }
}

bool Link::answerWellFormed(std::string_view answer, int mode) const
{
    // Header, the check code the mode carries, and the CR.
    return answer.size() >= kAnswerHeaderLength + checkCodeLength(mode) + 1;
}

CommandResult Link::sendCommand(Direction dir, std::string_view mnemonic, int id, std::string_view data,
                                bool reportErrors)
{
    CommandResult result;
    if (reportErrors && terminating_) {
        result.status = LinkStatus::OtherFailure;
        lastCommandStatus = result.status;
        return result;
    }
    const int mode = checkCodeMode_.load();
    const std::string field = commandField(dir, mnemonic);
    const std::string request = buildRequest(mode, dir, mnemonic, id, data);
    const char idDigit = static_cast<char>('0' + id);

    LinkStatus status = LinkStatus::NoValidAnswer;
    std::string answer;
    bool done = false;
    for (int attempt = 0; attempt < kAttempts && !done; ++attempt) {
        ExchangeResult ex = exchangeFrame(request);
        if (isFatal(ex.status)) {
            status = ex.status;
            if (reportErrors) {
                terminating_ = true;
                if (reporter_) {
                    reporter_->showLinkMessage(LinkMessage::ProgramError);
                    reporter_->requestTermination();
                }
            }
            done = true;
            break;
        }
        if (ex.status == LinkStatus::LockTimeout) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kLockBusyPauseMs));
            continue;
        }
        if (ex.status != LinkStatus::Ok) continue;
        const std::string& a = ex.answer;
        if (!answerWellFormed(a, mode)) continue;
        if (!checkCodeMatches(mode, a)) continue;
        if (a[3] != kNormalMark) {
            if (mnemonic == "CA") continue;
            CommandResult cleared = sendCommand(Direction::Write, "CA", id, "0", reportErrors);
            if (cleared.ok()) continue;
            status = isFatal(cleared.status) ? cleared.status : LinkStatus::AlarmNotCleared;
            done = true;
            break;
        }
        if (std::string_view(a).substr(4, 3) != field) continue;
        if (a[7] != idDigit) continue;
        status = LinkStatus::Ok;
        answer = a;
        done = true;
    }
    if (status == LinkStatus::AlarmNotCleared && reportErrors && !terminating_ && reporter_)
        reporter_->showLinkMessage(LinkMessage::AlarmNotCleared);
    result.status = status;
    lastCommandStatus = status;
    if (status == LinkStatus::Ok) {
        std::size_t trailer = checkCodeLength(mode) + 1;
        result.data = answer.substr(kAnswerHeaderLength, answer.size() - kAnswerHeaderLength - trailer);
    }
    return result;
}

} // namespace tavimo::link
