#include "measure/PaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {
MeasurementRecord startUpRecord()
{
    InitMeasurement();
    return Measurement;
}

// A wave of the start-up record (zero 2047) with the given samples set.
WaveCounts waveWith(std::initializer_list<std::pair<int, uint16_t>> samples)
{
    MeasurementRecord record = startUpRecord();
    for (auto [k, value] : samples)
        record.UWave[k] = value;
    return WaveCountsOf(record, WaveChannel::Voltage);
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();
} // namespace

TEST(PanePixels, RoundingTiesToEvenAndCutsOffWhatNoSurfaceHolds)
{
    struct Case
    {
        double x;
        int nearest, truncated;
    } cases[] = {
        { 0.5, 0, 0 },
        { 1.5, 2, 1 },
        { 2.5, 2, 2 },
        { -1.5, -2, -1 },
        { -0.7, -1, 0 },
        { std::nan(""), 0, 0 },
        { 1e30, 1 << 24, 1 << 24 },
        { -1e30, -(1 << 24), -(1 << 24) },
        { -std::numeric_limits<double>::infinity(), -(1 << 24), -(1 << 24) },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(NearestPixel(c.x), c.nearest) << c.x;
        EXPECT_EQ(TruncatedPixel(c.x), c.truncated) << c.x;
    }
}

TEST(WaveGeometry, CountsAreOffsetsFromEachChannelsOwnZero)
{
    MeasurementRecord record = startUpRecord();
    record.UZero = 2000;
    record.IZero = 100;
    record.UWave[3] = 2100;
    record.UWave[7] = 1900;
    record.IWave[5] = 0;
    const WaveCounts u = WaveCountsOf(record, WaveChannel::Voltage);
    const WaveCounts i = WaveCountsOf(record, WaveChannel::Current);
    EXPECT_EQ(u.c[0], 47);
    EXPECT_EQ(u.c[3], 100);
    EXPECT_EQ(u.c[7], -100);
    EXPECT_EQ(u.largest, 100);
    EXPECT_EQ(i.c[0], 1947);
    EXPECT_EQ(i.c[5], -100);
    EXPECT_EQ(i.largest, 1947);
}

TEST(WaveGeometry, PointsForWavesAndPanes)
{
    struct Case
    {
        const char *name;
        WaveCounts wave;
        double width; // left 2, centre 40, full 38 in every case
        std::vector<std::pair<int, QPoint>> expected; // sample, point
    } cases[] = {
        { "flat wave (no signal, no fundamental) on the zero line", waveWith({}), 96,
            { { 0, { 2, 40 } }, { 256, { 50, 40 } }, { 511, { 98, 40 } } } },
        { "largest offsets reach the full height both ways", waveWith({ { 100, 3047 }, { 300, 1047 } }), 96,
            { { 100, { 21, 2 } }, { 300, { 58, 78 } }, { 0, { 2, 40 } } } },
        { "a clipped sample sets the scale, the rest shrink to it", waveWith({ { 10, 65535 }, { 20, 0 } }),
            96,
            // 2047 * 38 / 63488 = 1.23 pixels below the zero line
            { { 10, { 4, 2 } }, { 20, { 6, 41 } } } },
        { "columns round ties to even", waveWith({}), 96,
            // 8 * 96 / 512 = 1.5 and 24 * 96 / 512 = 4.5
            { { 8, { 4, 40 } }, { 24, { 6, 40 } }, { 40, { 10, 40 } } } },
        { "a pane without width draws every sample in the first column", waveWith({ { 9, 3047 } }), 0,
            { { 0, { 2, 40 } }, { 9, { 2, 2 } }, { 511, { 2, 40 } } } },
        { "a pane one pixel wide splits the samples at the half", waveWith({}), 1,
            { { 255, { 2, 40 } }, { 256, { 2, 40 } }, { 257, { 3, 40 } }, { 511, { 3, 40 } } } },
    };
    for (const Case &c : cases) {
        const QPolygon points = WavePoints(c.wave, 2, c.width, 40, WavePixelsPerCount(38, c.wave.largest));
        ASSERT_EQ(points.size(), WaveSamples) << c.name;
        for (auto [k, point] : c.expected)
            EXPECT_EQ(points[k], point) << c.name << ", sample " << k;
    }
}

