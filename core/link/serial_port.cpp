#include "link/serial_port.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace tavimo::link {

struct SerialPort::Saved {
    termios line{};
};

namespace {

using Clock = std::chrono::steady_clock;

speed_t standardSpeed(int baud)
{
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return 0;
    }
}

int remainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

// Waits for the descriptor; 1 ready, 0 timeout, -1 error or hang-up.
int waitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    for (;;) {
        int r = ::poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) return -1;
        if (r == 0) return 0;
        if (p.revents & events) return 1;
        return -1; // POLLERR, POLLHUP, POLLNVAL without data
    }
}

} // namespace

SerialPort::SerialPort() : saved_(std::make_unique<Saved>()) {}

SerialPort::~SerialPort()
{
    if (portOpen_) closePort();
}

bool SerialPort::openPort(const std::string& name, const std::string& speed, const std::string& parity,
                          int timeoutIndex, bool rtsHandshake, bool dtrHandshake, const std::string& stop,
                          const std::string& data)
{
    if (portOpen_) return true;
    int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    auto fail = [&] {
        ::close(fd);
        fd_ = -1;
        return false;
    };
    if (::ioctl(fd, TIOCEXCL) != 0) return fail();
    if (::tcgetattr(fd, &saved_->line) != 0) return fail();
    fd_ = fd;
    if (!configurePort(speed, parity, data, stop, rtsHandshake, dtrHandshake)) return fail();
    // The timeouts live in the line state on POSIX; they were saved with it.
    portOpen_ = true; // applyTimeout needs an open port
    if (!applyTimeout(timeoutIndex)) {
        portOpen_ = false;
        ::tcsetattr(fd, TCSANOW, &saved_->line);
        return fail();
    }
    if (::tcflush(fd, TCIOFLUSH) != 0) {
        portOpen_ = false;
        ::tcsetattr(fd, TCSANOW, &saved_->line);
        return fail();
    }
    name_ = name;
    errorWord_ = 0;
    return true;
}

bool SerialPort::configurePort(const std::string& speed, const std::string& parity, const std::string& data,
                               const std::string& stop, bool rtsHandshake, bool dtrHandshake)
{
    if (fd_ < 0) return false;
    working_ = resolveLineSettings(speed, parity, data, stop);
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | HUPCL;
    t.c_cflag |= working_.dataBits == 7 ? CS7 : CS8;
    if (working_.parity != 'N') {
        t.c_cflag |= PARENB;
        if (working_.parity == 'O') t.c_cflag |= PARODD;
        t.c_iflag |= INPCK;
    }
    if (working_.stopBits == 2) t.c_cflag |= CSTOPB;
    // POSIX has one hardware handshake (RTS/CTS); DTR handshake has no equivalent.
    if (rtsHandshake) t.c_cflag |= CRTSCTS;
    (void)dtrHandshake;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    speed_t sp = standardSpeed(working_.baud);
    if (sp != 0) {
        ::cfsetispeed(&t, sp);
        ::cfsetospeed(&t, sp);
    }
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    if (sp == 0 && !setCustomBaud(fd_, working_.baud)) return false;
    // Hold DTR and RTS on. A pseudo-terminal has no modem lines; that is fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(fd_, TIOCMBIS, &lines);
    return true;
}

bool SerialPort::applyTimeout(int index)
{
    if (!portOpen_) return false;
    timeoutIndex_ = index;
    timeoutMs_ = timeoutMsForIndex(index);
    return true;
}

void SerialPort::purgePort()
{
    if (fd_ < 0) return;
    ::tcflush(fd_, TCOFLUSH);
    ::tcflush(fd_, TCIFLUSH);
}

int SerialPort::writePort(const char* bytes, int count)
{
    if (count < 0) count = 0;
    if (!portOpen_) return kPortError;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_.load());
    int done = 0;
    while (done < count) {
        ssize_t n = ::write(fd_, bytes + done, static_cast<size_t>(count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            purgePort();
            return kPortError;
        }
        int left = remainingMs(deadline);
        if (left == 0) return kPortTimeout;
        int w = waitFor(fd_, POLLOUT, left);
        if (w < 0) {
            purgePort();
            return kPortError;
        }
        if (w == 0) return kPortTimeout;
    }
    return kPortOk;
}

int SerialPort::readAvailable(char* buffer, int capacity, int timeoutMs)
{
    if (!portOpen_) return -1;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int w = waitFor(fd_, POLLIN, remainingMs(deadline));
        if (w == 0) return 0;
        if (w < 0) return -1;
        ssize_t n = ::read(fd_, buffer, static_cast<size_t>(capacity));
        if (n > 0) return static_cast<int>(n);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        return -1; // end of file or EIO: the line is gone
    }
}

int SerialPort::readPort(char* buffer, int count)
{
    if (count < 0) count = 0;
    int done = 0;
    while (done < count) {
        int n = readAvailable(buffer + done, count - done, timeoutMs_.load());
        if (n < 0) {
            purgePort();
            return kPortError;
        }
        if (n == 0) return kPortTimeout;
        done += n;
    }
    return kPortOk;
}

LineSettings SerialPort::lineSettings() const
{
    return working_;
}

std::uint32_t SerialPort::closePort()
{
    if (!portOpen_ || fd_ < 0) {
        portOpen_ = false;
        return errorWord_;
    }
    purgePort();
    ::tcsetattr(fd_, TCSANOW, &saved_->line);
    // The exclusive flag belongs to the device, not to this descriptor: clear
    // it, or the next open of a device someone else holds open fails.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    portOpen_ = false;
    return errorWord_;
}

} // namespace tavimo::link
