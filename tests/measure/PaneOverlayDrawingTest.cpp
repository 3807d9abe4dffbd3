// The wave and harmonic panes drawn with a reference measurement and the wave cursors over
// the live measurement.

#include "measure/PaneDrawing.h"

#include "link/Globals.h"
#include "measure/WaveCursor.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

namespace {
const QColor Background(238, 238, 238);
const QColor Scale(170, 170, 170);
const QColor Voltage(0, 128, 0);
const QColor CurrentWave(255, 0, 0);
const QColor CurrentBar(223, 48, 32);
const QColor WaveText(0, 16, 240);

// A 602 x 302 paint box: plotW 596, plotH 296, zero line at y 150; the voltage's peak spans
// 148 pixels, the current's 110.5.
constexpr int PicW = 602;
constexpr int PicH = 302;
constexpr int CentreY = 150;

// Four periods of a sine over the 512 samples, peaks of `u` and `i` counts at sample 32.
MeasurementRecord sines(int u, int i)
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k) {
        const double s = std::sin(2.0 * std::numbers::pi * k / 128.0);
        record.UWave[k] = uint16_t(2047 + std::lround(u * s));
        record.IWave[k] = uint16_t(2047 + std::lround(i * s));
    }
    record.SampleCount = WaveSamples;
    record.URMS = u > 0 ? 230.0f : 0.0f;
    record.UPP = float(u);
    record.IRMS = i > 0 ? 5.0f : 0.0f;
    record.IPP = float(i) / 100.0f;
    record.UF = 50.0f;
    return record;
}

QImage surface(int w = PicW, int h = PicH)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    return image;
}

