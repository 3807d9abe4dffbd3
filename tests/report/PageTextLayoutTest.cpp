// Every text of the three reports, on paper (a PDF page of A4 or Letter, either orientation, at 300,
// 600 and 1200 dpi) and in the screen preview, stays on the page and clear of every other
// text, with the longest texts the reports get: the longest channel captions, wide scale
// values, long print information, harmonic values of many digits and a compliance table of
// currents above 10 A.

#include "ComplianceAssessments.h"
#include "PageImage.h"

#include "measure/ComplianceView.h"
#include "report/ComplianceReport.h"
#include "report/MeasurementReport.h"
#include "report/RecordReport.h"
#include "report/ReportTexts.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <vector>

namespace {
std::string describe(const PageText &t)
{
    std::ostringstream out;
    out << '"' << t.text.toStdString() << "\" at (" << t.rect.x() << ", " << t.rect.y() << ") "
        << t.rect.width() << " x " << t.rect.height();
    return out.str();
}

// Inside the page, not empty, and no two boxes sharing a pixel.
void ExpectTextsOnThePageAndApart(const PageTexts &texts, const QRect &page)
{
    for (const PageText &t : texts) {
        EXPECT_FALSE(t.rect.isEmpty()) << describe(t);
        EXPECT_TRUE(page.contains(t.rect))
            << describe(t) << " leaves the page " << page.width() << " x " << page.height();
    }
    int overlaps = 0;
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j)
            if (texts[i].rect.intersects(texts[j].rect) && ++overlaps <= 10)
                ADD_FAILURE() << describe(texts[i]) << " runs into " << describe(texts[j]);
    EXPECT_EQ(overlaps, 0);
}

// A column line of a table: its x, where it starts and half its pen width.
struct ColumnLine
{
    int x, top, halfPen;
};

// No text of the table above `bottom` stands on one of its column lines.
void ExpectTableTextsBetweenTheLines(const PageTexts &texts, int bottom, const std::vector<ColumnLine> &lines)
{
    int crossing = 0;
    for (const PageText &t : texts)
        for (const ColumnLine &line : lines)
            if (t.rect.bottom() <= bottom && t.rect.bottom() >= line.top
                && t.rect.left() <= line.x + line.halfPen && t.rect.right() >= line.x - line.halfPen
                && ++crossing <= 10)
                ADD_FAILURE() << describe(t) << " stands on the column line at x " << line.x;
    EXPECT_EQ(crossing, 0);
}

bool Drawn(const PageTexts &texts, const QString &text)
{
    return std::any_of(texts.begin(), texts.end(), [&](const PageText &t) { return t.text == text; });
}

PrintInfo LongPrintInfo()
{
    PrintInfo info;
    info.projectName = QStringLiteral("Pump station 7, hall B, motor M2 (retrofit)");
    info.company = QStringLiteral("Norvo Precision Measurement Laboratory");
    info.conner = QStringLiteral("王工程师 / Wang Gongcheng");
    info.date = QStringLiteral("2026-12-11");
    info.temperature = QStringLiteral("-12.5");
    info.celsius = true;
    return info;
}

// A measurement whose table cells are as wide as they get: fundamentals of 600 V and 20 A RMS,
// harmonics above the fundamental (seven-character percentages) and none below 100 V.
MeasurementRecord WideMeasurement()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    record.URMS = 599.994f;
    record.UPP = -849.997f;
    record.UF = 49.999f;
    record.IRMS = -19.9994f;
    record.IPP = -28.2834f;
    record.IPA = -179.994f;
    record.WRMS = -11999.9f;
    record.PF = -0.9994f;
    record.PS = 11999.9f;
    record.PQ = -11999.9f;
    record.VKF = 1.41f;
    record.IKF = 1.41f;
    record.VTHD = 1.2345f;
    record.ITHD = 1.2345f;
    for (int n = 0; n < HarmonicCount; ++n) {
        record.UHarm[n] = n == 1 ? 848.4f : 1047.37f;
        record.IHarm[n] = n == 1 ? 28.28f : 34.91f;
    }
    return record;
}

// A record of all six channels at the widest captions and scale values, in the bipolar range.
struct WideRecord
{
    WideRecord()
    {
        for (auto &c : channels)
            c.assign(3000, 0.0f);
        for (int i = 2000; i < 3000; ++i) {
            channels[0][i] = 1.0e6f; // above the chart
            channels[1][i] = -1.0e6f; // below it
        }
        input.fileReady = true;
        input.last = 2999;
        for (int k = 0; k < RecordReportChannels; ++k)
            input.samples[k] = channels[k];
        input.compression = 64;
        input.range = RecordRange::Bipolar;
        input.scaleFactor = { 0.001f, 3.0f, 7.0f, 10000.0f, 0.5f, 1.7f };
        input.captions = { QStringLiteral("Apparent power"), QStringLiteral("Reactive power"),
            QStringLiteral("Temperature 1"), QStringLiteral("Temperature 2"), QStringLiteral("Temperature 3"),
            QStringLiteral("Power Factor") };
        input.stepText = QStringLiteral("采样步长：30秒");
        input.startText = QStringLiteral("Start：2026-12-11 02:27:48");
        input.endText = QStringLiteral("End：2026-12-11 14:27:48");
        input.lengthText = QStringLiteral("Length:450000");
    }
    std::array<std::vector<float>, RecordReportChannels> channels;
    RecordReportInput input;
};

