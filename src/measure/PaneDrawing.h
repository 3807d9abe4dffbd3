#pragma once

// Drawing of the wave pane and the two harmonic bar panes onto off-screen surfaces.

#include "measure/DrawingColours.h"
#include "measure/MeasurementRecord.h"
#include "measure/PaneGeometry.h"

#include <QColor>
#include <QImage>
#include <QString>

struct PaneScales
{
    double wave = 0.0;
    double uHarm = 0.0;
    double iHarm = 0.0;
}; // scales kept between drawings

void DrawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    PaneScales &scales, const DrawingColours &colours);
void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values /*51*/,
    const QColor &barColor, double &scale, const DrawingColours &colours);
// The wave pane on a scale given instead of found from the record (one that covers a
// reference too); the text shows the scale's numbers.
void DrawWavePaneOnScale(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    const WavePaneScale &scale, const DrawingColours &colours);
QString WavePaneText(const MeasurementRecord &record); // "SEC/DIV:8ms   Vol/DIV:50V   ..."
// Limit marks over a harmonic pane drawn by DrawHarmonicPane with `scale`: for each order
// that has a limit (peak amplitude, in the pane's unit; NaN for none) a short tick across
// its bar at the limit's height, or a caret at the top edge when the limit lies above it.
void DrawHarmonicLimitTicks(QImage &surface, int picWidth, int picHeight, const double *limitPeaks /*51*/,
    double scale, const QColor &tickColor);
