#pragma once

// Drawing of the record chart onto off-screen images: the trace area (grid, traces,
// overflow marks, bottom labels) and the axis strip. Pixel rules:
//
// - The trace area fills (0, 0, W, H) with the background; the rest of the image is left
//   as it is. Grid lines are dotted (every other pixel) in the scale colour: eleven rows at
//   GridLineY, vertical lines at GridLineX from row 16 to H − 16.
// - Each visible channel draws a solid 2-pixel polyline through (i, y[i]) in its colour.
// - Overflow marks are filled triangles 10 pixels wide at x = W − d (d = 72, 60, .., 12 for
//   CH1 .. CH6), rows 0..5 for "above" and H − 6 .. H − 1 for "below".
// - Texts use an 11-pixel sans face without smoothing; a text's top edge is at its y.

#include "record/ChartView.h"

#include <QColor>
#include <QImage>

#include <array>

// Trace, mark, tag and label colours of CH1 .. CH6.
inline const std::array<QColor, RecordChannels> ChannelColours = {
    QColor(0, 128, 0),
    QColor(255, 0, 0),
    QColor(0, 0, 255),
    QColor(128, 0, 0),
    QColor(255, 255, 0),
    QColor(255, 0, 255),
};
inline constexpr std::array<int, RecordChannels> OverflowMarkInset = { 72, 60, 48, 36, 24, 12 };

// Size of the off-screen images; trace areas larger than this on very large screens get
// images of their own size (see ChartSurfaceSize).
constexpr int ChartSurfaceWidth = 2400;
constexpr int ChartSurfaceHeight = 1600;
// At least 2400 × 1600, and at least the area to draw.
QSize ChartSurfaceSize(int W, int H);

// Draws the whole trace area. With `fileReady` false only the grid and the labels are
// drawn. `columns` comes from LayoutColumns for the same view, W and H.
void DrawTraceArea(QImage &trace, int W, int H, const ChartView &view, const ChartColumns &columns,
    bool fileReady, const QColor &background, const QColor &scale);

// Top edge of channel `ch`'s marker (25 × 14) beside the trace area: its row y[0] − 7;
// nullopt when the channel is hidden or nothing is drawn.
std::optional<int> MarkerTop(const ChartView &view, const ChartColumns &columns, int ch);

// The axis strip, 50 pixels wide: white, ticks every fifth of a division, labels every
// division, the axis line at x = 13.
void DrawAxisStrip(QImage &axis, int H, RangeMode range);
