// The main window's panes and the measurement report draw one measurement from the same
// geometry: every bar and wave point lands where the shared arithmetic puts it on each target,
// and the two targets agree on where it stands in proportion to their size.

#include "PageImage.h"

#include "measure/DrawingColours.h"
#include "measure/PaneDrawing.h"
#include "measure/PaneGeometry.h"
#include "report/MeasurementReport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {
const QColor Green(0, 128, 0);
const QColor PaneBackground(238, 238, 238);
const DrawingColours Colours { PaneBackground, QColor(170, 170, 170) };

// A screen pane of 602 x 402 and a portrait page at 150 dpi.
constexpr int PicW = 602;
constexpr int PicH = 402;
constexpr int PageW = 1240;
constexpr int PageH = 1754;

// A distorted 50 Hz wave over four periods, with a spectrum whose largest order is the third
// (the fundamental is not always the tallest bar) and one negative, clipped value.
MeasurementRecord measurement()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k) {
        const double t = 2.0 * std::numbers::pi * k / 128.0;
        record.UWave[k] = uint16_t(std::lround(2047 + 1400 * std::sin(t) + 300 * std::sin(3 * t)));
        record.IWave[k] = uint16_t(std::lround(2047 + 900 * std::sin(t - 0.5)));
    }
    const float spectrum[][2] = { { 1, 180.0f }, { 3, 230.0f }, { 5, 61.3f }, { 7, 17.9f }, { 9, 3.3f },
        { 11, 120.7f }, { 24, 0.4f }, { 49, 33.3f } };
    for (auto [n, v] : spectrum)
        record.UHarm[int(n)] = v;
    record.UHarm[2] = -4.0f;
    record.URMS = 230;
    record.UPP = 325;
    record.UF = 50;
    return record;
}

QImage page(const MeasurementRecord &record)
{
    QImage image = PageImage(PageW, PageH, 150);
    QPainter painter(&image);
    DrawMeasurementPage(painter, PageW, PageH, record, PrintInfo());
    return image;
}

bool isGreen(const QImage &image, QPoint p)
{
    return image.rect().contains(p) && (image.pixel(p) & 0xffffff) == (Green.rgb() & 0xffffff);
}
} // namespace

TEST(PaneAndPage, SpectrumBarsStandInTheSameProportionOnScreenAndPaper)
{
    const MeasurementRecord record = measurement();

    QImage pane(PicW, PicH, QImage::Format_RGB32);
    double paneScale = 0;
    DrawHarmonicPane(pane, PicW, PicH, record.UHarm, Green, paneScale, Colours);
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(PicW, PicH);
    const HarmonicBars screen = HarmonicBarsFor(record.UHarm, { paneScale, 1 }, 2, g.innerWidth);

    const QImage paper = page(record);
    const MeasurementPageLayout m = MeasurementPageLayoutFor(PageW, PageH, 150);
    const QRect &box = m.spectrumBox[0];
    const int paperFull = TruncPx(0.8 * (box.bottom() - box.top()));
    const HarmonicBars printed = HarmonicBarsFor(
        record.UHarm, HarmonicScaleFor(record.UHarm, paperFull), m.firstBarX, 50 * m.barSpacing);
    const int ya = m.axisY[0];

    for (int n = 1; n < HarmonicCount; ++n) {
        SCOPED_TRACE(n);
        // On screen: the bar's two columns from the axis up to its height, exactly. (The
        // first column also carries the order ticks under every fifth bar: read the second.)
        const int column = screen[n].x + 6;
        int drawn = 0;
        for (int y = g.baseline - 1; y >= 0 && pane.pixelColor(column, y) == Green; --y)
            ++drawn;
        EXPECT_EQ(drawn, std::max(screen[n].height, 0));

        // On paper: the outline's top edge, stroked with the bar pen, at the same height.
        if (printed[n].height > 2) {
            const int x = printed[n].x + m.barOffset + m.barWidth / 2;
            const QRect ink = InkBox(paper, QRect(x, box.top() + 1, 1, ya - box.top() - 1), IsColor(Green));
            ASSERT_FALSE(ink.isNull());
            EXPECT_NEAR(ink.top(), ya + 1 - printed[n].height - m.barPen / 2, 2);
        }

        // Both stand at the same share of their full height, up to the rounding of each.
        const double onScreen = screen[n].height / double(g.range);
        const double onPaper = printed[n].height / double(paperFull);
        EXPECT_NEAR(onScreen, onPaper, 1.0 / g.range + 1.0 / paperFull);
        // And at the same share of the span across the orders.
        EXPECT_NEAR((screen[n].x - 2) / double(g.innerWidth),
            (printed[n].x - m.firstBarX) / (50.0 * m.barSpacing), 0.5 / g.innerWidth);
    }
    // The tallest bar is the third on both, at full height.
    EXPECT_EQ(screen[3].height, g.range);
    EXPECT_EQ(printed[3].height, paperFull);
}

TEST(PaneAndPage, WavePointsLandOnTheSameShareOfEachTarget)
{
    const MeasurementRecord record = measurement();

    QImage pane(PicW, PicH, QImage::Format_RGB32);
    PaneScales scales;
    DrawWavePane(pane, PicW, PicH, record, scales, Colours);
    const WavePaneDivisions d = WavePaneDivisionsFor(PicW, PicH);
    const WaveCounts voltage = WaveCountsOf(record, WaveChannel::Voltage);
    const QPolygon screen = WavePoints(voltage, 2, d.plotWidth, d.centreY, scales.wave);

    const QImage paper = page(record);
    const MeasurementPageLayout m = MeasurementPageLayoutFor(PageW, PageH, 150);
    const QRect &box = m.waveBox;
    const int bw = box.right() - box.left();
    const int bh = box.bottom() - box.top();
    const int centre = box.top() + bh / 2;
    const int paperFull = TruncPx(2.8 * bh / 7);
    const QPolygon printed
        = WavePoints(voltage, box.left(), bw, centre, WavePixelsPerCount(paperFull, voltage.largest));

    for (int k = 0; k < WaveSamples; ++k) {
        SCOPED_TRACE(k);
        // The screen's line covers every vertex but the last (and the scale text may write
        // over the lowest rows); the page's pen covers them all.
        if (k + 1 < WaveSamples && screen[k].y() < d.textTop) {
            EXPECT_TRUE(isGreen(pane, screen[k])) << screen[k].x() << ", " << screen[k].y();
        }
        EXPECT_TRUE(isGreen(paper, printed[k])) << printed[k].x() << ", " << printed[k].y();

        EXPECT_NEAR((screen[k].x() - 2) / double(d.plotWidth), (printed[k].x() - box.left()) / double(bw),
            0.5 / d.plotWidth + 0.5 / bw);
        EXPECT_NEAR((d.centreY - screen[k].y()) / d.voltageFullPixels,
            (centre - printed[k].y()) / double(paperFull), 0.5 / d.voltageFullPixels + 0.5 / paperFull);
    }
    // The largest offset reaches the full height on both targets.
    int reach = 0;
    int paperReach = 0;
    for (int k = 0; k < WaveSamples; ++k) {
        reach = std::max(reach, std::abs(d.centreY - screen[k].y()));
        paperReach = std::max(paperReach, std::abs(centre - printed[k].y()));
    }
    EXPECT_EQ(reach, int(d.voltageFullPixels));
    EXPECT_EQ(paperReach, paperFull);
}
