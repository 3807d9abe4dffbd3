#include "measure/WaveCursor.h"

#include "measure/MeasurementCsv.h"
#include "measure/NumberText.h"
#include "measure/PaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
// Samples sit where the wave pane draws them: across its plot area, two pixels in.
double sampleStep(int picWidth)
{
    return double(WavePaneDivisionsFor(picWidth, 16).plotWidth) / WaveSamples;
}

int clampedSample(int sample)
{
    return std::clamp(sample, 0, WaveSamples - 1);
}

QString ms(double value)
{
    return NumberText(value, 2, QStringLiteral(".00"), false, QStringLiteral(" ms"));
}
QString volts(double value)
{
    return NumberText(value, 2, QStringLiteral(".0"), false, QStringLiteral(" V"));
}
QString amperes(double value)
{
    return NumberText(value, 3, QStringLiteral(".0"), false, QStringLiteral(" A"));
}

QString readingLine(const QString &name, const WaveCursorReading &r)
{
    return name + QStringLiteral("  ") + ms(r.timeMs) + QStringLiteral("  ") + volts(r.volts)
        + QStringLiteral("  ") + amperes(r.amperes);
}
} // namespace

int SampleAtPaneX(int x, int picWidth)
{
    const double step = sampleStep(picWidth);
    if (step <= 0.0)
        return 0;
    return clampedSample(int(std::nearbyint((x - 2) / step)));
}

int PaneXOfSample(int sample, int picWidth)
{
    return WaveSampleX(clampedSample(sample), 2, WavePaneDivisionsFor(picWidth, 16).plotWidth);
}

WaveCursorReading ReadWaveCursor(const MeasurementRecord &record, int sample)
{
    // The same conversion as the CSV's waves: the largest deviation is the peak value, and
    // four periods of the frequency span the pane.
    const PhysicalWaves waves = WavesInPhysicalUnits(record);
    const size_t k = size_t(clampedSample(sample));
    return { int(k), waves.timeMs[k], waves.volts[k], waves.amperes[k] };
}

WaveCursorSpan SpanBetween(const WaveCursorReading &a, const WaveCursorReading &b)
{
    WaveCursorSpan span;
    span.timeMs = b.timeMs - a.timeMs;
    if (span.timeMs != 0.0 && std::isfinite(span.timeMs))
        span.frequencyHz = 1000.0 / std::abs(span.timeMs);
    span.volts = b.volts - a.volts;
    span.amperes = b.amperes - a.amperes;
    return span;
}

void WaveCursors::place(int sample, bool asB)
{
    (asB ? b : a) = clampedSample(sample);
    bActive = asB;
}

void WaveCursors::move(int steps)
{
    std::optional<int> &active = bActive ? b : a;
    if (active)
        active = clampedSample(*active + steps);
}

QString WaveCursorReadout(const MeasurementRecord &record, const WaveCursors &cursors)
{
    QStringList lines;
    std::optional<WaveCursorReading> a, b;
    if (cursors.a)
        lines << readingLine(QStringLiteral("A"), *(a = ReadWaveCursor(record, *cursors.a)));
    if (cursors.b)
        lines << readingLine(QStringLiteral("B"), *(b = ReadWaveCursor(record, *cursors.b)));
    if (a && b) {
        const WaveCursorSpan span = SpanBetween(*a, *b);
        const QString frequency = span.frequencyHz
            ? NumberText(*span.frequencyHz, 2, QStringLiteral(".00"), false, QStringLiteral(" Hz"))
            : QStringLiteral("--- Hz");
        lines << QStringLiteral("B-A  ") + ms(span.timeMs) + QStringLiteral("  ") + frequency
                + QStringLiteral("  ") + volts(span.volts) + QStringLiteral("  ") + amperes(span.amperes);
    }
    return lines.join(QLatin1Char('\n'));
}
