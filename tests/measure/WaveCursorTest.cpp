#include "measure/WaveCursor.h"

#include "measure/PaneDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
// 50 Hz, 100 V and 10 A peak: sample 100 holds both peaks (the voltage's up, the current's
// down), sample 200 half the voltage's down and a quarter of the current's up.
MeasurementRecord shapedRecord()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    record.UF = 50.0f;
    record.URMS = 70.0f;
    record.UPP = 100.0f;
    record.IRMS = 7.0f;
    record.IPP = 10.0f;
    record.UWave[100] = 2047 + 500;
    record.UWave[200] = 2047 - 250;
    record.IWave[100] = 2047 - 400;
    record.IWave[200] = 2047 + 100;
    return record;
}
} // namespace

TEST(WaveCursorPane, SamplesMapToTheColumnsTheWaveIsDrawnAt)
{
    struct Case
    {
        int picWidth, x, sample;
    };
    const Case cases[] = {
        { 518, 2, 0 }, // one column a sample from column 2
        { 518, 102, 100 }, { 518, 513, 511 }, { 518, 0, 0 }, // left of the wave: the first sample
        { 518, 900, 511 }, // right of it: the last
        { 1030, 202, 100 }, // two columns a sample
        { 1030, 203, 100 }, // halfway rounds to even (100.5)
        { 1030, 204, 101 }, { 262, 4, 4 }, // half a column a sample
        { 6, 50, 0 }, // no plot at all
    };
    for (const Case &c : cases)
        EXPECT_EQ(SampleAtPaneX(c.x, c.picWidth), c.sample) << c.picWidth << " " << c.x;
    // Where there is a column a sample or more, every sample is found again at its own column.
    for (const int width : { 518, 777, 1030, 1926 })
        for (int k = 0; k < WaveSamples; ++k)
            ASSERT_EQ(SampleAtPaneX(PaneXOfSample(k, width), width), k) << width << " " << k;
}

TEST(WaveCursorPane, ColumnsAreThoseOfTheDrawnWave)
{
    // A wave that steps from the zero line to its peak at one sample: the pane draws the
    // step's vertical stroke at that sample's column.
    MeasurementRecord record = shapedRecord();
    std::fill(std::begin(record.IWave), std::end(record.IWave), uint16_t(2047));
    std::fill(std::begin(record.UWave), std::end(record.UWave), uint16_t(2047));
    const int sample = 300;
    for (int k = sample; k < WaveSamples; ++k)
        record.UWave[k] = 2047 + 500;
    for (const int picWidth : { 518, 700 }) {
        QImage surface(picWidth, 200, QImage::Format_RGB32);
        PaneScales scales;
        DrawWavePane(surface, picWidth, 200, record, scales, { Qt::black, Qt::white });
        const int x = PaneXOfSample(sample, picWidth);
        // The topmost voltage pixel belongs to the plateau that starts at the sample's column.
        int first = -1;
        for (int column = 0; column < picWidth && first < 0; ++column)
            if (surface.pixelColor(column, 2) == QColor(0, 128, 0))
                first = column;
        EXPECT_EQ(first, x) << picWidth;
    }
}

