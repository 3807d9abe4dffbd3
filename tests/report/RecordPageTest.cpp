#include "PageImage.h"

#include "report/RecordReport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
// A record of six channels whose samples the tests set one by one.
struct Record
{
    explicit Record(int count, float value = 0.0f)
    {
        for (auto &c : channels)
            c.assign(count, value);
        input.fileReady = true;
        input.last = count - 1;
        for (int k = 0; k < RecordReportChannels; ++k)
            input.samples[k] = channels[k];
    }
    std::array<std::vector<float>, RecordReportChannels> channels;
    RecordReportInput input;
};

QImage drawPage(int pw, int ph, const RecordReportInput &input, RecordPagePoints *points = nullptr,
    PageTexts *texts = nullptr, int dpi = 600)
{
    QImage image = PageImage(pw, ph, dpi);
    QPainter painter(&image);
    const RecordPagePoints drawn = DrawRecordPage(painter, pw, ph, input, PrintInfo(), texts);
    if (points)
        *points = drawn;
    return image;
}

const RecordPageLayout Landscape = RecordPageLayoutFor(A4Long, A4Short);
} // namespace

TEST(RecordPage, ChartGeometryOnA4At600Dpi)
{
    const struct
    {
        const char *name;
        int pw, ph;
        int top, height, right, axis, points, aboveMark, belowMark;
    } cases[] = {
        // L 389, T 190, R 6627: Yt = round(418), A = 4961 - 380 - round(1488.3).
        { "landscape", A4Long, A4Short, 418, 3093, 5927, 6127, 553, 399, 3530 },
        // L 275, T 269, R 4686: Yt = round(591.8), A = 7016 - 538 - round(2104.8).
        { "portrait", A4Short, A4Long, 592, 4373, 3986, 4186, 371, 565, 4373 + 619 },
    };
    for (const auto &c : cases) {
        const RecordPageLayout r = RecordPageLayoutFor(c.pw, c.ph);
        EXPECT_EQ(r.chartTop, c.top) << c.name;
        EXPECT_EQ(r.chartHeight, c.height) << c.name;
        EXPECT_EQ(r.chartRight, c.right) << c.name;
        EXPECT_EQ(r.axisX, c.axis) << c.name;
        EXPECT_EQ(r.maxPoints, c.points) << c.name;
        EXPECT_EQ(r.aboveMarkY, c.aboveMark) << c.name;
        EXPECT_EQ(r.belowMarkY, c.belowMark) << c.name;
    }
}

TEST(RecordPage, PointsRunBackFromTheNewestSampleShown)
{
    const int bottom = Landscape.chartTop + Landscape.chartHeight;
    const int middle = bottom - RoundPx(250 * Landscape.gain);
    const struct
    {
        const char *name;
        int count, compression, offset;
        int marked; // the sample holding 250, all others 0
        int points; // points drawn
        int markedPoint; // the point showing the marked sample
    } cases[] = {
        { "long record: as many points as the chart width allows", 10000, 1, 0, 9999, 553, 0 },
        { "offset skips the newest samples", 10000, 1, 100, 9899, 553, 0 },
        { "compression picks every c-th sample", 10000, 3, 100, 9884, 553, 5 },
        { "short record: down to sample 1", 100, 1, 0, 1, 99, 98 },
        { "short record, compressed", 100, 2, 0, 3, 49, 48 },
    };
    for (const auto &c : cases) {
        Record record(c.count);
        record.channels[0][c.marked] = 250.0f;
        record.input.compression = c.compression;
        record.input.offset = c.offset;
        const RecordPagePoints points = RecordPagePointsFor(record.input, Landscape);
        ASSERT_EQ(points.count, c.points) << c.name;
        EXPECT_EQ(points.y[0][c.markedPoint], middle) << c.name;
        EXPECT_EQ(std::count(points.y[0].begin(), points.y[0].end(), bottom), c.points - 1) << c.name;
    }
}

