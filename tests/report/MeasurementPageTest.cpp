#include "PageImage.h"

#include "report/MeasurementReport.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {
const QColor Black(0, 0, 0);
const QColor Grey(128, 128, 128);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

MeasurementRecord startUpRecord()
{
    InitMeasurement();
    return Measurement;
}

QImage drawPage(int pw, int ph, const MeasurementRecord &record, const PrintInfo &info = {})
{
    QImage image = PageImage(pw, ph);
    QPainter painter(&image);
    DrawMeasurementPage(painter, pw, ph, record, info);
    return image;
}

// Values worked out by hand from the page rules for A4 at 600 dpi.
struct Expected
{
    const char *name;
    int pw, ph;
    int left, top, right, centre;
    QRect waveBox;
    int tableTop, tableBottom, cw, rh;
    int footerRule, footerRow1, footerRow2;
    int footerX[3];
};

const Expected Portrait { "portrait", A4Short, A4Long, 275, 269, 4686, 2480,
    QRect(QPoint(275, 505), QPoint(3003, 1557)), 3964, 6349, 294, 126, 6423, 6455, 6585,
    { 275, 1907, 3539 } };
const Expected Landscape { "landscape", A4Long, A4Short, 389, 190, 6627, 3508,
    QRect(QPoint(389, 357), QPoint(4247, 1101)), 2802, 4489, 416, 89, 4541, 4564, 4656, { 389, 2697, 5005 } };

class MeasurementPage : public testing::TestWithParam<Expected>
{
};
} // namespace

TEST_P(MeasurementPage, LayoutOfTheKeyElements)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    EXPECT_EQ(m.frame.left, e.left);
    EXPECT_EQ(m.frame.top, e.top);
    EXPECT_EQ(m.frame.right, e.right);
    EXPECT_EQ(m.titleStart, QPoint(e.centre, e.top));
    EXPECT_EQ(m.waveBox, e.waveBox);
    EXPECT_EQ(m.tableFrame, QRect(QPoint(e.left, e.tableTop), QPoint(e.right, e.tableBottom)));
    EXPECT_EQ(m.columnWidth, e.cw);
    EXPECT_EQ(m.rowHeight, e.rh);
    EXPECT_EQ(m.footerRuleY, e.footerRule);
    EXPECT_EQ(m.footerRowY[0], e.footerRow1);
    EXPECT_EQ(m.footerRowY[1], e.footerRow2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(m.footerX[i], e.footerX[i]) << i;
}

TEST_P(MeasurementPage, TitlePiecesMeetAtTheCentre)
{
    const Expected &e = GetParam();
    const QImage page = drawPage(e.pw, e.ph, startUpRecord());
    // The title's line, above the wave box.
    const QRect band(0, e.top, e.pw, 150);
    const QRect measurement = InkBox(page, QRect(0, e.top, e.centre, 150), IsDark);
    const QRect report = InkBox(page, QRect(e.centre, e.top, e.pw - e.centre, 150), IsDark);
    ASSERT_FALSE(measurement.isNull());
    ASSERT_FALSE(report.isNull());
    EXPECT_LE(measurement.right(), e.centre);
    EXPECT_GE(measurement.right(), e.centre - 30) << "\"Measurement\" ends at the centre";
    EXPECT_GT(report.left(), e.centre + 60) << "\"   Report\" starts with blanks at the centre";
    EXPECT_LT(report.left(), e.centre + 200);
    EXPECT_GE(InkBox(page, band, IsDark).top(), e.top);
}

TEST_P(MeasurementPage, BoxesWithCaptionsOverTheirTopEdges)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    const QImage page = drawPage(e.pw, e.ph, startUpRecord());
    const QRect &box = m.waveBox;
    EXPECT_EQ(At(page, box.right(), box.top() + box.height() / 4), Black);
    EXPECT_EQ(At(page, box.left(), box.top() + box.height() / 4), Black);
    EXPECT_EQ(At(page, box.right() - 5, box.top()), Black);
    EXPECT_EQ(At(page, box.right() - 5, box.bottom()), Black);
    // The caption's leading blank is written on white over the edge.
    EXPECT_EQ(At(page, m.waveCaption.x() + 5, box.top()), QColor(Qt::white));
    for (int i = 0; i < 2; ++i) {
        const QRect &sb = m.spectrumBox[i];
        EXPECT_EQ(At(page, sb.right(), sb.top() + 20), Black) << i;
        EXPECT_EQ(At(page, m.spectrumCaption[i].x() + 5, sb.top()), QColor(Qt::white)) << i;
        EXPECT_EQ(At(page, sb.left() + sb.width() / 2, m.axisY[i]), Grey) << "axis " << i;
    }
}

