// Cost of one sampling tick of the record window with 449000 samples recorded: the copy
// out of the measurement, the timestamp and the redraw of the live chart at a trace area
// of 1900 x 900, as the window's timer runs it.

#include "link/Globals.h"
#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "record/forms/ChartPaintBox.h"
#include "record/forms/Rec.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void SamplingTick(benchmark::State &state)
{
    WaveBackgroundColor = QColor(238, 238, 238);
    WaveScaleColor = QColor(170, 170, 170);
    InitMeasurement();
    Measurement.URMS = 230.0f;
    Measurement.IRMS = 5.0f;
    Measurement.WRMS = 995.9f;
    Measurement.UF = 50.0f;
    SamplingMode = 2;
    auto form = std::make_unique<TRecordForm>();
    form->Pic4->resize(1900, 900);
    form->RecordFileReady = true;
    const QDateTime start(QDate(2026, 12, 10), QTime(8, 0));
    for (int i = 0; i < 449000; ++i) {
        Measurement.WRMS = float(500 + i % 300);
        form->Record.sample(Measurement, start.addSecs(i));
    }
    for (auto _ : state) {
        // A new measurement arrives before each tick, as the receive handler stores it.
        MeasurementRecord reply = Measurement;
        reply.WRMS += 1.0f;
        StoreMeasurementReply(reinterpret_cast<const uint8_t *>(&reply));
        form->Timer1Timer();
        benchmark::DoNotOptimize(form->traceSurface().constBits());
    }
    state.counters["samples"] = form->RecordCount();
    SamplingMode = 0;
}
// 5 × 150 ticks stay below the 450000-sample limit.
BENCHMARK(SamplingTick)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(150)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
