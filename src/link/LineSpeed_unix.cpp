// Kept apart from the rest of the port code: <asm/termbits.h> (termios2) cannot be included
// together with <termios.h>.
#include "link/LineSpeed_unix.h"

#include <asm/termbits.h>
#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>

namespace alvetra {

namespace {

// The deviation a UART tolerates comfortably; drivers round custom rates to their divisors.
constexpr int kToleratedPercent = 3;

bool closeEnough(unsigned actual, int wanted)
{
    return std::abs(static_cast<long>(actual) - wanted) * 100 <= static_cast<long>(wanted) * kToleratedPercent;
}

} // namespace

bool setLineRate(int fd, int bitsPerSecond)
{
    if (bitsPerSecond <= 0) {
        errno = EINVAL;
        return false;
    }
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = static_cast<speed_t>(bitsPerSecond);
    settings.c_ospeed = static_cast<speed_t>(bitsPerSecond);
    if (ioctl(fd, TCSETS2, &settings) != 0)
        return false;
    struct termios2 taken {};
    if (ioctl(fd, TCGETS2, &taken) != 0)
        return false;
    if (!closeEnough(taken.c_ospeed, bitsPerSecond) || !closeEnough(taken.c_ispeed, bitsPerSecond)) {
        errno = EINVAL;
        return false;
    }
    return true;
}

} // namespace alvetra
