// The main window's handling of every reply of the instrument: the paced wait for long
// replies, the fetch, the CRC check, routing by length, function code and the register of
// the latest request, and the two timers that ask again.

#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/DateTimeText.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/Platform.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"

#include <QAction>
#include <QLocale>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr int StartingPageFrameBytes = StartingPageBytes + 2;
constexpr int RegisterReplyBytes = 9; // address, 0x03, byte count, a 32-bit value, CRC
constexpr uint8_t FirstAlarmRegister = 118;
constexpr uint8_t AlarmSwitchRegister = 126;
constexpr uint8_t ModeRegister = 128;
constexpr uint8_t StartingRegister = 147;
constexpr uint8_t MeasurementRegister = 148;
constexpr uint8_t TriggerNotice = 146;

bool expectsLongReply()
{
    return LastRegister == MeasurementRegister || LastRegister == StartingRegister;
}

void notConnected()
{
    platform::dialogs().message(QStringLiteral("Failed,The machine is not connected"));
}
} // namespace

int TMainForm::StepWaitMs(int baudIndex)
{
    // Fifty of these steps cover the wire time of a measurement reply at each speed.
    static constexpr int waits[] = { 120, 52, 36, 26, 13, 9, 6, 4 };
    if (baudIndex < 0 || baudIndex >= static_cast<int>(std::size(waits)))
        return 0;
    return waits[baudIndex];
}

int TMainForm::SelectedBaudIndex() const
{
    return CommForm ? CommForm->SelectedBaudIndex() : -1;
}

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
    // No reply of the instrument is longer than the frame buffer: more is a damaged one.
    if (n > FrameBufferSize) {
        ResendLastRead();
        return;
    }
    std::memcpy(FrameBuffer.data(), first, static_cast<size_t>(n));
    HandleFrame(FrameBuffer.data(), n);
}