TEST_P(MeasurementPage, FlatWavesLieOnTheBoxCentreLine)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    const QImage page = drawPage(e.pw, e.ph, startUpRecord());
    const QRect inside = m.waveBox.adjusted(2, 2, -2, -2);
    const QRect green = InkBox(page, inside, IsColor(Green));
    ASSERT_FALSE(green.isNull());
    const int centre = m.waveBox.top() + (m.waveBox.bottom() - m.waveBox.top()) / 2;
    EXPECT_LE(green.top(), centre);
    EXPECT_GE(green.bottom(), centre);
    EXPECT_LT(green.height(), 12) << "one flat line, as thick as its pen";
    EXPECT_LE(green.left(), m.waveBox.left() + 6);
}

TEST_P(MeasurementPage, WaveReadsOnlyTheRecordSamplesWhateverTheCountSays)
{
    const Expected &e = GetParam();
    MeasurementRecord record = startUpRecord();
    for (int k = 0; k < WaveSamples; ++k) {
        record.UWave[k] = uint16_t(2047 + (k % 64) * 20);
        record.IWave[k] = uint16_t(2047 - (k % 32) * 10);
    }
    // The tail after the waves holds garbage that must never show up as samples.
    std::fill(std::begin(record.RecordTail), std::end(record.RecordTail), uint8_t(0x7f));
    record.SampleCount = WaveSamples;
    const QImage reference = drawPage(e.pw, e.ph, record);
    for (uint16_t count : { uint16_t(0), uint16_t(100), uint16_t(513), uint16_t(65535) }) {
        record.SampleCount = count;
        EXPECT_TRUE(drawPage(e.pw, e.ph, record) == reference) << "SampleCount " << count;
    }
}

TEST_P(MeasurementPage, SpectrumBarsScaleToTheLargestAmplitude)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    MeasurementRecord record = startUpRecord();
    record.UHarm[1] = 100.0f;
    record.UHarm[3] = 50.0f;
    const QImage page = drawPage(e.pw, e.ph, record);
    const int bh = m.spectrumBox[0].bottom() - m.spectrumBox[0].top();
    const int ya = m.axisY[0];
    const auto barColumn = [&](int n) { return m.firstBarX + n * m.barSpacing + m.barOffset + 3; };
    const auto barTop = [&](int n) {
        return InkBox(page,
            QRect(barColumn(n), m.spectrumBox[0].top() + 1, 1, ya - m.spectrumBox[0].top() - 2),
            IsColor(Green))
            .top();
    };
    const int full = TruncPx(0.8 * bh);
    const int half = TruncPx(full / 100.0 * 50.0);
    const int pen = m.barPen;
    EXPECT_NEAR(barTop(1), ya + 1 - full - pen / 2, 2) << "the largest bar is 0.8 of the box high";
    EXPECT_NEAR(barTop(3), ya + 1 - half - pen / 2, 2);
    EXPECT_TRUE(InkBox(page, QRect(barColumn(2), ya - 40, 1, 30), IsColor(Green)).isNull())
        << "an empty order draws no bar";
    // An all-zero spectrum: bars of zero height, only their outline at the axis.
    const QRect red = InkBox(page, m.spectrumBox[1], IsColor(Red));
    ASSERT_FALSE(red.isNull());
    EXPECT_GE(red.top(), m.axisY[1] - pen);
    EXPECT_LE(red.bottom(), m.axisY[1] + pen);
}

