#include "measure/PaneDrawing.h"
#include "link/Globals.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
const QColor Background(255, 255, 255);
const QColor Scale(170, 170, 170);
const QColor Voltage(0, 128, 0);
const QColor CurrentWave(255, 0, 0);
const QColor CurrentBar(223, 48, 32);
const QColor WaveText(0, 16, 240);
const QColor BarLabel(0, 128, 128);
const QColor Untouched(255, 0, 255);

// A 102 x 82 paint box: w 100, h 80, plotW 96, plotH 76, half 38.
constexpr int PicW = 102;
constexpr int PicH = 82;

class PaneDrawing : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        InitMeasurement();
        record = Measurement;
    }
    void TearDown() override { ResetGlobals(); }

    // Larger than the paint box, so that drawing outside PaneRect would show.
    static QImage surface(int w = 120, int h = 100)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Untouched);
        return image;
    }

    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

    // Bounding box of the pixels of one colour inside a region.
    static QRect bounds(const QImage &image, const QColor &color, QRect region = {})
    {
        if (region.isNull())
            region = image.rect();
        int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                if (image.pixelColor(x, y) == color) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }

    static std::vector<int> columnsInRow(const QImage &image, const QColor &color, int y)
    {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                xs.push_back(x);
        return xs;
    }

    void harmonics(const std::initializer_list<std::pair<int, float>> values)
    {
        for (auto [n, v] : values)
            bars[n] = v;
    }

    const DrawingColours colours { Background, Scale };
    MeasurementRecord record;
    PaneScales scales;
    float bars[HarmonicCount] = {};
};
} // namespace

TEST_F(PaneDrawing, StartUpWavesAreOneFlatLineAtMidHeight)
{
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);

    // half + 2 = 40; x runs to nearest(511 * 96 / 512) + 2 = 98, whose pixel the last
    // segment does not cover.
    EXPECT_EQ(bounds(image, Voltage), QRect(QPoint(2, 40), QPoint(97, 40)));
    EXPECT_EQ(columnsInRow(image, Voltage, 40).size(), 96u);
    // The current's flat line lies under the voltage's.
    EXPECT_TRUE(bounds(image, CurrentWave).isNull());
    EXPECT_EQ(scales.wave, 0.0);
}

TEST_F(PaneDrawing, WavePaneFillsOnlyThePaneRectangle)
{
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);
    EXPECT_EQ(at(image, 101, 0), Background);
    EXPECT_EQ(at(image, 0, 81), Background);
    EXPECT_EQ(at(image, 102, 0), Untouched);
    EXPECT_EQ(at(image, 0, 82), Untouched);
}

TEST_F(PaneDrawing, WaveGridDotsAndCentreTicks)
{
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);
    struct Case
    {
        int x, y;
        QColor expected;
        const char *what;
    } cases[] = {
        { 2, 2, Scale, "first dot of the top line" },
        { 3, 2, Background, "gap of the dotted line" },
        { 4, 2, Background, "gap of the dotted line" },
        { 5, 2, Scale, "second dot" },
        { 2, 78, Scale, "bottom line at trunc(76 * 8 / 8) + 2" },
        { 5, 30, Scale, "line 3 at trunc(76 * 3 / 8) + 2" },
        { 5, 29, Background, "nothing above line 3" },
        { 47, 6, Scale, "first tick starts at trunc(96 / 2) - 1, y trunc(4.75) + 2" },
        { 53, 6, Scale, "and covers up to trunc(96 / 2) + 5" },
        { 46, 6, Background, "nothing before the tick" },
        { 54, 6, Background, "its end pixel is not drawn" },
        { 30, 2, Scale, "vertical line 3 at trunc(28.8) + 2" },
        { 30, 3, Background, "gap of the vertical dotted line" },
        { 6, 37, Scale, "vertical tick at trunc(4.8) + 2 from trunc(38) - 1" },
        { 6, 43, Scale, "down to trunc(38) + 5" },
        { 6, 36, Background, "nothing above the tick" },
        { 6, 44, Background, "its end pixel is not drawn" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(at(image, c.x, c.y), c.expected) << c.what << " (" << c.x << ", " << c.y << ")";
}

TEST_F(PaneDrawing, KnownWaveReachesItsScaledExtremes)
{
    // Voltage: +500 at sample 100, -250 at 300; s = 38 / 500.
    record.UWave[100] = 2047 + 500;
    record.UWave[300] = 2047 - 250;
    // Current: +1000 at sample 120; s = (38 - 80 / 8) / 1000, peak 28 pixels up.
    record.IWave[120] = 2047 + 1000;
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);

    // Sample 100 sits at x = nearest(18.75) + 2 = 21, 38 pixels above the centre.
    EXPECT_EQ(bounds(image, Voltage), QRect(QPoint(2, 2), QPoint(97, 59)));
    EXPECT_EQ(columnsInRow(image, Voltage, 2), std::vector<int> { 21 });
    // Sample 300 at x = nearest(56.25) + 2 = 58, 19 pixels below it.
    EXPECT_EQ(columnsInRow(image, Voltage, 59), std::vector<int> { 58 });
    // Sample 120 at x = 22.5, which rounds to the even 22: column 24, row 40 - 28.
    EXPECT_EQ(bounds(image, CurrentWave).top(), 12);
    EXPECT_EQ(columnsInRow(image, CurrentWave, 12), std::vector<int> { 24 });
    EXPECT_DOUBLE_EQ(scales.wave, 38.0 / 500.0);
}