void TMainForm::PacedWait()
{
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    ProgressBar1->repaint();
    platform::clock().sleepMs(20);

    if (UsbLink == 1) {
        // The instrument's own USB port delivers at once: the bar jumps to full.
        ProgressBar1->setValue(ProgressBar1->maximum());
        ProgressBar1->repaint();
    } else {
        const int wait = StepWaitMs(SelectedBaudIndex());
        for (int step = 1; step <= 50; ++step) {
            ProgressBar1->setValue(step);
            ProgressBar1->repaint();
            if (expectsLongReply() && wait > 0)
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
    // arriving, wait for it: until a whole frame is queued or the queue stops growing, and
    // never longer than the frame's wire time.
    if (!expectsLongReply() || !Comm1->portOpen())
        return;
    const uint32_t expected
        = LastRegister == MeasurementRegister ? MeasurementReplyBytes : StartingPageFrameBytes;
    const double characterMs = 10000.0 / std::max<uint32_t>(BaudRateSpeed(Comm1->baudRate()), 1);
    // USB serial adapters hand bytes over in bursts up to 16 ms apart: a shorter quiet time
    // would take such a pause for the end of the reply.
    const int quietMs = std::max(20, static_cast<int>(std::ceil(4 * characterMs)));
    const int budgetMs = static_cast<int>(std::ceil(expected * characterMs)) + quietMs;

    uint32_t queued = Comm1->dataCount();
    for (int waited = 0; queued < expected && waited < budgetMs; waited += quietMs) {
        platform::clock().sleepMs(quietMs);
        const uint32_t now = Comm1->dataCount();
        if (now == queued)
            break;
        queued = now;
    }
}

void TMainForm::HandleFrame(const uint8_t *frame, int n)
{
    if (n <= 4) {
        ResendLastRead();
        return;
    }
    const uint16_t received = static_cast<uint16_t>(frame[n - 2] | frame[n - 1] << 8);
    if (ModbusCRC16(frame, n - 2) != received) {
        ResendLastRead();
        return;
    }

    if (n == MeasurementReplyBytes) {
        HandleMeasurementFrame(frame);
    } else if (n == StartingPageFrameBytes) {
        HandleStartingPage(frame);
    } else {
        switch (frame[1]) {
        case 0x03:
            HandleRegisterReply(frame, n);
            break;
        case 0x09:
            HandleWriteAcknowledge(frame[2]);
            break;
        case 0x0A:
            if (frame[2] == TriggerNotice)
                HandleTriggerNotice();
            break;
        default:
            break;
        }
    }
}

void TMainForm::HandleMeasurementFrame(const uint8_t *frame)
{
    StoreMeasurementReply(frame);
    DrawMeasurement();
    setStatusText(PanelCommunication, QStringLiteral("Sampling completed!"));
    const QDateTime now = platform::clock().now();
    setStatusText(PanelDate,
        QStringLiteral("Date：") + ShortDateText(now.date()) + QStringLiteral(" ") + LongTimeText(now.time()));
    ReReadTimer->stop();
    if (SamplingMode == 2)
        ContinuousReadTimer->start();
    if (SamplingMode == 1) {
        SamplingMode = 0;
        SeSkinSpeedButton7->setEnabled(true);
        SeSkinSpeedButton8->setEnabled(true);
        N13->setEnabled(true);
        N14->setEnabled(true);
    }
    emit MeasurementStored();
}

void TMainForm::HandleStartingPage(const uint8_t *frame)
{
    // A page is only stored while a fetch runs; anything else would land outside the buffer.
    if (StartingPage < 1 || StartingPage > StartingPages)
        return;
    std::memcpy(StartingPageBuffer.data() + (StartingPage - 1) * StartingPageBytes, frame, StartingPageBytes);
    ++StartingPage;
    if (StartingPage > StartingPages) {
        StartingCapture = StartingPageBuffer;
        StartingPage = 0;
        if (StartingForm) {
            StartingForm->setStatusText(QStringLiteral("Completed"));
            StartingForm->DrawChart();
        }
        return;
    }
    SendReadRequest(InstrumentAddress, StartingRegister, static_cast<uint16_t>(StartingPage << 8));
    LastRegister = StartingRegister;
    LastCount = StartingPage;
    if (StartingForm)
        StartingForm->setStatusText(
            QStringLiteral("Requesting ") + QString::number(StartingPage) + QStringLiteral("Data frame"));
}

void TMainForm::HandleRegisterReply(const uint8_t *frame, int n)
{
    const uint8_t reg = RoutingByte();
    const bool alarmRegister = reg >= FirstAlarmRegister && reg <= AlarmSwitchRegister;
    if (!alarmRegister && reg != ModeRegister)
        return;
    // Every register read here is a 32-bit value: a shorter reply is not read past its end.
    if (n < RegisterReplyBytes)
        return;
    if (reg == ModeRegister) {
        HandleModeByte(frame[3]);
        return;
    }

    if (AlarmForm)
        AlarmForm->RegisterReply(reg, frame + 3);
    if (reg == AlarmSwitchRegister) {
        setStatusText(PanelCommunication, QStringLiteral("Synchronization"));
    } else {
        // Each register of the chain is asked for once per chain, even if a reply comes twice.
        const int k = reg - FirstAlarmRegister;
        if (AlarmReadStep < k + 1 && !SendReadRequest(InstrumentAddress, static_cast<uint16_t>(reg + 1), 2))
            notConnected();
    }
    if (AlarmReadStep < 255)
        ++AlarmReadStep;
}

void TMainForm::HandleModeByte(uint8_t mode)
{
    ModeWord = mode;
    ShowModeCaptions(mode);
    if (AlarmReadStep < 4 && !SendReadRequest(InstrumentAddress, FirstAlarmRegister, 2))
        notConnected();
}

void TMainForm::ShowModeCaptions(uint8_t mode)
{
    ShowBandwidthCaptions(mode & 0x01);
    ShowThdCaptions(mode & 0x02);
}

void TMainForm::ShowBandwidthCaptions(bool broadband)
{
    N31->setText(broadband ? QStringLiteral("Narrowband &(Y)") : QStringLiteral("Narrowband &(Y)←"));
    N32->setText(broadband ? QStringLiteral("Broadband &(Z)←") : QStringLiteral("Broadband &(Z)"));
}

void TMainForm::ShowThdCaptions(bool csa)
{
    IEC2->setText(csa ? QStringLiteral("%f： IEC &(Y)") : QStringLiteral("%f： IEC &(Y)←"));
    CSA1->setText(csa ? QStringLiteral("%r： CSA &(Z)←") : QStringLiteral("%r： CSA &(Z)"));
}

void TMainForm::HandleWriteAcknowledge(uint8_t reg)
{
    if (reg >= FirstAlarmRegister && reg <= AlarmSwitchRegister && AlarmForm)
        AlarmForm->WriteAcknowledged(reg);
}

void TMainForm::HandleTriggerNotice()
{
    if (StartingForm)
        StartingForm->setStatusText(QStringLiteral("Trigger completed, requesting ......"));
    StartingPage = 1;
    LastCount = 1;
    SendReadRequest(InstrumentAddress, StartingRegister, 1 << 8);
}

void TMainForm::ResendLastRead()
{
    // For the starting test the count carries the page number in its high byte.
    const uint16_t count
        = LastRegister == StartingRegister ? static_cast<uint16_t>(LastCount << 8) : LastCount;
    SendReadRequest(InstrumentAddress, LastRegister, count);
}

void TMainForm::ContinuousReadTimerTimer()
{
    setStatusText(PanelCommunication, QStringLiteral("Request data!"));
    SendReadRequest(InstrumentAddress, MeasurementRegister, 2);
    ContinuousReadTimer->stop();
    ReReadTimer->start();
}

void TMainForm::ReReadTimerTimer()
{
    setStatusText(PanelCommunication, QStringLiteral("Connection Failure!"));
    if (Comm1->portOpen())
        SendReadRequest(InstrumentAddress, LastRegister, LastCount);
}
