#pragma once

// The program's end of a simulated instrument's line for tests: the pseudo-terminal's
// slave opened raw at a chosen speed, with reads that end at a deadline.

#include "FrameBytes.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace simtest {

using SteadyClock = std::chrono::steady_clock;

inline double secondsSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

// The program's end of the line: the pseudo-terminal's slave, raw, at a standard speed.
class LineEnd
{
public:
    LineEnd(const std::string &path, speed_t speed)
    {
        m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return;
        termios settings {};
        ::tcgetattr(m_fd, &settings);
        ::cfmakeraw(&settings);
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
    ~LineEnd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }

    void send(const Bytes &bytes)
    {
        ASSERT_EQ(::write(m_fd, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }

    // Reads until `n` bytes came or the timeout passed; `arrivals` gets the time of each read.
    Bytes receive(size_t n, double timeout, std::vector<std::pair<double, size_t>> *arrivals = nullptr,
        SteadyClock::time_point start = SteadyClock::now())
    {
        Bytes got;
        while (got.size() < n) {
            const double left = timeout - secondsSince(start);
            if (left <= 0)
                break;
            pollfd p { m_fd, POLLIN, 0 };
            if (::poll(&p, 1, std::max(1, int(left * 1000))) <= 0)
                continue;
            if (p.revents & (POLLHUP | POLLERR)) {
                m_hungUp = true;
                break;
            }
            uint8_t buffer[4096];
            const ssize_t k = ::read(m_fd, buffer, sizeof buffer);
            if (k < 0 && errno == EAGAIN)
                continue;
            if (k <= 0) {
                m_hungUp = true;
                break;
            }
            got.insert(got.end(), buffer, buffer + k);
            if (arrivals)
                arrivals->push_back({ secondsSince(start), got.size() });
        }
        return got;
    }
    bool hungUp() const { return m_hungUp; }

private:
    int m_fd = -1;
    bool m_hungUp = false;
};

} // namespace simtest
