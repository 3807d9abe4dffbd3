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
    }
    return image;
}
