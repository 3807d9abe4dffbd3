// The record window's file and run commands and its two ticks.

#include "base/Errors.h"
#include "base/Platform.h"
#include "base/SaveName.h"
#include "link/Globals.h"
#include "measure/MeasurementRecord.h"
#include "record/RecordCsv.h"
#include "record/forms/ChartPaintBox.h"
#include "record/forms/Rec.h"
#include "record/forms/RecSet.h"
#include "record/forms/RecordReportSource.h"
#include "widgets/FormParts.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

namespace {

QString recordFilter()
{
    return TRecordForm::tr("Norvo记录文件(.vqr)|*.vqr");
}

const char *const NotContinuousText = QT_TRANSLATE_NOOP(
    "TRecordForm", "   To start the test records must be in continuous mode, recording is not started! ");
const char *const NoFileText = QT_TRANSLATE_NOOP("TRecordForm", "    Please create a new record file!    ");
const char *const SamplingLostText
    = QT_TRANSLATE_NOOP("TRecordForm", "   You have to stop the continuous sampling, record stop!   ");
const char *const LimitText = QT_TRANSLATE_NOOP(
    "TRecordForm", "    Data recorded over the maximum file limit, create a new file and start again.    ");

} // namespace

void TRecordForm::SeSkinSpeedButton12Click()
{
    const QString fileName = AskSaveFileName(recordFilter(), QStringLiteral("RecordFile.vqr"));
    if (fileName.isEmpty())
        return;
    // The record starts over only once the new file exists; a recording in progress goes on
    // into it from sample 0, after its last samples went into the old file.
    const QString oldFileError = NamingFile(fileName, [&] { return Record.newFile(fileName); });
    RecordFileReady = true;
    SeSkinSpeedButton5->setEnabled(true);
    Starting1->setEnabled(true);
    SeSkinSpeedButton4->setEnabled(true);
    Setting1->setEnabled(true);
    setStatusText(5, [] { return tr("模式：记录"); });
    if (!oldFileError.isEmpty())
        platform::dialogs().message(oldFileError, Dialogs::Icon::Error);
}

void TRecordForm::SeSkinSpeedButton1Click()
{
    const QString fileName = platform::dialogs().openFileName(recordFilter());
    if (fileName.isEmpty()) {
        DrawChart();
        return;
    }
    openRecordFile(fileName, false);
}

void TRecordForm::OpenTimerTimer()
{
    OpenTimer->stop();
    show();
    openRecordFile(CommandLineFile, true);
}

void TRecordForm::openRecordFile(const QString &fileName, bool fromCommandLine)
{
    const RecordFileInfo info = NamingFile(fileName, [&] { return ReadRecordFile(fileName, LoadedRecord); });
    if (const QString refusal = RecordFileRefusal(info); !refusal.isEmpty())
        throw EInOutError(QStringLiteral("%1: %2").arg(fileName, refusal));
    LoadedLast = info.count - 1;
    LoadedFileName = fileName;
    LoadedSignals = info.channelSignals;
    const OpenedTexts texts = OpenedFileTexts(LoadedRecord, info.count, fromCommandLine);
    setStatusText(4, texts.length);
    setStatusText(2, texts.start);
    setStatusText(3, texts.end);
    const QString step = SamplingStepText(info.step);
    if (!step.isEmpty())
        setStatusText(0, step);
    for (int ch = 0; ch < RecordChannels; ++ch) {
        const int signal = info.channelSignals[ch];
        if (!SignalEnglishCaption(signal).isEmpty())
            setChannelCaption(ch, [signal] { return SignalCaptionShown(signal, false); });
    }
    View.mode = ChartMode::Read;
    setStatusText(5, [fromCommandLine] { return fromCommandLine ? tr("Mode:Read") : tr("Mode: Read"); });
    RecordFileReady = true;
    SeSkinSpeedButton4->setEnabled(false);
    Setting1->setEnabled(false);
    DrawChart();
}

void TRecordForm::ExportCsv1Click()
{
    const bool loaded = View.mode == ChartMode::Read;
    const QString source = loaded ? LoadedFileName : Record.fileName();
    const QFileInfo sourceInfo(source.isEmpty() ? QStringLiteral("RecordFile.vqr") : source);
    const QString fileName
        = AskSaveFileName(CsvFileFilter(), sourceInfo.completeBaseName() + QStringLiteral(".csv"));
    if (fileName.isEmpty())
        return;
    std::array<uint8_t, RecordChannels> signalBytes = LoadedSignals;
    if (!loaded)
        for (int ch = 0; ch < RecordChannels; ++ch)
            signalBytes[size_t(ch)] = Record.writeBuffer().signal(ch);
    try {
        NamingFile(fileName, [&] {
            if (loaded)
                SaveRecordCsv(fileName, LoadedRecord, LoadedLast + 1, signalBytes);
            else
                SaveRecordCsv(fileName, Record.live(), Record.count(), signalBytes);
        });
    } catch (const EInOutError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
    }
}

