// The starting test without a window: range code and page counts, the capture block, peaks,
// the view buttons and the chart's pixels.

#include "instrument/StartingChart.h"
#include "base/Language.h"
#include "link/Frames.h"
#include "link/Globals.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A capture block with the given scales; every sample at zero unless set afterwards.
struct Block
{
    std::vector<uint8_t> bytes = InitialStartingCaptureBlock();

    Block(float voltageScale = 1.0f, float currentScale = 1.0f)
    {
        putSingle(0, voltageScale);
        putSingle(4, currentScale);
    }
    void putSingle(int offset, float value)
    {
        const uint32_t bits = SingleBits(value);
        for (int k = 0; k < 4; ++k)
            bytes[offset + k] = static_cast<uint8_t>(bits >> (8 * k));
    }
    void voltage(int n, int counts) { put(8 + 2 * n, counts); }
    void current(int n, int counts) { put(8 + 2 * CaptureSampleCount + 2 * n, counts); }
    void put(int offset, int counts)
    {
        bytes[offset] = static_cast<uint8_t>(counts & 0xFF);
        bytes[offset + 1] = static_cast<uint8_t>(counts >> 8);
    }
    StartingCaptureData data() const { return DecodeStartingCapture(bytes.data()); }
};

TEST(StartingRequests, RangeCodeAndPageCounts)
{
    EXPECT_EQ(StartingRangeCode(0, 0), 0x00); // 300V, "4 (High)"
    EXPECT_EQ(StartingRangeCode(2, 2), 0x22); // "75V" and "2"
    EXPECT_EQ(StartingRangeCode(3, 1), 0x31);
    EXPECT_EQ(StartingRangeCode(1, 3), 0x13);
    EXPECT_EQ(StartingPageCount(1), 0x0100);
    EXPECT_EQ(StartingPageCount(3), 0x0300);
    EXPECT_EQ(StartingPageCount(6), 0x0600);
}

TEST(StartingCapture, DecodesScalesAndBothChannels)
{
    EXPECT_EQ(static_cast<int>(InitialStartingCaptureBlock().size()), StartingCaptureBytes);
    const StartingCaptureData initial = Block().data();
    EXPECT_EQ(initial.voltageScale, 1.0f);
    EXPECT_EQ(initial.currentScale, 1.0f);
    for (int n = 0; n < CaptureSampleCount; ++n) {
        ASSERT_EQ(initial.voltage[n], CaptureSampleZero);
        ASSERT_EQ(initial.current[n], CaptureSampleZero);
    }

    Block block(0.25f, 0.01f);
    block.voltage(0, 0x0102);
    block.voltage(2559, 4095);
    block.current(0, 17);
    block.current(2559, 0x0FED);
    const StartingCaptureData data = block.data();
    EXPECT_EQ(data.voltageScale, 0.25f);
    EXPECT_EQ(data.currentScale, 0.01f);
    EXPECT_EQ(data.voltage[0], 0x0102);
    EXPECT_EQ(data.voltage[2559], 4095);
    EXPECT_EQ(data.current[0], 17);
    EXPECT_EQ(data.current[2559], 0x0FED);
}

TEST(StartingCapture, PeaksUseSamplesEightTo2558)
{
    struct Case
    {
        int sample;
        int counts;
        int peak;
    } cases[] = {
        { 7, 4095, 0 }, // before the chart
        { 8, 2047 + 300, 300 }, { 100, 2047 - 1000, 1000 }, // below zero counts the same
        { 2558, 4000, 1953 }, { 2559, 4000, 0 }, // the last sample is drawn but not measured
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sample);
        CaptureSamples samples;
        samples.fill(CaptureSampleZero);
        samples[c.sample] = static_cast<uint16_t>(c.counts);
        EXPECT_EQ(PeakDeviation(samples), c.peak);
    }
}

TEST(StartingCapture, PeakTextsInVoltsAndAmperes)
{
    EXPECT_EQ(PeakText(QStringLiteral("电流峰值"), 1000, 0.01f, QStringLiteral("A")),
        QStringLiteral("电流峰值10A"));
    EXPECT_EQ(
        PeakText(QStringLiteral("电压峰值"), 0, 1.0f, QStringLiteral("V")), QStringLiteral("电压峰值0V"));
    EXPECT_EQ(PeakText(QStringLiteral("电压峰值"), 1626, 0.2121f, QStringLiteral("V")),
        QStringLiteral("电压峰值344.87V"));
    EXPECT_EQ(PeakText(QStringLiteral("电流峰值"), 1, 0.125f, QStringLiteral("A")),
        QStringLiteral("电流峰值0.12A"));
}

