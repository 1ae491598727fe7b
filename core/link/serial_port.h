// The serial port on POSIX termios: exclusive open, raw mode, line settings,
// the timeout table, purge, byte read and write, close with the old settings
// put back.
#pragma once

#include "link/line_settings.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace tavimo::link {

// Results of writePort and readPort.
inline constexpr int kPortOk = 0;
inline constexpr int kPortTimeout = 1;
inline constexpr int kPortError = 9;

class SerialPort {
public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens and configures the port. True also when it is open already (then
    // nothing changes).
    bool openPort(const std::string& name, const std::string& speed, const std::string& parity, int timeoutIndex,
                  bool rtsHandshake, bool dtrHandshake, const std::string& stop, const std::string& data);
    bool configurePort(const std::string& speed, const std::string& parity, const std::string& data,
                       const std::string& stop, bool rtsHandshake, bool dtrHandshake);
    bool applyTimeout(int index);
    void purgePort();
    // All `count` bytes within T: 0; fewer before the deadline: 1; port error: 9.
    int writePort(const char* bytes, int count);
    // `count` bytes, each within T of the one before: 0; a byte missing: 1; error: 9.
    int readPort(char* buffer, int count);
    // Reads what is there, waiting at most `timeoutMs` for the first byte.
    // Returns the number of bytes (> 0), 0 on timeout, -1 on a port error.
    int readAvailable(char* buffer, int capacity, int timeoutMs);
    std::uint32_t closePort();

    bool isOpen() const { return portOpen_.load(); }
    int timeoutMs() const { return timeoutMs_.load(); }
    int timeoutIndex() const { return timeoutIndex_.load(); }
    LineSettings lineSettings() const;
    const std::string& name() const { return name_; }

private:
    struct Saved;
    int fd_ = -1;
    std::atomic<bool> portOpen_{false};
    std::atomic<int> timeoutMs_{2000};
    std::atomic<int> timeoutIndex_{2};
    std::atomic<std::uint32_t> errorWord_{0};
    std::unique_ptr<Saved> saved_;
    LineSettings working_;
    std::string name_;
};

// Sets a baud rate that has no Bxxx constant (14400, 56000). Linux only.
bool setCustomBaud(int fd, int baud);

} // namespace tavimo::link