TEST(RecordPage, NoPointsWhereTheRecordHasNone)
{
    const struct
    {
        const char *name;
        int count, offset;
        bool ready;
    } cases[] = {
        { "no record file", 100, 0, false },
        { "one sample", 1, 0, true },
        { "empty record", 0, 0, true },
        { "offset past the record", 100, 150, true },
    };
    for (const auto &c : cases) {
        Record record(c.count, 1000.0f);
        record.input.fileReady = c.ready;
        record.input.offset = c.offset;
        RecordPagePoints points;
        drawPage(A4Long, A4Short, record.input, &points);
        EXPECT_EQ(points.count, 0) << c.name;
        EXPECT_EQ(points.above, (std::array<bool, 6> {})) << c.name;
    }
    // Channels holding fewer samples than the count says are never read past their end.
    Record record(50);
    record.input.last = 4999;
    EXPECT_EQ(RecordPagePointsFor(record.input, Landscape).count, 0);
}

TEST(RecordPage, ValuesToRowsByRange)
{
    const int top = Landscape.chartTop;
    const int a = Landscape.chartHeight;
    const struct
    {
        const char *name;
        RecordRange range;
        float value, gain;
        int y;
    } cases[] = {
        { "positive zero on the bottom line", RecordRange::Positive, 0.0f, 1.0f, top + a },
        { "positive 500 at the top", RecordRange::Positive, 500.0f, 1.0f,
            top + a - RoundPx(500 * Landscape.gain) },
        { "positive 250 at gain 2", RecordRange::Positive, 250.0f, 2.0f,
            top + a - RoundPx(500 * Landscape.gain) },
        { "bipolar zero in the middle", RecordRange::Bipolar, 0.0f, 1.0f, a / 2 + top },
        { "bipolar 500 at half the gain", RecordRange::Bipolar, 500.0f, 1.0f,
            a / 2 + top - RoundPx(RoundPx(500 * Landscape.gain) / 2.0) },
        { "negative zero on the top line", RecordRange::Negative, 0.0f, 1.0f, top },
        { "negative -500 at the bottom", RecordRange::Negative, -500.0f, 1.0f,
            top + RoundPx(500 * Landscape.gain) },
    };
    for (const auto &c : cases) {
        Record record(3, c.value);
        record.input.range = c.range;
        record.input.scaleFactor.fill(c.gain);
        const RecordPagePoints points = RecordPagePointsFor(record.input, Landscape);
        ASSERT_EQ(points.count, 2) << c.name;
        EXPECT_EQ(points.y[0][0], c.y) << c.name;
    }
}

TEST(RecordPage, OverflowMarksForVisibleAndHiddenChannels)
{
    Record record(200, 100.0f);
    for (int i = 150; i < 200; ++i) {
        record.channels[1][i] = 5000.0f; // CH2 leaves at the top
        record.channels[2][i] = 5000.0f; // CH3 too, but hidden
        record.channels[3][i] = -100.0f; // CH4 leaves at the bottom
    }
    record.input.visible[2] = false;
    RecordPagePoints points;
    const QImage page = drawPage(A4Long, A4Short, record.input, &points);
    EXPECT_EQ(points.above, (std::array<bool, 6> { false, true, true, false, false, false }));
    EXPECT_EQ(points.below, (std::array<bool, 6> { false, false, false, true, false, false }));

    const int right = Landscape.frame.right;
    for (int k = 0; k < RecordReportChannels; ++k) {
        const QColor color = RecordChannelColor(k);
        const int tipX = right - 1070 + 100 * k;
        EXPECT_EQ(At(page, tipX, Landscape.aboveMarkY - 10) == color, points.above[k])
            << "above mark CH" << k + 1;
        EXPECT_EQ(At(page, tipX, Landscape.belowMarkY + 10) == color, points.below[k])
            << "below mark CH" << k + 1;
    }
    const QRect chart(Landscape.frame.left - 10, Landscape.chartTop - 10,
        Landscape.chartRight - Landscape.frame.left + 20, Landscape.chartHeight + 20);
    EXPECT_TRUE(InkBox(page, chart, IsColor(RecordChannelColor(2))).isNull())
        << "a hidden channel draws no trace";
    EXPECT_FALSE(InkBox(page, chart, IsColor(RecordChannelColor(1))).isNull());
}

