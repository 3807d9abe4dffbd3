#pragma once

// What may be drawn over the wave and harmonic panes: a reference measurement's waves and
// bars, and two wave cursors. Each function draws onto any QPainter from the geometry of
// measure/PaneGeometry, so the same overlay lands alike on screen and paper.

#include "measure/PaneGeometry.h"
#include "measure/WaveCursor.h"

#include <QColor>
#include <QString>

class QPainter;

// Which record's largest value a scale that covers two records was taken from.
enum class ScaleSource { Live, Reference };

// A wave scale that covers the live and the reference wave: `fullPixels` over the larger of
// their largest offsets. Samples are compared as counts from their zero lines, as the
// instrument delivers them. Two flat waves keep `previous`.
struct CoveringWaveScale
{
    double pixelsPerCount = 0;
    ScaleSource source = ScaleSource::Live;
};
CoveringWaveScale CoveringWaveScaleFor(
    double fullPixels, int liveLargest, int referenceLargest, double previous = 0);

// The wave pane's scale covering the live and a reference record, as WavePaneScaleFor finds
// it for one: each wave's pixels per count from CoveringWaveScaleFor (two flat voltage waves
// take the current's scale), the time per division from the live record, and the volts and
// amperes per division from the record whose largest value set that wave's scale, whose
// peak then spans the pane's divisions as a live one does.
struct CoveringWavePaneScale
{
    WavePaneScale scale;
    ScaleSource voltage = ScaleSource::Live;
    ScaleSource current = ScaleSource::Live;
};
CoveringWavePaneScale CoveringWavePaneScaleFor(const MeasurementRecord &live,
    const MeasurementRecord &reference, const WavePaneDivisions &divisions, double previous);

// A spectrum scale that covers the live and the reference amplitudes: `fullPixels` over the
// larger of their largest amplitudes (negative and NaN values never count). Two empty spectra
// keep `previous`.
struct CoveringHarmonicScale
{
    HarmonicScale scale;
    ScaleSource source = ScaleSource::Live;
};
CoveringHarmonicScale CoveringHarmonicScaleFor(
    const float *live /*51*/, const float *reference /*51*/, double fullPixels, HarmonicScale previous = {});

// The lighter shade a reference is drawn in: the live colour halfway to white.
QColor ReferenceShade(const QColor &live);

// The reference's wave as a thin dashed trace in the lighter shade of `liveColour`, through
// the points WavePoints gives for the same target and scale. Paper passes a pen wider than a
// screen pixel, so that the trace reads as thin rather than as a hairline.
void DrawReferenceWave(QPainter &painter, const WaveCounts &wave, int left, double width, int centre,
    double pixelsPerCount, const QColor &liveColour, int penWidth = 1);

// The reference's bars as outlines in the lighter shade of `liveColour`, `width` columns from
// each bar's x + offset (beside the live bar), from the axis to the bar's height; a bar of no
// height or not measured draws nothing. A one-pixel pen covers exactly those columns and rows.
void DrawReferenceBars(QPainter &painter, const HarmonicBars &bars, int axis, int offset, int width,
    const QColor &liveColour, int penWidth = 1);

// The wave pane's note of whose largest values its scale was taken from: "scale: live",
// "scale: reference", or for each wave when they differ; in the user's language.
QString WaveScaleCaption(ScaleSource voltage, ScaleSource current);

// The cursors' colour on a pane of `background`: dark on a light pane, light on a dark one.
QColor WaveCursorColour(const QColor &background);

// The two cursors of measure/WaveCursor at their sample indices: A a solid line, B a dashed
// one, from top to bottom at the column of their sample, each named by its letter. A cursor
// not set, or on no sample of the wave (NoCursor), draws nothing.
constexpr int NoCursor = -1;
void DrawWaveCursors(QPainter &painter, const WaveCursors &cursors, int left, double width, int top,
    int bottom, const QColor &colour);
