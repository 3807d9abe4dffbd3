// Cost of one full redraw of the main window's measurement display at 1920 x 1080: the
// layout, the fifteen panel texts and the three panes, as after every measurement reply.

#include "measure/PaneDrawing.h"
#include "measure/PaneLayout.h"
#include "measure/PanelTexts.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace {
// Client panel of a 1920 x 1080 main window: the height less menu bar, tool bar and status bar.
constexpr int PanelWidth = 1920;
constexpr int PanelHeight = 1080 - 22 - 38 - 22;

// 230 V, 50 Hz with a 5 % third and a 3 % fifth harmonic, a 5 A current lagging by 30 degrees
// with a 20 % third harmonic; 512 samples span four periods, counts around 2047.
MeasurementRecord syntheticMeasurement()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    const double peakU = 230.0 * std::numbers::sqrt2;
    const double peakI = 5.0 * std::numbers::sqrt2;
    const double countsPerVolt = 1500.0 / (peakU * 1.08);
    const double countsPerAmp = 1500.0 / (peakI * 1.2);
    for (int k = 0; k < WaveSamples; ++k) {
        const double t = 2.0 * std::numbers::pi * k / 128.0;
        const double u = peakU * (std::sin(t) + 0.05 * std::sin(3 * t) + 0.03 * std::sin(5 * t));
        const double i = peakI * (std::sin(t - std::numbers::pi / 6) + 0.2 * std::sin(3 * t));
        record.UWave[k] = uint16_t(std::lround(2047 + u * countsPerVolt));
        record.IWave[k] = uint16_t(std::lround(2047 + i * countsPerAmp));
    }
    for (int n = 0; n < HarmonicCount; ++n) {
        record.UHarm[n] = n == 1 ? float(peakU) : float(peakU * 0.05 / n);
        record.IHarm[n] = n == 1 ? float(peakI) : float(peakI * 0.2 / n);
    }
    record.URMS = 230.0f;
    record.UPP = float(peakU);
    record.UF = 50.0f;
    record.IRMS = 5.0f;
    record.IPP = float(peakI);
    record.IPA = 30.0f;
    record.PF = 0.866f;
    record.WRMS = 995.9f;
    record.PS = 1150.0f;
    record.PQ = 575.0f;
    record.VTHD = 0.0583f;
    record.ITHD = 0.2f;
    record.VKF = 1.11f;
    record.IKF = 1.16f;
    record.KWH = 12.345f;
    return record;
}

void DrawMeasurement(benchmark::State &state)
{
    const DrawingColours colours { QColor(238, 238, 238), QColor(170, 170, 170) };
    const MeasurementRecord record = syntheticMeasurement();
    // Surfaces of half the screen, made once as the main window does.
    QImage wave(960, 540, QImage::Format_RGB32);
    QImage uHarm(960, 540, QImage::Format_RGB32);
    QImage iHarm(960, 540, QImage::Format_RGB32);
    PaneScales scales;
    float u[HarmonicCount], i[HarmonicCount];
    std::memcpy(u, reinterpret_cast<const char *>(&record) + offsetof(MeasurementRecord, UHarm), sizeof u);
    std::memcpy(i, reinterpret_cast<const char *>(&record) + offsetof(MeasurementRecord, IHarm), sizeof i);

    for (auto _ : state) {
        const PaneLayout layout = LayoutPaneGeometry(PanelWidth, PanelHeight);
        const int w = layout.picturePanel.width();
        const int h = layout.picturePanel.height();
        auto texts = PanelTexts(record);
        DrawWavePane(wave, w, h, record, scales, colours);
        DrawHarmonicPane(uHarm, w, h, u, QColor(0, 128, 0), scales.uHarm, colours);
        DrawHarmonicPane(iHarm, w, h, i, QColor(223, 48, 32), scales.iHarm, colours);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(wave.constBits());
        benchmark::DoNotOptimize(uHarm.constBits());
        benchmark::DoNotOptimize(iHarm.constBits());
    }
}
BENCHMARK(DrawMeasurement)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
} // namespace
