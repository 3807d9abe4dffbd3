#include "record/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>

QImage DrawToolGlyph(ToolGlyph glyph, int size, qreal scale)
{
    const int pixels = qRound(size * scale);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 24-unit grid.
    painter.scale(size / 24.0, size / 24.0);
    const QColor ink(40, 40, 40);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case ToolGlyph::Print:
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 3, 10, 6));
        painter.setBrush(QColor(150, 160, 175));
        painter.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(7, 14, 10, 7));
        painter.drawLine(QPointF(9, 17), QPointF(15, 17));
        break;
    case ToolGlyph::Setting:
        for (int row = 0; row < 3; ++row) {
            const qreal y = 6 + row * 6;
            painter.drawLine(QPointF(4, y), QPointF(20, y));
            painter.setBrush(QColor(70, 120, 200));
            painter.drawEllipse(QPointF(row == 1 ? 15 : 9, y), 2.4, 2.4);
        }
        break;
    case ToolGlyph::ZoomOut:
    case ToolGlyph::ZoomIn:
        painter.setBrush(QColor(225, 238, 250));
        painter.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        painter.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(15, 15), QPointF(21, 21));
        painter.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(7, 10), QPointF(13, 10));
        if (glyph == ToolGlyph::ZoomIn)
            painter.drawLine(QPointF(10, 7), QPointF(10, 13));
        break;
    }
    return image;
}
