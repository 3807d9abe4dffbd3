// Cost of one redraw of the wave pane at 1920 x 1080 with a reference measurement's waves
// over the live ones on the scale that covers both, and both wave cursors.

#include "measure/PaneDrawing.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {
// A 50 Hz wave over four periods around the zero count 2047, with a third harmonic.
MeasurementRecord measurement(double voltagePeak, double currentPeak, double phase)
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    for (int k = 0; k < WaveSamples; ++k) {
        const double t = 2.0 * std::numbers::pi * k / 128.0;
        record.UWave[k] = uint16_t(std::lround(2047 + voltagePeak * (std::sin(t) + 0.05 * std::sin(3 * t))));
        record.IWave[k] = uint16_t(std::lround(2047 + currentPeak * std::sin(t - phase)));
    }
    record.URMS = 230.0f;
    record.UPP = 325.0f;
    record.UF = 50.0f;
    record.IRMS = 5.0f;
    record.IPP = 7.07f;
    return record;
}

void WavePaneWithReferenceAndCursors(benchmark::State &state)
{
    const DrawingColours colours { QColor(238, 238, 238), QColor(170, 170, 170) };
    const MeasurementRecord live = measurement(1300, 900, 0.5);
    const MeasurementRecord reference = measurement(1450, 700, 0.3);
    QImage wave(1920, 1080, QImage::Format_RGB32);
    PaneScales scales;
    // The main window's own path: the scales covering both records, the reference's traces
    // under the live waves, the scale note and both cursors.
    PaneOverlay overlay;
    overlay.reference = &reference;
    overlay.cursors.place(100, false);
    overlay.cursors.place(300, true);

    for (auto _ : state) {
        DrawWavePane(wave, 1920, 1080, live, scales, colours, overlay);
        benchmark::DoNotOptimize(wave.constBits());
    }
}
BENCHMARK(WavePaneWithReferenceAndCursors)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// Both spectra with the reference's bars as outlines beside the live ones, at the same size.
void HarmonicPanesWithReference(benchmark::State &state)
{
    const DrawingColours colours { QColor(238, 238, 238), QColor(170, 170, 170) };
    float live[HarmonicCount], reference[HarmonicCount];
    for (int n = 0; n < HarmonicCount; ++n) {
        live[n] = n == 1 ? 325.0f : 16.0f / float(n + 1);
        reference[n] = n == 1 ? 330.0f : 20.0f / float(n + 1);
    }
    QImage uHarm(1920, 1080, QImage::Format_RGB32);
    QImage iHarm(1920, 1080, QImage::Format_RGB32);
    PaneScales scales;
    for (auto _ : state) {
        DrawHarmonicPane(uHarm, 1920, 1080, live, QColor(0, 128, 0), scales.uHarm, colours, reference);
        DrawHarmonicPane(iHarm, 1920, 1080, live, QColor(223, 48, 32), scales.iHarm, colours, reference);
        benchmark::DoNotOptimize(uHarm.constBits());
        benchmark::DoNotOptimize(iHarm.constBits());
    }
}
BENCHMARK(HarmonicPanesWithReference)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The same pane without overlays, for what they add.
void WavePaneAlone(benchmark::State &state)
{
    const DrawingColours colours { QColor(238, 238, 238), QColor(170, 170, 170) };
    const MeasurementRecord live = measurement(1300, 900, 0.5);
    QImage wave(1920, 1080, QImage::Format_RGB32);
    PaneScales scales;
    for (auto _ : state) {
        DrawWavePane(wave, 1920, 1080, live, scales, colours);
        benchmark::DoNotOptimize(wave.constBits());
    }
}
BENCHMARK(WavePaneAlone)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
} // namespace
