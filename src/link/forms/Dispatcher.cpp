// The main window's receive handler: the paced wait for long replies, the fetch, and the
// step for each kind of reply (the kinds themselves are told apart in link/Reply.h); and
// the two timers that ask again.

#include "base/DateTimeText.h"
#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/Registers.h"
#include "link/Reply.h"
#include "link/TComm.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"

#include <QProgressBar>
#include <QScopeGuard>
#include <QTimer>

#include <cstring>

namespace {
void notConnected()
{
    platform::dialogs().message(QStringLiteral("Failed,The machine is not connected"));
}
} // namespace

void TMainForm::Comm1ReceiveData(TComm *sender)
{
    // Message boxes shown from inside the handler run an event loop in which the poll tick
    // fires again; the bytes stay queued for the tick after this one.
    if (m_inReceive || !sender)
        return;
    m_inReceive = true;
    const auto done = qScopeGuard([this] { m_inReceive = false; });

    PacedWait();
    if (!sender->portOpen() || sender->dataCount() == 0)
        return;

    const uint8_t *first = nullptr;
    const int n = sender->FetchInputBytes(first) + 1;
    if (n <= 0 || !first)
        return;
    const ClassifiedReply reply = ClassifyReply(first, n, RoutingByte());
    // Input longer than the frame buffer is never copied into it.
    if (reply.kind != ReplyKind::TooLong)
        std::memcpy(FrameBuffer.data(), first, static_cast<size_t>(n));
    HandleReply(reply, FrameBuffer.data());
}

void TMainForm::PacedWait()
{
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar1->keepBackground();
    ProgressBar1->repaint();
    platform::clock().sleepMs(FirstSleepMs);

    if (UsbLink == 1) {
        // The instrument's own USB port delivers at once: the bar jumps to full.
        ProgressBar1->setValue(ProgressBar1->maximum());
        ProgressBar1->repaint();
    } else {
        const int wait = ExpectsLongReply(LastRegister) ? StepWaitMs(m_baudIndex) : 0;
        for (int step = 1; step <= PacedSteps; ++step) {
            ProgressBar1->setValue(step);
            ProgressBar1->repaint();
            if (wait > 0)
                platform::clock().sleepMs(wait);
        }
    }
    SettleWait();
}

void TMainForm::SettleWait()
{
    // The paced steps were sized for sleeps that round up to a coarse timer tick; here they
    // last no longer than the reply itself takes on the wire, and a reply fetched before its
    // end is lost together with the reply to the resend. So while a long reply is still
    // arriving, wait for it until it is whole or the line falls quiet.
    if (!Comm1->portOpen())
        return;
    const SettleBudget budget = LongReplyBudget(LastRegister, BaudRateSpeed(Comm1->baudRate()));
    uint32_t queued = Comm1->dataCount();
    for (int waited = 0; queued < budget.expectedBytes && waited < budget.budgetMs;
         waited += budget.quietMs) {
        platform::clock().sleepMs(budget.quietMs);
        const uint32_t now = Comm1->dataCount();
        if (now == queued)
            break;
        queued = now;
    }
}

void TMainForm::HandleFrame(const uint8_t *frame, int n)
{
    HandleReply(ClassifyReply(frame, n, RoutingByte()), frame);
}

void TMainForm::HandleReply(const ClassifiedReply &reply, const uint8_t *frame)
{
    switch (reply.kind) {
    case ReplyKind::Short:
    case ReplyKind::Damaged:
    case ReplyKind::TooLong:
        ResendLastRead();
        break;
    case ReplyKind::Measurement:
        HandleMeasurementFrame(frame);
        break;
    case ReplyKind::StartingPage:
        HandleStartingPage(frame);
        break;
    case ReplyKind::RegisterValue:
        if (reply.reg == RegMode)
            HandleModeByte(frame[reply.dataOffset]);
        else
            HandleAlarmValue(reply.reg, frame + reply.dataOffset);
        break;
    case ReplyKind::WriteAcknowledge:
        emit AlarmWriteAcknowledged(reply.reg);
        break;
    case ReplyKind::TriggerNotice:
        HandleTriggerNotice();
        break;
    case ReplyKind::Ignored:
        break;
    }
}