// Bounding box of the pixels of one colour inside a region (the whole image by default).
QRect bounds(const QImage &image, const QColor &colour, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            if (image.pixelColor(x, y) == colour) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int countOf(const QImage &image, const QColor &colour, QRect region)
{
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

class PaneOverlayDrawing : public testing::Test
{
protected:
    void SetUp() override { ResetGlobals(); }
    void TearDown() override { ResetGlobals(); }

    QImage wavePane(const MeasurementRecord &live, const PaneOverlay &overlay, int w = PicW, int h = PicH)
    {
        QImage image = surface(w, h);
        PaneScales scales;
        DrawWavePane(image, w, h, live, scales, colours, overlay);
        return image;
    }

    const DrawingColours colours { Background, Scale };
};
} // namespace

TEST_F(PaneOverlayDrawing, WithoutReferenceOrCursorsThePanesAreDrawnAsWithoutAnOverlay)
{
    const MeasurementRecord live = sines(700, 300);
    float spectrum[HarmonicCount] = {};
    spectrum[1] = 40;
    spectrum[3] = 7;
    spectrum[7] = -2;
    const QSize sizes[] = { { 102, 82 }, { 433, 277 }, { 961, 541 }, { 1920, 1080 } };
    for (const QSize &size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        const int w = size.width();
        const int h = size.height();
        // Scales left by an earlier drawing go on alike.
        PaneScales plainScales { 0.3, 1.5, 2.5 };
        PaneScales overlayScales = plainScales;
        QImage plain = surface(w, h);
        QImage withOverlay = surface(w, h);
        DrawWavePane(plain, w, h, live, plainScales, colours);
        DrawWavePane(withOverlay, w, h, live, overlayScales, colours, PaneOverlay {});
        EXPECT_TRUE(plain == withOverlay);
        EXPECT_EQ(plainScales.wave, overlayScales.wave);

        DrawHarmonicPane(plain, w, h, spectrum, Voltage, plainScales.uHarm, colours);
        DrawHarmonicPane(withOverlay, w, h, spectrum, Voltage, overlayScales.uHarm, colours, nullptr);
        EXPECT_TRUE(plain == withOverlay);
        EXPECT_EQ(plainScales.uHarm, overlayScales.uHarm);
    }
}

TEST_F(PaneOverlayDrawing, ReferenceWavesLieInTheLighterShadeOnTheScaleThatCoversBoth)
{
    const MeasurementRecord live = sines(300, 100);
    const MeasurementRecord reference = sines(600, 400);
    const QImage alone = wavePane(live, {});
    const QImage compared = wavePane(live, { &reference, {} });

    // Alone, the live voltage spans the pane's four upper divisions; under a reference twice
    // as large it spans half of that: 150 - round(300 * 148 / 600) = 76.
    EXPECT_EQ(bounds(alone, Voltage).top(), CentreY - 148);
    EXPECT_EQ(bounds(compared, Voltage).top(), CentreY - 74);
    EXPECT_EQ(bounds(compared, Voltage).bottom(), CentreY + 74);
    EXPECT_TRUE(bounds(alone, ReferenceShade(Voltage)).isNull());

    // The reference reaches the full height, dashed, in the lighter shade of each colour.
    const QRect voltageTrace = bounds(compared, ReferenceShade(Voltage));
    ASSERT_FALSE(voltageTrace.isNull());
    EXPECT_LE(voltageTrace.top(), CentreY - 148 + 2);
    EXPECT_GE(voltageTrace.bottom(), CentreY + 148 - 2);
    EXPECT_GE(voltageTrace.left(), 2);
    EXPECT_LE(voltageTrace.right(), 598);
    const QRect currentTrace = bounds(compared, ReferenceShade(CurrentWave));
    ASSERT_FALSE(currentTrace.isNull());
    // The current's peak is 110.5 pixels: 150 - 111 at its top (ties to even: 110).
    EXPECT_LE(currentTrace.top(), CentreY - 110 + 2);
    EXPECT_GE(currentTrace.top(), CentreY - 111);

    // Each shade pixel lies on the reference's own polyline: within a pixel of the straight
    // segment between two neighbouring points.
    const QPolygon points
        = WavePoints(WaveCountsOf(reference, WaveChannel::Voltage), 2, 596, CentreY, 148.0 / 600);
    for (int y = 0; y < PicH; ++y)
        for (int x = 0; x < PicW; ++x) {
            if (compared.pixelColor(x, y) != ReferenceShade(Voltage))
                continue;
            bool near = false;
            for (qsizetype k = 1; k < points.size() && !near; ++k) {
                const QRect segment = QRect(points[k - 1], points[k]).normalized().adjusted(-1, -1, 1, 1);
                near = segment.contains(x, y);
            }
            ASSERT_TRUE(near) << x << ", " << y;
        }

    // The live waves stay whole where the reference crosses them: every vertex of the live
    // voltage but the last is in the live colour.
    const QPolygon live2 = WavePoints(WaveCountsOf(live, WaveChannel::Voltage), 2, 596, CentreY, 148.0 / 600);
    for (qsizetype k = 0; k + 1 < live2.size(); ++k)
        ASSERT_EQ(compared.pixelColor(live2[k]), Voltage) << k;
}

TEST_F(PaneOverlayDrawing, TheScaleNoteSaysWhichRecordSetTheScale)
{
    const WavePaneDivisions pane = WavePaneDivisionsFor(PicW, PicH);
    struct Case
    {
        const char *name;
        int liveU, liveI, referenceU, referenceI;
        const char *caption;
    } cases[] = {
        { "the live waves are the larger", 600, 400, 300, 100, "scale: live" },
        { "the reference's are", 300, 100, 600, 400, "scale: reference" },
        { "the reference's voltage only", 300, 400, 600, 100, "scale: Vol reference, Amp live" },
        { "the reference's current only", 600, 100, 300, 400, "scale: Vol live, Amp reference" },
    };
    // Right of the pane's text on its line: the text ends near x 330 on this pane.
    const QRect noteRoom(400, pane.textTop, 598 - 400, 13);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const MeasurementRecord live = sines(c.liveU, c.liveI);
        const MeasurementRecord reference = sines(c.referenceU, c.referenceI);
        const CoveringWavePaneScale covering = CoveringWavePaneScaleFor(live, reference, pane, 0);
        EXPECT_EQ(WaveScaleCaption(covering.voltage, covering.current), QLatin1String(c.caption));
        EXPECT_GT(countOf(wavePane(live, { &reference, {} }), WaveText, noteRoom), 20);
        EXPECT_EQ(countOf(wavePane(live, {}), WaveText, noteRoom), 0) << "no note without a reference";
    }
}

