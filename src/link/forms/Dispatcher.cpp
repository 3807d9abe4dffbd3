// The main window's receive handler hands the bytes to the link session, which keeps the
// reply rules; here the window shows what the session tells (progress, values, status texts,
// timers) and passes the replies for the alarm and starting-test windows on. And the two
// timers that ask again.

#include "base/DateTimeText.h"
#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/LinkSession.h"
#include "link/Registers.h"
#include "link/TComm.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"

#include <QTimer>

void TMainForm::Comm1ReceiveData(TComm *sender)
{
    if (sender)
        Session->receive();
}

void TMainForm::connectSession()
{
    Session = new LinkSession(*Comm1, this);
    connect(Session, &LinkSession::waitStarted, this, [this] {
        ProgressBar1->setValue(0);
        ProgressBar1->show();
        ProgressBar1->keepBackground();
        ProgressBar1->repaint();
    });
    connect(Session, &LinkSession::waitStep, this, [this](int step) {
        ProgressBar1->setValue(step);
        ProgressBar1->repaint();
    });
    connect(Session, &LinkSession::measurementArrived, this, [this](const uint8_t *frame) {
        StoreMeasurementReply(frame);
        DrawMeasurement();
        setStatusSource(PanelCommunication, QT_TR_NOOP("Sampling completed!"));
        const QDateTime now = platform::clock().now();
        setStatusSource(
            PanelDate, QT_TR_NOOP("Date：%1 %2"), { ShortDateText(now.date()), LongTimeText(now.time()) });
        ReReadTimer->stop();
        if (SamplingMode == 2)
            ContinuousReadTimer->start();
        if (SamplingMode == 1) {
            SamplingMode = 0;
            ApplyControls(AcquisitionEvent::SingleMeasured);
        }
        emit MeasurementStored();
    });
    connect(Session, &LinkSession::startingPageRequested, this,
        [this](int page) { emit StartingStatusChanged(tr("Requesting %1Data frame").arg(page)); });
    connect(Session, &LinkSession::startingCaptureCompleted, this, [this] {
        emit StartingStatusChanged(tr("Completed"));
        emit StartingCaptureCompleted();
    });
    connect(Session, &LinkSession::triggerNoticed, this,
        [this] { emit StartingStatusChanged(tr("Trigger completed, requesting ......")); });
    connect(Session, &LinkSession::alarmValueArrived, this, &TMainForm::AlarmValueReplied);
    connect(Session, &LinkSession::alarmChainSynchronised, this,
        [this] { setStatusSource(PanelCommunication, QT_TR_NOOP("Synchronization")); });
    connect(Session, &LinkSession::modeByteArrived, this, [this](uint8_t mode) {
        showModeCaptions(ModeBroadband, mode & ModeBroadband);
        showModeCaptions(ModeThdCsa, mode & ModeThdCsa);
        emit ModeByteReplied();
    });
    connect(Session, &LinkSession::writeAcknowledged, this, &TMainForm::AlarmWriteAcknowledged);
    connect(Session, &LinkSession::requestFailed, this,
        [this] { platform::dialogs().message(tr("Failed,The machine is not connected")); });
}

void TMainForm::ContinuousReadTimerTimer()
{
    setStatusSource(PanelCommunication, QT_TR_NOOP("Request data!"));
    SendReadRequest(InstrumentAddress, RegMeasurement, 2);
    ContinuousReadTimer->stop();
    ReReadTimer->start();
}

void TMainForm::ReReadTimerTimer()
{
    setStatusSource(PanelCommunication, QT_TR_NOOP("Connection Failure!"));
    if (Comm1->portOpen())
        SendReadRequest(InstrumentAddress, LastRegister, LastCount);
}
