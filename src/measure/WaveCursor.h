#pragma once

// Two cursors on the wave pane, A and B, each on one of the 512 samples, and what they read:
// the time from the pane's left edge and the voltage and current at that sample, on the
// scales the pane's SEC/DIV, Vol/DIV and Amp/DIV texts state; for the two together the time
// between them, the frequency that period implies and the voltage and current differences.

#include "measure/MeasurementRecord.h"

#include <QString>

#include <optional>

// The sample whose point the wave pane draws nearest to pane column `x` for a paint box
// `picWidth` pixels wide, and the column of a sample's point (the pane steps plotW / 512
// pixels a sample from column 2, plotW being the paint box width less 6).
int SampleAtPaneX(int x, int picWidth);
int PaneXOfSample(int sample, int picWidth);

struct WaveCursorReading
{
    int sample = 0;
    double timeMs = 0.0; // from the left edge: the 512 samples span ten divisions of SEC/DIV
    double volts = 0.0;
    double amperes = 0.0;
};
WaveCursorReading ReadWaveCursor(const MeasurementRecord &record, int sample);

struct WaveCursorSpan // B - A
{
    double timeMs = 0.0;
    std::optional<double> frequencyHz; // 1 / |time|; none when both sit on one sample
    double volts = 0.0;
    double amperes = 0.0;
};
WaveCursorSpan SpanBetween(const WaveCursorReading &a, const WaveCursorReading &b);

struct WaveCursors
{
    std::optional<int> a, b;
    bool bActive = false; // the arrow keys move B, else A

    // Puts A (or B) on `sample`, clamped to the wave, and makes it the active one.
    void place(int sample, bool asB);
    // Moves the active cursor by `steps` samples, staying on the wave; nothing without it.
    void move(int steps);
    void clear() { *this = WaveCursors(); }
    bool any() const { return a || b; }
};

// One line per cursor set ("A  3.91 ms  325.27 V  -1.234 A"), and with both a line for
// B - A ("B-A  10.00 ms  100.00 Hz  -12.34 V  0.5 A"); empty without cursors.
QString WaveCursorReadout(const MeasurementRecord &record, const WaveCursors &cursors);
