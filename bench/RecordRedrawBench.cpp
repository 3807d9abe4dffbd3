// Cost of one redraw of the record chart showing a full 450000-sample record at a trace
// area of 1900 x 900: layout of the columns, status texts, trace area and axis strip.

#include "link/Globals.h"
#include "record/ChartDrawing.h"
#include "record/ChartView.h"
#include "record/RecordTime.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int W = 1900;
constexpr int H = 900;

// Five days of 1-second samples as a mains supply gives them: a daily swing, slower
// load changes and a little noise, different on each channel.
void FillRecord(RecordArrays &arrays)
{
    const double start = ToOleDate(QDateTime(QDate(2026, 12, 10), QTime(8, 0)));
    uint32_t noise = 12345;
    for (int i = 0; i < MaxRecordSamples; ++i) {
        for (int ch = 0; ch < RecordChannels; ++ch) {
            noise = noise * 1664525u + 1013904223u;
            const double day = std::sin(2 * M_PI * i / 86400.0 + ch);
            const double load = std::sin(i / (600.0 + 100.0 * ch));
            arrays.channel(ch)[i] = float(250.0 + 120.0 * day + 30.0 * load + (noise >> 24) / 64.0);
        }
        arrays.timestamps()[i] = start + i / 86400.0;
    }
}

void RecordRedraw(benchmark::State &state)
{
    auto arrays = std::make_unique<RecordArrays>();
    FillRecord(*arrays);
    QImage trace(ChartSurfaceSize(W, H), QImage::Format_RGB32);
    QImage axis(QSize(50, ChartSurfaceSize(W, H).height()), QImage::Format_RGB32);
    ChartView view;
    view.recordCompression = int(state.range(0));
    const ChartRecord record { arrays.get(), MaxRecordSamples - 1 };
    for (auto _ : state) {
        const ChartColumns columns = LayoutColumns(view, record, W, H);
        const ChartStatusTexts texts = StatusTexts(view, record, columns);
        DrawTraceArea(trace, W, H, view, columns, true, QColor(238, 238, 238), QColor(170, 170, 170));
        DrawAxisStrip(axis, H, view.range);
        benchmark::DoNotOptimize(texts);
        benchmark::DoNotOptimize(trace.constBits());
    }
}
// Compression 1 (the newest 1900 samples) and 236 (the whole record across the width).
BENCHMARK(RecordRedraw)
    ->Arg(1)
    ->Arg(236)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

} // namespace