TEST(WaveScaleCaptionPlace, BesideTheTextWhereItFitsElseOnTheLineAbove)
{
    struct Case
    {
        const char *name;
        int picWidth, textWidth, captionWidth;
        QPoint at;
    } cases[] = {
        // Plot right edge 598, text line at 302 - 2 - 10 = 290.
        { "room beside the text", 602, 330, 90, { 508, 290 } },
        { "just room for the gap", 602, 330, 598 - 347, { 347, 290 } },
        { "a pixel short of the gap", 602, 330, 598 - 346, { 346, 277 } },
        { "a narrow pane", 302, 330, 90, { 208, 277 } },
        { "a note wider than the pane starts at the text's left", 90, 330, 200, { 5, 277 } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(WaveScaleCaptionAt(c.picWidth, PicH, c.textWidth, c.captionWidth, 13), c.at) << c.name;
}

TEST_F(PaneOverlayDrawing, ReferenceBarsAreOutlinesBesideTheLiveBarsOnACoveringScale)
{
    // The 602 x 302 pane: axis at 266, range 251, orders at 2 + round(n * 588 / 50).
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(PicW, PicH);
    ASSERT_EQ(g.baseline, 266);
    ASSERT_EQ(g.range, 251);
    float live[HarmonicCount] = {};
    float reference[HarmonicCount] = {};
    live[1] = 10;
    reference[1] = 20;
    reference[3] = 5;
    reference[4] = std::numeric_limits<float>::quiet_NaN();

    double aloneScale = 0;
    QImage alone = surface();
    DrawHarmonicPane(alone, PicW, PicH, live, CurrentBar, aloneScale, colours, nullptr);
    double scale = 0;
    QImage compared = surface();
    DrawHarmonicPane(compared, PicW, PicH, live, CurrentBar, scale, colours, reference);
    EXPECT_DOUBLE_EQ(aloneScale, 25.1);
    EXPECT_DOUBLE_EQ(scale, 12.55) << "the reference's fundamental sets the scale";

    const auto column = [](int order, int offset, int width) {
        return QRect(HarmonicBarX(order, 2, 588) + offset, 0, width, PicH);
    };
    // The live fundamental: half the range under the reference's, trunc(10 * 12.55) = 125.
    EXPECT_EQ(bounds(alone, CurrentBar, column(1, 5, 2)), QRect(QPoint(19, 266 - 251), QPoint(20, 265)));
    EXPECT_EQ(bounds(compared, CurrentBar, column(1, 5, 2)), QRect(QPoint(19, 266 - 125), QPoint(20, 265)));

    const QColor shade = ReferenceShade(CurrentBar);
    struct Case
    {
        int order;
        int height; // 0: no outline
    } cases[] = { { 1, 251 }, { 3, 62 }, { 2, 0 }, { 4, 0 } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.order);
        const QRect found = bounds(compared, shade, column(c.order, 7, 3));
        if (c.height == 0) {
            EXPECT_TRUE(found.isNull());
            continue;
        }
        const int x = HarmonicBarX(c.order, 2, 588) + 7;
        EXPECT_EQ(found, QRect(QPoint(x, 266 - c.height), QPoint(x + 2, 265)));
        // An outline: its middle column keeps the background between its top and bottom.
        EXPECT_EQ(compared.pixelColor(x + 1, 266 - c.height / 2), Background);
    }
    // Nothing of the reference stands on the live bars' columns.
    EXPECT_TRUE(bounds(compared, shade, column(1, 5, 2)).isNull());
}

TEST_F(PaneOverlayDrawing, CursorLinesStandAtTheirSamplesColumns)
{
    const MeasurementRecord live = sines(300, 100);
    PaneOverlay overlay;
    overlay.cursors.place(100, false);
    overlay.cursors.place(300, true);
    const QImage plain = wavePane(live, {});
    const QImage withCursors = wavePane(live, overlay);
    const QColor colour = WaveCursorColour(Background);
    ASSERT_EQ(colour, QColor(150, 0, 150));
    const int a = PaneXOfSample(100, PicW);
    const int b = PaneXOfSample(300, PicW);
    ASSERT_EQ(a, 2 + int(std::nearbyint(100 * 596 / 512.0)));

    // Between the letters and the pane's text (written over the lines, at y 290): A solid,
    // B dashed; no other column.
    const int rows = 290 - 20;
    EXPECT_EQ(countOf(withCursors, colour, QRect(a, 20, 1, rows)), rows);
    const int dashed = countOf(withCursors, colour, QRect(b, 20, 1, rows));
    EXPECT_GT(dashed, rows / 3);
    EXPECT_LT(dashed, rows);
    EXPECT_EQ(bounds(withCursors, colour, QRect(0, 20, PicW, rows)),
        QRect(QPoint(a, 20), QPoint(b, 20 + rows - 1)));
    for (int x = 0; x < PicW; ++x) {
        if (x != a && x != b) {
            EXPECT_EQ(countOf(withCursors, colour, QRect(x, 20, 1, rows)), 0) << x;
        }
    }

    // Cursors alone keep the live scale and add no scale note: away from the two lines and
    // their letters the pane is as without them.
    for (int y = 0; y < PicH; ++y)
        for (int x = 0; x < PicW; ++x) {
            const bool line = x == a || x == b;
            const bool letter = y < 20 && ((x > a && x < a + 14) || (x > b && x < b + 14));
            if (!line && !letter) {
                ASSERT_EQ(withCursors.pixel(x, y), plain.pixel(x, y)) << x << ", " << y;
            }
        }
}

TEST(WaveCursorColour, StandsOutOnLightAndDarkPanes)
{
    const struct
    {
        QColor background;
        QColor cursor;
    } cases[] = {
        { QColor(238, 238, 238), QColor(150, 0, 150) },
        { QColor(255, 255, 255), QColor(150, 0, 150) },
        { QColor(0, 0, 0), QColor(255, 120, 255) },
        { QColor(0, 0, 128), QColor(255, 120, 255) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(WaveCursorColour(c.background), c.cursor) << c.background.name().toStdString();
}

TEST_F(PaneOverlayDrawing, TheScaleNoteKeepsItsLineWhileTheNumbersChange)
{
    // Two readings whose texts differ in width ("SEC/DIV:8ms   Vol/DIV:75V" against
    // "SEC/DIV:7.99ms   Vol/DIV:86.15V"): on any pane the note stands on the same line for both.
    MeasurementRecord narrow = sines(300, 100);
    narrow.UPP = 300;
    MeasurementRecord wide = narrow;
    wide.UF = 50.06f;
    wide.UPP = 344.6f;
    wide.IPP = 7.43f;
    const MeasurementRecord reference = sines(600, 400);
    for (int w = 380; w <= 720; w += 6) {
        SCOPED_TRACE(w);
        const WavePaneDivisions pane = WavePaneDivisionsFor(w, PicH);
        // The line above the text, at the note's right end.
        const QRect above(pane.plotWidth + 2 - 40, pane.textTop - 13, 40, 13);
        const bool narrowAbove = countOf(wavePane(narrow, { &reference, {} }, w), WaveText, above) > 0;
        const bool wideAbove = countOf(wavePane(wide, { &reference, {} }, w), WaveText, above) > 0;
        EXPECT_EQ(narrowAbove, wideAbove);
    }
}