TEST(RecordPage, TracesAreCutAtTheChartEdges)
{
    const int top = Landscape.chartTop;
    const int bottom = top + Landscape.chartHeight;
    const int left = Landscape.frame.left;
    const struct
    {
        const char *name;
        std::function<float(int)> value; // by sample index, 0 to 299; the newest is 299
        bool leavesAtTop, leavesAtBottom;
        bool newestInside; // the trace then starts at L; otherwise with a gap
    } cases[] = {
        { "leaves at the top for a while", [](int i) { return i > 200 && i < 250 ? 5000.0f : 250.0f; }, true,
            false, true },
        { "newest sample far above", [](int i) { return i > 280 ? 1.0e9f : 250.0f; }, true, false, false },
        // The trace comes back from the edge, not from the far point.
        { "only the newest sample far above", [](int i) { return i == 299 ? 1.0e9f : 250.0f; }, true, false,
            true },
        { "newest sample far below", [](int i) { return i > 280 ? -1.0e9f : 250.0f; }, false, true, false },
        { "from below to above", [](int i) { return i > 150 ? 5000.0f : -5000.0f; }, true, true, false },
    };
    for (const auto &c : cases) {
        Record record(300);
        for (int i = 0; i < 300; ++i)
            record.channels[0][i] = c.value(i);
        for (int k = 1; k < RecordReportChannels; ++k)
            record.input.visible[k] = false;
        RecordPagePoints points;
        const QImage page = drawPage(A4Long, A4Short, record.input, &points);
        EXPECT_EQ(points.above[0], c.leavesAtTop) << c.name;
        EXPECT_EQ(points.below[0], c.leavesAtBottom) << c.name;
        // The 300 points reach x = L + 2990; the chart's rows end above the scale texts.
        const QRect trace = InkBox(page, QRect(0, top - 100, left + 3100, bottom + 10 - (top - 100)),
            IsColor(RecordChannelColor(0)));
        ASSERT_FALSE(trace.isNull()) << c.name;
        // Pen 10: half of it may stand beyond the edge line, never more.
        EXPECT_GE(trace.top(), top - 5) << c.name;
        EXPECT_LE(trace.bottom(), bottom + 5) << c.name;
        EXPECT_GE(trace.left(), left - 5) << c.name;
        if (c.newestInside) {
            EXPECT_LE(trace.left(), left) << "the first point lies at L: " << c.name;
        }
        if (c.leavesAtTop) {
            EXPECT_LE(trace.top(), top) << "the trace runs to the top edge: " << c.name;
        }
    }
}

TEST(RecordPage, DivisionValuesAndScaleLabels)
{
    const struct
    {
        float gain;
        RecordRange range;
        const char *text;
    } divisions[] = {
        { 1.0f, RecordRange::Positive, "50" },
        { 1.0f, RecordRange::Negative, "50" },
        { 1.0f, RecordRange::Bipolar, "25" },
        { 0.5f, RecordRange::Positive, "100" },
        { 0.5f, RecordRange::Bipolar, "50" },
        { 0.05f, RecordRange::Positive, "1000" },
        { 10000.0f, RecordRange::Positive, "0.005" },
        { 10000.0f, RecordRange::Bipolar, "0.0025" },
        { 2.5f, RecordRange::Positive, "20" },
    };
    for (const auto &d : divisions)
        EXPECT_EQ(RecordDivisionText(d.gain, d.range), d.text) << d.gain << " " << int(d.range);

    const struct
    {
        int i;
        RecordRange range;
        const char *text;
    } labels[] = {
        { 0, RecordRange::Positive, "100%" },
        { 25, RecordRange::Positive, "50%" },
        { 50, RecordRange::Positive, "0%" },
        { 0, RecordRange::Bipolar, "100%" },
        { 25, RecordRange::Bipolar, "0%" },
        { 50, RecordRange::Bipolar, "-100%" },
        { 0, RecordRange::Negative, "-0%" },
        { 50, RecordRange::Negative, "-100%" },
    };
    for (const auto &l : labels)
        EXPECT_EQ(RecordScaleLabel(l.i, l.range), l.text) << l.i << " " << int(l.range);
}

