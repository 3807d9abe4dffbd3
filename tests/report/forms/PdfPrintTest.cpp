// Reports printed to PDF files through Qt's printer, the way "Printer Setting" leaves it when
// the user chooses a PDF file, and read back with poppler's pdftotext and pdfinfo.

#include "ReportFormsFixture.h"

#include "report/ComplianceAssessments.h"

#include "report/forms/QtPrinter.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

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

class PdfPrint : public ReportForms, public testing::WithParamInterface<QPageLayout::Orientation>
{
protected:
    void SetUp() override
    {
        ReportForms::SetUp();
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()
            || QStandardPaths::findExecutable("pdfinfo").isEmpty())
            FAIL() << "pdftotext and pdfinfo (poppler-utils, installed by scripts/setup) are needed";
        pdf = out.filePath("report.pdf");
        QPrinter &q = qtPrinter.qprinter();
        q.setOutputFormat(QPrinter::PdfFormat);
        q.setOutputFileName(pdf);
        q.setResolution(600);
        q.setPageSize(QPageSize(QPageSize::A4));
        q.setPageOrientation(GetParam());
        PrinterForm->setPrinter(&qtPrinter);
        dir.writeFile("EnterInfo.ini",
            "[PrintInfo]\nProjectName=泵站A\ncompany=Norvo "
            "Lab\nconner=王工\ndate=2026-03-14\ntemperature=23\nunits=1\n");
    }

    QString text() const { return run("pdftotext", { "-layout", pdf, "-" }); }
    QString info() const { return run("pdfinfo", { pdf }); }

    QTemporaryDir out;
    QString pdf;
    QtPrinter qtPrinter;
};
} // namespace

TEST_P(PdfPrint, MeasurementReportIsOnePageWithItsTexts)
{
    Measurement.URMS = 230.456f;
    Measurement.VTHD = 0.03127f;
    Measurement.UHarm[1] = 311.0f;
    Measurement.UHarm[3] = 10.1f;
    ReportKind = 0;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();

    const QString pdfInfo = info();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Pages:\\s+1\\n"))) << pdfInfo.toStdString();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Title:\\s+泵站ATestReport"))) << pdfInfo.toStdString();
    const bool landscape = GetParam() == QPageLayout::Landscape;
    EXPECT_TRUE(pdfInfo.contains(landscape ? "842 x 595 pts (A4)" : "595 x 842 pts (A4)"))
        << pdfInfo.toStdString();

    // The Chinese texts are drawn in a font that has them, not as boxes of a Latin one.
    EXPECT_TRUE(run("pdffonts", { pdf }).contains("WenQuanYi")) << run("pdffonts", { pdf }).toStdString();

    const QString t = text();
    for (const char *expected : { "Measurement", "Report", "第1页", "Sample waveform",
             "Voltage(TRMS)： 230.46 V", "UTHD：", "3.13 %", "Harmonic content", "Percent", "100.0%",
             "219.94", "3.25%", "Project Name：泵站A", "Licenser：Norvo Lab", "Operator：王工",
             "测试日期：2026-03-14", "1.Instrument: Norvo KMR5150", "Temperature: 23℃" })
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
}

TEST_P(PdfPrint, RecordReportIsOnePageWithItsTexts)
{
    std::vector<float> values(1000, 250.0f);
    PrinterForm->RecordReportSource = [&] {
        RecordReportInput input;
        input.fileReady = true;
        input.last = 999;
        for (auto &s : input.samples)
            s = values;
        input.captions = { "Vol", "Amp", "Power", "电流", "Frequency", "Power Factor" };
        input.stepText = "采样步长：1S";
        input.lengthText = "长度：553";
        return input;
    };
    ReportKind = 1;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();

    const QString pdfInfo = info();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Pages:\\s+1\\n"))) << pdfInfo.toStdString();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Title:\\s+RecordReport"))) << pdfInfo.toStdString();

    const QString t = text();
    for (const char *expected : { "Record Report", "第1页", "100%", "Time/DIV=20S", "CH1/DIV=50",
             "Channel Signal Description:", "CH1: Vol", "CH4: 电流", "采样步长：1S",
             "Note:", "Icons were positive overflow", "Project Name :泵站A", "测试日期：2026-03-14",
             "Temperature：23℃" })
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    // The record texts close up where their places would carry them off the page.
    for (const char *expected : { "CH6: Power Factor", "长度：553点" })
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    EXPECT_FALSE(t.contains("Measurement")) << "the page is titled as its preview";
}