enum class Report { Measurement, Record, Compliance };

struct Paper
{
    Report report;
    QPageLayout::Orientation orientation;
    QPageSize::PageSizeId size;
    int dpi;
};

std::string paperName(const Paper &p)
{
    std::ostringstream out;
    out << (p.report == Report::Measurement ? "Measurement"
            : p.report == Report::Record    ? "Record"
                                            : "Compliance")
        << (p.orientation == QPageLayout::Portrait ? "Portrait" : "Landscape")
        << (p.size == QPageSize::A4 ? "A4" : "Letter") << p.dpi << "dpi";
    return out.str();
}

void PrintTo(const Paper &paper, std::ostream *os)
{
    *os << paperName(paper);
}

// The page drawn into a PDF file, as the printer writes it, on a printable area with margins of
// a quarter of an inch.
PageTexts DrawOnPaper(const Paper &paper, QRect &area, const PrintInfo &info, const MeasurementRecord &record,
    const RecordReportInput &input, const EmissionAssessment &assessment = WideAssessment())
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(paper.dpi);
    pdf.setPageLayout(QPageLayout(QPageSize(paper.size), paper.orientation, QMarginsF(6.35, 6.35, 6.35, 6.35),
        QPageLayout::Millimeter));
    area = QRect(0, 0, pdf.width(), pdf.height());
    PageTexts texts;
    QPainter painter(&pdf);
    if (paper.report == Report::Measurement)
        DrawMeasurementPage(painter, area.width(), area.height(), record, info, &texts);
    else if (paper.report == Report::Record)
        DrawRecordPage(painter, area.width(), area.height(), input, info, &texts);
    else
        DrawCompliancePage(painter, area.width(), area.height(), assessment, info, &texts);
    return texts;
}

class PaperTexts : public testing::TestWithParam<Paper>
{
};

std::vector<Paper> AllPapers()
{
    std::vector<Paper> papers;
    for (Report report : { Report::Measurement, Report::Record, Report::Compliance })
        for (auto orientation : { QPageLayout::Portrait, QPageLayout::Landscape })
            for (auto size : { QPageSize::A4, QPageSize::Letter })
                for (int dpi : { 300, 600, 1200 })
                    papers.push_back({ report, orientation, size, dpi });
    return papers;
}
} // namespace

TEST_P(PaperTexts, EveryTextStaysOnThePageAndApartFromTheOthers)
{
    const Paper &paper = GetParam();
    WideRecord record;
    QRect area;
    const PageTexts texts = DrawOnPaper(paper, area, LongPrintInfo(), WideMeasurement(), record.input);
    ASSERT_GT(area.width(), 0);
    ExpectTextsOnThePageAndApart(texts, area);

    if (paper.report == Report::Measurement) {
        const MeasurementPageLayout m = MeasurementPageLayoutFor(area.width(), area.height(), paper.dpi);
        const int tt = m.tableFrame.top();
        std::vector<ColumnLine> lines;
        for (int k = 0; k <= 15; ++k) {
            const bool fromTop = k % 5 == 0 || k == 1 || k == 3 || k == 6 || k == 8 || k == 11 || k == 13;
            lines.push_back(
                { m.frame.left + k * m.columnWidth, fromTop ? tt : tt + m.rowHeight, m.tablePen / 2 + 1 });
        }
        ExpectTableTextsBetweenTheLines(texts, m.tableFrame.bottom(), lines);
    }
    if (paper.report == Report::Compliance) {
        const CompliancePageLayout c = CompliancePageLayoutFor(area.width(), area.height(), paper.dpi);
        for (const PageText &t : texts)
            EXPECT_FALSE(t.rect.intersects(c.chart)) << describe(t) << " stands on the chart";
        // Each text of the table inside its row.
        for (const PageText &t : texts)
            if (c.table.contains(t.rect.center())) {
                const int row = (t.rect.center().y() - c.table.top()) / c.rowHeight;
                const int top = c.table.top() + row * c.rowHeight;
                EXPECT_TRUE(t.rect.top() >= top && t.rect.bottom() < top + c.rowHeight)
                    << describe(t) << " leaves row " << row;
            }
    }

    // Nothing had to be cut short: each text is drawn whole.
    QStringList whole;
    if (paper.report == Report::Measurement) {
        whole = { QStringLiteral("Percent"), QStringLiteral("123.45%"), ReportHarmonicRms(1047.37f),
            QStringLiteral("Project Name：") + LongPrintInfo().projectName,
            QStringLiteral("Licenser：") + LongPrintInfo().company,
            QStringLiteral(" Reactive power：-11999.9 VAR") };
    } else if (paper.report == Report::Compliance) {
        const EmissionAssessment a = WideAssessment();
        whole = ComplianceHeader();
        whole << VerdictHeadline(a) << ComplianceClassText(a) << CompliancePowerText(a)
              << CompliancePeriodText(a) << QStringLiteral("Project Name：") + LongPrintInfo().projectName
              << QStringLiteral("Licenser：") + LongPrintInfo().company;
        for (const OrderAssessment &o : a.orders)
            whole << ComplianceRowTexts(o);
    } else {
        whole = { QStringLiteral("Channel Signal Description:"), QStringLiteral("Time/DIV=1280S"),
            QStringLiteral("CH1/DIV=") + RecordDivisionText(0.001f, RecordRange::Bipolar),
            QStringLiteral("CH6/DIV=") + RecordDivisionText(1.7f, RecordRange::Bipolar), record.input.endText,
            record.input.lengthText + QStringLiteral("点"),
            QStringLiteral("Project Name :") + LongPrintInfo().projectName };
        for (int k = 0; k < RecordReportChannels; ++k)
            whole << QStringLiteral("CH%1: ").arg(k + 1) + record.input.captions[k];
    }
    for (const QString &text : whole)
        EXPECT_TRUE(Drawn(texts, text)) << text.toStdString();
    for (const PageText &t : texts)
        EXPECT_FALSE(t.text.contains(QChar(0x2026))) << describe(t);
}