void TMainForm::HandleMeasurementFrame(const uint8_t *frame)
{
    StoreMeasurementReply(frame);
    DrawMeasurement();
    setStatusText(PanelCommunication, QStringLiteral("Sampling completed!"));
    const QDateTime now = platform::clock().now();
    setStatusText(PanelDate,
        QStringLiteral("Date：") + ShortDateText(now.date()) + QStringLiteral(" ")
            + LongTimeText(now.time()));
    ReReadTimer->stop();
    if (SamplingMode == 2)
        ContinuousReadTimer->start();
    if (SamplingMode == 1) {
        SamplingMode = 0;
        ApplyControls(AcquisitionEvent::SingleMeasured);
    }
    emit MeasurementStored();
}

void TMainForm::HandleStartingPage(const uint8_t *frame)
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
        emit StartingStatusChanged(QStringLiteral("Completed"));
        emit StartingCaptureCompleted();
        return;
    }
    RequestStartingPage();
}

void TMainForm::RequestStartingPage()
{
    SendReadRequest(InstrumentAddress, RegStartingTest, ResendCount(RegStartingTest, StartingPage));
    LastRegister = RegStartingTest;
    LastCount = StartingPage;
    emit StartingStatusChanged(
        QStringLiteral("Requesting ") + QString::number(StartingPage) + QStringLiteral("Data frame"));
}

void TMainForm::ResumeStartingFetch()
{
    if (StartingPageOffset(StartingPage) < 0 || !Comm1->portOpen())
        return;
    RequestStartingPage();
}

void TMainForm::HandleAlarmValue(uint8_t reg, const uint8_t *data)
{
    emit AlarmValueReplied(reg, data);
    if (reg == RegAlarmSwitches)
        setStatusText(PanelCommunication, QStringLiteral("Synchronization"));
    else if (const uint8_t next = NextAlarmRead(reg, AlarmReadStep);
             next && !SendReadRequest(InstrumentAddress, next, 2))
        notConnected();
    if (AlarmReadStep < 255)
        ++AlarmReadStep;
}

void TMainForm::HandleModeByte(uint8_t mode)
{
    ModeWord = mode;
    ShowModeCaptions(mode);
    emit ModeByteReplied();
    if (ModeReplyStartsAlarmChain(AlarmReadStep) && !SendReadRequest(InstrumentAddress, RegAlarmFirst, 2))
        notConnected();
}

void TMainForm::HandleTriggerNotice()
{
    emit StartingStatusChanged(QStringLiteral("Trigger completed, requesting ......"));
    StartingPage = 1;
    // Another window may have sent a read since the arming; the pages are what is awaited now,
    // for the paced wait as for a resend.
    LastRegister = RegStartingTest;
    LastCount = 1;
    SendReadRequest(InstrumentAddress, RegStartingTest, ResendCount(RegStartingTest, 1));
}

void TMainForm::ResendLastRead()
{
    SendReadRequest(InstrumentAddress, LastRegister, ResendCount(LastRegister, LastCount));
}

void TMainForm::ContinuousReadTimerTimer()
{
    setStatusText(PanelCommunication, QStringLiteral("Request data!"));
    SendReadRequest(InstrumentAddress, RegMeasurement, 2);
    ContinuousReadTimer->stop();
    ReReadTimer->start();
}

void TMainForm::ReReadTimerTimer()
{
    setStatusText(PanelCommunication, QStringLiteral("Connection Failure!"));
    if (Comm1->portOpen())
        SendReadRequest(InstrumentAddress, LastRegister, LastCount);
}
