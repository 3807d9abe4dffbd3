#include "link/sim/SimServer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {
// A write that cannot get rid of its bytes for this long means nobody reads the far end;
// the rest of the reply is dropped as it would be on a wire with no listener.
constexpr double StalledWriteSeconds = 2.0;
constexpr uint32_t FallbackSpeed = 9600;

float singleAt(const std::vector<uint8_t> &bytes, size_t offset)
{
    float value = 0;
    if (bytes.size() >= offset + 4)
        std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

std::string describe(const Transmission &t)
{
    const Reply &r = t.reply;
    char line[256];
    if (r.kind == Reply::Kind::Measurement) {
        const size_t n = r.bytes.size();
        const unsigned crc = n >= 2 ? (r.bytes[n - 1] << 8 | r.bytes[n - 2]) : 0;
        std::snprintf(line, sizeof line,
            "reply #%d: measurement, %zu bytes, URMS %.3f V, KWH %.6f, CRC %04X, faults %s", t.serial, n,
            singleAt(r.bytes, 0), singleAt(r.bytes, 56), crc, FaultText(t.faults).c_str());
    } else if (r.kind == Reply::Kind::StartingPage) {
        std::snprintf(line, sizeof line, "reply #%d: starting-test page %d, %zu bytes, faults %s", t.serial,
            r.page, r.bytes.size(), FaultText(t.faults).c_str());
    } else {
        std::snprintf(line, sizeof line, "reply #%d: %s for %u: %s, faults %s", t.serial,
            ReplyKindText(r.kind), r.reg, HexText(r.bytes.data(), r.bytes.size()).c_str(),
            FaultText(t.faults).c_str());
    }
    return line;
}
} // namespace

SimServer::SimServer(ServerOptions options)
    : m_options(std::move(options))
    , m_epoch(std::chrono::steady_clock::now())
    , m_instrument(m_options.instrument)
    , m_faults(m_options.instrument.seed, m_options.faults)
{
    if (m_options.log)
        m_instrument.log = [this](const std::string &line) { logLine(line); };
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SimServer::~SimServer()
{
    stop();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

double SimServer::now() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_epoch).count();
}

void SimServer::logLine(const std::string &line) const
{
    if (!m_options.log)
        return;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%10.3f ", now());
    m_options.log(stamp + line);
}

bool SimServer::start(std::string *error)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return true;
    if (m_wakeFd < 0) {
        if (error)
            *error = std::string("eventfd: ") + std::strerror(errno);
        return false;
    }
    if (!OpenPty(m_pty, error))
        return false;
    if (!m_options.linkPath.empty() && !MakeLink(m_options.linkPath, m_pty.path, error)) {
        ClosePty(m_pty);
        return false;
    }
    logLine("instrument at address " + std::to_string(m_instrument.address()) + " on " + m_pty.path);
    m_running = true;
    m_thread = std::thread(&SimServer::run, this);
    return true;
}

void SimServer::stop()
{
    post(Command::Stop, nullptr);
    if (m_thread.joinable())
        m_thread.join();
}

bool SimServer::isRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_running;
}

std::string SimServer::devicePath() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pty.path;
}

void SimServer::vanish()
{
    post(Command::Vanish, nullptr);
}

bool SimServer::comeBack(std::string *error)
{
    return post(Command::ComeBack, error);
}

bool SimServer::isPresent() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_pty.master >= 0;
}

void SimServer::setFaults(const FaultSettings &faults)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_faults.setSettings(faults);
}

uint32_t SimServer::lineSpeed() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return LineSpeed(m_pty.slave);
}

std::vector<SentReply> SimServer::sentReplies() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_history;
}

int SimServer::repliesSent() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sentCount;
}

uint64_t SimServer::wakeups() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_wakeups;
}

int SimServer::repliesPending() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(m_queue.size());
}

bool SimServer::waitForReplies(int count, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_sentCount >= count; });
}

void SimServer::wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
}

bool SimServer::post(Command command, std::string *error)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_running) {
        if (command == Command::ComeBack) {
            if (error)
                *error = "the simulated instrument is not running";
            return false;
        }
        return command == Command::Stop ? execute(command, error) : true;
    }
    const uint64_t id = ++m_lastCommand;
    m_commands.emplace_back(command, id);
    wake();
    m_changed.wait(lock, [&] { return m_doneCommand >= id; });
    const auto result = m_results[id];
    m_results.erase(id);
    if (error)
        *error = result.second;
    return result.first;
}

bool SimServer::execute(Command command, std::string *error)
{
    switch (command) {
    case Command::Vanish:
    case Command::Stop:
        if (m_pty.master >= 0) {
            if (!m_options.linkPath.empty())
                RemoveLink(m_options.linkPath, m_pty.path);
            logLine(command == Command::Stop ? "stopped" : "vanished from " + m_pty.path);
            ClosePty(m_pty);
        }
        m_queue.clear();
        m_instrument.clearInput();
        if (command == Command::Stop)
            m_running = false;
        return true;
    case Command::ComeBack:
        if (m_pty.master >= 0)
            return true;
        if (!OpenPty(m_pty, error))
            return false;
        if (!m_options.linkPath.empty() && !MakeLink(m_options.linkPath, m_pty.path, error)) {
            ClosePty(m_pty);
            return false;
        }
        m_lineFreeAt = 0;
        logLine("back on " + m_pty.path);
        return true;
    }
    return false;
}

void SimServer::enqueue(std::vector<Reply> replies)
{
    for (Reply &reply : replies) {
        Outgoing out;
        out.transmission = m_faults.apply(std::move(reply));
        logLine(describe(out.transmission));
        m_queue.push_back(std::move(out));
    }
}

