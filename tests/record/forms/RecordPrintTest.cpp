// The record window's Print command and the record report it feeds: a record file made by
// the record core is opened in the record window, the print window shows it and prints it
// to a PDF file through Qt's printer, and the page is read back with poppler's tools.

#include "record/forms/RecordFixture.h"

#include "report/RecordReport.h"
#include "report/forms/Print.h"
#include "report/forms/QtPrinter.h"

#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <functional>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool near(QRgb pixel, const QColor &colour, int tolerance)
{
    return std::abs(qRed(pixel) - colour.red()) <= tolerance
        && std::abs(qGreen(pixel) - colour.green()) <= tolerance
        && std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// Pixels of `image` inside `region` within `tolerance` of `colour`.
int countColour(const QImage &image, const QRect &region, const QColor &colour, int tolerance = 0)
{
    int count = 0;
    const QRect r = region.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += near(image.pixel(x, y), colour, tolerance);
    return count;
}

const std::array<QColor, 6> Colours = { QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255),
    QColor(128, 0, 0), QColor(255, 255, 0), QColor(255, 0, 255) };

class RecordPrint : public RecordFormFixture
{
protected:
    void SetUp() override
    {
        RecordFormFixture::SetUp();
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()
            || QStandardPaths::findExecutable("pdftoppm").isEmpty())
            FAIL() << "pdftotext and pdftoppm (poppler-utils, installed by scripts/setup) are needed";
        // The print window is made before the record window, as at program start.
        PrinterForm = new TPrinterForm;
        PrinterForm->setPrinter(&qtPrinter);
        create();
        pdf = out.filePath("record.pdf");
        QPrinter &q = qtPrinter.qprinter();
        q.setOutputFormat(QPrinter::PdfFormat);
        q.setOutputFileName(pdf);
        q.setResolution(600);
        q.setPageSize(QPageSize(QPageSize::A4));
    }

    void TearDown() override
    {
        RecordFormFixture::TearDown();
        delete PrinterForm;
        PrinterForm = nullptr;
    }

    // A record file of 3000 samples a second apart: CH1 Vol and CH2 Amp and CH4 Frequency and
    // CH6 Reactive power inside the chart, CH3 Power far above it, CH5 Apparent power below.
    QString makeRecordFile()
    {
        const QString file = path("print.vqr");
        Recorder source;
        source.settings.channelSignal = { 0, 1, 2, 6, 3, 4 };
        source.settings.samplingIndex = 0;
        source.newFile(file);
        const QDateTime start(QDate(2026, 12, 10), QTime(9, 0));
        for (int i = 0; i < 3000; ++i) {
            Measurement.URMS = float(230 + 60 * std::sin(i / 40.0));
            Measurement.IRMS = float(i % 400);
            Measurement.WRMS = 5000.0f;
            Measurement.UF = float(100 + 30 * std::sin(i / 25.0));
            Measurement.PS = -100.0f;
            Measurement.PQ = float(380 + 50 * std::cos(i / 60.0));
            source.sample(Measurement, start.addSecs(i));
        }
        source.save();
        return file;
    }

    void openRecord()
    {
        dialogs.fileNames.push_back(makeRecordFile());
        form->SeSkinSpeedButton1Click();
        ASSERT_EQ(form->LoadedLast, 2999);
    }

    // Runs the record window's Print command; `whileShown` runs inside the modal print window,
    // which is closed after it.
    void printCommand(const std::function<void()> &whileShown)
    {
        bool ran = false;
        QTimer::singleShot(0, PrinterForm, [&] {
            ran = true;
            whileShown();
            PrinterForm->reject();
        });
        QTest::mouseClick(form->SeSkinSpeedButton3, Qt::LeftButton);
        EXPECT_TRUE(ran) << "the print window was shown modally";
        EXPECT_FALSE(PrinterForm->isVisible());
    }

    // The printed page as a picture of `dpi`, and where the printable area's device pixels
    // (600 dpi) fall on it.
    QImage pagePicture(int dpi)
    {
        const QString base = out.filePath("page");
        run("pdftoppm", { "-r", QString::number(dpi), "-png", "-singlefile", pdf, base });
        QImage page(base + ".png");
        page = page.convertToFormat(QImage::Format_RGB32);
        const QString folder = qEnvironmentVariable("KMR_RECORD_SHOTS");
        if (!folder.isEmpty())
            page.save(QDir(folder).filePath(
                QStringLiteral("record-report-%1.png")
                    .arg(orientation == QPageLayout::Portrait ? "portrait" : "landscape")));
        return page;
    }
    QRect onPicture(const QRect &device, int dpi)
    {
        const QRect paper = qtPrinter.qprinter().pageLayout().paintRectPixels(600);
        const double s = dpi / 600.0;
        const QRect r = device.translated(paper.topLeft());
        return QRect(QPoint(qRound(r.left() * s), qRound(r.top() * s)),
            QPoint(qRound(r.right() * s), qRound(r.bottom() * s)));
    }

    QTemporaryDir out;
    QString pdf;
    QtPrinter qtPrinter;
    QPageLayout::Orientation orientation = QPageLayout::Landscape;
};

