#pragma once

// The simulated instrument on a pseudo-terminal, answering on a thread of its own. The
// program (or a test) opens devicePath() as a serial port; replies go out paced at the line
// speed the far end set (10 bits a byte), with the faults of FaultSettings. The instrument
// can vanish (its pseudo-terminal closed, the link removed) and come back on a new one.
//
//     sim::SimServer server;              // address 1, no faults
//     server.start();
//     open(server.devicePath()) ...       // or server.linkPath() when options.linkPath is set

#include "link/sim/SimFaults.h"
#include "link/sim/SimInstrument.h"
#include "link/sim/SimPty.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace sim {

struct ServerOptions
{
    InstrumentSettings instrument;
    FaultSettings faults;
    std::string linkPath; // empty: no symbolic link
    // False answers as the instrument's own USB port does: each reply at once, whatever
    // line speed the far end set.
    bool pacing = true;
    // Verbose log, one line per request and reply; called on the server thread.
    std::function<void(const std::string &)> log;
};

// A reply as it was put on the line.
struct SentReply
{
    int serial = 0;
    Reply::Kind kind = Reply::Kind::Value;
    uint16_t reg = 0;
    int page = 0;
    unsigned faults = NoFault;
    std::vector<uint8_t> frame; // the intact reply
    std::vector<uint8_t> sent; // the bytes that went out, all bursts; empty when dropped
    uint32_t lineSpeed = 0; // bits per second used for pacing; 0 without pacing
    double started = 0; // seconds since start of the server, first byte
    double finished = 0; // seconds since start of the server, last byte
};

class SimServer
{
public:
    explicit SimServer(ServerOptions options = {});
    ~SimServer();
    SimServer(const SimServer &) = delete;
    SimServer &operator=(const SimServer &) = delete;

    // Opens the pseudo-terminal, makes the link and starts answering.
    bool start(std::string *error = nullptr);
    // Stops answering, closes the pseudo-terminal and removes the link.
    void stop();
    bool isRunning() const;

    // The pseudo-terminal's device path; empty while vanished or stopped.
    std::string devicePath() const;
    const std::string &linkPath() const { return m_options.linkPath; }

    // Closes the pseudo-terminal (the program's port goes dead) and removes the link.
    void vanish();
    // A new pseudo-terminal (its path may differ) and the link made again.
    bool comeBack(std::string *error = nullptr);
    bool isPresent() const;

    void setFaults(const FaultSettings &faults);
    // Speed the far end set on the line, in bits per second; 0 while vanished.
    uint32_t lineSpeed() const;

    // The latest replies (up to MaxHistory), oldest first, and how many were sent in all.
    static constexpr size_t MaxHistory = 2000;
    std::vector<SentReply> sentReplies() const;
    int repliesSent() const;
    // Replies decided on whose bytes are still going out on the line.
    int repliesPending() const;
    // How often the server thread has woken since it started; an idle line wakes it only on commands.
    uint64_t wakeups() const;
    // Blocks until `count` replies in all are completely on the line, or the timeout.
    bool waitForReplies(int count, std::chrono::milliseconds timeout) const;

    // Runs `f` on the instrument under the server's lock.
    template <typename F> auto withInstrument(F f)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return f(m_instrument);
    }

private:
    enum class Command { Vanish, ComeBack, Stop };
    struct Outgoing
    {
        Transmission transmission;
        size_t burst = 0;
        size_t offset = 0;
        double burstStart = -1;
        double bytesPerSecond = 960;
        std::vector<uint8_t> sent;
        uint32_t lineSpeed = 0;
        double started = -1;
    };

    double now() const;
    void run();
    bool execute(Command command, std::string *error); // with m_mutex held
    bool post(Command command, std::string *error);
    void wake();
    void enqueue(std::vector<Reply> replies); // with m_mutex held
    // Puts due bytes on the line; returns the time of the next step, or a negative value
    // when nothing waits. With m_mutex held.
    double writeStep(double time, bool &waitWritable);
    void finishFront(double time);
    void logLine(const std::string &line) const;

    ServerOptions m_options;
    std::chrono::steady_clock::time_point m_epoch;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Instrument m_instrument;
    FaultInjector m_faults;
    PtyPair m_pty;
    std::deque<Outgoing> m_queue;
    double m_lineFreeAt = 0;
    double m_blockedSince = -1;
    std::vector<SentReply> m_history;
    int m_sentCount = 0;
    uint64_t m_wakeups = 0;
    std::thread m_thread;
    bool m_running = false;
    int m_wakeFd = -1;
    std::deque<std::pair<Command, uint64_t>> m_commands;
    uint64_t m_lastCommand = 0;
    uint64_t m_doneCommand = 0;
    std::map<uint64_t, std::pair<bool, std::string>> m_results;
};

} // namespace sim