TEST_P(PdfPrint, ComplianceReportIsOnePageWithTheVerdictTheClassAndTheWorstOrder)
{
    const EmissionAssessment failing = SeventhOverClassD();
    ASSERT_EQ(failing.worstOrder, 7);
    PrinterForm->ComplianceReportSource = [&] { return failing; };
    ReportKind = 2;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();

    const QString pdfInfo = info();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Pages:\\s+1\\n"))) << pdfInfo.toStdString();
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression("Title:\\s+ComplianceReport"))) << pdfInfo.toStdString();

    const QString t = text();
    for (const char *expected :
        { "Harmonic Compliance Report", "第1页", "FAIL (class D)", "Emission class: D",
            "Power used: 250.0 W (measured)", "Observation period: 0:00:59, 60 measurement(s)",
            "order 7: the average 0.500 A", "Smoothed max (A)", "% of limit",
            "Pre-compliance indication only", "Project Name：泵站A", "Licenser：Norvo Lab", "Operator：王工",
            "测试日期：2026-03-14", "1.Instrument: Norvo KMR5150", "Temperature: 23℃" })
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    // The failing row: order 7, its limit, 200 % and FAIL on one line.
    EXPECT_TRUE(
        t.contains(QRegularExpression("(^|\\s)7 +0\\.250 +0\\.500 +0\\.500 +0\\.500 +200 % +FAIL\\s*\\n")))
        << t.toStdString();
    EXPECT_EQ(t.count(QRegularExpression("\\bFAIL\\b")), 2) << "the headline and the one failing row";
    EXPECT_FALSE(t.contains("Measurement")) << "the page is the compliance report";
}

TEST_P(PdfPrint, AnUnwritableFileIsReportedWithTheSystemsText)
{
    qtPrinter.qprinter().setOutputFileName(out.filePath("missing-folder/report.pdf"));
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("No such file or directory"))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.contains("missing-folder/report.pdf"));
    EXPECT_FALSE(QFile::exists(out.filePath("missing-folder/report.pdf")));
    // The window stays usable: a good file name prints.
    qtPrinter.qprinter().setOutputFileName(pdf);
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(QFile::exists(pdf));
}

INSTANTIATE_TEST_SUITE_P(A4, PdfPrint, testing::Values(QPageLayout::Portrait, QPageLayout::Landscape),
    [](const testing::TestParamInfo<QPageLayout::Orientation> &info) {
        return std::string(info.param == QPageLayout::Portrait ? "Portrait" : "Landscape");
    });

TEST_F(ReportForms, APdfFileIsPrintedAt600DpiWhateverTheWritersOwnResolution)
{
    // As "Printer Setting" leaves the printer when the user chooses a PDF file.
    QTemporaryDir out;
    QtPrinter qtPrinter;
    QPrinter &q = qtPrinter.qprinter();
    q.setOutputFormat(QPrinter::PdfFormat);
    q.setOutputFileName(out.filePath("record.pdf"));
    q.setPageOrientation(QPageLayout::Landscape);
    ASSERT_NE(q.resolution(), 600) << "the writer's own resolution";
    PrinterForm->setPrinter(&qtPrinter);
    std::optional<RecordPagePoints> points;
    PrinterForm->RecordOverflowSink = [&](const RecordPagePoints &p) { points = p; };
    std::vector<float> values(2000, 100.0f);
    PrinterForm->RecordReportSource = [&] {
        RecordReportInput input;
        input.fileReady = true;
        input.last = 1999;
        for (auto &s : input.samples)
            s = values;
        return input;
    };
    ReportKind = 1;
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.texts().join("; ").toStdString();
    EXPECT_EQ(q.resolution(), 600);
    // The chart's points, one every 10 device pixels, are as many as the printable area of
    // the A4 landscape page takes at 600 dpi (about 540; twice that at 1200 dpi).
    ASSERT_TRUE(points.has_value());
    const QRect area = q.pageLayout().paintRectPixels(600);
    EXPECT_EQ(points->count, RecordPageLayoutFor(area.width(), area.height()).maxPoints);
    EXPECT_LT(points->count, 560);
}

TEST_F(ReportForms, WithoutAPrinterPrintingAsksForAPdfFile)
{
    QtPrinter qtPrinter;
    qtPrinter.qprinter().setOutputFormat(QPrinter::NativeFormat);
    qtPrinter.qprinter().setPrinterName(QString());
    if (!qtPrinter.qprinter().printerName().isEmpty())
        GTEST_SKIP() << "this computer has a default printer";
    PrinterForm->setPrinter(&qtPrinter);
    QTest::mouseClick(PrinterForm->SeSkinButton1, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("PDF")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
}
