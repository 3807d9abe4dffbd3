// The measurement report with a reference measurement's traces beside the live ones.

#include "PageImage.h"

#include "measure/PaneOverlays.h"
#include "report/MeasurementReport.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QColor Grey(128, 128, 128);

// A4 at 150 dpi.
constexpr int Pw = 1240;
constexpr int Ph = 1754;
constexpr int Dpi = 150;

// Four periods of a sine, peaks of `u` and `i` counts, and a fundamental of `u1` and `i1`.
MeasurementRecord sines(int u, int i, float u1, float i1)
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k) {
        const double s = std::sin(2.0 * std::numbers::pi * k / 128.0);
        record.UWave[k] = uint16_t(2047 + std::lround(u * s));
        record.IWave[k] = uint16_t(2047 + std::lround(i * s));
    }
    record.SampleCount = WaveSamples;
    record.UHarm[1] = u1;
    record.IHarm[1] = i1;
    record.UHarm[3] = u1 / 10;
    record.IHarm[3] = i1 / 4;
    return record;
}

QRgb rgb(const QColor &colour)
{
    return colour.rgb();
}

QImage page(const MeasurementRecord &live, const MeasurementRecord *reference)
{
    QImage image = PageImage(Pw, Ph, Dpi);
    QPainter painter(&image);
    DrawMeasurementPage(painter, Pw, Ph, live, PrintInfo {}, nullptr, reference);
    return image;
}

QImage preview(const MeasurementRecord &live, const MeasurementRecord *reference)
{
    QImage image(760, 1100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawMeasurementPreview(painter, 700, 989, live, PrintInfo {}, nullptr, reference);
    return image;
}

QRect inkOf(const QImage &image, const QRect &region, const QColor &colour)
{
    const QRgb wanted = rgb(colour);
    return InkBox(image, region, [wanted](QRgb p) { return (p | 0xFF000000u) == wanted; });
}
} // namespace

TEST(ReferencePage, ReferenceTracesInTheLighterShadesOnScalesCoveringBoth)
{
    const MeasurementRecord live = sines(300, 100, 10, 2);
    const MeasurementRecord reference = sines(600, 400, 20, 4);
    const MeasurementPageLayout m = MeasurementPageLayoutFor(Pw, Ph, Dpi);
    const QImage alone = page(live, nullptr);
    const QImage compared = page(live, &reference);

    // The reference's waves: around the wave box's centre line, reaching the covering scale's
    // full heights (2.8 / 7 and 2.5 / 7 of the box's height).
    const QRect box = m.waveBox;
    const int centre = box.top() + box.height() / 2;
    const QRect voltage = inkOf(compared, box, ReferenceShade(Green));
    ASSERT_FALSE(voltage.isNull());
    const double voltageFull = std::trunc(2.8 * (box.height() - 1) / 7);
    EXPECT_NEAR(centre - voltage.top(), voltageFull, 3);
    EXPECT_NEAR(voltage.bottom() - centre, voltageFull, 3);
    EXPECT_FALSE(inkOf(compared, box, ReferenceShade(Red)).isNull());
    EXPECT_TRUE(inkOf(alone, alone.rect(), ReferenceShade(Green)).isNull());

    // The live voltage on that scale: half the height it has alone.
    const QRect liveAlone = inkOf(alone, box, Green);
    const QRect liveCompared = inkOf(compared, box, Green);
    EXPECT_NEAR(liveCompared.height(), liveAlone.height() / 2.0, 3);

    // The reference's bars: outlines right of the live bars, in both spectra.
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const QColor colour = i == 0 ? Green : Red;
        const QRect spectrum = m.spectrumBox[i];
        // Order 1's bar and the room up to order 2's.
        const int x1 = m.firstBarX + m.barSpacing;
        const QRect order1(x1, spectrum.top(), m.barSpacing + m.barOffset - m.barPen, spectrum.height());
        const QRect liveBar = inkOf(compared, order1, colour);
        const QRect outline = inkOf(compared, order1, ReferenceShade(colour));
        ASSERT_FALSE(liveBar.isNull());
        ASSERT_FALSE(outline.isNull());
        EXPECT_GT(outline.left(), liveBar.right()) << "beside the live bar";
        EXPECT_LT(outline.right(), order1.right()) << "clear of the next order's bar";
        // Twice the live fundamental: the reference's bar stands twice as high.
        EXPECT_NEAR(m.axisY[i] - outline.top(), 2.0 * (m.axisY[i] - liveBar.top()), 4);
        EXPECT_TRUE(inkOf(alone, order1, ReferenceShade(colour)).isNull());
    }
}

TEST(ReferencePage, PreviewShowsTheReferenceTracesToo)
{
    const MeasurementRecord live = sines(300, 100, 10, 2);
    const MeasurementRecord reference = sines(600, 400, 20, 4);
    const QImage alone = preview(live, nullptr);
    const QImage compared = preview(live, &reference);
    // The preview's lines are smoothed, so its greys come in every shade: the reference is
    // what the lighter shade adds inside the wave box, under its caption.
    QRect added;
    for (int y = 90; y < 227; ++y)
        for (int x = 51; x < 400; ++x)
            if (compared.pixelColor(x, y) == ReferenceShade(Grey)
                && alone.pixelColor(x, y) != ReferenceShade(Grey))
                added |= QRect(x, y, 1, 1);
    ASSERT_FALSE(added.isNull());
    // The voltage's full height is 58 pixels about the zero line at 153.
    EXPECT_NEAR(153 - added.top(), 58, 2);
    EXPECT_NEAR(added.bottom() - 153, 58, 2);
    // Outlines beside the voltage spectrum's order 1 line (x 59 + 5), up from its axis at 361
    // to the full 115 pixels of the larger fundamental.
    const QRect outline = inkOf(compared, QRect(59 + 7, 237, 3, 361 - 237), ReferenceShade(Qt::black));
    ASSERT_FALSE(outline.isNull());
    EXPECT_EQ(outline.bottom(), 360);
    EXPECT_EQ(outline.top(), 361 - 115);
    EXPECT_TRUE(inkOf(alone, QRect(59 + 7, 237, 3, 361 - 237), ReferenceShade(Qt::black)).isNull());
}