class RecordPrintPage : public RecordPrint, public testing::WithParamInterface<QPageLayout::Orientation>
{
protected:
    void SetUp() override
    {
        RecordPrint::SetUp();
        orientation = GetParam();
        qtPrinter.qprinter().setPageOrientation(orientation);
    }
};

} // namespace

TEST_F(RecordPrint, TheReportReadsTheShownRecordTheCaptionsTheStatusTextsAndTheChart)
{
    const struct
    {
        const char *name;
        bool recording;
    } cases[] = { { "recording", true }, { "opened file", false } };
    for (const auto &c : cases) {
        if (c.recording) {
            startRecording();
            for (int i = 0; i < 30; ++i)
                tick(float(i));
        } else {
            openRecord();
        }
        const RecordReportInput input = PrinterForm->RecordReportSource();
        EXPECT_TRUE(input.fileReady) << c.name;
        EXPECT_EQ(input.last, c.recording ? 29 : 2999) << c.name;
        // The newest sample: Power (the channels' signal without settings) of the last tick,
        // Vol of the file's last sample.
        const float newest = c.recording ? Measurement.WRMS : float(230 + 60 * std::sin(2999 / 40.0));
        ASSERT_EQ(input.samples[0].size(), std::size_t(input.last + 1)) << c.name;
        EXPECT_FLOAT_EQ(input.samples[0][input.last], newest) << c.name;
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(input.captions[k], form->ChannelCaption[k]->text()) << c.name << k;
        EXPECT_EQ(input.stepText, form->statusText(0)) << c.name;
        EXPECT_EQ(input.startText, form->statusText(2)) << c.name;
        EXPECT_EQ(input.endText, form->statusText(3)) << c.name;
        EXPECT_EQ(input.lengthText, form->statusText(4)) << c.name;
        EXPECT_EQ(input.traceArea, form->Pic4->size()) << c.name;
        EXPECT_EQ(input.chart.size(), form->Pic4->size() + QSize(50, 0)) << c.name;
        EXPECT_TRUE(input.chart.copy(QRect(QPoint(0, 0), form->Pic4->size()))
            == form->traceSurface().copy(QRect(QPoint(0, 0), form->Pic4->size())))
            << c.name << ": the chart as the window shows it";
    }
    // The view of the shown mode: read mode after the open.
    form->View.readCompression = 4;
    form->View.readOffset = 17;
    form->View.recordCompression = 9;
    form->ChannelOnOffClick(1);
    form->SeSkinButton19Click(); // Bipolar
    const RecordReportInput input = PrinterForm->RecordReportSource();
    EXPECT_EQ(input.compression, 4);
    EXPECT_EQ(input.offset, 17);
    EXPECT_EQ(input.range, RecordRange::Bipolar);
    EXPECT_FALSE(input.visible[1]);
}

TEST_F(RecordPrint, ThePrintCommandShowsTheRecordReportPreview)
{
    // The window on screen at its design size, for a chart of the proportions it has there.
    form->show();
    QTRY_VERIFY_WITH_TIMEOUT(form->Pic4->width() > 600, 5000);
    openRecord();
    ReportKind = 0;
    printCommand([&] {
        EXPECT_EQ(ReportKind, 1);
        EXPECT_TRUE(PrinterForm->isVisible());
        EXPECT_TRUE(PrinterForm->isModal());
        const QImage &preview = PrinterForm->PreviewBitmap;
        const int wp = PrinterForm->image1->width();
        const QString folder = qEnvironmentVariable("KMR_RECORD_SHOTS");
        if (!folder.isEmpty())
            preview.copy(PrinterForm->image1->rect())
                .save(QDir(folder).filePath("record-report-preview.png"));
        EXPECT_EQ(PrinterForm->image1->height(), RecordPreviewHeight(wp)) << "the record page's height";
        // The chart picture scaled onto the page: the traces inside the chart, above the
        // division labels of its bottom rows; CH3 and CH5 run outside it.
        const int f = RecordPreviewChartHeight(wp, form->Pic4->size());
        const QRect traces(QPoint(50, 75), QPoint(wp - 50, 75 + f - 20));
        for (int k : { 0, 1, 3, 5 })
            EXPECT_GT(countColour(preview, traces, Colours[k]), 20) << "CH" << k + 1;
        for (int k : { 2, 4 })
            EXPECT_EQ(countColour(preview, traces, Colours[k]), 0) << "CH" << k + 1;
        // The six descriptions in their colours under the chart.
        ASSERT_LT(f + 115, RecordPreviewHeight(wp) - 100)
            << form->Pic4->size().width() << "x" << form->Pic4->size().height();
        const QRect descriptions(QPoint(130, f + 88), QPoint(wp - 1, f + 112));
        for (int k = 0; k < 6; ++k)
            EXPECT_GT(countColour(preview, descriptions, Colours[k], 60), 3) << "CH" << k + 1;
    });
}