TEST(WaveCursorReading, TimeVoltageAndCurrentUseThePanesScales)
{
    const MeasurementRecord shaped = shapedRecord();
    MeasurementRecord at60 = shaped;
    at60.UF = 60.0f;
    MeasurementRecord noFrequency = shaped;
    noFrequency.UF = 0.0f; // SEC/DIV reads 8 ms then: 50 Hz
    struct Case
    {
        const char *name;
        const MeasurementRecord &record;
        int sample;
        double timeMs, volts, amperes;
    };
    const Case cases[] = {
        // 512 samples over ten divisions of 8 ms: 0.15625 ms a sample
        { "first sample", shaped, 0, 0.0, 0.0, 0.0 },
        { "both peaks", shaped, 100, 15.625, 100.0, -10.0 },
        { "fractions of the peaks", shaped, 200, 31.25, -50.0, 2.5 },
        { "60 Hz", at60, 256, 256 * 4000.0 / 60.0 / 512.0, 0.0, 0.0 },
        { "no frequency", noFrequency, 100, 15.625, 100.0, -10.0 },
        { "past the end", shaped, 9999, 511 * 0.15625, 0.0, 0.0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WaveCursorReading r = ReadWaveCursor(c.record, c.sample);
        EXPECT_NEAR(r.timeMs, c.timeMs, 1e-9);
        EXPECT_NEAR(r.volts, c.volts, 1e-9);
        EXPECT_NEAR(r.amperes, c.amperes, 1e-9);
    }
    // The Vol/DIV text states the same scale: the peak reaches four divisions.
    EXPECT_EQ(WavePaneText(shaped).section(QStringLiteral("Vol/DIV:"), 1).section(QLatin1Char('V'), 0, 0),
        QStringLiteral("25"));
}

TEST(WaveCursorReading, SpanGivesTimeFrequencyAndDifferences)
{
    const MeasurementRecord record = shapedRecord();
    const WaveCursorSpan span = SpanBetween(ReadWaveCursor(record, 100), ReadWaveCursor(record, 228));
    EXPECT_NEAR(span.timeMs, 20.0, 1e-9); // 128 samples: one period of 50 Hz
    ASSERT_TRUE(span.frequencyHz.has_value());
    EXPECT_NEAR(*span.frequencyHz, 50.0, 1e-9);
    EXPECT_NEAR(span.volts, -100.0, 1e-9);
    EXPECT_NEAR(span.amperes, 10.0, 1e-9);

    const WaveCursorSpan backwards = SpanBetween(ReadWaveCursor(record, 228), ReadWaveCursor(record, 100));
    EXPECT_NEAR(backwards.timeMs, -20.0, 1e-9);
    ASSERT_TRUE(backwards.frequencyHz.has_value());
    EXPECT_NEAR(*backwards.frequencyHz, 50.0, 1e-9);

    EXPECT_FALSE(SpanBetween(ReadWaveCursor(record, 7), ReadWaveCursor(record, 7)).frequencyHz.has_value());
}

TEST(WaveCursorState, PlacingMovingAndClearing)
{
    WaveCursors cursors;
    cursors.move(1); // nothing to move
    EXPECT_FALSE(cursors.any());

    cursors.place(10, false);
    cursors.move(-1);
    EXPECT_EQ(cursors.a, 9);
    cursors.place(600, true); // clamped to the last sample, and B is now the one that moves
    EXPECT_EQ(cursors.b, 511);
    cursors.move(1);
    EXPECT_EQ(cursors.b, 511);
    cursors.move(-3);
    EXPECT_EQ(cursors.b, 508);
    EXPECT_EQ(cursors.a, 9);
    cursors.place(0, false);
    cursors.move(-1);
    EXPECT_EQ(cursors.a, 0);
    EXPECT_EQ(cursors.b, 508);

    cursors.clear();
    EXPECT_FALSE(cursors.any());
    EXPECT_FALSE(cursors.bActive);
}

TEST(WaveCursorState, ReadoutNamesEachCursorAndTheSpan)
{
    const MeasurementRecord record = shapedRecord();
    WaveCursors cursors;
    EXPECT_EQ(WaveCursorReadout(record, cursors), QString());
    cursors.place(100, false);
    EXPECT_EQ(WaveCursorReadout(record, cursors), QStringLiteral("A  15.62 ms  100.0 V  -10.0 A"));
    cursors.place(228, true);
    EXPECT_EQ(WaveCursorReadout(record, cursors),
        QStringLiteral("A  15.62 ms  100.0 V  -10.0 A\n"
                       "B  35.62 ms  0.0 V  0.0 A\n"
                       "B-A  20.00 ms  50.00 Hz  -100.0 V  10.0 A"));
    cursors.clear();
    cursors.place(7, true); // B alone
    EXPECT_EQ(WaveCursorReadout(record, cursors), QStringLiteral("B  1.09 ms  0.0 V  0.0 A"));
}
