#include "measure/PaneOverlays.h"

#include "measure/PaneDrawing.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
const QColor Background(238, 238, 238);
const QColor Voltage(0, 128, 0);
const QColor Current(255, 0, 0);

WaveCounts peakWave(int sample, int offset)
{
    WaveCounts w;
    w.c[sample] = offset;
    w.largest = std::abs(offset);
    return w;
}

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Background);
    return image;
}

// A record whose waves are flat but for one sample of each, `u` and `i` counts over the zero
// line, with the readings the pane's texts come from.
MeasurementRecord peaks(int u, int i, float upp, float ipp, float uf = 50)
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    record.UWave[128] = uint16_t(2047 + u);
    record.IWave[128] = uint16_t(2047 + i);
    record.URMS = upp > 0 ? 230.0f : 0.0f;
    record.UPP = upp;
    record.IRMS = ipp > 0 ? 5.0f : 0.0f;
    record.IPP = ipp;
    record.UF = uf;
    return record;
}

std::vector<QPoint> pixelsOf(const QImage &image, const QColor &colour)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                found.emplace_back(x, y);
    return found;
}
} // namespace

TEST(ReferenceOverlay, WaveScaleCoversBothRecords)
{
    struct Case
    {
        const char *name;
        int live, reference;
        double previous;
        double pixelsPerCount;
        ScaleSource source;
    } cases[] = {
        { "the live wave is the larger", 200, 100, 0, 0.19, ScaleSource::Live },
        { "the reference is the larger", 100, 380, 0, 0.1, ScaleSource::Reference },
        { "equal waves keep the live scale", 190, 190, 0, 0.2, ScaleSource::Live },
        { "a flat reference (no fundamental)", 76, 0, 0, 0.5, ScaleSource::Live },
        { "a flat live wave takes the reference's", 0, 19, 0, 2, ScaleSource::Reference },
        { "two flat waves keep the previous scale", 0, 0, 0.7, 0.7, ScaleSource::Live },
    };
    for (const Case &c : cases) {
        const CoveringWaveScale s = CoveringWaveScaleFor(38, c.live, c.reference, c.previous);
        EXPECT_DOUBLE_EQ(s.pixelsPerCount, c.pixelsPerCount) << c.name;
        EXPECT_EQ(s.source, c.source) << c.name;
    }
}

TEST(ReferenceOverlay, HarmonicScaleCoversBothSpectra)
{
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        const char *name;
        std::vector<std::pair<int, float>> live, reference;
        double pixels;
        ScaleSource source;
    } cases[] = {
        { "the live spectrum is the larger", { { 1, 20 } }, { { 1, 10 } }, 5, ScaleSource::Live },
        { "the reference's third order is the largest", { { 1, 20 } }, { { 1, 10 }, { 3, 50 } }, 2,
            ScaleSource::Reference },
        { "a reference with no fundamental and nothing else", { { 1, 25 } }, {}, 4, ScaleSource::Live },
        { "negative and NaN reference values never count", { { 1, 25 } }, { { 1, -500 }, { 2, NaN } }, 4,
            ScaleSource::Live },
        { "an empty live spectrum takes the reference's", {}, { { 5, 4 } }, 25, ScaleSource::Reference },
        { "two empty spectra keep the previous scale", {}, {}, 3, ScaleSource::Live },
    };
    for (const Case &c : cases) {
        float live[HarmonicCount] = {};
        float reference[HarmonicCount] = {};
        for (auto [n, v] : c.live)
            live[n] = v;
        for (auto [n, v] : c.reference)
            reference[n] = v;
        const CoveringHarmonicScale s = CoveringHarmonicScaleFor(live, reference, 100, { 3, 1 });
        EXPECT_DOUBLE_EQ(s.scale.pixels, c.pixels) << c.name;
        EXPECT_EQ(s.source, c.source) << c.name;
    }
}

TEST(ReferenceOverlay, ShadeIsHalfwayToWhite)
{
    EXPECT_EQ(ReferenceShade(Voltage), QColor(127, 191, 127));
    EXPECT_EQ(ReferenceShade(Current), QColor(255, 127, 127));
    EXPECT_EQ(ReferenceShade(Qt::white), QColor(Qt::white));
}