TEST(WaveGeometry, FlatWaveHasNoScale)
{
    EXPECT_EQ(WavePixelsPerCount(38, 0), 0.0);
    EXPECT_EQ(WavePixelsPerCount(38, 19), 2.0);
}

TEST(WavePaneGeometry, DivisionsOfKnownPanes)
{
    struct Case
    {
        int picWidth, picHeight;
        int plotWidth, plotHeight, textTop, centreY, tickX, tickY;
        int rowY1, rowTickY1, columnX1, columnTickX1, rowY8, columnX10;
        double currentFull, voltageFull;
    } cases[] = {
        // w 100, h 80: rows every 9.5, columns every 9.6, the current's peak at 38 - 10.
        { 102, 82, 96, 76, 70, 40, 48, 38, 11, 16, 11, 16, 78, 98, 28, 38 },
        // The smallest pane with a plot area of one pixel.
        { 7, 7, 1, 1, -5, 2, 0, 0, 2, 2, 2, 2, 3, 3, -0.625, 0 },
        // No plot area: every line collapses onto the corner.
        { 6, 6, 0, 0, -6, 2, 0, 0, 2, 2, 2, 2, 2, 2, -0.5, 0 },
    };
    for (const Case &c : cases) {
        const WavePaneDivisions d = WavePaneDivisionsFor(c.picWidth, c.picHeight);
        SCOPED_TRACE(testing::Message() << c.picWidth << " x " << c.picHeight);
        EXPECT_EQ(d.plotWidth, c.plotWidth);
        EXPECT_EQ(d.plotHeight, c.plotHeight);
        EXPECT_EQ(d.textTop, c.textTop);
        EXPECT_EQ(d.centreY, c.centreY);
        EXPECT_EQ(d.tickX, c.tickX);
        EXPECT_EQ(d.tickY, c.tickY);
        EXPECT_EQ(d.rowY[1], c.rowY1);
        EXPECT_EQ(d.rowTickY[1], c.rowTickY1);
        EXPECT_EQ(d.columnX[1], c.columnX1);
        EXPECT_EQ(d.columnTickX[1], c.columnTickX1);
        EXPECT_EQ(d.rowY[8], c.rowY8);
        EXPECT_EQ(d.columnX[10], c.columnX10);
        EXPECT_DOUBLE_EQ(d.currentFullPixels, c.currentFull);
        EXPECT_DOUBLE_EQ(d.voltageFullPixels, c.voltageFull);
    }
}

TEST(WavePaneGeometry, LinesStayInsideThePlotAreaInOrderForEverySize)
{
    for (int size = 6; size <= 400; ++size) {
        const WavePaneDivisions d = WavePaneDivisionsFor(size + 20, size);
        SCOPED_TRACE(size);
        EXPECT_EQ(d.rowY.front(), 2);
        EXPECT_EQ(d.rowY.back(), d.plotHeight + 2);
        EXPECT_EQ(d.columnX.front(), 2);
        EXPECT_EQ(d.columnX.back(), d.plotWidth + 2);
        for (int i = 1; i <= 8; ++i) {
            EXPECT_LE(d.rowY[i - 1], d.rowY[i]);
            // A row's tick lies between it and the next row.
            EXPECT_GE(d.rowTickY[i - 1], d.rowY[i - 1]);
            EXPECT_LE(d.rowTickY[i - 1], d.rowY[i]);
        }
        for (int i = 1; i <= 10; ++i) {
            EXPECT_LE(d.columnX[i - 1], d.columnX[i]);
            EXPECT_GE(d.columnTickX[i - 1], d.columnX[i - 1]);
            EXPECT_LE(d.columnTickX[i - 1], d.columnX[i]);
        }
        EXPECT_LE(d.currentFullPixels, d.voltageFullPixels);
    }
}

