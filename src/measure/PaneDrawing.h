#pragma once

// Drawing of the wave pane and the two harmonic bar panes onto off-screen surfaces.

#include "measure/MeasurementRecord.h"

#include <QColor>
#include <QImage>
#include <QString>

struct PaneScales
{
    double wave = 0.0;
    double uHarm = 0.0;
    double iHarm = 0.0;
}; // scales kept between drawings

void DrawWavePane(
    QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record, PaneScales &scales);
void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values /*51*/,
    const QColor &barColor, double &scale);
QString WavePaneText(const MeasurementRecord &record); // "SEC/DIV:8ms   Vol/DIV:50V   ..."
