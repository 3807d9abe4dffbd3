#include "instrument/StartingChart.h"

#include "link/Frames.h"
#include "link/Globals.h"
#include "measure/NumberText.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int VoltageSamplesOffset = 8;
constexpr int CurrentSamplesOffset = VoltageSamplesOffset + 2 * CaptureSampleCount;
constexpr int LastPeakSample = CaptureSampleCount - 2; // 2558
constexpr int MaxChartOffset = 2240;
constexpr int MaxCompression = 4;

uint16_t sampleAt(const uint8_t *block, int offset)
{
    return static_cast<uint16_t>(block[offset] | block[offset + 1] << 8);
}

int roundHalfEven(double value)
{
    return static_cast<int>(RoundHalfEven(value, 0));
}
} // namespace

StartingCaptureData DecodeStartingCapture(const uint8_t *block)
{
    StartingCaptureData data;
    data.voltageScale = BytesToSingle(block);
    data.currentScale = BytesToSingle(block + 4);
    for (int n = 0; n < CaptureSampleCount; ++n) {
        data.voltage[n] = sampleAt(block, VoltageSamplesOffset + 2 * n);
        data.current[n] = sampleAt(block, CurrentSamplesOffset + 2 * n);
    }
    return data;
}

std::vector<uint8_t> InitialStartingCaptureBlock()
{
    std::vector<uint8_t> block(StartingCaptureBytes);
    const uint32_t one = SingleBits(1.0f);
    for (int k = 0; k < 4; ++k) {
        block[k] = static_cast<uint8_t>(one >> (8 * k));
        block[4 + k] = static_cast<uint8_t>(one >> (8 * k));
    }
    for (int n = 0; n < 2 * CaptureSampleCount; ++n) {
        block[VoltageSamplesOffset + 2 * n] = CaptureSampleZero & 0xFF;
        block[VoltageSamplesOffset + 2 * n + 1] = CaptureSampleZero >> 8;
    }
    return block;
}

uint8_t StartingRangeCode(int currentRangeIndex, int voltageRangeIndex)
{
    return static_cast<uint8_t>(currentRangeIndex * 16 + voltageRangeIndex);
}

uint16_t StartingPageCount(int page)
{
    return static_cast<uint16_t>(page << 8);
}

int PeakDeviation(const CaptureSamples &samples)
{
    int peak = 0;
    for (int n = FirstChartSample; n <= LastPeakSample; ++n)
        peak = std::max(peak, std::abs(samples[n] - CaptureSampleZero));
    return peak;
}

QString PeakText(const QString &label, int peak, float scale, const QString &unit)
{
    const double value = static_cast<double>(peak) * static_cast<double>(scale);
    return label + ShortestText(RoundHalfEven(value, 2)) + unit;
}

void PressViewButton(ViewButton button, StartingChartView &view, ViewButtonStates &states)
{
    switch (button) {
    case ViewButton::Earlier:
        if (view.offset >= 1)
            view.offset -= ChartOffsetStep;
        else
            states.earlier = false;
        states.later = true;
        break;
    case ViewButton::Later:
        if (view.offset <= MaxChartOffset - 1)
            view.offset += ChartOffsetStep;
        else
            states.later = false;
        states.earlier = true;
        break;
    case ViewButton::MoreCompression:
        if (view.compression <= MaxCompression - 1)
            ++view.compression;
        else
            states.moreCompression = false;
        states.lessCompression = true;
        break;
    case ViewButton::LessCompression:
        if (view.compression >= 2)
            --view.compression;
        else
            states.lessCompression = false;
        states.moreCompression = true;
        break;
    }
}

QSize StartingSurfaceSize(QSize area)
{
    return { std::max(ChartSurfaceWidth, area.width()), std::max(ChartSurfaceHeight, area.height()) };
}

int ChartGridY(int h, int line)
{
    return roundHalfEven(16.0 + (h - 32) * line / 10.0);
}

