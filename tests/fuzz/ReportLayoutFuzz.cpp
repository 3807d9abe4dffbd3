// The two reports fed hostile files. The first byte chooses a record file (even) or a
// measurement file (odd).
//
// A record file is read by the record core and its report input built from the record
// window's state as twelve further bytes choose it (mode, file ready, range, compression,
// offset, visible channels, gains, the live record's count, the chart picture and its size);
// the preview and a page of a modest size are drawn, and the printed points are laid out on a
// 600 dpi page. A measurement file is loaded and both its preview and a page are drawn.

#include "FuzzInput.h"

#include "base/Errors.h"
#include "measure/MeasurementFile.h"
#include "record/ChartView.h"
#include "record/RecordFile.h"
#include "record/RecordSettings.h"
#include "record/forms/RecordReportSource.h"
#include "report/MeasurementReport.h"
#include "report/RecordReport.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
constexpr int PreviewWidth = 700;
// A page at screen resolution, and the printable area of an A4 page at 600 dpi.
constexpr int PageWidth = 1400;
constexpr int PrintWidth = 6814;
constexpr int PrintHeight = 4760;

QTemporaryDir *workDir = nullptr;
RecordArrays *loaded = nullptr;
QImage *traceSurface = nullptr;
QImage *axisSurface = nullptr;
QImage *recordPreview = nullptr;
QImage *recordPage = nullptr;
QImage *measurementPreview = nullptr;
QImage *measurementPage = nullptr;
PrintInfo *info = nullptr;

QString writeInput(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = workDir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

void recordReport(FuzzInput &in)
{
    const uint8_t flags = in.byte();
    const uint8_t compression = in.byte();
    const uint16_t offset = in.word();
    const uint8_t visible = in.byte();
    uint8_t scales[RecordChannels];
    for (uint8_t &scale : scales)
        scale = in.byte();
    const uint8_t countShift = in.byte();
    const uint8_t *file = nullptr;
    const size_t fileSize = in.take(in.remaining(), file);

    RecordFileInfo loadedInfo;
    try {
        loadedInfo = ReadRecordFile(writeInput(QStringLiteral("fuzz.vqr"), file, fileSize), *loaded);
    } catch (const EInOutError &) {
        return;
    }

    ChartView view;
    view.mode = flags & 1 ? ChartMode::Record : ChartMode::Read;
    const bool fileReady = !(flags & 2);
    view.range = static_cast<RangeMode>((flags >> 2) % 3);
    view.compression() = 1 + compression % 150;
    view.offset() = offset * 7;
    for (int ch = 0; ch < RecordChannels; ++ch) {
        view.visible[size_t(ch)] = (visible >> ch) & 1;
        view.scaleIndex[size_t(ch)] = scales[ch] % ScaleSteps;
        view.scaleFactor[size_t(ch)] = ScaleTable[size_t(view.scaleIndex[size_t(ch)])];
    }
    // The live record is the loaded one with a count near the file's, past either end too.
    const int recordCount = loadedInfo.count + countShift - 128;
    RecordReportInput input = RecordReportInputFor({ .view = view,
        .fileReady = fileReady,
        .live = *loaded,
        .recordCount = recordCount,
        .loaded = *loaded,
        .loadedLast = loadedInfo.count - 1 });
    if (input.last < -1 || input.last >= MaxRecordSamples)
        std::abort();
    for (const auto &samples : input.samples)
        if (qsizetype(samples.size()) != qsizetype(input.last) + 1)
            std::abort();

    for (int ch = 0; ch < RecordChannels; ++ch)
        input.captions[size_t(ch)] = SignalEnglishCaption(loadedInfo.channelSignals[size_t(ch)]);
    const OpenedTexts texts = OpenedFileTexts(*loaded, loadedInfo.count, flags & 32);
    input.stepText = SamplingStepText(loadedInfo.step);
    input.startText = texts.start;
    input.endText = texts.end;
    input.lengthText = texts.length;
    if (flags & 16) {
        input.traceArea = QSize(200 + (flags & 0xC0) * 4 + compression, 100 + countShift);
        input.chart = RecordChartPicture(*traceSurface, *axisSurface, input.traceArea);
    }

    const RecordPagePoints printed = RecordPagePointsFor(input, RecordPageLayoutFor(PrintWidth, PrintHeight));
    const int maxPoints = RecordPageLayoutFor(PrintWidth, PrintHeight).maxPoints;
    if (printed.count < 0 || printed.count > maxPoints || (!fileReady && printed.count != 0))
        std::abort();
    for (const auto &ys : printed.y)
        if (qsizetype(ys.size()) != printed.count)
            std::abort();

    {
        QPainter painter(recordPreview);
        DrawRecordPreview(painter, PreviewWidth, recordPreview->height(), input, *info);
    }
    RecordPagePoints drawn;
    {
        QPainter painter(recordPage);
        drawn = DrawRecordPage(painter, recordPage->width(), recordPage->height(), input, *info);
    }
    KeepPrintedOverflowMarks(view, fileReady, drawn);
}

void measurementReport(FuzzInput &in)
{
    const uint8_t *file = nullptr;
    const size_t fileSize = in.take(in.remaining(), file);
    MeasurementRecord record {};
    try {
        LoadMeasurementFile(writeInput(QStringLiteral("fuzz.vqm"), file, fileSize), record);
    } catch (const EInOutError &) {
        return;
    }
    {
        QPainter painter(measurementPreview);
        DrawMeasurementPreview(painter, PreviewWidth, measurementPreview->height(), record, *info);
    }
    QPainter painter(measurementPage);
    DrawMeasurementPage(painter, measurementPage->width(), measurementPage->height(), record, *info);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The reports write texts: fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    workDir = new QTemporaryDir;
    loaded = new RecordArrays;
    traceSurface = new QImage(1500, 400, QImage::Format_RGB32);
    traceSurface->fill(Qt::black);
    axisSurface = new QImage(50, 400, QImage::Format_RGB32);
    axisSurface->fill(Qt::white);
    recordPreview = new QImage(PreviewWidth + 5, RecordPreviewHeight(PreviewWidth), QImage::Format_RGB32);
    recordPage = new QImage(PageWidth, RecordPreviewHeight(PageWidth), QImage::Format_RGB32);
    measurementPreview
        = new QImage(PreviewWidth + 5, MeasurementPreviewHeight(PreviewWidth), QImage::Format_RGB32);
    measurementPage = new QImage(RecordPreviewHeight(PageWidth), PageWidth, QImage::Format_RGB32);
    info = new PrintInfo;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    if (in.byte() & 1)
        measurementReport(in);
    else
        recordReport(in);
    return 0;
}