INSTANTIATE_TEST_SUITE_P(BothReports, PaperTexts, testing::ValuesIn(AllPapers()),
    [](const testing::TestParamInfo<Paper> &info) { return paperName(info.param); });

TEST(PaperTexts, PrintInformationOfAnyLengthIsCutShortInItsColumn)
{
    PrintInfo info = LongPrintInfo();
    info.projectName = QString(300, QLatin1Char('W'));
    info.company = QString(120, QChar(0x6cf5));
    info.conner = QString(80, QLatin1Char('M'));
    info.temperature = QString(60, QLatin1Char('8'));
    WideRecord record;
    for (Report report : { Report::Measurement, Report::Record, Report::Compliance })
        for (auto orientation : { QPageLayout::Portrait, QPageLayout::Landscape }) {
            const Paper paper { report, orientation, QPageSize::A4, 600 };
            SCOPED_TRACE(paperName(paper));
            QRect area;
            const PageTexts texts = DrawOnPaper(paper, area, info, WideMeasurement(), record.input);
            ExpectTextsOnThePageAndApart(texts, area);
            const auto cut = std::count_if(
                texts.begin(), texts.end(), [](const PageText &t) { return t.text.endsWith(QChar(0x2026)); });
            EXPECT_EQ(cut, 4) << "the four long fields end in an ellipsis";
        }
}

TEST(PaperTexts, EveryComplianceVerdictIsShownWholeWithItsReason)
{
    EmissionCheck refusing(EmissionClass::C);
    EmissionSample broken;
    broken.activePower = std::numeric_limits<double>::quiet_NaN();
    refusing.add(broken);
    const struct
    {
        const char *name;
        EmissionAssessment a;
    } cases[] = {
        { "nothing measured", EmissionCheck(EmissionClass::B).result() },
        { "refused", refusing.result() },
        { "no limits", SteadyAssessment(EmissionClass::D, 50, 0.3, { { 3, 0.2 } }) },
        { "class D above 600 W", SteadyAssessment(EmissionClass::D, 900, 4.0, { { 3, 1.5 }, { 21, 0.2 } }) },
        { "class D above 600 W failing",
            SteadyAssessment(EmissionClass::D, 900, 4.0, { { 3, 2.6 }, { 21, 0.2 } }) },
        { "failing at 150 %", WideAssessment() },
    };
    for (const auto &c : cases)
        for (auto orientation : { QPageLayout::Portrait, QPageLayout::Landscape }) {
            const Paper paper { Report::Compliance, orientation, QPageSize::A4, 600 };
            SCOPED_TRACE(std::string(c.name) + " " + paperName(paper));
            ASSERT_FALSE(c.a.reason.isEmpty());
            QRect area;
            const PageTexts texts = DrawOnPaper(paper, area, LongPrintInfo(), MeasurementRecord(), {}, c.a);
            ExpectTextsOnThePageAndApart(texts, area);
            EXPECT_TRUE(Drawn(texts, VerdictHeadline(c.a)));
            // The reason's lines, one under the other at the headline's left edge.
            const CompliancePageLayout layout
                = CompliancePageLayoutFor(area.width(), area.height(), paper.dpi);
            QStringList reason;
            for (const PageText &t : texts)
                if (layout.verdictBox.contains(t.rect) && t.text != VerdictHeadline(c.a))
                    reason << t.text;
            EXPECT_EQ(reason.join(' '), c.a.reason) << reason.join('|').toStdString();
        }
}

