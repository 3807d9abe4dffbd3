#pragma once

// The link session: the request and resend state of one instrument link and the rules for
// waiting on, fetching and answering its replies. It is fed from the serial component's
// receive event (or polled by the command-line tool), keeps the reply rules (resend after a
// short, damaged or too long reply, the starting pages one after another, the alarm chain's
// next register, the mode byte starting that chain) and tells what happened through its
// signals. Everything runs on the thread of the serial component, synchronously.

#include "link/Reply.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

class TComm;

// A reply as fetched: what it is, and its bytes (in the session's frame buffer; none when
// nothing was fetched or the input was too long to be kept).
struct FetchedReply
{
    ClassifiedReply reply;
    const uint8_t *frame = nullptr;
    int n = 0;

    bool fetched() const { return n > 0; }
};

class LinkSession final : public QObject
{
    Q_OBJECT

public:
    // Requests go out through `comm` (the request port) while the session lives.
    explicit LinkSession(TComm &comm, QObject *parent = nullptr);
    ~LinkSession() override;

    // The index of the speed chosen in the speed list (-1 for none) paces the wait for long
    // replies.
    void setBaudIndex(int index) { m_baudIndex = index; }
    int baudIndex() const { return m_baudIndex; }
    // Asked between the paced steps; true ends the wait at once.
    std::function<bool()> stopRequested;
    // How a reply is waited for: the windows' first sleep and paced steps, or only as long
    // as the reply takes on the wire (for a program that is not bound to the paced steps).
    enum class Pace { Paced, Wire };
    void setPace(Pace pace) { m_pace = pace; }
    Pace pace() const { return m_pace; }

    // The receive event: waits for the reply to the last read, fetches it and handles it.
    // Never nests: a message box shown from a handler leaves later bytes for the next event.
    void receive();
    // Handles a reply already fetched: `frame` holds its `n` bytes.
    ReplyKind handleFrame(const uint8_t *frame, int n);

    // The wait before a fetch: the first sleep, then for a long reply to `awaited` the paced
    // steps (none over the USB link) and the settling wait while it is still arriving. At
    // the wire's pace: until the reply is whole or the line falls quiet, nothing more.
    void waitForReply(uint8_t awaited);
    // Fetches what is queued and tells what it is; nothing when the port is closed or empty.
    // At the wire's pace a reply that asks again is followed by whatever else arrives until
    // the line falls quiet, and that is dropped: the rest of a reply run together with the
    // next would otherwise shift every reply after it.
    FetchedReply fetch();

    // Requests whose reply the session handles. False when no frame went out (no port).
    bool read(uint8_t reg, uint8_t count); // sent, and remembered as the read to repeat
    bool resendLastRead();
    // These tell requestFailed when no frame went out.
    void startAlarmChain(); // the mode byte is asked for; its reply starts the chain
    void writeMode(uint8_t mode); // kept as the mode word, and written
    void requestStartingPage(); // the read of page StartingPage
    // The port was lost and is open again: a starting-test fetch that was under way asks
    // again for the page it was waiting for, whose request or reply went with the port.
    void resumeStartingFetch();

    const std::array<uint8_t, FrameBufferSize> &frameBuffer() const { return m_frame; }

signals:
    void waitStarted();
    void waitStep(int step); // 1 .. PacedSteps; over the USB link only the last
    void measurementArrived(const uint8_t *frame); // a whole measurement block
    void startingPageRequested(int page);
    void startingCaptureCompleted(); // StartingCapture holds the six pages
    void triggerNoticed(); // the starting test fired; its pages are asked for next
    void alarmValueArrived(uint8_t reg, const uint8_t *data);
    void alarmChainSynchronised(); // the switches' reply, the chain's last
    void modeByteArrived(uint8_t mode); // ModeWord holds it
    void writeAcknowledged(uint8_t reg);
    void resent(ReplyKind why);
    void requestFailed(); // a request of the alarm chain or the mode word found no port

private:
    void handle(const ClassifiedReply &reply, const uint8_t *frame);
    void settleWait(uint8_t awaited);
    void wireWait(uint8_t awaited);
    void dropUntilQuiet();
    void storeStartingPage(const uint8_t *frame);
    void alarmValue(uint8_t reg, const uint8_t *data);
    void modeByte(uint8_t mode);
    void triggerNotice();
    bool stopping() const { return stopRequested && stopRequested(); }

    TComm &m_comm;
    int m_baudIndex = -1;
    Pace m_pace = Pace::Paced;
    bool m_receiving = false;
    std::array<uint8_t, FrameBufferSize> m_frame {};
};