TEST(WavePaneGeometry, ScaleOfAMeasurement)
{
    const WavePaneDivisions pane = WavePaneDivisionsFor(102, 82); // full 28 and 38, division 9.5
    struct Case
    {
        const char *name;
        int currentPeak, voltagePeak; // counts over the zero line at sample 5
        float uf, urms, upp, irms, ipp;
        double previous;
        double currentScale, voltageScale, currentPerDivision, voltagePerDivision;
        double ms, volts, amps;
    } cases[] = {
        { "no reading keeps the previous scale and shows the start-up ranges", 0, 0, 0, 0, 0, 0, 0, 0.5, 0.5,
            0.5, 19, 19, 8, 50, 1 },
        { "no reading before any scale", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 50, 1 },
        { "a flat voltage draws on the current's scale", 100, 0, 50, 0, 0, 5, 7.07f, 0.5, 0.28, 0.28,
            9.5 / 0.28, 9.5 / 0.28, 8, 50, 2.36 },
        { "a flat current keeps the previous scale, the voltage has its own", 0, 38, 60, 230, 325.27f, 0, 0,
            0.5, 0.5, 1, 19, 9.5, 6.67, 81.32, 1 },
        { "zero fundamental: the time shows the start-up range", 56, 19, 0, 230, 325.27f, 5, 7.07f, 0, 0.5, 2,
            19, 4.75, 8, 81.32, 2.36 },
    };
    for (const Case &c : cases) {
        MeasurementRecord record = startUpRecord();
        record.IWave[5] = uint16_t(2047 + c.currentPeak);
        record.UWave[5] = uint16_t(2047 - c.voltagePeak);
        record.UF = c.uf;
        record.URMS = c.urms;
        record.UPP = c.upp;
        record.IRMS = c.irms;
        record.IPP = c.ipp;
        const WavePaneScale s = WavePaneScaleFor(record, pane, c.previous);
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(s.currentPixelsPerCount, c.currentScale);
        EXPECT_DOUBLE_EQ(s.voltagePixelsPerCount, c.voltageScale);
        EXPECT_DOUBLE_EQ(s.kept(), c.voltageScale);
        EXPECT_DOUBLE_EQ(s.currentCountsPerDivision, c.currentPerDivision);
        EXPECT_DOUBLE_EQ(s.voltageCountsPerDivision, c.voltagePerDivision);
        EXPECT_DOUBLE_EQ(s.msPerDivision, c.ms);
        EXPECT_DOUBLE_EQ(s.voltsPerDivision, c.volts);
        EXPECT_DOUBLE_EQ(s.ampsPerDivision, c.amps);
    }
}

TEST(WavePaneGeometry, TextShowsTheScaleNumbers)
{
    WavePaneScale scale;
    EXPECT_EQ(
        WavePaneText(scale), QStringLiteral("SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol"));
    scale.msPerDivision = 6.67;
    scale.voltsPerDivision = 81.32;
    scale.ampsPerDivision = 0.5;
    EXPECT_EQ(WavePaneText(scale),
        QStringLiteral("SEC/DIV:6.67ms   Vol/DIV:81.32V   Amp/DIV:0.5A   Trigger Source:Vol"));
}

TEST(HarmonicGeometry, ScaleComesFromTheLargestPositiveAmplitude)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<int, float>> values;
        HarmonicScale previous;
        double pixels;
    } cases[] = {
        { "the fundamental reaches full height", { { 1, 10 }, { 3, 2 } }, {}, 10 },
        { "zero fundamental: the largest other order", { { 1, 0 }, { 7, 4 } }, {}, 25 },
        { "an empty spectrum keeps the previous scale", {}, { 3, 1 }, 3 },
        { "negative and NaN amplitudes never set it", { { 1, -50 }, { 2, NaN }, { 3, 5 } }, {}, 20 },
        { "only negative amplitudes keep the previous scale", { { 1, -50 } }, { 3, 1 }, 3 },
        { "an infinite amplitude flattens every bar", { { 1, Inf }, { 2, 5 } }, {}, 0 },
    };
    for (const Case &c : cases) {
        float values[HarmonicCount] = {};
        for (auto [n, v] : c.values)
            values[n] = v;
        const HarmonicScale s = HarmonicScaleFor(values, 100, c.previous);
        EXPECT_DOUBLE_EQ(s.pixels, c.pixels) << c.name;
        EXPECT_EQ(s.units, 1.0) << c.name;
    }
}

