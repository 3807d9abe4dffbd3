#pragma once

// The starting test: its range code and page requests, the capture block the instrument
// sends in six pages, the chart's view (offset and compression) with its four buttons, and
// the chart drawn onto an off-screen picture.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

constexpr uint16_t StartingTestRegister = 147;
constexpr int CaptureSampleCount = 2560;
constexpr int FirstChartSample = 8; // samples 0 to 7 are neither drawn nor measured
constexpr int CaptureSampleZero = 2047;
constexpr int ChartOffsetStep = 320;
constexpr int ChartSurfaceWidth = 2400;
constexpr int ChartSurfaceHeight = 1600;

using CaptureSamples = std::array<uint16_t, CaptureSampleCount>;

struct StartingCaptureData
{
    float voltageScale = 1.0f; // volts per count
    float currentScale = 1.0f; // amperes per count
    CaptureSamples voltage {};
    CaptureSamples current {};
};

// The 10248-byte block: the two scales, then 2560 voltage and 2560 current samples.
StartingCaptureData DecodeStartingCapture(const uint8_t *block);
// The block before any test: both scales 1.0, every sample at zero (2047).
std::vector<uint8_t> InitialStartingCaptureBlock();

// Current range index times 16 plus voltage range index.
uint8_t StartingRangeCode(int currentRangeIndex, int voltageRangeIndex);
// The count of the read that fetches page 1 to 6: the page number in the high byte.
uint16_t StartingPageCount(int page);

// The largest distance from zero over samples 8 to 2558.
int PeakDeviation(const CaptureSamples &samples);
// "电压峰值" or "电流峰值" and the peak times the scale, rounded to two decimals, then the unit.
QString PeakText(const QString &label, int peak, float scale, const QString &unit);

struct StartingChartView
{
    int offset = 0; // first sample shown, counted from sample 8; 0 to 2240 in steps of 320
    int compression = 1; // sample step, 1 to 4
};

enum class ViewButton { Earlier, Later, MoreCompression, LessCompression };

struct ViewButtonStates
{
    bool earlier = true;
    bool later = true;
    bool moreCompression = true;
    bool lessCompression = true;
};

// One press of a view button: it moves the view while its limit allows, and disables itself
// only when pressed at the limit; every press enables its opposite.
void PressViewButton(ViewButton button, StartingChartView &view, ViewButtonStates &states);

// The off-screen picture: 2400 x 1600, grown where the chart area is larger.
QSize StartingSurfaceSize(QSize area);

// Chart geometry for a chart area `h` pixels high.
int ChartGridY(int h, int line); // line 0 to 10
double CurrentTraceScale(int h, int peak);
double VoltageTraceScale(int h, int peak);
int ChartSampleY(int h, int sample, double scale);
// The points of one trace: the first at x = 2, then x = t; samples past 2559 are left out.
std::vector<QPoint> ChartTracePoints(const CaptureSamples &samples, double scale, QSize area, StartingChartView view);

struct ChartPeaks
{
    int voltagePeak = 0; // counts
    int currentPeak = 0;
    QString voltageText; // 电压峰值…V
    QString currentText; // 电流峰值…A
};

const QColor CurrentTraceColor(255, 0, 0);
const QColor VoltageTraceColor(0, 128, 0);

// Draws the whole chart for an area of `area` (width w, height h) into `surface`, which
// must be at least that large: background, dotted grid, the current and voltage traces and
// the two peak texts.
ChartPeaks DrawStartingChart(QImage &surface, QSize area, const StartingCaptureData &capture, StartingChartView view,
    const QColor &background, const QColor &scaleColor);