TEST_F(PaneDrawing, CurrentPeakLeavesAnEighthOfTheHeightFree)
{
    // The current's full scale is half - h / 8 with a fractional eighth.
    struct Case
    {
        int picHeight;
        int peakRow;
    } cases[] = {
        { 82, 12 }, // h 80, half 38: 38 - 10 = 28 pixels up from row 40
        { 87, 13 }, // h 85, half 40: nearest(40 - 10.625) = 29 pixels up from row 42
    };
    record.IWave[120] = 2047 + 1000;
    record.IWave[121] = 2047 - 1000;
    for (const Case &c : cases) {
        QImage image = surface();
        DrawWavePane(image, PicW, c.picHeight, record, scales, colours);
        const QRect current = bounds(image, CurrentWave);
        const int half = (c.picHeight - 6) / 2;
        EXPECT_EQ(current.top(), c.peakRow) << c.picHeight;
        EXPECT_EQ(current.bottom(), 2 * (half + 2) - c.peakRow)
            << c.picHeight << ": the negative peak mirrors it";
    }
}

TEST_F(PaneDrawing, SurfaceFormatDoesNotChangeThePicture)
{
    for (int k = 0; k < WaveSamples; ++k) {
        record.UWave[k] = uint16_t(2047 + (k % 64) * 20 - 640);
        record.IWave[k] = uint16_t(2047 + ((k * 7) % 90) * 9 - 400);
    }
    QImage reference = surface();
    DrawWavePane(reference, PicW, PicH, record, scales, colours);
    for (QImage::Format format : { QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB16 }) {
        QImage other = surface().convertToFormat(format);
        PaneScales otherScales;
        DrawWavePane(other, PicW, PicH, record, otherScales, colours);
        const QImage expected = reference.convertToFormat(format);
        int differences = 0;
        // Rows above the text line: Qt's own glyph rendering differs on 16-bit surfaces.
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (other.pixel(x, y) != expected.pixel(x, y) && differences++ < 5)
                    ADD_FAILURE() << "format " << format << " differs at " << x << ", " << y << ": "
                                  << std::hex << other.pixel(x, y) << " for " << expected.pixel(x, y);
        EXPECT_EQ(differences, 0) << "format " << format;
    }
}

TEST_F(PaneDrawing, WaveScaleIsKeptWhenAWaveIsFlat)
{
    record.IWave[120] = 2047 + 1000;
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);
    // The flat voltage wave leaves the current's scale in place.
    EXPECT_DOUBLE_EQ(scales.wave, 28.0 / 1000.0);

    InitMeasurement();
    DrawWavePane(image, PicW, PicH, Measurement, scales, colours);
    EXPECT_DOUBLE_EQ(scales.wave, 28.0 / 1000.0);
}

TEST_F(PaneDrawing, WaveWithoutSampleCountIsDrawnInTheFirstColumn)
{
    record.SampleCount = 0;
    record.UWave[100] = 2047 + 500;
    QImage image = surface();
    DrawWavePane(image, PicW, PicH, record, scales, colours);
    const QRect voltage = bounds(image, Voltage);
    EXPECT_EQ(voltage.left(), 2);
    EXPECT_EQ(voltage.right(), 2);
    EXPECT_EQ(voltage.top(), 2);
}

