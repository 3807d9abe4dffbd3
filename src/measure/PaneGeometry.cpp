#include "measure/PaneGeometry.h"

#include "measure/NumberText.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {
// Far beyond any surface, yet safe to add and subtract as int: values past it are cut off by
// the bitmap anyway, and a float that big (or NaN) must not reach an int conversion.
constexpr double PixelLimit = 1 << 24;

int clampedInt(double x)
{
    if (std::isnan(x))
        return 0;
    return int(std::clamp(x, -PixelLimit, PixelLimit));
}

double divisionNumber(double value, double perDivision)
{
    return RoundHalfEven(value * perDivision, 0) / 100.0;
}

double countsPerDivision(double divisionPixels, double pixelsPerCount)
{
    return pixelsPerCount > 0 ? divisionPixels / pixelsPerCount : 0.0;
}
} // namespace

int NearestPixel(double x)
{
    return clampedInt(std::nearbyint(x));
}

int TruncatedPixel(double x)
{
    return clampedInt(std::trunc(x));
}

WaveCounts WaveCountsOf(const MeasurementRecord &record, WaveChannel channel)
{
    // The record is packed: copy the samples rather than trust their alignment.
    uint16_t samples[WaveSamples];
    const std::size_t offset = channel == WaveChannel::Voltage ? offsetof(MeasurementRecord, UWave)
                                                               : offsetof(MeasurementRecord, IWave);
    std::memcpy(samples, reinterpret_cast<const char *>(&record) + offset, sizeof samples);
    const int zero = channel == WaveChannel::Voltage ? record.UZero : record.IZero;
    WaveCounts w;
    for (int k = 0; k < WaveSamples; ++k) {
        w.c[k] = int(samples[k]) - zero;
        w.largest = std::max(w.largest, std::abs(w.c[k]));
    }
    return w;
}

double WavePixelsPerCount(double fullPixels, int largest)
{
    return largest != 0 ? fullPixels / largest : 0.0;
}

int WaveSampleX(int k, int left, double width)
{
    // k * width / 512 is exact for any pane (a division by a power of two), so every target
    // places sample k on the same column of its own width.
    return left + NearestPixel(k * width / WaveSamples);
}

QPolygon WavePoints(const WaveCounts &wave, int left, double width, int centre, double pixelsPerCount)
{
    QPolygon points(WaveSamples);
    for (int k = 0; k < WaveSamples; ++k)
        points.setPoint(k, WaveSampleX(k, left, width), centre - NearestPixel(wave.c[k] * pixelsPerCount));
    return points;
}

WavePaneDivisions WavePaneDivisionsFor(int picWidth, int picHeight)
{
    WavePaneDivisions d;
    const int w = picWidth - 2;
    const int h = picHeight - 2;
    d.plotWidth = w - 4;
    d.plotHeight = h - 4;
    d.textTop = h - 10;
    const int half = d.plotHeight / 2;
    d.centreY = half + 2;
    d.tickX = TruncatedPixel(d.plotWidth / 2.0);
    d.tickY = TruncatedPixel(d.plotHeight / 2.0);
    for (int i = 0; i <= 8; ++i) {
        d.rowY[i] = TruncatedPixel(d.plotHeight * i / 8.0) + 2;
        d.rowTickY[i] = TruncatedPixel(d.plotHeight * i / 8.0 + d.plotHeight / 16.0) + 2;
    }
    for (int i = 0; i <= 10; ++i) {
        d.columnX[i] = TruncatedPixel(d.plotWidth * i / 10.0) + 2;
        d.columnTickX[i] = TruncatedPixel(d.plotWidth * i / 10.0 + d.plotWidth / 20.0) + 2;
    }
    d.currentFullPixels = half - h / 8.0;
    d.voltageFullPixels = half;
    return d;
}

WavePaneScale WavePaneScaleFor(
    const MeasurementRecord &record, const WavePaneDivisions &divisions, double previous)
{
    WavePaneScale s;
    const int currentLargest = WaveCountsOf(record, WaveChannel::Current).largest;
    const int voltageLargest = WaveCountsOf(record, WaveChannel::Voltage).largest;
    s.currentPixelsPerCount
        = currentLargest != 0 ? WavePixelsPerCount(divisions.currentFullPixels, currentLargest) : previous;
    s.voltagePixelsPerCount = voltageLargest != 0
        ? WavePixelsPerCount(divisions.voltageFullPixels, voltageLargest)
        : s.currentPixelsPerCount;
    const double division = divisions.plotHeight / 8.0;
    s.currentCountsPerDivision = countsPerDivision(division, s.currentPixelsPerCount);
    s.voltageCountsPerDivision = countsPerDivision(division, s.voltagePixelsPerCount);
    if (record.UF > 0)
        s.msPerDivision = divisionNumber(0.4 / double(record.UF), 100000.0);
    if (record.URMS > 0)
        s.voltsPerDivision = divisionNumber(double(record.UPP) / 4.0, 100.0);
    if (record.IRMS > 0)
        s.ampsPerDivision = divisionNumber(double(record.IPP) / 3.0, 100.0);
    return s;
}

QString WavePaneText(const WavePaneScale &scale)
{
    // The numbers and units are the same in every language; the captions are translated.
    return QCoreApplication::translate(
        "PaneGeometry", "SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol")
        .arg(ShortestText(scale.msPerDivision), ShortestText(scale.voltsPerDivision),
            ShortestText(scale.ampsPerDivision));
}

float LargestAmplitude(const float *values)
{
    float amplitudes[HarmonicCount];
    std::memcpy(amplitudes, values, sizeof amplitudes);
    float largest = 0.0f;
    for (float v : amplitudes)
        if (v > largest) // a NaN never wins
            largest = v;
    return largest;
}

HarmonicScale HarmonicScaleFor(const float *values, double fullPixels, HarmonicScale previous)
{
    const float largest = LargestAmplitude(values);
    if (largest > 0.0f)
        return { fullPixels / double(largest), 1.0 };
    return previous;
}

QRect HarmonicBar::rect(int axis, int offset, int width) const
{
    const int top = axis - height;
    return QRect(x + offset, std::min(top, axis), width, std::abs(height));
}

int HarmonicBarX(int order, int left, int span)
{
    return left + NearestPixel(order * span / 50.0);
}

HarmonicBars HarmonicBarsFor(const float *values, HarmonicScale scale, int left, int span)
{
    float amplitudes[HarmonicCount];
    std::memcpy(amplitudes, values, sizeof amplitudes);
    HarmonicBars bars;
    for (int n = 0; n < HarmonicCount; ++n) {
        HarmonicBar &bar = bars[n];
        bar.x = HarmonicBarX(n, left, span);
        const double height = amplitudes[n] * scale.pixels / scale.units;
        bar.measured = !std::isnan(height);
        bar.height = TruncatedPixel(height);
    }
    return bars;
}

HarmonicPaneGeometry HarmonicPaneGeometryFor(int picWidth, int picHeight)
{
    HarmonicPaneGeometry g;
    const int w = picWidth - 2;
    const int h = picHeight - 2;
    g.plotWidth = w - 4;
    g.baseline = TruncatedPixel((h - 4) * 0.9);
    g.range = g.baseline - 15;
    g.innerWidth = g.plotWidth - 8;
    g.gridRight = w - 1;
    return g;
}