void SimServer::finishFront(double time)
{
    Outgoing &o = m_queue.front();
    SentReply record;
    record.serial = o.transmission.serial;
    record.kind = o.transmission.reply.kind;
    record.reg = o.transmission.reply.reg;
    record.page = o.transmission.reply.page;
    record.faults = o.transmission.faults;
    record.frame = std::move(o.transmission.reply.bytes);
    record.sent = std::move(o.sent);
    record.lineSpeed = o.lineSpeed;
    record.started = o.started < 0 ? time : o.started;
    record.finished = time;
    if (m_history.size() >= MaxHistory)
        m_history.erase(m_history.begin());
    m_history.push_back(std::move(record));
    ++m_sentCount;
    m_queue.pop_front();
    m_changed.notify_all();
}

double SimServer::writeStep(double time, bool &waitWritable)
{
    while (!m_queue.empty()) {
        Outgoing &o = m_queue.front();
        std::vector<Burst> &bursts = o.transmission.bursts;
        if (bursts.empty()) { // dropped
            finishFront(time);
            continue;
        }
        const Burst &burst = bursts[o.burst];
        if (o.burstStart < 0) {
            const double start = m_lineFreeAt + burst.pauseBefore;
            if (time < start)
                return start;
            // The far end may change its speed between replies; each burst uses the current one.
            if (m_options.pacing) {
                o.lineSpeed = LineSpeed(m_pty.slave);
                if (o.lineSpeed == 0)
                    o.lineSpeed = FallbackSpeed;
                o.bytesPerSecond = o.lineSpeed / 10.0;
            } else {
                o.lineSpeed = 0;
                o.bytesPerSecond = std::numeric_limits<double>::infinity();
            }
            o.burstStart = time;
            if (o.started < 0)
                o.started = time;
        }
        // Byte k is complete on the wire (k + 1) character times after the burst began.
        const size_t due = m_options.pacing
            ? std::min(burst.bytes.size(), static_cast<size_t>((time - o.burstStart) * o.bytesPerSecond))
            : burst.bytes.size();
        if (due > o.offset) {
            const size_t wanted = due - o.offset;
            const ssize_t n = ::write(m_pty.master, burst.bytes.data() + o.offset, wanted);
            if (n > 0) {
                o.sent.insert(o.sent.end(), burst.bytes.begin() + static_cast<std::ptrdiff_t>(o.offset),
                    burst.bytes.begin() + static_cast<std::ptrdiff_t>(o.offset + n));
                o.offset += static_cast<size_t>(n);
                m_blockedSince = -1;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                logLine(std::string("write failed: ") + std::strerror(errno) + "; reply abandoned");
                finishFront(time);
                continue;
            }
            if (n < 0 || static_cast<size_t>(n) < wanted) {
                if (m_blockedSince < 0)
                    m_blockedSince = time;
                if (time - m_blockedSince > StalledWriteSeconds) {
                    logLine("nobody reads the line; reply abandoned");
                    ::tcflush(m_pty.slave, TCIFLUSH);
                    m_blockedSince = -1;
                    finishFront(time);
                    continue;
                }
                waitWritable = true;
                return time + 0.005;
            }
        }
        if (o.offset < burst.bytes.size())
            return std::max(o.burstStart + (o.offset + 1) / o.bytesPerSecond, time + 0.001);
        m_lineFreeAt = o.burstStart + burst.bytes.size() / o.bytesPerSecond;
        if (++o.burst < bursts.size()) {
            o.offset = 0;
            o.burstStart = -1;
            continue;
        }
        finishFront(std::max(time, m_lineFreeAt));
    }
    return -1;
}

void SimServer::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    uint8_t buffer[4096];
    for (;;) {
        while (!m_commands.empty()) {
            const auto [command, id] = m_commands.front();
            m_commands.pop_front();
            std::string error;
            const bool ok = execute(command, &error);
            m_results[id] = { ok, error };
            m_doneCommand = id;
            m_changed.notify_all();
            if (command == Command::Stop)
                return;
        }

        const double time = now();
        bool waitWritable = false;
        double next = -1;
        if (m_pty.master >= 0) {
            enqueue(m_instrument.advance(time));
            next = writeStep(time, waitWritable);
        }
        // A notice that falls due while the line is gone goes out once it is back.
        if (const auto event = m_instrument.nextEventTime(); event && m_pty.master >= 0)
            next = next < 0 ? *event : std::min(next, *event);
        const int master = m_pty.master;
        lock.unlock();

        pollfd fds[2] = { { m_wakeFd, POLLIN, 0 },
            { master, static_cast<short>(POLLIN | (waitWritable ? POLLOUT : 0)), 0 } };
        timespec timeout {};
        if (next >= 0) {
            const double wait = std::max(0.0, next - now());
            timeout.tv_sec = static_cast<time_t>(wait);
            timeout.tv_nsec = static_cast<long>((wait - std::floor(wait)) * 1e9);
        }
        ::ppoll(fds, master >= 0 ? 2 : 1, next >= 0 ? &timeout : nullptr, nullptr);
        if (fds[0].revents & POLLIN) {
            uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count, sizeof count);
        }

        lock.lock();
        ++m_wakeups;
        // Only this thread closes the pseudo-terminal, so `master` is still the one polled.
        if (master >= 0 && (fds[1].revents & POLLIN)) {
            for (;;) {
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n <= 0)
                    break;
                enqueue(m_instrument.receive(buffer, static_cast<size_t>(n), now()));
            }
        }
    }
}

} // namespace sim
