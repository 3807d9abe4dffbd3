#pragma once

// Requests and their replies over the serial component, by the program's rules: frames from
// the request builders, the 20 ms pause and the paced wait for long replies (none over the
// instrument's USB port), the wait for the rest of a reply still arriving, the CRC check,
// an immediate resend after a short or damaged reply and a resend after 2 s of silence.

#include "cli/LinkTarget.h"
#include "link/Reply.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <memory>

class LinkSession;
class TComm;
class PortMap;

constexpr uint16_t MeasurementRegister = 148;
constexpr uint16_t ModeRegister = 128;
constexpr uint16_t LinkCheckRegister = 187;
constexpr uint16_t CloseNoticeRegister = 186;

struct ExchangeCounters
{
    int requests = 0; // frames sent, resends included
    int resends = 0;
    int damaged = 0; // replies too short, too long or with a wrong CRC
    int silent = 0; // 2 s without a reply
};

class InstrumentLink
{
public:
    explicit InstrumentLink(LinkTarget target);
    ~InstrumentLink();
    InstrumentLink(const InstrumentLink &) = delete;
    InstrumentLink &operator=(const InstrumentLink &) = delete;

    const LinkTarget &target() const { return m_target; }
    // Replies waited for at the wire's pace (the target's choice, or set here), not paced.
    void setWirePace(bool wire);

    // Opens the port. Throws CliError (device) naming the port and the reason: no device,
    // in use by another program, no permission.
    void open();
    // Opens the port again after it went away; false while it cannot be opened.
    bool reopen();
    bool isOpen() const;
    void close();

    // Reads `count` at register `reg` and waits up to `timeoutMs` for its reply, asking again
    // as the program does. Returns the whole frame, CRC included; empty when no fitting reply
    // came in time, when the port went away, or when `stopRequested` said so. Time is the
    // platform clock's: its sleeps pace the waits and its time ends them.
    QByteArray read(uint16_t reg, uint16_t count, int timeoutMs);
    QByteArray readMeasurement(int timeoutMs) { return read(MeasurementRegister, 2, timeoutMs); }

    // Writes four data bytes (SendWriteBytes) or a float (SendWriteValue) and waits up to
    // `timeoutMs` for the instrument's acknowledgement of `reg` (function 0x09). The write goes
    // out again after a damaged frame and after 2 s of silence. False when no acknowledgement
    // came in time, the port went away or a stop was requested.
    bool writeAcknowledged(uint16_t reg, const uint8_t data[4], int timeoutMs);
    bool writeAcknowledged(uint16_t reg, float value, int timeoutMs);
    // A float written without any reply awaited (the instrument acknowledges some registers
    // and not others). False when the port is closed or took no frame.
    bool writeValue(uint16_t reg, float value);

    // Frames to which no reply is awaited. False when the port is closed or took no frame.
    bool writeBytes(uint16_t reg, const uint8_t data[4]);
    bool sendRead(uint16_t reg, uint16_t count);
    // Drops whatever waits in the receive queue (a reply that nobody reads).
    void discardInput();

    // Milliseconds a measurement exchange may take at this speed: wire time, paced wait and
    // one resend after silence.
    int measurementBudgetMs() const;

    const ExchangeCounters &counters() const { return m_counters; }

    // Asked while waiting; true ends the wait at once.
    std::function<bool()> stopRequested;

private:
    bool send(uint16_t reg, uint16_t count);
    bool awaitAcknowledgement(uint16_t reg, int timeoutMs, const std::function<bool()> &write);
    // Sends with `request`, and again after a silence, and after a damaged reply with
    // `resend`, until `accepts` takes a fetched reply (returned) or the time is up (empty).
    // The link session waits for a reply to `awaited`, fetches and tells what it is.
    QByteArray exchange(int timeoutMs, uint8_t awaited, const std::function<bool()> &request,
        const std::function<bool()> &resend, const std::function<bool(const ClassifiedReply &)> &accepts);
    bool stopping() const { return stopRequested && stopRequested(); }

    LinkTarget m_target;
    std::unique_ptr<PortMap> m_portMap;
    std::unique_ptr<TComm> m_comm;
    std::unique_ptr<LinkSession> m_session;
    ExchangeCounters m_counters;
};
