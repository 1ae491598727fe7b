#include "sim/pty.h"

#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace tavimo::sim {

Pty::~Pty()
{
    close();
}

bool Pty::open()
{
    close();
    int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m < 0) return false;
    if (::grantpt(m) != 0 || ::unlockpt(m) != 0) {
        ::close(m);
        return false;
    }
    const char* name = ::ptsname(m);
    if (!name) {
        ::close(m);
        return false;
    }
    std::string path = name;
    int s = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (s < 0) {
        ::close(m);
        return false;
    }
    // Raw from the start: nothing may be translated (CR to LF, echo) before
    // the program opens the port and sets its own mode.
    termios t{};
    if (::tcgetattr(s, &t) != 0) {
        ::close(s);
        ::close(m);
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(s, TCSANOW, &t) != 0) {
        ::close(s);
        ::close(m);
        return false;
    }
    int flags = ::fcntl(m, F_GETFL);
    ::fcntl(m, F_SETFL, flags | O_NONBLOCK);
    master_ = m;
    slave_ = s;
    slavePath_ = path;
    return true;
}

void Pty::closeMaster()
{
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void Pty::close()
{
    closeMaster();
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
}

} // namespace tavimo::sim