TEST(RecordPage, GridScaleAndTextsWhereThePageSaysEvenWithoutARecord)
{
    RecordReportInput input;
    const QImage page = drawPage(A4Long, A4Short, input);
    const RecordPageLayout &r = Landscape;
    const int left = r.frame.left;
    EXPECT_EQ(At(page, r.axisX, r.chartTop + 100), QColor(Qt::black)) << "axis";
    EXPECT_EQ(At(page, r.frame.right - 650, r.chartTop), QColor(Qt::black)) << "top tick";
    EXPECT_EQ(At(page, r.frame.right - 550, r.chartTop + RoundPx(r.chartHeight / 50.0)), QColor(Qt::black))
        << "short tick";
    EXPECT_EQ(At(page, r.frame.right - 650, r.chartTop + RoundPx(r.chartHeight / 50.0)), QColor(Qt::white))
        << "a short tick starts at R - 600";
    // Dotted light grey grid: some pixels of each line are grid grey.
    const QColor gridGrey(221, 221, 221);
    EXPECT_FALSE(
        InkBox(page, QRect(left, r.chartTop + RoundPx(r.chartHeight / 2.0), 200, 1), IsColor(gridGrey))
            .isNull());
    EXPECT_FALSE(InkBox(page, QRect(left + 200, r.chartTop + 10, 1, 200), IsColor(gridGrey)).isNull());
    EXPECT_TRUE(InkBox(page, QRect(r.chartRight + 1, r.chartTop + 10, 90, 1), IsColor(gridGrey)).isNull())
        << "the grid ends at R - 700";

    // "Time/DIV=20S" in teal starting at L + 50 on the scale line.
    const QRect time = InkBox(page, QRect(left, r.belowMarkY, 900, 120), IsColor(QColor(0, 128, 128)));
    ASSERT_FALSE(time.isNull());
    EXPECT_GE(time.left(), left + 50);
    EXPECT_LT(time.left(), left + 70);
    EXPECT_GE(time.top(), r.belowMarkY);
    // "CH3/DIV=" in blue at L + 3000.
    const QRect ch3
        = InkBox(page, QRect(left + 2900, r.belowMarkY, 900, 120), IsColor(RecordChannelColor(2)));
    ASSERT_FALSE(ch3.isNull());
    EXPECT_GE(ch3.left(), left + 3000);
    EXPECT_LT(ch3.left(), left + 3020);
    EXPECT_TRUE(InkBox(page, QRect(left, r.chartTop, r.chartRight - left, r.chartHeight),
        [](QRgb p) {
            return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
        }).isNull())
        << "no trace without a record file";
}

TEST(RecordPage, PreviewPageAndChartHeights)
{
    EXPECT_EQ(RecordPreviewHeight(714), 504);
    EXPECT_EQ(RecordPreviewChartHeight(714, QSize(600, 300)), 307);
    EXPECT_EQ(RecordPreviewChartHeight(714, QSize(700, 250)), RoundPx(614 / 2.8));
}