TEST_P(MeasurementPage, HarmonicTableGrid)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    const QImage page = drawPage(e.pw, e.ph, startUpRecord());
    const int tt = m.tableFrame.top();
    const int cw = m.columnWidth;
    const int rh = m.rowHeight;
    for (int k = 1; k <= 14; ++k) {
        const bool fromTop = k == 1 || k == 3 || k == 5 || k == 6 || k == 8 || k == 10 || k == 11 || k == 13;
        const int x = e.left + k * cw;
        EXPECT_EQ(At(page, x, tt + 12) == Grey, fromTop) << "header row, line " << k;
        EXPECT_EQ(At(page, x, tt + rh + 10), Grey) << "column line " << k;
        EXPECT_EQ(At(page, x, m.tableFrame.bottom() - 8), Grey) << "column line " << k;
    }
    for (int k = 1; k <= 18; ++k)
        EXPECT_EQ(At(page, e.left + cw / 2, tt + k * rh), Grey) << "row line " << k;
    // The group separators are as thick as the frame; the other lines one pixel.
    const auto width
        = [&](int x) { return InkBox(page, QRect(x - 20, tt + rh + 10, 41, 1), IsColor(Grey)).width(); };
    EXPECT_EQ(width(e.left + 5 * cw), m.tablePen);
    EXPECT_EQ(width(e.left + 10 * cw), m.tablePen);
    EXPECT_EQ(width(e.left + 4 * cw), 1);
    EXPECT_EQ(At(page, e.left, tt + rh + 10), Black) << "frame";
    EXPECT_EQ(At(page, e.right, tt + rh + 10), Black) << "frame";
}