TEST(ReferenceOverlay, WaveIsADashedTraceThroughTheSharedPoints)
{
    // A reference larger than the live wave sets the covering scale: its peak reaches the full
    // height, exactly where WavePoints puts it.
    const WaveCounts reference = peakWave(128, 400);
    const CoveringWaveScale scale = CoveringWaveScaleFor(38, 200, reference.largest);
    ASSERT_EQ(scale.source, ScaleSource::Reference);
    QImage image = blank(102, 82);
    QPainter painter(&image);
    DrawReferenceWave(painter, reference, 2, 96, 40, scale.pixelsPerCount, Voltage);
    painter.end();

    const QColor shade = ReferenceShade(Voltage);
    const std::vector<QPoint> drawn = pixelsOf(image, shade);
    ASSERT_FALSE(drawn.empty());
    const QPolygon points = WavePoints(reference, 2, 96, 40, scale.pixelsPerCount);
    EXPECT_EQ(points[128], QPoint(26, 2));
    int top = 82;
    for (const QPoint &p : drawn) {
        top = std::min(top, p.y());
        EXPECT_GE(p.x(), 2);
        EXPECT_LE(p.x(), 98);
    }
    EXPECT_EQ(top, 2) << "the peak reaches the full height";
    // Dashed: the flat stretch along the zero line has gaps.
    int onZeroLine = 0;
    for (int x = 40; x < 98; ++x)
        onZeroLine += image.pixelColor(x, 40) == shade;
    EXPECT_GT(onZeroLine, 10);
    EXPECT_LT(onZeroLine, 98 - 40);
    EXPECT_TRUE(pixelsOf(image, Voltage).empty()) << "never in the live colour";
}

TEST(ReferenceOverlay, FlatReferenceLiesOnTheZeroLine)
{
    // A reference with no signal at all draws its dashes along the centre line only.
    QImage image = blank(102, 82);
    QPainter painter(&image);
    DrawReferenceWave(painter, WaveCounts {}, 2, 96, 40, 0.5, Current);
    painter.end();
    const std::vector<QPoint> drawn = pixelsOf(image, ReferenceShade(Current));
    ASSERT_FALSE(drawn.empty());
    for (const QPoint &p : drawn)
        EXPECT_EQ(p.y(), 40);
}

TEST(ReferenceOverlay, BarsAreOutlinesBesideTheLiveBars)
{
    float values[HarmonicCount] = {};
    values[1] = 10;
    values[2] = 5;
    values[3] = std::numeric_limits<float>::quiet_NaN();
    // Orders at 2 + round(11.76 n), as on a 602 pixels wide pane; axis 68; live bars at x + 5,
    // two wide.
    const HarmonicBars bars = HarmonicBarsFor(values, { 5.3, 1 }, 2, 588);
    QImage image = blank(602, 82);
    QPainter painter(&image);
    DrawReferenceBars(painter, bars, 68, 7, 3, Voltage);
    painter.end();

    const QColor shade = ReferenceShade(Voltage);
    struct Case
    {
        int order;
        QRect outline; // null for none
    } cases[] = {
        { 1, QRect(21, 15, 3, 53) }, // x 14: columns 21..23, rows 15..67
        { 2, QRect(33, 42, 3, 26) }, // x 26
        { 3, QRect() }, // NaN
        { 4, QRect() }, // zero height
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.order);
        const int x = bars[c.order].x + 7;
        QRect found;
        for (int y = 0; y < 82; ++y)
            for (int dx = 0; dx < 3; ++dx)
                if (image.pixelColor(x + dx, y) == shade)
                    found |= QRect(x + dx, y, 1, 1);
        EXPECT_EQ(found, c.outline);
        if (!c.outline.isNull()) {
            // An outline: its inside keeps the background.
            EXPECT_EQ(image.pixelColor(c.outline.center().x(), c.outline.center().y()), Background);
            EXPECT_EQ(image.pixelColor(c.outline.left(), c.outline.bottom()), shade);
            EXPECT_EQ(image.pixelColor(c.outline.right(), c.outline.top()), shade);
        }
    }
}