void TRecordForm::SeSkinSpeedButton3Click()
{
    ReportKind = 1;
    emit PrintRequested();
}

RecordReportInput TRecordForm::recordReportInput() const
{
    RecordReportInput input = RecordReportInputFor({ .view = View,
        .fileReady = RecordFileReady,
        .live = Record.live(),
        .recordCount = Record.count(),
        .loaded = LoadedRecord,
        .loadedLast = LoadedLast });
    for (int ch = 0; ch < RecordChannels; ++ch)
        input.captions[ch] = ChannelCaption[ch]->text();
    input.stepText = statusText(0);
    input.startText = statusText(2);
    input.endText = statusText(3);
    input.lengthText = statusText(4);
    input.traceArea = Pic4->size();
    input.chart = RecordChartPicture(TraceSurface, AxisSurface, input.traceArea);
    return input;
}

void TRecordForm::keepPrintedOverflowMarks(const RecordPagePoints &points)
{
    KeepPrintedOverflowMarks(View, RecordFileReady, points);
}

void TRecordForm::SeSkinSpeedButton4Click()
{
    if (RecSetForm)
        ExecFrom(RecSetForm, this);
}

void TRecordForm::SeSkinSpeedButton5Click()
{
    if (SamplingMode != 2) {
        platform::dialogs().message(tr(NotContinuousText));
        return;
    }
    if (!RecordFileReady) {
        platform::dialogs().message(tr(NoFileText));
        return;
    }
    // Settings confirmed after New describe the samples about to be taken.
    Record.takeSettings();
    Timer1->start();
    GridTimer->start();
    TimerSave->start();
    SeSkinSpeedButton4->setEnabled(false);
    Setting1->setEnabled(false);
    Starting1->setEnabled(false);
    Stop1->setEnabled(true);
    View.mode = ChartMode::Record;
    SeSkinSpeedButton5->setEnabled(false);
    SeSkinSpeedButton6->setEnabled(true);
    View.recordCompression = 1;
    View.recordOffset = 0;
    SeSkinScrollBar1->setValue(0);
    TrackBar1->setValue(TrackMaximum);
}

void TRecordForm::SeSkinSpeedButton6Click()
{
    Timer1->stop();
    TimerSave->stop();
    GridTimer->stop();
    SeSkinSpeedButton6->setEnabled(false);
    Stop1->setEnabled(false);
    SeSkinSpeedButton4->setEnabled(true);
    Setting1->setEnabled(true);
    SaveTakenSamples();
}

void TRecordForm::Exit1Click()
{
    close();
}

void TRecordForm::hideEvent(QHideEvent *event)
{
    SaveTakenSamples();
    QDialog::hideEvent(event);
}

void TRecordForm::SaveTakenSamples()
{
    if (Record.unsavedSamples() > 0)
        saveRecord();
}

void TRecordForm::Timer1Timer()
{
    if (SamplingMode != 2) {
        Timer1->stop();
        SeSkinSpeedButton6->setEnabled(false);
        platform::dialogs().message(tr(SamplingLostText));
        DrawChart();
        return;
    }
    const Recorder::Sampled result = Record.sampleArrived(Measurement, LatestArrival);
    if (result == Recorder::Sampled::NotNew) {
        setStatusText(SamplingNoticePanel, SkippedSamplesText(LatestArrival));
        return;
    }
    setStatusText(SamplingNoticePanel, QString());
    if (result != Recorder::Sampled::Taken) {
        Timer1->stop();
        TimerSave->stop();
        SeSkinSpeedButton5->setEnabled(false);
        SeSkinSpeedButton6->setEnabled(false);
        // The record is complete: it goes into the file before the box waits for the user.
        SaveTakenSamples();
        platform::dialogs().message(tr(LimitText));
    }
    DrawChart();
}

void TRecordForm::TimerSaveTimer()
{
    saveRecord();
}

void TRecordForm::saveRecord()
{
    try {
        Record.save();
        m_saveFailing = false;
        setStatusText(SavingNoticePanel,
            Record.fileRemade() ? FileRemadeText(Record.fileName(), Record.count()) : QString());
    } catch (const KmrError &error) {
        // The save timer goes on, and the next good save writes everything since the last
        // one; the user is told once, by a notice that holds nothing up.
        const QString text = SaveFailedText(Record.fileName(), error.text(), true);
        setStatusText(SavingNoticePanel, text);
        if (!m_saveFailing)
            platform::dialogs().notice(text, Dialogs::Icon::Error);
        m_saveFailing = true;
    }
}
