#include "link/sim/SimPty.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

uint32_t LineSpeedFromKernel(int fd); // SimLineSpeed.cpp

namespace {
bool fail(std::string *error, const std::string &what)
{
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}

uint32_t speedOfCode(speed_t code)
{
    static const std::pair<speed_t, uint32_t> table[] = {
        { B50, 50 },
        { B75, 75 },
        { B110, 110 },
        { B134, 134 },
        { B150, 150 },
        { B200, 200 },
        { B300, 300 },
        { B600, 600 },
        { B1200, 1200 },
        { B1800, 1800 },
        { B2400, 2400 },
        { B4800, 4800 },
        { B9600, 9600 },
        { B19200, 19200 },
        { B38400, 38400 },
        { B57600, 57600 },
        { B115200, 115200 },
        { B230400, 230400 },
        { B460800, 460800 },
        { B921600, 921600 },
    };
    for (const auto &[c, speed] : table)
        if (c == code)
            return speed;
    return 0;
}
} // namespace

bool OpenPty(PtyPair &pty, std::string *error)
{
    PtyPair p;
    p.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (p.master < 0)
        return fail(error, "posix_openpt");
    char name[PATH_MAX];
    if (::grantpt(p.master) != 0 || ::unlockpt(p.master) != 0
        || ::ptsname_r(p.master, name, sizeof name) != 0) {
        const bool result = fail(error, "pseudo-terminal setup");
        ::close(p.master);
        return result;
    }
    p.path = name;
    p.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (p.slave < 0) {
        const bool result = fail(error, "open " + p.path);
        ::close(p.master);
        return result;
    }
    // Raw from the start: a cooked line would echo replies back as requests, and the
    // program restores these settings when it closes the port.
    termios settings {};
    if (::tcgetattr(p.slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, B9600);
        ::cfsetospeed(&settings, B9600);
        ::tcsetattr(p.slave, TCSANOW, &settings);
    }
    const int flags = ::fcntl(p.master, F_GETFL);
    ::fcntl(p.master, F_SETFL, flags | O_NONBLOCK);
    pty = p;
    return true;
}

void ClosePty(PtyPair &pty)
{
    if (pty.master >= 0)
        ::close(pty.master);
    if (pty.slave >= 0)
        ::close(pty.slave);
    pty = PtyPair {};
}

uint32_t LineSpeed(int fd)
{
    if (fd < 0)
        return 0;
    if (const uint32_t speed = LineSpeedFromKernel(fd))
        return speed;
    termios settings {};
    if (::tcgetattr(fd, &settings) != 0)
        return 0;
    return speedOfCode(::cfgetospeed(&settings));
}

bool MakeLink(const std::string &linkPath, const std::string &target, std::string *error)
{
    struct stat info
    {
    };
    if (::lstat(linkPath.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        if (error)
            *error = linkPath + " exists and is not a symbolic link";
        return false;
    }
    // Made beside the final name and renamed over it, so the link never goes missing.
    const std::string temporary = linkPath + ".new" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(target.c_str(), temporary.c_str()) != 0)
        return fail(error, "symlink " + linkPath);
    if (::rename(temporary.c_str(), linkPath.c_str()) != 0) {
        const bool result = fail(error, "rename " + linkPath);
        ::unlink(temporary.c_str());
        return result;
    }
    return true;
}

void RemoveLink(const std::string &linkPath, const std::string &target)
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(linkPath.c_str(), buffer, sizeof buffer - 1);
    if (n < 0)
        return;
    buffer[n] = '\0';
    if (target == buffer)
        ::unlink(linkPath.c_str());
}

} // namespace sim
