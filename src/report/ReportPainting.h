#pragma once

// Text and pen helpers shared by the report pages.

#include <QColor>
#include <QPainter>
#include <QString>

inline const QColor ReportGrey(128, 128, 128);

// Writes `text` with the top-left corner of its line box at (x, y), the way every report
// places its texts.
void DrawTextAt(QPainter &painter, int x, int y, const QString &text);
// The same, with the line box ending at x.
void DrawTextEndingAt(QPainter &painter, int x, int y, const QString &text);
// Keeps the painter's typeface and sets its size in points of the painted device.
void SetFontPoints(QPainter &painter, int points);
void SetPen(QPainter &painter, const QColor &color, int width, Qt::PenStyle style = Qt::SolidLine);
// How both previews start on a page `wp` wide: texts on an opaque white background, no fill,
// and `title` in grey at 20 points, centred as the reports centre it.
void DrawPreviewTitle(QPainter &painter, int wp, const QString &title);