TEST(RecordPage, PreviewScalesTheChartPictureIntoPlace)
{
    const int wp = 714;
    const int hp = RecordPreviewHeight(wp);
    const struct
    {
        const char *name;
        QSize area;
        QRect picture;
    } cases[] = {
        // A wide chart spans the page, (wp - 100) / 3 high.
        { "wide chart", QSize(750, 250), QRect(QPoint(50, 75), QPoint(wp - 50, 75 + 205)) },
        // At (wp - 100) / 2 = 307 the texts under it would run into the footer: the picture is
        // hp - 240 high, in its own proportions, in the middle of the page.
        { "chart of half its width high", QSize(600, 300),
            QRect(QPoint(50 + (614 - 528) / 2, 75), QPoint(50 + (614 - 528) / 2 + 528, 75 + hp - 240)) },
    };
    for (const auto &c : cases) {
        // A picture of the chart as the window shows it: red trace area, blue axis strip, and
        // 12 rows at the top that the preview leaves out.
        RecordReportInput input;
        input.traceArea = c.area;
        input.chart = QImage(c.area.width() + 50, c.area.height(), QImage::Format_RGB32);
        input.chart.fill(Qt::green);
        {
            QPainter painter(&input.chart);
            painter.fillRect(0, 12, c.area.width(), c.area.height() - 12, Qt::red);
            painter.fillRect(c.area.width(), 12, 50, c.area.height() - 12, Qt::blue);
        }
        EXPECT_EQ(RecordPreviewChartRect(wp, hp, c.area), c.picture) << c.name;
        QImage preview = PageImage(800, 2400, 96);
        {
            QPainter painter(&preview);
            DrawRecordPreview(painter, wp, hp, input, PrintInfo());
        }
        EXPECT_EQ(InkBox(preview, preview.rect(), IsColor(Qt::green)), QRect())
            << "rows above 12 are not copied: " << c.name;
        const QRect picture = InkBox(
            preview, preview.rect(), [](QRgb p) { return p == qRgb(255, 0, 0) || p == qRgb(0, 0, 255); });
        EXPECT_NEAR(picture.left(), c.picture.left(), 1) << c.name;
        EXPECT_NEAR(picture.top(), c.picture.top(), 1) << c.name;
        EXPECT_NEAR(picture.right(), c.picture.right(), 1) << c.name;
        EXPECT_NEAR(picture.bottom(), c.picture.bottom(), 1) << c.name;
        // The axis strip's share of the width: 50 pixels of the picture's.
        const QRect strip = InkBox(preview, preview.rect(), IsColor(Qt::blue));
        EXPECT_NEAR(strip.width(), c.picture.width() * 50.0 / (c.area.width() + 50), 2) << c.name;
    }
}

const PageText *findText(const PageTexts &texts, const QString &text)
{
    const auto found
        = std::find_if(texts.begin(), texts.end(), [&](const PageText &t) { return t.text == text; });
    return found == texts.end() ? nullptr : &*found;
}

TEST(RecordPage, ChannelDescriptionsKeepTheirPlacesWhereTheyFit)
{
    Record record(10);
    record.input.captions = { "Vol", "Amp", "Power", "Power", "Power", "Power Factor" };
    PageTexts texts;
    drawPage(A4Long, A4Short, record.input, nullptr, &texts);
    const RecordPageLayout &r = Landscape;
    const int left = r.frame.left;
    // Every 1100 pixels from L + 1000; the sixth would start at L + 6500, past R (L + 6238), and
    // closes up to end inside the right margin.
    for (int k = 0; k < 4; ++k) {
        const PageText *ch = findText(texts, QStringLiteral("CH%1: ").arg(k + 1) + record.input.captions[k]);
        ASSERT_NE(ch, nullptr) << k;
        EXPECT_EQ(ch->rect.left(), left + 1000 + 1100 * k) << k;
        EXPECT_EQ(ch->rect.top(), r.chartHeight + 4 * r.frame.top) << k;
    }
    // The fifth makes room for the sixth, and stays clear of the fourth.
    const PageText *ch4 = findText(texts, "CH4: Power");
    const PageText *ch5 = findText(texts, "CH5: Power");
    const PageText *ch6 = findText(texts, "CH6: Power Factor");
    ASSERT_NE(ch5, nullptr);
    ASSERT_NE(ch6, nullptr);
    EXPECT_LE(ch6->rect.right(), r.frame.right);
    EXPECT_LT(ch5->rect.left(), left + 5400);
    EXPECT_GT(ch6->rect.left(), ch5->rect.right());
    EXPECT_GT(ch5->rect.left(), ch4->rect.right());

    // The colour of the text is the channel's, and its ink is where its box says.
    const QImage page = drawPage(A4Long, A4Short, record.input);
    const QRect ink = InkBox(page, ch6->rect.adjusted(-200, 0, 200, 0), IsColor(RecordChannelColor(5)));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), ch6->rect.left());
    EXPECT_LE(ink.right(), ch6->rect.right());
}