double CurrentTraceScale(int h, int peak)
{
    // One grid division short of the top line, so the current stands apart from the voltage.
    if (peak == 0)
        return 0.00001;
    return ((h / 2 - 16) - (h - 32) / 10.0) / peak;
}

double VoltageTraceScale(int h, int peak)
{
    if (peak == 0)
        return 0.0;
    return static_cast<double>(h / 2 - 16) / peak;
}

int ChartSampleY(int h, int sample, double scale)
{
    return h / 2 + 2 - roundHalfEven((sample - CaptureSampleZero) * scale);
}

std::vector<QPoint> ChartTracePoints(
    const CaptureSamples &samples, double scale, QSize area, StartingChartView view)
{
    const int compression = std::max(view.compression, 1);
    const int n = std::min((CaptureSampleCount - view.offset) / compression, area.width());
    std::vector<QPoint> points;
    points.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int t = 0; t < n; ++t) {
        const int sample = FirstChartSample + view.offset + t * compression;
        if (sample < 0 || sample >= CaptureSampleCount)
            break;
        points.emplace_back(t == 0 ? 2 : t, ChartSampleY(area.height(), samples[sample], scale));
    }
    return points;
}

ChartPeaks DrawStartingChart(QImage &surface, QSize area, const StartingCaptureData &capture,
    StartingChartView view, const QColor &background, const QColor &scaleColor)
{
    const int w = area.width();
    const int h = area.height();
    QPainter painter(&surface);
    // Only the chart area is shown and saved: the rest of the surface keeps what it held.
    painter.fillRect(QRect(0, 0, w, h), background);
    QFont font = painter.font();
    font.setPointSize(8);
    painter.setFont(font);

    QPen grid(scaleColor, 1, Qt::DotLine);
    painter.setPen(grid);
    for (int line = 0; line <= 10; ++line) {
        const int y = ChartGridY(h, line);
        painter.drawLine(0, y, w, y);
    }
    for (int x = 0; x <= (w / 20) * 20; x += 20)
        painter.drawLine(x, 16, x, h - 16);

    ChartPeaks peaks;
    peaks.currentPeak = PeakDeviation(capture.current);
    peaks.voltagePeak = PeakDeviation(capture.voltage);

    const auto drawTrace = [&](const CaptureSamples &samples, double scale, const QColor &color) {
        const std::vector<QPoint> points = ChartTracePoints(samples, scale, area, view);
        painter.setPen(QPen(color, 1, Qt::SolidLine));
        if (points.size() >= 2)
            painter.drawPolyline(points.data(), static_cast<int>(points.size()));
    };
    drawTrace(capture.current, CurrentTraceScale(h, peaks.currentPeak), CurrentTraceColor);
    drawTrace(capture.voltage, VoltageTraceScale(h, peaks.voltagePeak), VoltageTraceColor);

    peaks.voltageText = PeakText(QCoreApplication::translate("StartingChart", "电压峰值"), peaks.voltagePeak,
        capture.voltageScale, QStringLiteral("V"));
    peaks.currentText = PeakText(QCoreApplication::translate("StartingChart", "电流峰值"), peaks.currentPeak,
        capture.currentScale, QStringLiteral("A"));
    painter.setBackgroundMode(Qt::TransparentMode);
    const int textTop = h - 15;
    painter.setPen(VoltageTraceColor);
    painter.drawText(QRect(5, textTop, 400, 15), Qt::AlignLeft | Qt::AlignTop, peaks.voltageText);
    painter.setPen(CurrentTraceColor);
    // Column 125 as always, or further right when a longer caption would run into it.
    const int currentLeft
        = std::max(125, 5 + painter.fontMetrics().horizontalAdvance(peaks.voltageText) + 12);
    painter.drawText(QRect(currentLeft, textTop, 400, 15), Qt::AlignLeft | Qt::AlignTop, peaks.currentText);
    return peaks;
}
