// Cost of the record report as the record window hands it to the print window: a full
// 450000-sample record file opened in the record window at its design size, then the input
// taken from the window, the print window's preview build, and the print to a PDF file at
// 600 dpi on A4 through Qt's printer, as "Printing      " does it.

#include "app/forms/Wiring.h"
#include "base/Platform.h"
#include "link/Globals.h"
#include "record/RecordTime.h"
#include "record/Recorder.h"
#include "record/forms/Rec.h"
#include "report/forms/Print.h"
#include "report/forms/QtPrinter.h"
#include "support/BenchMain.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

class BenchProgramDir final : public ProgramDir
{
public:
    QString path() const override { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A box the benchmark cannot answer would stop it: the text goes to stderr instead.
class StderrDialogs final : public Dialogs
{
public:
    void message(const QString &text, Icon, const QString &) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void notice(const QString &text, Icon, const QString &) override
    {
        std::fprintf(stderr, "notice: %s\n", qPrintable(text));
    }
    bool askYesNo(const QString &, const QString &) override { return false; }
    QString openFileName(const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    bool openUrl(const QString &) override { return false; }
};

// Five days of 1-second samples of six channels, written through the recording engine.
QString MakeFullRecordFile(const QString &folder)
{
    const QString file = folder + QStringLiteral("/full.vqr");
    Recorder recorder;
    recorder.settings.channelSignal = { 0, 1, 2, 3, 4, 6 };
    recorder.settings.samplingIndex = 0;
    recorder.newFile(file);
    MeasurementRecord record {};
    const QDateTime start(QDate(2026, 12, 10), QTime(8, 0));
    for (int i = 0; i < MaxRecordSamples; ++i) {
        const double day = std::sin(2 * M_PI * i / 86400.0);
        record.URMS = float(230 + 10 * day);
        record.IRMS = float(5 + 3 * std::sin(i / 600.0));
        record.WRMS = float(300 + 150 * day);
        record.PS = float(350 + 120 * std::cos(i / 900.0));
        record.PQ = float(100 + 80 * std::sin(i / 700.0));
        record.UF = float(50 + 0.1 * std::sin(i / 30.0));
        recorder.sample(record, start.addSecs(i));
    }
    recorder.save();
    return file;
}

struct Windows
{
    Windows()
    {
        platform::install(&programDir);
        platform::install(&dialogs);
        PrinterForm = new TPrinterForm;
        RecordForm = new TRecordForm;
        ConnectWindows();
        RecordForm->show();
        QApplication::processEvents();
        RecordForm->openRecordFile(MakeFullRecordFile(out.path()), false);
        PrinterForm->setPrinter(&printer);
        ReportKind = 1;
    }
    ~Windows()
    {
        delete RecordForm;
        delete PrinterForm;
        RecordForm = nullptr;
        PrinterForm = nullptr;
        platform::install(static_cast<Dialogs *>(nullptr));
        platform::install(static_cast<ProgramDir *>(nullptr));
    }

    BenchProgramDir programDir;
    StderrDialogs dialogs;
    QTemporaryDir out;
    QtPrinter printer;
};

// Made by the first benchmark, ended before the application.
std::unique_ptr<Windows> made;
[[maybe_unused]] const bool madeEnds = AtBenchmarksEnd([] { made.reset(); });

Windows &windows()
{
    if (!made)
        made = std::make_unique<Windows>();
    return *made;
}

void RecordReportInputFromWindow(benchmark::State &state)
{
    windows();
    if (PrinterForm->RecordReportSource().last != MaxRecordSamples - 1) {
        state.SkipWithError("the record window shows no full record");
        return;
    }
    for (auto _ : state) {
        const RecordReportInput input = PrinterForm->RecordReportSource();
        benchmark::DoNotOptimize(input.chart.constBits());
    }
}

void RecordPreviewFromWindow(benchmark::State &state)
{
    windows();
    for (auto _ : state) {
        PrinterForm->FormCreate();
        benchmark::DoNotOptimize(PrinterForm->PreviewBitmap.constBits());
    }
}

void RecordPdfFromWindow(benchmark::State &state)
{
    Windows &w = windows();
    QPrinter &q = w.printer.qprinter();
    q.setOutputFormat(QPrinter::PdfFormat);
    q.setOutputFileName(w.out.filePath(QStringLiteral("record.pdf")));
    q.setResolution(600);
    q.setPageSize(QPageSize(QPageSize::A4));
    q.setPageOrientation(state.range(0) ? QPageLayout::Landscape : QPageLayout::Portrait);
    for (auto _ : state)
        PrinterForm->SeSkinButton1Click();
}

BENCHMARK(RecordReportInputFromWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(RecordPreviewFromWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordPdfFromWindow)->ArgName("landscape")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
