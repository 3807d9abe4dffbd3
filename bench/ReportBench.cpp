// Cost of the two reports: the print window's preview build (a 1920 x 2400 bitmap filled and
// drawn), the page drawn onto an A4 image at 600 dpi, and the whole print to a PDF file at
// 600 dpi through Qt's printer, as "Printing      " does it.

#include "link/Globals.h"
#include "measure/MeasurementRecord.h"
#include "report/MeasurementReport.h"
#include "report/RecordReport.h"
#include "report/ReportPrint.h"
#include "report/forms/QtPrinter.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {
constexpr int PreviewWidth = 1920;
constexpr int PreviewHeight = 2400;
constexpr int PageWidth = 714; // the print window's page width: scroll box 747 less 33

// 230 V and 5 A with a few harmonics; 512 samples span four periods around count 2047.
MeasurementRecord syntheticMeasurement()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k) {
        const double phase = 2.0 * std::numbers::pi * 4.0 * k / WaveSamples;
        record.UWave[k] = uint16_t(2047 + 1500 * std::sin(phase) + 75 * std::sin(3 * phase));
        record.IWave[k] = uint16_t(2047 + 900 * std::sin(phase - 0.5) + 180 * std::sin(3 * phase));
    }
    record.URMS = 230.0f;
    record.IRMS = 5.0f;
    record.VTHD = 0.058f;
    for (int n = 1; n < HarmonicCount; n += 2) {
        record.UHarm[n] = float(325.0 / (n * n));
        record.IHarm[n] = float(7.07 / n);
    }
    return record;
}

// Ten thousand samples of six channels, the newest 553 drawn on A4 landscape; the chart
// picture stands for the record window's 700 x 300 chart with its axis strip.
struct SyntheticRecord
{
    SyntheticRecord()
    {
        for (int k = 0; k < RecordReportChannels; ++k) {
            channels[k].resize(10000);
            for (int i = 0; i < 10000; ++i)
                channels[k][i] = float(250 + 200 * std::sin(i / 40.0 + k) + (k == 1 ? 300 : 0));
            input.samples[k] = channels[k];
            input.captions[k] = QStringLiteral("Power");
        }
        input.fileReady = true;
        input.last = 9999;
        input.traceArea = QSize(700, 300);
        input.chart = QImage(750, 300, QImage::Format_RGB32);
        input.chart.fill(QColor(238, 238, 238));
        input.stepText = QStringLiteral("采样步长：1S");
        input.lengthText = QStringLiteral("长度：553");
    }
    std::vector<float> channels[RecordReportChannels];
    RecordReportInput input;
};

QImage a4At600Dpi(bool landscape)
{
    QImage image(landscape ? 7016 : 4961, landscape ? 4961 : 7016, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(600 / 0.0254));
    image.setDotsPerMeterY(qRound(600 / 0.0254));
    return image;
}

void pdfPrinter(QtPrinter &printer, const QString &file, bool landscape)
{
    QPrinter &q = printer.qprinter();
    q.setOutputFormat(QPrinter::PdfFormat);
    q.setOutputFileName(file);
    q.setResolution(600);
    q.setPageSize(QPageSize(QPageSize::A4));
    q.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void MeasurementPreview(benchmark::State &state)
{
    const MeasurementRecord record = syntheticMeasurement();
    QImage bitmap(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        DrawMeasurementPreview(painter, PageWidth, MeasurementPreviewHeight(PageWidth), record, PrintInfo());
        painter.end();
        benchmark::DoNotOptimize(bitmap.constBits());
    }
}

void RecordPreview(benchmark::State &state)
{
    const SyntheticRecord record;
    QImage bitmap(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        bitmap.fill(Qt::white);
        QPainter painter(&bitmap);
        DrawRecordPreview(painter, PageWidth, RecordPreviewHeight(PageWidth), record.input, PrintInfo());
        painter.end();
        benchmark::DoNotOptimize(bitmap.constBits());
    }
}

void MeasurementPageA4At600Dpi(benchmark::State &state)
{
    const MeasurementRecord record = syntheticMeasurement();
    QImage page = a4At600Dpi(state.range(0));
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        DrawMeasurementPage(painter, page.width(), page.height(), record, PrintInfo());
        painter.end();
        benchmark::DoNotOptimize(page.constBits());
    }
}

void RecordPageA4At600Dpi(benchmark::State &state)
{
    const SyntheticRecord record;
    QImage page = a4At600Dpi(state.range(0));
    for (auto _ : state) {
        page.fill(Qt::white);
        QPainter painter(&page);
        DrawRecordPage(painter, page.width(), page.height(), record.input, PrintInfo());
        painter.end();
        benchmark::DoNotOptimize(page.constBits());
    }
}

void MeasurementPdf(benchmark::State &state)
{
    const MeasurementRecord record = syntheticMeasurement();
    QTemporaryDir dir;
    QtPrinter printer;
    pdfPrinter(printer, dir.filePath(QStringLiteral("measurement.pdf")), state.range(0));
    for (auto _ : state)
        PrintMeasurementReport(printer, record);
}

void RecordPdf(benchmark::State &state)
{
    const SyntheticRecord record;
    QTemporaryDir dir;
    QtPrinter printer;
    pdfPrinter(printer, dir.filePath(QStringLiteral("record.pdf")), state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintRecordReport(printer, record.input));
}

BENCHMARK(MeasurementPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(MeasurementPageA4At600Dpi)->ArgName("landscape")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordPageA4At600Dpi)->ArgName("landscape")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(MeasurementPdf)->ArgName("landscape")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordPdf)->ArgName("landscape")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
