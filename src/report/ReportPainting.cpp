#include "report/ReportPainting.h"

#include <QFontMetrics>

void DrawTextAt(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

void DrawTextEndingAt(QPainter &painter, int x, int y, const QString &text)
{
    DrawTextAt(painter, x - painter.fontMetrics().horizontalAdvance(text), y, text);
}

void SetFontPoints(QPainter &painter, int points)
{
    QFont font = painter.font();
    font.setPointSize(points);
    painter.setFont(font);
}

void SetPen(QPainter &painter, const QColor &color, int width, Qt::PenStyle style)
{
    painter.setPen(QPen(color, width, style));
}

void DrawPreviewTitle(QPainter &painter, int wp, const QString &title)
{
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setBrush(Qt::NoBrush);
    SetFontPoints(painter, 20);
    painter.setPen(ReportGrey);
    DrawTextAt(painter, wp / 2 - 70, 30, title);
}
