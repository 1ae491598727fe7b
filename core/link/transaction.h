// One exchange on the line (write a request, read its answer, under the port
// lock) and the command transaction built on it (two attempts, answer checks,
// automatic alarm clearing).
#pragma once

#include "link/frame.h"
#include "link/link_reporter.h"
#include "link/link_status.h"
#include "link/serial_port.h"

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace tavimo::link {

// Longest answer accepted; bytes beyond it make the answer count as missing.
inline constexpr std::size_t kMaxAnswerBytes = 4096;
inline constexpr int kPortLockWaitMs = 50;
inline constexpr int kLockBusyPauseMs = 20;
inline constexpr int kAttempts = 2;

struct ExchangeResult {
    std::string answer; // "%" through CR; empty unless status is Ok
    LinkStatus status = LinkStatus::Ok;
};

struct CommandResult {
    std::string data; // answer without its header and check code; empty on failure
    LinkStatus status = LinkStatus::Ok;
    bool ok() const { return status == LinkStatus::Ok; }
};

class Link {
public:
    explicit Link(SerialPort& port, LinkReporter* reporter = nullptr);

    ExchangeResult exchangeFrame(std::string_view request);
    CommandResult sendCommand(Direction dir, std::string_view mnemonic, int id, std::string_view data,
                              bool reportErrors);

    void setCheckCodeMode(int mode) { checkCodeMode_ = mode; }
    int checkCodeMode() const { return checkCodeMode_.load(); }
    void setReporter(LinkReporter* r) { reporter_ = r; }

    // Set once a fatal status was met on the user-interface side: later
    // user-interface commands then fail at once, silently.
    bool terminating() const { return terminating_.load(); }
    void clearTerminating() { terminating_ = false; }

    // Status of the last command transaction completed on the calling thread,
    // so that a front end can say why an operation failed.
    // resetLastStatus() sets it to NotSent, which stays when a command is
    // refused before anything is sent (a value out of range).
    static LinkStatus lastStatus();
    static void resetLastStatus();

    SerialPort& port() { return port_; }
    // The port lock "COM": held by one exchange from its write to its answer.
    std::timed_mutex& portLock() { return portLock_; }

private:
    LinkStatus readAnswer(std::string& answer);
    bool answerWellFormed(std::string_view answer, int mode) const;

    SerialPort& port_;
    LinkReporter* reporter_;
    std::timed_mutex portLock_;
    std::atomic<int> checkCodeMode_{kCheckCodeOff};
    std::atomic<bool> terminating_{false};
};

} // namespace tavimo::link