TEST(HarmonicGeometry, BarsForSpectraAndScales)
{
    struct Bar
    {
        int order, x, height;
        bool measured;
    };
    struct Case
    {
        const char *name;
        std::vector<std::pair<int, float>> values;
        HarmonicScale scale;
        int left, span;
        std::vector<Bar> expected;
    } cases[] = {
        // The screen's 102 x 82 pane: span 88, order n at 2 + round(1.76 n).
        { "full scale", { { 1, 10 }, { 3, 5 } }, { 5, 1 }, 2, 88,
            { { 0, 2, 0, true }, { 1, 4, 50, true }, { 3, 7, 25, true }, { 25, 46, 0, true },
                { 50, 90, 0, true } } },
        { "zero fundamental", { { 3, 4 } }, { 10, 1 }, 2, 88, { { 1, 4, 0, true }, { 3, 7, 40, true } } },
        { "negative amplitudes stand below the axis", { { 2, -1.5f } }, { 10, 1 }, 2, 88,
            { { 2, 6, -15, true } } },
        { "NaN is left out", { { 4, NaN } }, { 10, 1 }, 2, 88, { { 4, 9, 0, false } } },
        { "infinite and huge amplitudes are cut off", { { 5, Inf }, { 6, -1e30f } }, { 10, 1 }, 2, 88,
            { { 5, 11, 1 << 24, true }, { 6, 13, -(1 << 24), true } } },
        { "no scale: an infinite amplitude is not measured", { { 5, Inf } }, { 0, 1 }, 2, 88,
            { { 5, 11, 0, false } } },
        { "full height over the largest amplitude", { { 1, 4 }, { 2, 1 } }, { 115, 4 }, 53, 300,
            { { 1, 59, 115, true }, { 2, 65, 28, true }, { 50, 353, 0, true } } },
        { "a tiny pane puts every bar on the first column", { { 1, 1 } }, { 1, 1 }, 2, 0,
            { { 1, 2, 1, true }, { 50, 2, 0, true } } },
    };
    for (const Case &c : cases) {
        float values[HarmonicCount] = {};
        for (auto [n, v] : c.values)
            values[n] = v;
        const HarmonicBars bars = HarmonicBarsFor(values, c.scale, c.left, c.span);
        for (const Bar &b : c.expected) {
            EXPECT_EQ(bars[b.order].x, b.x) << c.name << ", order " << b.order;
            EXPECT_EQ(bars[b.order].height, b.height) << c.name << ", order " << b.order;
            EXPECT_EQ(bars[b.order].measured, b.measured) << c.name << ", order " << b.order;
        }
    }
}

TEST(HarmonicGeometry, BarRectangleRunsFromTheAxisToTheTop)
{
    struct Case
    {
        int height;
        QRect expected;
    } cases[] = {
        { 5, QRect(15, 45, 2, 5) }, // rows 45..49, the axis row 50 left free
        { -3, QRect(15, 50, 2, 3) },
        { 0, QRect(15, 50, 2, 0) },
    };
    for (const Case &c : cases) {
        const HarmonicBar bar { 10, c.height, true };
        EXPECT_EQ(bar.rect(50, 5, 2), c.expected) << c.height;
        EXPECT_EQ(bar.rect(50, 5, 2).isEmpty(), c.height == 0) << c.height;
    }
}

TEST(HarmonicGeometry, PaneGeometryOfKnownPanes)
{
    struct Case
    {
        int picWidth, picHeight;
        int plotWidth, baseline, range, innerWidth, gridRight;
    } cases[] = {
        { 102, 82, 96, 68, 53, 88, 99 },
        { 602, 402, 596, 356, 341, 588, 599 },
        { 6, 6, 0, 0, -15, -8, 3 },
    };
    for (const Case &c : cases) {
        const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(c.picWidth, c.picHeight);
        SCOPED_TRACE(testing::Message() << c.picWidth << " x " << c.picHeight);
        EXPECT_EQ(g.plotWidth, c.plotWidth);
        EXPECT_EQ(g.baseline, c.baseline);
        EXPECT_EQ(g.range, c.range);
        EXPECT_EQ(g.innerWidth, c.innerWidth);
        EXPECT_EQ(g.gridRight, c.gridRight);
    }
}