TEST(StartingChartView, ButtonsMoveUntilTheirLimitAndGreyOnlyOnTheNextPress)
{
    StartingChartView view;
    ViewButtonStates states;
    for (int press = 1; press <= 7; ++press) {
        PressViewButton(ViewButton::Later, view, states);
        EXPECT_EQ(view.offset, 320 * press);
        EXPECT_TRUE(states.later);
    }
    PressViewButton(ViewButton::Later, view, states);
    EXPECT_EQ(view.offset, 2240);
    EXPECT_FALSE(states.later);
    PressViewButton(ViewButton::Earlier, view, states);
    EXPECT_EQ(view.offset, 1920);
    EXPECT_TRUE(states.later); // its opposite comes back

    StartingChartView start;
    ViewButtonStates fresh;
    PressViewButton(ViewButton::Earlier, start, fresh);
    EXPECT_EQ(start.offset, 0);
    EXPECT_FALSE(fresh.earlier);

    struct Case
    {
        ViewButton button;
        int presses;
        int compression;
        bool moreEnabled;
        bool lessEnabled;
    } cases[] = {
        { ViewButton::MoreCompression, 3, 4, true, true },
        { ViewButton::MoreCompression, 4, 4, false, true },
        { ViewButton::LessCompression, 1, 1, true, false },
    };
    for (const Case &c : cases) {
        StartingChartView v;
        ViewButtonStates s;
        for (int k = 0; k < c.presses; ++k)
            PressViewButton(c.button, v, s);
        EXPECT_EQ(v.compression, c.compression);
        EXPECT_EQ(s.moreCompression, c.moreEnabled);
        EXPECT_EQ(s.lessCompression, c.lessEnabled);
    }
}

TEST(ChartGeometry, GridLinesRoundHalfToEven)
{
    // (37 - 32) * i / 10 lands on halves: 16.5 goes to 16, 17.5 to 18.
    EXPECT_EQ(ChartGridY(37, 1), 16);
    EXPECT_EQ(ChartGridY(37, 3), 18);
    EXPECT_EQ(ChartGridY(500, 0), 16);
    EXPECT_EQ(ChartGridY(500, 1), 63);
    EXPECT_EQ(ChartGridY(500, 10), 484);
}

TEST(ChartGeometry, TracesReachTheTopLineOrOneDivisionShort)
{
    const int h = 500; // mid 250
    EXPECT_EQ(ChartSampleY(h, 2047 + 1000, VoltageTraceScale(h, 1000)), 18);
    EXPECT_EQ(ChartSampleY(h, 2047 - 1000, VoltageTraceScale(h, 1000)), 486);
    // One division (46.8 pixels) lower: 250 + 2 - round(234 - 46.8).
    EXPECT_EQ(ChartSampleY(h, 2047 + 1000, CurrentTraceScale(h, 1000)), 65);
    EXPECT_EQ(CurrentTraceScale(h, 0), 0.00001);
    EXPECT_EQ(ChartSampleY(h, 2047, VoltageTraceScale(h, 0)), 252);
}

TEST(ChartGeometry, PointsFollowOffsetAndCompression)
{
    CaptureSamples samples;
    for (int n = 0; n < CaptureSampleCount; ++n)
        samples[n] = static_cast<uint16_t>(n); // y tells the sample: mid + 2 - (n - 2047)
    const auto sampleOf = [](const QPoint &p, int h) { return h / 2 + 2 - p.y() + 2047; };
    const int h = 300;

    struct Case
    {
        StartingChartView view;
        int width;
        int points;
        int firstSample;
        int lastSample;
    } cases[] = {
        { { 0, 1 }, 800, 800, 8, 807 },
        { { 2240, 1 }, 800, 312, 2248, 2559 },
        { { 2240, 1 }, 100, 100, 2248, 2347 },
        { { 0, 4 }, 2000, 638, 8, 8 + 637 * 4 },
        { { 320, 3 }, 2000, 744, 328, 328 + 743 * 3 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.view.offset * 10 + c.view.compression);
        const std::vector<QPoint> points = ChartTracePoints(samples, 1.0, QSize(c.width, h), c.view);
        ASSERT_EQ(static_cast<int>(points.size()), c.points);
        EXPECT_EQ(points.front().x(), 2);
        EXPECT_EQ(points[1].x(), 1);
        EXPECT_EQ(points.back().x(), c.points - 1);
        EXPECT_EQ(sampleOf(points.front(), h), c.firstSample);
        EXPECT_EQ(sampleOf(points.back(), h), c.lastSample);
    }
}

TEST(ChartSurface, CoversChartAreasLargerThan2400By1600)
{
    EXPECT_EQ(StartingSurfaceSize(QSize(810, 540)), QSize(2400, 1600));
    EXPECT_EQ(StartingSurfaceSize(QSize(3840, 1000)), QSize(3840, 1600));
    EXPECT_EQ(StartingSurfaceSize(QSize(5120, 2800)), QSize(5120, 2800));
}

