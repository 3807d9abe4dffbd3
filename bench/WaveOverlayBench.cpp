// Cost of one redraw of the wave pane at 1920 x 1080 with a reference measurement's waves
// over the live ones on the scale that covers both, and both wave cursors.

#include "measure/PaneDrawing.h"
#include "measure/PaneOverlays.h"

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
    const WaveCursors cursors { 100, 300 };

    for (auto _ : state) {
        // The live waves and the reference's on the scales that cover both.
        const WavePaneDivisions d = WavePaneDivisionsFor(1920, 1080);
        const CoveringWavePaneScale covering = CoveringWavePaneScaleFor(live, reference, d, scales.wave);
        scales.wave = covering.scale.kept();
        DrawWavePaneOnScale(wave, 1920, 1080, live, covering.scale, colours);
        QPainter painter(&wave);
        DrawReferenceWave(painter, WaveCountsOf(reference, WaveChannel::Current), 2, d.plotWidth, d.centreY,
            covering.scale.currentPixelsPerCount, QColor(255, 0, 0));
        DrawReferenceWave(painter, WaveCountsOf(reference, WaveChannel::Voltage), 2, d.plotWidth, d.centreY,
            covering.scale.voltagePixelsPerCount, QColor(0, 128, 0));
        DrawWaveCursors(painter, cursors, 2, d.plotWidth, 2, d.plotHeight + 2, QColor(30, 30, 160));
        painter.end();
        benchmark::DoNotOptimize(wave.constBits());
    }
}
BENCHMARK(WavePaneWithReferenceAndCursors)
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
