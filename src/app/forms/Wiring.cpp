#include "app/forms/Wiring.h"

#include "appearance/forms/skins.h"
#include "base/Platform.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/forms/communication.h"
#include "measure/MainControls.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Compare.h"
#include "measure/forms/Compliance.h"
#include "measure/forms/Harmonic.h"
#include "measure/forms/Main.h"
#include "measure/forms/Reference.h"
#include "measure/forms/version.h"
#include "record/forms/Rec.h"
#include "report/forms/Print.h"
#include "widgets/FormParts.h"

#include <QPointer>
#include <QTimer>

void ConnectCommAndMain(TCommForm *comm, TMainForm *main)
{
    comm->setMainComm(main->Comm1);
    QObject::connect(comm, &TCommForm::MainStatusChanged, main,
        [main](const QString &text) { main->setStatusText(TMainForm::PanelCommunication, text); });
    QObject::connect(comm, &TCommForm::SamplingControlsEnabled, main, [main](bool enabled) {
        main->ApplyControls(enabled ? AcquisitionEvent::Connected : AcquisitionEvent::Disconnected);
    });
    QObject::connect(comm, &TCommForm::BaudIndexChanged, main->Session, &LinkSession::setBaudIndex);
    QObject::connect(main, &TMainForm::ModeByteReplied, comm, &TCommForm::InstrumentAnswered);
    QObject::connect(comm, &TCommForm::LinkRestored, main->Session, &LinkSession::resumeStartingFetch);
    QObject::connect(main, &TMainForm::SamplingStarted, comm, &TCommForm::RestartLinkCheck);
    main->Session->setBaudIndex(comm->SelectedBaudIndex());
}

namespace {

void openWindow(MainWindowRequest window)
{
    using W = MainWindowRequest;
    const auto execIf = [](QDialog *dialog) {
        if (dialog)
            dialog->exec();
    };
    const auto showIf = [](QWidget *widget) {
        if (widget)
            widget->show();
    };
    switch (window) {
    case W::Print:
        return execIf(PrinterForm);
    case W::Version:
        return execIf(VForm);
    case W::Record:
        return showIf(RecordForm);
    case W::HarmonicTable:
        return execIf(HarmonicForm);
    case W::StartingTest:
        return showIf(StartingForm);
    case W::Communication:
        return execIf(CommForm);
    case W::Style:
        return execIf(skin);
    case W::Alarm:
        if (AlarmForm)
            AlarmForm->ShowRequesting();
        return execIf(AlarmForm);
    case W::Calibration:
        return showIf(CalibrateForm);
    case W::Ct:
        return showIf(External_CT_form);
    case W::RecordFile:
        if (RecordForm)
            RecordForm->OpenTimer->start();
        return;
    case W::Compliance:
        return showIf(ComplianceForm);
    case W::Compare:
        return showIf(CompareForm);
    }
}

// The compare window follows the shown measurement and the reference.
void refreshCompare(TMainForm *main)
{
    if (CompareForm)
        CompareForm->ShowComparison(Measurement, main->Reference1->reference());
}

void connectMain(TMainForm *main)
{
    QObject::connect(main, &TMainForm::WindowRequested, main, [main](MainWindowRequest window) {
        if (window == MainWindowRequest::Compare)
            refreshCompare(main);
        openWindow(window);
    });
    QObject::connect(main, &TMainForm::MeasurementStored, main, [main] {
        if (ComplianceForm)
            ComplianceForm->TakeMeasurement(Measurement, platform::clock().now());
        refreshCompare(main);
    });
    QObject::connect(
        main->Reference1, &TReferenceControl::ReferenceChanged, main, [main] { refreshCompare(main); });
    QObject::connect(main, &TMainForm::MeasurementOpened, main, [main] { refreshCompare(main); });
    // The measurement report may draw the reference's traces too.
    if (PrinterForm)
        PrinterForm->ReferenceSource
            = [self = QPointer<TMainForm>(main)]() -> std::optional<MeasurementRecord> {
            if (!self || !self->Reference1->reference())
                return std::nullopt;
            return self->Reference1->reference()->record;
        };
    if (ComplianceForm)
        QObject::connect(
            ComplianceForm, &TComplianceForm::CurrentLimitsChanged, main, &TMainForm::setCurrentLimits);
    QObject::connect(main, &TMainForm::AlarmValueReplied, main, [](uint8_t reg, const uint8_t *data) {
        if (AlarmForm)
            AlarmForm->RegisterReply(reg, data);
    });
    QObject::connect(main, &TMainForm::AlarmWriteAcknowledged, main, [](uint8_t reg) {
        if (AlarmForm)
            AlarmForm->WriteAcknowledged(reg);
    });
    QObject::connect(main, &TMainForm::StartingStatusChanged, main, [](const QString &text) {
        if (StartingForm)
            StartingForm->setStatusText(text);
    });
    QObject::connect(main, &TMainForm::StartingCaptureCompleted, main, [] {
        if (StartingForm)
            StartingForm->DrawChart();
    });
}

// The print window shows and prints the record window's record and hands back the overflow
// marks of a printed page. The print window may outlive the record window while the program
// ends: it then has no record.
void connectRecordAndPrinter(TRecordForm *record, TPrinterForm *printer)
{
    const QPointer<TRecordForm> self(record);
    printer->RecordReportSource = [self] { return self ? self->recordReportInput() : RecordReportInput(); };
    printer->RecordOverflowSink = [self](const RecordPagePoints &points) {
        if (self)
            self->keepPrintedOverflowMarks(points);
    };
}

// The print window shows and prints the compliance window's latest assessment; without the
// compliance window (while the program ends) the report has no verdict.
void connectComplianceAndPrinter(TComplianceForm *compliance, TPrinterForm *printer)
{
    const QPointer<TComplianceForm> self(compliance);
    printer->ComplianceReportSource = [self] { return self ? self->assessment() : EmissionAssessment(); };
}

} // namespace

void ConnectWindows()
{
    if (MainForm)
        connectMain(MainForm);
    if (CalibrateForm && MainForm) {
        TMainForm *main = MainForm;
        QObject::connect(CalibrateForm, &TCalibrateForm::BandwidthChosen, main,
            [main](bool broadband) { broadband ? main->N32Click() : main->N31Click(); });
    }
    if (RecordForm) {
        QObject::connect(RecordForm, &TRecordForm::PrintRequested, RecordForm, [] {
            if (PrinterForm)
                ExecFrom(PrinterForm, RecordForm);
        });
        if (PrinterForm)
            connectRecordAndPrinter(RecordForm, PrinterForm);
    }
    if (ComplianceForm) {
        QObject::connect(ComplianceForm, &TComplianceForm::PrintRequested, ComplianceForm, [] {
            if (PrinterForm)
                ExecFrom(PrinterForm, ComplianceForm);
        });
        if (PrinterForm)
            connectComplianceAndPrinter(ComplianceForm, PrinterForm);
    }
    if (skin) {
        // The program's start connects the main window's redraw before the stored colours are
        // applied, as the other windows do not exist yet.
        if (MainForm)
            QObject::connect(skin, &Tskin::DisplayColorsChanged, MainForm, &TMainForm::DrawMeasurement,
                Qt::UniqueConnection);
        if (RecordForm)
            QObject::connect(skin, &Tskin::DisplayColorsChanged, RecordForm, &TRecordForm::DrawChart,
                Qt::UniqueConnection);
        if (StartingForm)
            QObject::connect(skin, &Tskin::DisplayColorsChanged, StartingForm, &TStartingForm::DrawChart,
                Qt::UniqueConnection);
    }
}