TEST_F(PaneDrawing, WaveTextStandsAtTheBottomLeft)
{
    // 602 x 202: h 200, text cell from (5, 190).
    QImage image = surface(620, 220);
    DrawWavePane(image, 602, 202, record, scales, colours);
    const QRect ink = bounds(image, WaveText, QRect(0, 0, 602, 202));
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.left(), 5);
    EXPECT_LE(ink.left(), 7);
    EXPECT_GE(ink.top(), 190);
    EXPECT_LE(ink.top(), 194);
    EXPECT_GT(ink.width(), 200) << "the whole line of text is written";
}

// Bar panes on the same 102 x 82 box: baseline trunc(76 * 0.9) = 68, bar range 53, inner
// width 88, bar i at x = nearest(1.76 i) + 2, drawn in the columns x + 5 and x + 6.

TEST_F(PaneDrawing, TallestBarReachesTheHundredPercentLine)
{
    harmonics({ { 1, 100.0f }, { 3, 50.0f }, { 7, -5.0f } });
    QImage image = surface();
    double scale = 0.0;
    DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
    EXPECT_DOUBLE_EQ(scale, 53.0 / 100.0);

    struct Case
    {
        int x, y;
        QColor expected;
        const char *what;
    } cases[] = {
        { 3, 15, Scale, "the 100% grid line at baseline - 53" },
        { 9, 15, Voltage, "fundamental (x 4) reaches that line" },
        { 10, 15, Voltage, "in both of its columns" },
        { 9, 14, Background, "and not beyond" },
        { 9, 67, Voltage, "down to the row above the baseline" },
        { 8, 40, Background, "two columns wide: not left of it" },
        { 11, 40, Background, "nor right of it" },
        { 12, 42, Voltage, "half height: trunc(26.5) = 26 rows, from 68 - 26" },
        { 12, 41, Background, "not above" },
        { 11, 60, Background, "order 2 is zero and draws no bar" },
        { 19, 68, Voltage, "negative value: bar below the baseline" },
        { 20, 69, Voltage, "trunc(-2.65) = -2 rows" },
        { 19, 70, Background, "no further" },
        { 2, 67, Scale, "axis, 2 pixels thick" },
        { 2, 68, Scale, "axis, second row" },
        { 2, 66, Background, "above the axis" },
        { 98, 68, Scale, "axis runs to plotW + 2" },
        { 99, 68, Background, "and stops there" },
        { 7, 69, Scale, "tick of order 0 below the axis" },
        { 7, 70, Scale, "to baseline + 2" },
        { 7, 71, Background, "and no further" },
        { 16, 69, Voltage, "later ticks keep the pen of the bar drawn before them" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(at(image, c.x, c.y), c.expected) << c.what << " (" << c.x << ", " << c.y << ")";
}

TEST_F(PaneDrawing, BarGridMarksTenthsOfTheRange)
{
    QImage image = surface();
    double scale = 0.0;
    DrawHarmonicPane(image, PicW, PicH, bars, CurrentBar, scale, colours);
    // y = 15 + trunc(5.3 j): solid from x 3 to 6, dotted from 7 on to 98.
    for (int y : { 15, 20, 25, 30, 36, 41, 46, 52, 57, 62 }) {
        EXPECT_EQ(at(image, 2, y), Background) << y;
        EXPECT_EQ(at(image, 3, y), Scale) << y;
        EXPECT_EQ(at(image, 6, y), Scale) << y;
        EXPECT_EQ(at(image, 7, y), Scale) << y;
        EXPECT_EQ(at(image, 8, y), Background) << y;
        EXPECT_EQ(at(image, 10, y), Scale) << y;
        EXPECT_EQ(at(image, 3, y + 1), Background) << y;
    }
    EXPECT_EQ(at(image, 97, 15), Scale) << "last dot at 7 + 3 * 30";
    EXPECT_EQ(at(image, 99, 15), Background) << "grid ends before w - 1";
    // An empty spectrum draws no bar at all (only the ticks below the axis take the bar
    // colour) and leaves the scale as it was.
    EXPECT_TRUE(bounds(image, CurrentBar, QRect(0, 0, PicW, 67)).isNull());
    EXPECT_EQ(at(image, 16, 69), CurrentBar);
    EXPECT_EQ(scale, 0.0);
}

TEST_F(PaneDrawing, BarScaleIsKeptForEmptyOrNegativeSpectra)
{
    struct Case
    {
        const char *name;
        std::initializer_list<std::pair<int, float>> values;
        double expected;
    } cases[] = {
        { "spectrum", { { 1, 200.0f }, { 2, 20.0f } }, 53.0 / 200.0 },
        { "all zero", {}, 53.0 / 200.0 },
        { "all negative", { { 1, -10.0f }, { 2, -1.0f } }, 53.0 / 200.0 },
        { "NaN only", { { 1, std::numeric_limits<float>::quiet_NaN() } }, 53.0 / 200.0 },
        { "new spectrum", { { 0, 1.0f }, { 1, 2.0f } }, 53.0 / 2.0 },
    };
    double scale = 0.0;
    QImage image = surface();
    for (const Case &c : cases) {
        std::fill(std::begin(bars), std::end(bars), 0.0f);
        harmonics(c.values);
        DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
        EXPECT_DOUBLE_EQ(scale, c.expected) << c.name;
    }
}

TEST_F(PaneDrawing, UnusualAmplitudesNeitherCrashNorDrawGarbage)
{
    QImage image = surface();
    double scale = 0.0;

    // A NaN bar is left out; the others still scale to the range.
    // Bars only: above the axis, left of the tick of order 5.
    const QRect barArea(0, 0, 16, PicH);
    harmonics({ { 1, 100.0f }, { 2, std::numeric_limits<float>::quiet_NaN() } });
    DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
    EXPECT_EQ(bounds(image, Voltage, barArea), QRect(QPoint(9, 15), QPoint(10, 67)));

    // An infinite amplitude makes every finite bar zero high.
    std::fill(std::begin(bars), std::end(bars), 0.0f);
    harmonics({ { 1, 100.0f }, { 2, std::numeric_limits<float>::infinity() } });
    DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
    EXPECT_TRUE(bounds(image, Voltage, barArea).isNull());

    // A value far beyond the kept scale runs off the pane instead of wrapping around.
    std::fill(std::begin(bars), std::end(bars), 0.0f);
    harmonics({ { 1, 0.001f } });
    DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
    bars[1] = -1e30f;
    DrawHarmonicPane(image, PicW, PicH, bars, Voltage, scale, colours);
    EXPECT_EQ(bounds(image, Voltage, barArea), QRect(QPoint(9, 68), QPoint(10, PicH - 1)));
}

TEST_F(PaneDrawing, BarLabelsStandWhereTheirCellsStart)
{
    // 602 x 202: baseline trunc(196 * 0.9) = 176, inner width 588, x = nearest(11.76 i) + 2.
    QImage image = surface(620, 220);
    double scale = 0.0;
    DrawHarmonicPane(image, 602, 202, bars, Voltage, scale, colours);
    struct Case
    {
        const char *label;
        int left; // where the text cell starts
    } cases[] = {
        { "0", 3 }, // x + 1
        { "5", 63 }, // nearest(58.8) + 2, + 2
        { "10", 119 }, // nearest(117.6) + 2, - 1
        { "25", 295 }, // nearest(294) + 2, - 1
        { "50", 589 }, // nearest(588) + 2, - 1
    };
    for (const Case &c : cases) {
        const QRect ink = bounds(image, BarLabel, QRect(c.left - 3, 179, 18, 202 - 179));
        ASSERT_FALSE(ink.isNull()) << c.label;
        EXPECT_GE(ink.left(), c.left) << c.label;
        EXPECT_LE(ink.left(), c.left + 2) << c.label;
        EXPECT_GE(ink.top(), 182) << c.label; // baseline + 6
        EXPECT_LE(ink.top(), 186) << c.label;
        EXPECT_GT(ink.width(), std::strlen(c.label) * 3 - 1) << c.label;
    }
    const QRect hundred = bounds(image, BarLabel, QRect(0, 0, 60, 15));
    ASSERT_FALSE(hundred.isNull());
    EXPECT_GE(hundred.left(), 1);
    EXPECT_LE(hundred.left(), 3);
    EXPECT_GE(hundred.top(), 1);
    EXPECT_LE(hundred.top(), 5);
    EXPECT_GT(hundred.width(), 15) << "four characters";
    // Each character of "100%" stands apart: four runs of columns with ink, blank columns
    // between them.
    int runs = 0;
    bool inRun = false;
    for (int x = hundred.left(); x <= hundred.right(); ++x) {
        bool ink = false;
        for (int y = hundred.top(); y <= hundred.bottom(); ++y)
            ink = ink || image.pixelColor(x, y) == BarLabel;
        runs += ink && !inRun;
        inRun = ink;
    }
    EXPECT_EQ(runs, 4) << "\"100%\" reads as four characters";
}