TEST(RecordPage, TitleReadsRecordReportMeetingAtTheCentre)
{
    for (const QSize &size : { QSize(A4Long, A4Short), QSize(A4Short, A4Long) }) {
        PageTexts texts;
        drawPage(size.width(), size.height(), RecordReportInput(), nullptr, &texts);
        const int centre = size.width() / 2;
        const PageText *record = findText(texts, "Record");
        const PageText *report = findText(texts, "   Report");
        ASSERT_NE(record, nullptr);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(record->rect.right() + 1, centre);
        EXPECT_EQ(report->rect.left(), centre);
        EXPECT_EQ(findText(texts, "Measurement"), nullptr);
    }
}

TEST(RecordPage, FixedDistancesScaleWithTheResolution)
{
    Record record(3000, 100.0f);
    record.input.captions = { "Vol", "Amp", "Power", "Power", "Power", "Power Factor" };
    PageTexts design;
    drawPage(A4Long, A4Short, record.input, nullptr, &design);
    for (int dpi : { 300, 1200 }) {
        const double scale = dpi / 600.0;
        const int pw = RoundPx(A4Long * scale);
        const int ph = RoundPx(A4Short * scale);
        const RecordPageLayout r = RecordPageLayoutFor(pw, ph, dpi);
        EXPECT_EQ(r.frame.right - r.chartRight, RoundPx(700 * scale)) << dpi;
        EXPECT_EQ(r.frame.right - r.axisX, RoundPx(500 * scale)) << dpi;
        EXPECT_EQ(RecordPointX(r, 100) - r.frame.left, RoundPx(1000 * scale)) << dpi;
        // As many points on every printer, but for the page size's rounding.
        EXPECT_NEAR(r.maxPoints, Landscape.maxPoints, 1) << dpi;

        // Every text stands where it stands on the 600 dpi page, in proportion: to within the
        // difference of the texts' widths at the two sizes of pixels, for texts placed after
        // the ones before them.
        PageTexts texts;
        RecordPagePoints points;
        drawPage(pw, ph, record.input, &points, &texts, dpi);
        EXPECT_EQ(points.count, r.maxPoints) << dpi;
        ASSERT_EQ(texts.size(), design.size()) << dpi;
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, design[i].text) << dpi;
            EXPECT_NEAR(texts[i].rect.left(), design[i].rect.left() * scale, 0.005 * pw)
                << texts[i].text.toStdString() << " at " << dpi;
            EXPECT_NEAR(texts[i].rect.top(), design[i].rect.top() * scale, 3 * scale + 2)
                << texts[i].text.toStdString() << " at " << dpi;
        }
    }
}

TEST(RecordPage, ChartPictureJoinsTheShownPartsOfBothSurfaces)
{
    // Surfaces larger than what the window shows, as the record window keeps them.
    QImage trace(2400, 1600, QImage::Format_RGB32);
    trace.fill(Qt::red);
    trace.setPixelColor(599, 299, Qt::black);
    trace.setPixelColor(600, 0, Qt::green); // beyond the shown trace area
    QImage axis(2400, 1600, QImage::Format_RGB32);
    axis.fill(Qt::blue);
    axis.setPixelColor(50, 0, Qt::green); // beyond the strip

    const QImage picture = RecordChartPicture(trace, axis, QSize(600, 300));
    ASSERT_EQ(picture.size(), QSize(650, 300));
    EXPECT_EQ(At(picture, 0, 0), QColor(Qt::red));
    EXPECT_EQ(At(picture, 599, 299), QColor(Qt::black));
    EXPECT_EQ(At(picture, 600, 0), QColor(Qt::blue));
    EXPECT_EQ(At(picture, 649, 299), QColor(Qt::blue));
    EXPECT_TRUE(InkBox(picture, picture.rect(), IsColor(Qt::green)).isNull());

    // A surface smaller than the area leaves the rest white; no area, no picture.
    QImage tiny(100, 100, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    const QImage small = RecordChartPicture(tiny, axis, QSize(600, 300));
    EXPECT_EQ(At(small, 99, 99), QColor(Qt::red));
    EXPECT_EQ(At(small, 300, 200), QColor(Qt::white));
    EXPECT_TRUE(RecordChartPicture(trace, axis, QSize()).isNull());
}
