#include "link/LinkSession.h"

#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/Registers.h"
#include "link/TComm.h"

#include <QScopeGuard>

#include <cstring>

LinkSession::LinkSession(TComm &comm, QObject *parent)
    : QObject(parent)
    , m_comm(comm)
{
    UsbLink = 0;
    AlarmReadStep = 0;
    SetRequestPort(&m_comm);
}

LinkSession::~LinkSession()
{
    if (RequestPort() == &m_comm)
        SetRequestPort(nullptr);
}

void LinkSession::receive()
{
    if (m_receiving)
        return;
    m_receiving = true;
    const auto done = qScopeGuard([this] { m_receiving = false; });

    waitForReply(LastRegister);
    const FetchedReply got = fetch();
    if (got.fetched())
        handle(got.reply, got.frame);
}

void LinkSession::waitForReply(uint8_t awaited)
{
    if (m_pace == Pace::Wire) {
        wireWait(awaited);
        return;
    }
    emit waitStarted();
    platform::clock().sleepMs(FirstSleepMs);
    if (UsbLink == 1) {
        // The instrument's own USB port delivers at once.
        emit waitStep(PacedSteps);
    } else {
        const int wait = ExpectsLongReply(awaited) ? StepWaitMs(m_baudIndex) : 0;
        for (int step = 1; step <= PacedSteps && !stopping(); ++step) {
            emit waitStep(step);
            if (wait > 0)
                platform::clock().sleepMs(wait);
        }
    }
    settleWait(awaited);
}

void LinkSession::settleWait(uint8_t awaited)
{
    // The paced steps were sized for sleeps that round up to a coarse timer tick; here they
    // last no longer than the reply itself takes on the wire, and a reply fetched before its
    // end is lost together with the reply to the resend. So while a long reply is still
    // arriving, wait for it until it is whole or the line falls quiet.
    if (!m_comm.portOpen())
        return;
    const SettleBudget budget = LongReplyBudget(awaited, BaudRateSpeed(m_comm.baudRate()));
    uint32_t queued = m_comm.dataCount();
    for (int waited = 0; queued < budget.expectedBytes && waited < budget.budgetMs;
         waited += budget.quietMs) {
        platform::clock().sleepMs(budget.quietMs);
        const uint32_t now = m_comm.dataCount();
        if (now == queued)
            break;
        queued = now;
    }
}

void LinkSession::wireWait(uint8_t awaited)
{
    if (!m_comm.portOpen())
        return;
    const WireWait wait = WireReplyWait(awaited, BaudRateSpeed(m_comm.baudRate()));
    uint32_t queued = m_comm.dataCount();
    for (int quietMs = 0, waited = 0; (wait.expectedBytes == 0 || queued < wait.expectedBytes)
         && quietMs < wait.gapMs && waited < wait.budgetMs && !stopping();
         waited += wait.pollMs) {
        platform::clock().sleepMs(wait.pollMs);
        const uint32_t now = m_comm.dataCount();
        quietMs = now == queued ? quietMs + wait.pollMs : 0;
        queued = now;
    }
}

void LinkSession::dropUntilQuiet()
{
    const WireWait wait = WireReplyWait(0, BaudRateSpeed(m_comm.baudRate()));
    uint32_t queued = m_comm.dataCount();
    for (int quietMs = 0, waited = 0;
         quietMs < wait.gapMs && waited < wait.budgetMs && m_comm.portOpen() && !stopping();
         waited += wait.pollMs) {
        platform::clock().sleepMs(wait.pollMs);
        const uint32_t now = m_comm.dataCount();
        quietMs = now == queued ? quietMs + wait.pollMs : 0;
        queued = now;
    }
    if (m_comm.portOpen())
        m_comm.setDataCount(0);
}

FetchedReply LinkSession::fetch()
{
    if (!m_comm.portOpen() || m_comm.dataCount() == 0)
        return {};
    const uint8_t *first = nullptr;
    const int n = m_comm.FetchInputBytes(first) + 1;
    if (n <= 0 || !first)
        return {};
    FetchedReply got { ClassifyReply(first, n, RoutingByte()), nullptr, n };
    if (got.reply.kind != ReplyKind::TooLong) {
        std::memcpy(m_frame.data(), first, static_cast<size_t>(n));
        got.frame = m_frame.data();
    }
    if (m_pace == Pace::Wire && got.reply.asksAgain())
        dropUntilQuiet();
    return got;
}