TEST(WaveCursorsOverlay, LinesStandAtTheirSamplesColumns)
{
    const QColor colour(30, 30, 160);
    struct Case
    {
        const char *name;
        WaveCursors cursors;
        std::vector<int> solidColumns, dashedColumns;
    } cases[] = {
        // Columns 2 + round(k * 96 / 512): sample 8 at 4 (1.5 rounds to even), 256 at 50.
        { "both cursors", { 8, 256 }, { 4 }, { 50 } },
        { "only A", { 511, NoCursor }, { 98 }, {} },
        { "only B", { NoCursor, 0 }, {}, { 2 } },
        { "samples outside the wave draw nothing", { -5, 512 }, {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = blank(120, 82);
        QPainter painter(&image);
        DrawWaveCursors(painter, c.cursors, 2, 96, 2, 78, colour);
        painter.end();
        std::vector<int> solid, dashed;
        for (int x = 0; x < image.width(); ++x) {
            int rows = 0;
            for (int y = 20; y < 78; ++y) // below the letters
                rows += image.pixelColor(x, y) == colour;
            if (rows == 78 - 20)
                solid.push_back(x);
            else if (rows > 10)
                dashed.push_back(x);
        }
        EXPECT_EQ(solid, c.solidColumns);
        EXPECT_EQ(dashed, c.dashedColumns);
        for (int x = 0; x < image.width(); ++x) {
            EXPECT_NE(image.pixelColor(x, 1), colour) << "nothing above the top, column " << x;
            EXPECT_NE(image.pixelColor(x, 78), colour) << "nothing from the bottom on, column " << x;
        }
    }
}

TEST(ReferenceOverlay, WavePaneScaleCoversBothRecords)
{
    // The 102 x 82 pane: full heights 38 (voltage) and 28 (current), divisions of 9.5 rows.
    const WavePaneDivisions pane = WavePaneDivisionsFor(102, 82);
    const MeasurementRecord flat = peaks(0, 0, 0, 0, 0);
    struct Case
    {
        const char *name;
        MeasurementRecord live, reference;
        double previous;
        double voltageScale, currentScale;
        ScaleSource voltage, current;
        double volts, amps, voltageCountsPerDivision;
    } cases[] = {
        { "the reference's larger voltage sets that scale and its Vol/DIV", peaks(190, 56, 100, 3),
            peaks(380, 28, 200, 6, 60), 0, 0.1, 0.5, ScaleSource::Reference, ScaleSource::Live, 50, 1, 95 },
        { "a reference with no fundamental leaves the live scales", peaks(190, 56, 100, 3), flat, 0, 0.2, 0.5,
            ScaleSource::Live, ScaleSource::Live, 25, 1, 47.5 },
        { "flat live waves take the reference's scales", peaks(0, 0, 100, 3), peaks(380, 28, 200, 6), 0, 0.1,
            1, ScaleSource::Reference, ScaleSource::Reference, 50, 2, 95 },
        { "two flat records keep the previous scale", peaks(0, 0, 100, 3), flat, 0.25, 0.25, 0.25,
            ScaleSource::Live, ScaleSource::Live, 25, 1, 38 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CoveringWavePaneScale s = CoveringWavePaneScaleFor(c.live, c.reference, pane, c.previous);
        EXPECT_DOUBLE_EQ(s.scale.voltagePixelsPerCount, c.voltageScale);
        EXPECT_DOUBLE_EQ(s.scale.currentPixelsPerCount, c.currentScale);
        EXPECT_EQ(s.voltage, c.voltage);
        EXPECT_EQ(s.current, c.current);
        EXPECT_DOUBLE_EQ(s.scale.voltsPerDivision, c.volts);
        EXPECT_DOUBLE_EQ(s.scale.ampsPerDivision, c.amps);
        EXPECT_DOUBLE_EQ(s.scale.voltageCountsPerDivision, c.voltageCountsPerDivision);
        EXPECT_DOUBLE_EQ(s.scale.msPerDivision, 8) << "the time per division is the live record's";
    }
}

TEST(ReferenceOverlay, LiveWavesDrawOnTheCoveringScale)
{
    // The live voltage peak is half the reference's: on the covering scale it reaches half the
    // full height, 19 rows over the zero line at row 40, in its sample's column 26.
    const MeasurementRecord live = peaks(190, 0, 100, 0);
    const MeasurementRecord reference = peaks(380, 0, 200, 0);
    const CoveringWavePaneScale covering
        = CoveringWavePaneScaleFor(live, reference, WavePaneDivisionsFor(102, 82), 0);
    QImage image = blank(102, 82);
    DrawWavePaneOnScale(image, 102, 82, live, covering.scale, { Background, QColor(170, 170, 170) });
    const std::vector<QPoint> drawn = pixelsOf(image, Voltage);
    ASSERT_FALSE(drawn.empty());
    int top = 82;
    for (const QPoint &p : drawn)
        top = std::min(top, p.y());
    EXPECT_EQ(top, 21);
    EXPECT_EQ(image.pixelColor(26, 21), Voltage);

    // On its own scale the same wave reaches the top of the plot area.
    PaneScales scales;
    DrawWavePane(image, 102, 82, live, scales, { Background, QColor(170, 170, 170) });
    EXPECT_EQ(image.pixelColor(26, 2), Voltage);
}
