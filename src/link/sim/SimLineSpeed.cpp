// Kept apart from every file that includes <termios.h>: the kernel's termios2, which holds
// the speed of a line set by number (BOTHER), clashes with the C library's termios.

#include "link/sim/SimPty.h"

#if defined(__linux__)
#include <asm/termbits.h>
#include <sys/ioctl.h>
#endif

namespace sim {

uint32_t LineSpeedFromKernel(int fd)
{
#if defined(__linux__)
    struct termios2 settings
    {
    };
    if (::ioctl(fd, TCGETS2, &settings) == 0)
        return settings.c_ospeed;
#else
    (void)fd;
#endif
    return 0;
}

} // namespace sim
