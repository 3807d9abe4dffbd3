#pragma once

// Drawing of the wave pane and the two harmonic bar panes onto off-screen surfaces.

#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "measure/PaneGeometry.h"
#include "measure/PaneOverlays.h"
#include "measure/WaveCursor.h"

#include <QColor>
#include <QImage>
#include <QString>

struct PaneScales
{
    double wave = 0.0;
    double uHarm = 0.0;
    double iHarm = 0.0;
}; // scales kept between drawings

// What the panes show over the measurement besides it: a reference measurement's waves and
// bars on scales that cover both, and the wave cursors. An empty overlay leaves every pane
// exactly as it is drawn without one.
struct PaneOverlay
{
    const MeasurementRecord *reference = nullptr; // none: no reference traces
    WaveCursors cursors;
    bool empty() const { return !reference && !cursors.any(); }
};

void DrawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    PaneScales &scales, const DrawingColours &colours);
void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values /*51*/,
    const QColor &barColor, double &scale, const DrawingColours &colours);
// The wave pane on a scale given instead of found from the record (one that covers a
// reference too); the text shows the scale's numbers.
void DrawWavePaneOnScale(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    const WavePaneScale &scale, const DrawingColours &colours);
QString WavePaneText(const MeasurementRecord &record); // "SEC/DIV:8ms   Vol/DIV:50V   ..."

// The panes with an overlay. The wave pane draws the reference's waves as dashed traces in
// the lighter shade of each colour under the live ones, on the scale that covers both, and
// notes which record set that scale beside its text; the cursors stand over the waves. A
// harmonic pane (`reference`: the reference's 51 amplitudes, or nullptr) draws the
// reference's bars as outlines beside the live bars, on the scale that covers both.
void DrawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    PaneScales &scales, const DrawingColours &colours, const PaneOverlay &overlay);
void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values /*51*/,
    const QColor &barColor, double &scale, const DrawingColours &colours, const float *reference /*51*/);
// A harmonic pane on a scale given (pixels per unit) instead of found from its values.
void DrawHarmonicPaneOnScale(QImage &surface, int picWidth, int picHeight, const float *values /*51*/,
    const QColor &barColor, double scale, const DrawingColours &colours);
// Where the wave pane writes the scale note `captionWidth` pixels wide: right-aligned at the
// plot's right edge on the line of the pane's text when it clears that text (`textWidth`
// wide from x 5), else on the line above it.
QPoint WaveScaleCaptionAt(int picWidth, int picHeight, int textWidth, int captionWidth, int lineHeight);
// Limit marks over a harmonic pane drawn by DrawHarmonicPane with `scale`: for each order
// that has a limit (peak amplitude, in the pane's unit; NaN for none) a short tick across
// its bar at the limit's height, or a caret at the top edge when the limit lies above it.
void DrawHarmonicLimitTicks(QImage &surface, int picWidth, int picHeight, const double *limitPeaks /*51*/,
    double scale, const QColor &tickColor);
