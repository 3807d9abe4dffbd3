#pragma once

// Where the wave pane's and the harmonic panes' elements go, as plain numbers. The screen
// panes and the measurement report draw from this one arithmetic, each on its own target,
// so whatever is drawn over a wave or a bar lands alike on screen and on paper.

#include "measure/MeasurementRecord.h"

#include <QPolygon>
#include <QRect>

#include <array>

// Pixel rounding of every pane: NaN gives 0, and values far beyond any surface are cut off
// before they reach an int.
int NearestPixel(double x); // ties to even
int TruncatedPixel(double x);

// A wave as offsets from its zero line, and the largest magnitude among them. Exactly the
// 512 samples of the record are read, whatever its sample count says.
enum class WaveChannel { Voltage, Current };
struct WaveCounts
{
    std::array<int, WaveSamples> c {};
    int largest = 0;
};
WaveCounts WaveCountsOf(const MeasurementRecord &record, WaveChannel channel);

// Pixels per count that bring a wave's largest offset to `fullPixels`; 0 for a flat wave.
double WavePixelsPerCount(double fullPixels, int largest);

// The column of sample k on a target `width` pixels wide from `left`.
int WaveSampleX(int k, int left, double width);

// The wave's polyline: sample k at x = left + round(k * width / 512) and
// y = centre - round(offset * pixelsPerCount).
QPolygon WavePoints(const WaveCounts &wave, int left, double width, int centre, double pixelsPerCount);

// The screen's wave pane inside a paint box of picWidth x picHeight: a plot area two pixels
// in from the box, eight rows and ten columns of divisions, ticks across the centre lines.
struct WavePaneDivisions
{
    int plotWidth = 0; // w - 4, with w = picWidth - 2
    int plotHeight = 0; // h - 4, with h = picHeight - 2
    int textTop = 0; // the scale text's top, h - 10
    int centreY = 0; // zero line of the waves
    std::array<int, 9> rowY {}; // dotted lines, from x = 2 to plotWidth + 2
    std::array<int, 9> rowTickY {}; // ticks from x = tickX - 1 to tickX + 6
    std::array<int, 11> columnX {}; // dotted lines, from y = 2 to plotHeight + 2
    std::array<int, 11> columnTickX {}; // ticks from y = tickY - 1 to tickY + 6
    int tickX = 0;
    int tickY = 0;
    double currentFullPixels = 0; // the current's peak keeps an eighth of the pane free
    double voltageFullPixels = 0;
};
WavePaneDivisions WavePaneDivisionsFor(int picWidth, int picHeight);

// The wave pane's scale for a measurement. The scale is kept from the previous drawing when a
// wave is flat: the current keeps `previous`, the voltage takes the current's.
struct WavePaneScale
{
    double currentPixelsPerCount = 0;
    double voltagePixelsPerCount = 0;
    double currentCountsPerDivision = 0; // 0 while the scale is 0
    double voltageCountsPerDivision = 0;
    // The numbers of the pane's text: from the reading, or the instrument's start-up ranges
    // without one.
    double msPerDivision = 8; // 40 % of a period per division
    double voltsPerDivision = 50; // the voltage peak over four divisions
    double ampsPerDivision = 1; // the current peak over three
    double kept() const { return voltagePixelsPerCount; } // the scale for the next drawing
};
WavePaneScale WavePaneScaleFor(
    const MeasurementRecord &record, const WavePaneDivisions &divisions, double previous);
// "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol"
QString WavePaneText(const WavePaneScale &scale);

// A spectrum's scale: a bar of amplitude a is trunc(a * pixels / units) high. The screen keeps
// pixels per unit (units 1); the report preview sets its full height over the largest.
struct HarmonicScale
{
    double pixels = 0;
    double units = 1;
};
// The largest amplitude; negative and NaN values never count.
float LargestAmplitude(const float *values /*51*/);
// fullPixels over the largest amplitude, units 1; `previous` when no amplitude is positive.
HarmonicScale HarmonicScaleFor(const float *values /*51*/, double fullPixels, HarmonicScale previous = {});

// Order n's bar stands at x = left + round(n * span / 50), `height` pixels above its axis
// (negative below it). A NaN height is not measured: it is 0 here and the screen leaves it out.
struct HarmonicBar
{
    int x = 0;
    int height = 0;
    bool measured = false;
    // The rows from the axis up to the bar's top, `width` columns from x + offset; empty for
    // a bar of no height.
    QRect rect(int axis, int offset, int width) const;
};
using HarmonicBars = std::array<HarmonicBar, HarmonicCount>;
int HarmonicBarX(int order, int left, int span);
HarmonicBars HarmonicBarsFor(const float *values /*51*/, HarmonicScale scale, int left, int span);

// The screen's harmonic pane inside a paint box of picWidth x picHeight.
struct HarmonicPaneGeometry
{
    int plotWidth = 0;
    int baseline = 0; // the axis
    int range = 0; // the 100 % line stands this far over the axis
    int innerWidth = 0; // span of the fifty orders after the first
    int gridRight = 0; // the tenths' dotted lines end here (w - 1)
};
HarmonicPaneGeometry HarmonicPaneGeometryFor(int picWidth, int picHeight);