ReplyKind LinkSession::handleFrame(const uint8_t *frame, int n)
{
    const ClassifiedReply reply = ClassifyReply(frame, n, RoutingByte());
    handle(reply, frame);
    return reply.kind;
}

void LinkSession::handle(const ClassifiedReply &reply, const uint8_t *frame)
{
    // `frame` is null for input too long to keep: only a resend follows.
    switch (reply.kind) {
    case ReplyKind::Short:
    case ReplyKind::Damaged:
    case ReplyKind::TooLong:
        resendLastRead();
        emit resent(reply.kind);
        break;
    case ReplyKind::Measurement:
        emit measurementArrived(frame);
        break;
    case ReplyKind::StartingPage:
        storeStartingPage(frame);
        break;
    case ReplyKind::RegisterValue:
        if (reply.reg == RegMode)
            modeByte(frame[reply.dataOffset]);
        else
            alarmValue(reply.reg, frame + reply.dataOffset);
        break;
    case ReplyKind::WriteAcknowledge:
        emit writeAcknowledged(reply.reg);
        break;
    case ReplyKind::TriggerNotice:
        triggerNotice();
        break;
    case ReplyKind::Ignored:
        break;
    }
}

bool LinkSession::read(uint8_t reg, uint8_t count)
{
    if (!SendReadRequest(InstrumentAddress, reg, count))
        return false;
    LastRegister = reg;
    LastCount = count;
    return true;
}

bool LinkSession::resendLastRead()
{
    return SendReadRequest(InstrumentAddress, LastRegister, ResendCount(LastRegister, LastCount));
}

void LinkSession::startAlarmChain()
{
    AlarmReadStep = 0;
    if (!SendReadRequest(InstrumentAddress, RegMode, 2))
        emit requestFailed();
    // Whatever comes back is the mode byte's reply, sent or not.
    LastRegister = RegMode;
    LastCount = 2;
}

void LinkSession::writeMode(uint8_t mode)
{
    ModeWord = mode;
    const uint8_t data[4] = { ModeWord, 0, 0, 0 };
    if (!SendWriteBytes(InstrumentAddress, RegMode, data))
        emit requestFailed();
}

void LinkSession::storeStartingPage(const uint8_t *frame)
{
    // A page is only stored while a fetch runs; anything else would land outside the buffer.
    const int offset = StartingPageOffset(StartingPage);
    if (offset < 0)
        return;
    std::memcpy(StartingPageBuffer.data() + offset, frame, StartingPageBytes);
    ++StartingPage;
    if (StartingPage > StartingPages) {
        StartingCapture = StartingPageBuffer;
        StartingPage = 0;
        emit startingCaptureCompleted();
        return;
    }
    requestStartingPage();
}

void LinkSession::requestStartingPage()
{
    SendReadRequest(InstrumentAddress, RegStartingTest, ResendCount(RegStartingTest, StartingPage));
    LastRegister = RegStartingTest;
    LastCount = StartingPage;
    emit startingPageRequested(StartingPage);
}

void LinkSession::resumeStartingFetch()
{
    if (StartingPageOffset(StartingPage) < 0 || !m_comm.portOpen())
        return;
    requestStartingPage();
}

void LinkSession::alarmValue(uint8_t reg, const uint8_t *data)
{
    emit alarmValueArrived(reg, data);
    if (reg == RegAlarmSwitches)
        emit alarmChainSynchronised();
    else if (const uint8_t next = NextAlarmRead(reg, AlarmReadStep);
             next && !SendReadRequest(InstrumentAddress, next, 2))
        emit requestFailed();
    if (AlarmReadStep < 255)
        ++AlarmReadStep;
}

void LinkSession::modeByte(uint8_t mode)
{
    ModeWord = mode;
    emit modeByteArrived(mode);
    if (ModeReplyStartsAlarmChain(AlarmReadStep) && !SendReadRequest(InstrumentAddress, RegAlarmFirst, 2))
        emit requestFailed();
}

void LinkSession::triggerNotice()
{
    emit triggerNoticed();
    StartingPage = 1;
    // Another window may have sent a read since the arming; the pages are what is awaited now,
    // for the paced wait as for a resend.
    LastRegister = RegStartingTest;
    LastCount = 1;
    SendReadRequest(InstrumentAddress, RegStartingTest, ResendCount(RegStartingTest, 1));
}