TEST(PaperTexts, TheRecordNoteGoesOnAsManyLinesAsItNeeds)
{
    WideRecord record;
    for (auto orientation : { QPageLayout::Portrait, QPageLayout::Landscape }) {
        const Paper paper { Report::Record, orientation, QPageSize::A4, 600 };
        QRect area;
        const PageTexts texts = DrawOnPaper(paper, area, PrintInfo(), MeasurementRecord(), record.input);
        // The note's lines, one under the other at the same left edge.
        const auto first = std::find_if(
            texts.begin(), texts.end(), [](const PageText &t) { return t.text.startsWith("Icons"); });
        QStringList note;
        for (auto t = first; t != texts.end() && t->rect.left() == first->rect.left(); ++t)
            note << t->text;
        ASSERT_FALSE(note.isEmpty()) << paperName(paper);
        if (orientation == QPageLayout::Portrait) {
            EXPECT_GE(note.size(), 2) << "wider than a portrait page";
        }
        EXPECT_EQ(note.join(' '),
            QStringLiteral(
                "Icons were positive overflow and negative overflow flags, when a channel overflow, in the "
                "upper right corner and lower right corner of a corresponding color of the icon."))
            << paperName(paper) << ": " << note.join('|').toStdString();
    }
}

TEST(PreviewTexts, EveryTextStaysOnThePageAndApartFromTheOthers)
{
    const int wp = 714;
    // The print window's preview bitmap: 96 dpi.
    QImage bitmap = PageImage(800, 2400, 96);
    {
        SCOPED_TRACE("measurement preview");
        const int hp = MeasurementPreviewHeight(wp);
        PageTexts texts;
        QPainter painter(&bitmap);
        DrawMeasurementPreview(painter, wp, hp, WideMeasurement(), LongPrintInfo(), &texts);
        ExpectTextsOnThePageAndApart(texts, QRect(0, 0, wp, hp));
        EXPECT_TRUE(Drawn(texts, QStringLiteral("Percent")));
        EXPECT_TRUE(Drawn(texts, QStringLiteral("123.45%")));
        // The grid's column lines: u apart, and 30 pixels for the order numbers of each group;
        // those between the two columns of a heading start under the headings' row.
        const int u = PreviewTableStep(wp);
        std::vector<ColumnLine> lines { { 50, 560, 1 }, { wp - 48, 560, 1 } };
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i <= 4; ++i)
                lines.push_back({ 80 + g * (4 * u + 30) + i * u, i % 2 ? 577 : 560, i == 4 ? 1 : 0 });
        ExpectTableTextsBetweenTheLines(texts, 883, lines);
    }
    // Record window charts of their default proportions, wide ones and tall ones.
    for (const QSize &area : { QSize(697, 490), QSize(600, 300), QSize(1800, 300), QSize(300, 600) }) {
        SCOPED_TRACE(std::to_string(area.width()) + " x " + std::to_string(area.height()));
        WideRecord record;
        record.input.traceArea = area;
        const int hp = RecordPreviewHeight(wp);
        PageTexts texts;
        QPainter painter(&bitmap);
        DrawRecordPreview(painter, wp, hp, record.input, LongPrintInfo(), &texts);
        ExpectTextsOnThePageAndApart(texts, QRect(0, 0, wp, hp));
        const QRect chart = RecordPreviewChartRect(wp, hp, area);
        for (const PageText &t : texts)
            EXPECT_FALSE(t.rect.intersects(chart)) << describe(t) << " stands on the chart";
    }
    {
        SCOPED_TRACE("compliance preview");
        const int hp = CompliancePreviewHeight(wp);
        PageTexts texts;
        QPainter painter(&bitmap);
        const EmissionAssessment a = WideAssessment();
        DrawCompliancePreview(painter, wp, hp, a, LongPrintInfo(), &texts);
        ExpectTextsOnThePageAndApart(texts, QRect(0, 0, wp, hp));
        const CompliancePageLayout c = CompliancePageLayoutFor(wp, hp, 96);
        for (const PageText &t : texts)
            EXPECT_FALSE(t.rect.intersects(c.chart)) << describe(t) << " stands on the chart";
        EXPECT_TRUE(Drawn(texts, VerdictHeadline(a)));
        EXPECT_TRUE(Drawn(texts, ComplianceRowTexts(a.orders.back()).front()));
    }
}
