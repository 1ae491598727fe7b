// Baud rates without a Bxxx constant go through termios2 and BOTHER. This file
// includes the kernel's termbits only, which clash with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace tavimo::link {

bool setCustomBaud(int fd, int baud)
{
    struct termios2 t;
    if (::ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_ispeed = static_cast<speed_t>(baud);
    t.c_ospeed = static_cast<speed_t>(baud);
    return ::ioctl(fd, TCSETS2, &t) == 0;
}

} // namespace tavimo::link