class ChartDrawing : public ::testing::Test
{
protected:
    QImage draw(QSize area, const Block &block, StartingChartView view = {})
    {
        QImage surface(StartingSurfaceSize(area), QImage::Format_RGB32);
        peaks = DrawStartingChart(surface, area, block.data(), view, background, scale);
        return surface;
    }

    const QColor background { 238, 238, 238 };
    const QColor scale { 170, 170, 170 };
    ChartPeaks peaks;
};

TEST_F(ChartDrawing, PeaksAreDrawnWhereTheyBelongAndNamed)
{
    Block block(0.5f, 0.01f);
    block.voltage(400, 2047 + 800); // the voltage peak
    block.voltage(500, 2047 - 400);
    block.current(600, 2047 - 1000); // the current peak, below zero
    block.voltage(3, 4095); // not part of the chart
    const QSize area(810, 500);
    const QImage image = draw(area, block);

    EXPECT_EQ(peaks.voltagePeak, 800);
    EXPECT_EQ(peaks.currentPeak, 1000);
    EXPECT_EQ(peaks.voltageText, QStringLiteral("电压峰值400V"));
    EXPECT_EQ(peaks.currentText, QStringLiteral("电流峰值10A"));

    // Sample 8 + t is drawn at x = t.
    EXPECT_EQ(image.pixelColor(392, 18), VoltageTraceColor);
    EXPECT_EQ(
        image.pixelColor(492, ChartSampleY(500, 2047 - 400, VoltageTraceScale(500, 800))), VoltageTraceColor);
    EXPECT_EQ(image.pixelColor(592, ChartSampleY(500, 2047 - 1000, CurrentTraceScale(500, 1000))),
        CurrentTraceColor);
    // The chart area is filled to its far corner; the rest of the surface is never shown.
    EXPECT_EQ(image.pixelColor(area.width() - 1, area.height() - 1), background);
    // The grid's top line is dotted in the scale colour.
    int gridPixels = 0;
    for (int x = 0; x < 200; ++x)
        gridPixels += image.pixelColor(x, 16) == scale;
    EXPECT_GT(gridPixels, 20);
    EXPECT_LT(gridPixels, 200);
}

TEST_F(ChartDrawing, TheCurrentPeakCaptionStartsAfterALongVoltagePeakCaption)
{
    // English names the peaks at more length than the original captions had room for.
    ASSERT_GT(ApplyLanguage(Language::English), 0);
    Block block(15.4321f, 0.01f);
    block.voltage(400, 2047 + 800);
    block.current(600, 2047 + 1000);
    const QSize area(810, 500);
    const QImage image = draw(area, block);
    ApplyLanguage(Language::Original);
    ASSERT_EQ(peaks.voltageText, QStringLiteral("Peak voltage 12345.68V"));

    ASSERT_GT(VoltageTraceColor.green(), VoltageTraceColor.red() + 40);
    ASSERT_GT(CurrentTraceColor.red(), CurrentTraceColor.green() + 40);
    // In the caption row, every voltage-coloured pixel lies left of every current-coloured one.
    int voltageRight = -1;
    int currentLeft = area.width();
    for (int y = area.height() - 15; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            // Smoothed text blends into the background: a pixel goes by its leaning colour.
            const QColor c = image.pixelColor(x, y);
            if (c.green() > c.red() + 40)
                voltageRight = std::max(voltageRight, x);
            else if (c.red() > c.green() + 40)
                currentLeft = std::min(currentLeft, x);
        }
    ASSERT_GE(voltageRight, 0);
    ASSERT_LT(currentLeft, area.width());
    EXPECT_LT(voltageRight, currentLeft);
}

TEST_F(ChartDrawing, AChartWiderThanThePictureOfOldIsDrawnToItsEnd)
{
    Block block;
    block.voltage(8 + 2500, 2047 + 100);
    const QImage image = draw(QSize(2600, 1700), block);
    ASSERT_GE(image.width(), 2600);
    EXPECT_EQ(image.pixelColor(2500, 18), VoltageTraceColor);
}

TEST_F(ChartDrawing, TheViewPicksTheSamplesDrawn)
{
    Block block;
    block.voltage(8 + 2240 + 10, 2047 + 50);
    const QImage image = draw(QSize(810, 500), block, { 2240, 1 });
    EXPECT_EQ(image.pixelColor(10, 18), VoltageTraceColor);
    // Nothing past sample 2559: the trace ends at x = 311.
    EXPECT_EQ(image.pixelColor(311, 252), VoltageTraceColor);
    EXPECT_NE(image.pixelColor(330, 252), VoltageTraceColor);
}

} // namespace