TEST_P(RecordPrintPage, PrintedThroughThePrintWindowWithTracesTextsAndOverflowMarks)
{
    openRecord();
    // Marks of an earlier drawing, which the printed page replaces.
    form->View.above.fill(true);
    form->View.below.fill(true);
    printCommand([&] { QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton); });
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();

    EXPECT_EQ(form->View.above, (std::array<bool, 6> { false, false, true, false, false, false }));
    EXPECT_EQ(form->View.below, (std::array<bool, 6> { false, false, false, false, true, false }));

    const QString t = run("pdftotext", { "-layout", pdf, "-" });
    QStringList expected = { "CH1: Vol", "CH2: Amp", "CH3: Power", "CH4: Frequency", "CH5: Apparent power",
        "CH6: Reactive power", form->statusText(0), form->statusText(2) };
    if (orientation == QPageLayout::Landscape) // the last texts stand past a portrait page's width
        expected << form->statusText(3) << form->statusText(4) + QStringLiteral("点");
    for (const QString &text : expected)
        EXPECT_TRUE(t.contains(text)) << text.toStdString() << "\n" << t.toStdString();
    EXPECT_TRUE(form->statusText(2).contains("2026")) << form->statusText(2).toStdString();

    const int dpi = 150;
    const QImage page = pagePicture(dpi);
    const QPrinter &q = qtPrinter.qprinter();
    const RecordPageLayout r = RecordPageLayoutFor(q.width(), q.height());
    const int L = r.frame.left;
    const int R = r.frame.right;
    const QRect inside = onPicture(
        QRect(QPoint(L + 20, r.chartTop + 20), QPoint(r.chartRight - 20, r.chartTop + r.chartHeight - 20)),
        dpi);
    for (int k : { 0, 1, 3, 5 })
        EXPECT_GT(countColour(page, inside, Colours[k], 40), 50) << "CH" << k + 1 << "'s trace";
    EXPECT_EQ(countColour(page, inside, Colours[2], 40), 0) << "CH3 stays above the chart";
    EXPECT_EQ(countColour(page, inside, Colours[4], 40), 0) << "CH5 stays below the chart";
    const auto mark = [&](int k, int base, int tip) {
        const int a = 100 * k;
        return onPicture(
            QRect(QPoint(R - 1120 + a, std::min(base, tip)), QPoint(R - 1020 + a, std::max(base, tip))), dpi);
    };
    EXPECT_GT(countColour(page, mark(2, r.aboveMarkY, r.aboveMarkY - 50), Colours[2], 40), 10) << "CH3 above";
    EXPECT_GT(countColour(page, mark(4, r.belowMarkY, r.belowMarkY + 50), Colours[4], 40), 10) << "CH5 below";
    EXPECT_EQ(countColour(page, mark(3, r.aboveMarkY, r.aboveMarkY - 50), Colours[3], 40), 0)
        << "no CH4 mark";
}

INSTANTIATE_TEST_SUITE_P(A4, RecordPrintPage, testing::Values(QPageLayout::Portrait, QPageLayout::Landscape),
    [](const testing::TestParamInfo<QPageLayout::Orientation> &info) {
        return std::string(info.param == QPageLayout::Portrait ? "Portrait" : "Landscape");
    });

TEST_F(RecordPrint, WithoutARecordFileThePageHasNoTracesAndTheMarksStay)
{
    form->View.above = { true, false, false, false, false, false };
    printCommand([&] { QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton); });
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();
    EXPECT_EQ(form->View.above, (std::array<bool, 6> { true, false, false, false, false, false }));
    const QString t = run("pdftotext", { "-layout", pdf, "-" });
    EXPECT_TRUE(t.contains("CH1: Power")) << t.toStdString();
    const QImage page = pagePicture(100);
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(
            countColour(page,
                onPicture(QRect(0, 0, qtPrinter.qprinter().width(),
                              RecordPageLayoutFor(qtPrinter.qprinter().width(), qtPrinter.qprinter().height())
                                      .belowMarkY
                                  - 5),
                    100),
                Colours[k], 40),
            0)
            << "CH" << k + 1;
}

TEST_F(RecordPrint, TheRecordWindowGoneThePrintWindowHasNoRecord)
{
    openRecord();
    form.reset();
    RecordForm = nullptr;
    const RecordReportInput input = PrinterForm->RecordReportSource();
    EXPECT_FALSE(input.fileReady);
    EXPECT_EQ(input.last, -1);
    PrinterForm->RecordOverflowSink(RecordPagePoints()); // nothing to keep them in, no crash
}