TEST_P(MeasurementPage, FooterRowsAndParameterList)
{
    const Expected &e = GetParam();
    const MeasurementPageLayout m = MeasurementPageLayoutFor(e.pw, e.ph);
    const QImage page = drawPage(e.pw, e.ph, startUpRecord());
    EXPECT_EQ(At(page, e.centre, e.footerRule), Grey);

    const QRect footer = InkBox(page, QRect(0, e.footerRule + 10, e.pw, e.ph - e.footerRule - 10), IsDark);
    ASSERT_FALSE(footer.isNull());
    EXPECT_GE(footer.top(), e.footerRow1);
    EXPECT_LT(footer.top(), e.footerRow1 + 40);
    EXPECT_GE(footer.left(), e.left);
    EXPECT_LT(footer.left(), e.left + 20);
    for (int row = 0; row < 2; ++row)
        for (int i = 1; i < 3; ++i) {
            const QRect cell = InkBox(page, QRect(e.footerX[i] - 30, m.footerRowY[row], 300, 40), IsDark);
            ASSERT_FALSE(cell.isNull()) << row << " " << i;
            EXPECT_GE(cell.left(), e.footerX[i]) << row << " " << i;
            EXPECT_LT(cell.left(), e.footerX[i] + 20) << row << " " << i;
        }
    const QRect second = InkBox(page, QRect(0, e.footerRow2, e.pw, e.ph - e.footerRow2), IsDark);
    EXPECT_LT(second.top(), e.footerRow2 + 40);

    const QPoint origin = m.parameterOrigin;
    for (int j : { 0, 7, 13 }) {
        const int y = origin.y() + j * m.parameterStep;
        const QRect line = InkBox(page, QRect(origin.x(), y, e.pw - origin.x(), m.parameterStep), IsGreyInk);
        ASSERT_FALSE(line.isNull()) << j;
        EXPECT_GE(line.top(), y) << j;
        EXPECT_LT(line.left(), origin.x() + 60) << "a blank, then the text " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(A4At600Dpi, MeasurementPage, testing::Values(Portrait, Landscape),
    [](const testing::TestParamInfo<Expected> &info) { return std::string(info.param.name); });

TEST(MeasurementPageFonts, LandscapeSwitchesOnlyTheTitleCaptionAndTableSizes)
{
    const auto inkHeight = [](int pw, int ph, const QRect &region, bool (*match)(QRgb)) {
        return InkBox(drawPage(pw, ph, startUpRecord()), region, match).height();
    };
    const MeasurementPageLayout p = MeasurementPageLayoutFor(A4Short, A4Long);
    const MeasurementPageLayout l = MeasurementPageLayoutFor(A4Long, A4Short);
    // "Measurement" has no descender: its cap height follows the point size.
    const double title
        = double(inkHeight(A4Long, A4Short, QRect(0, l.frame.top, l.frame.centre, 150), IsDark))
        / inkHeight(A4Short, A4Long, QRect(0, p.frame.top, p.frame.centre, 150), IsDark);
    EXPECT_NEAR(title, 14.0 / 17.0, 0.06);
    // The first parameter line stays at 12 points.
    const auto lineHeight = [&](int pw, int ph, const MeasurementPageLayout &m) {
        return inkHeight(
            pw, ph, QRect(m.parameterOrigin.x(), m.parameterOrigin.y(), 900, m.parameterStep - 5), IsGreyInk);
    };
    EXPECT_NEAR(lineHeight(A4Long, A4Short, l), lineHeight(A4Short, A4Long, p), 2);
}

TEST(MeasurementPage, JobNameIsTheProjectNameAndTestReport)
{
    PrintInfo info;
    EXPECT_EQ(MeasurementJobName(info), "2TestReport");
    info.projectName = "泵站";
    EXPECT_EQ(MeasurementJobName(info), QStringLiteral("泵站TestReport"));
}

TEST(MeasurementPreview, FixedPixelPlacesOfAPageAbout700Wide)
{
    const int wp = 714;
    const int hp = MeasurementPreviewHeight(wp);
    ASSERT_EQ(hp, 1009);
    ASSERT_EQ(PreviewTableStep(wp), 44);
    QImage preview = PageImage(800, 2400, 96);
    {
        QPainter painter(&preview);
        DrawMeasurementPreview(painter, wp, hp, startUpRecord(), PrintInfo());
    }
    const struct
    {
        int x, y;
        bool grey;
        const char *what;
    } probes[] = {
        { 400, 120, true, "right edge of the wave box" },
        { 50, 300, true, "left edge of the voltage spectrum box" },
        { 300, 541, true, "bottom edge of the current spectrum box" },
        { 300, 70, true, "top rule" },
        { 300, hp - 100, true, "bottom rule" },
        { 200, 153, true, "flat wave on the centre line" },
        { 168, 565, true, "grid line 80 + 2u from the frame's top" },
        { 418, 565, false, "grid line 110 + 7u starts under the header row" },
        { 418, 590, true, "grid line 110 + 7u" },
        { 256, 565, true, "thick group line 80 + 4u" },
        { 255, 565, true, "thick group line 80 + 4u, second pixel" },
        { 300, 577 + 17 * 17, true, "last horizontal grid line" },
        { wp - 48, 700, true, "right edge of the table frame" },
    };
    for (const auto &p : probes)
        EXPECT_EQ(At(preview, p.x, p.y) == Grey, p.grey) << p.what;

    const QRect title = InkBox(preview, QRect(0, 25, wp, 40), IsGreyInk);
    ASSERT_FALSE(title.isNull());
    EXPECT_GE(title.left(), wp / 2 - 70);
    EXPECT_LT(title.left(), wp / 2 - 60);
    const QRect footer = InkBox(preview, QRect(0, hp - 95, wp, 60), IsGreyInk);
    ASSERT_FALSE(footer.isNull());
    EXPECT_GE(footer.top(), hp - 90);
    EXPECT_GE(footer.left(), 50);
    EXPECT_LT(footer.left(), 55);
}

TEST(MeasurementPage, ThinLinesAreAsThickOnEveryPrinter)
{
    // A quarter of an A4 page's pixels at 600 dpi, and the same page at 1200 dpi.
    for (const auto &[dpi, pixels] : { std::pair { 600, 1 }, std::pair { 1200, 2 } }) {
        const int pw = A4Short * dpi / 1200;
        const int ph = A4Long * dpi / 1200;
        const MeasurementPageLayout m = MeasurementPageLayoutFor(pw, ph, dpi);
        QImage page = PageImage(pw, ph, dpi);
        {
            QPainter painter(&page);
            DrawMeasurementPage(painter, pw, ph, startUpRecord(), PrintInfo());
        }
        const int x = m.frame.left + 4 * m.columnWidth;
        const int y = m.tableFrame.top() + m.rowHeight + m.rowHeight / 2;
        EXPECT_EQ(InkBox(page, QRect(x - 10, y, 21, 1), IsColor(Grey)).width(), pixels) << dpi << " dpi";
        EXPECT_EQ(m.barWidth, 7 * dpi / 600) << dpi << " dpi";
    }
}
