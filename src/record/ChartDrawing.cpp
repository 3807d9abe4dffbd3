#include "record/ChartDrawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

QFont chartFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void drawTextTop(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

// Dotted lines straight into the pixels: a dash pattern through the stroker costs more
// than the whole rest of a redraw.
void dottedRow(QImage &image, int y, int x0, int x1, QRgb colour)
{
    if (y < 0 || y >= image.height())
        return;
    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width() - 1);
    for (int x = x0 + (x0 & 1); x <= x1; x += 2)
        line[x] = colour;
}

void dottedColumn(QImage &image, int x, int y0, int y1, QRgb colour)
{
    if (x < 0 || x >= image.width())
        return;
    y0 = std::max(y0, 0);
    y1 = std::min(y1, image.height() - 1);
    // One detach check for the whole column, not one per pixel.
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = y0 + (y0 & 1); y <= y1; y += 2)
        reinterpret_cast<QRgb *>(bits + y * stride)[x] = colour;
}

} // namespace

QSize ChartSurfaceSize(int W, int H)
{
    return QSize(std::max(W, ChartSurfaceWidth), std::max(H, ChartSurfaceHeight));
}

std::optional<int> MarkerTop(const ChartView &view, const ChartColumns &columns, int ch)
{
    if (!view.visible[ch] || columns.n == 0)
        return std::nullopt;
    return columns.y[ch][0] - 7;
}

void DrawTraceArea(QImage &trace, int W, int H, const ChartView &view, const ChartColumns &columns,
    bool fileReady, const QColor &background, const QColor &scale)
{
    W = std::min(W, trace.width());
    H = std::min(H, trace.height());
    if (W <= 0 || H <= 0)
        return;
    if (trace.format() != QImage::Format_RGB32 && trace.format() != QImage::Format_ARGB32)
        trace = trace.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&trace);
    painter.fillRect(0, 0, W, H, background);
    painter.end();

    const QRgb grid = scale.rgb();
    // Lines end one pixel short of their end point, as line drawing does.
    for (int b = 0; b <= 10; ++b)
        dottedRow(trace, GridLineY(H, b), 0, W - 1, grid);
    for (int i = 0; i <= W / 20; ++i)
        if (GridLineX(view, i) < W)
            dottedColumn(trace, GridLineX(view, i), 16, H - 17, grid);

    painter.begin(&trace);
    painter.setClipRect(0, 0, W, H);
    painter.setFont(chartFont());
    if (fileReady && columns.n > 0) {
        // A 2-pixel trace as three 1-pixel polylines, at (0, 0), (1, 0) and (0, 1): thin
        // lines take the rasterizer's line path, where a wide pen would stroke the whole
        // polyline as one self-crossing outline, which costs seconds on a steep record.
        QPolygon points(columns.n);
        for (int ch = 0; ch < RecordChannels; ++ch) {
            if (!view.visible[ch])
                continue;
            painter.setPen(QPen(ChannelColours[ch], 0));
            const std::vector<int> &rows = columns.y[ch];
            for (int i = 0; i < columns.n; ++i)
                points.setPoint(i, i, rows[i]);
            for (const QPoint shift : { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1) }) {
                if (columns.n == 1)
                    painter.drawPoint(points.point(0) + shift);
                else
                    painter.drawPolyline(points.translated(shift));
            }
        }
    }
    // The marks of the last layout, also of hidden channels.
    if (fileReady) {
        for (int ch = 0; ch < RecordChannels; ++ch) {
            painter.setPen(QPen(ChannelColours[ch], 1));
            painter.setBrush(ChannelColours[ch]);
            const int x = W - OverflowMarkInset[ch];
            if (view.above[ch])
                painter.drawPolygon(QPolygon({ QPoint(x, 5), QPoint(x + 10, 5), QPoint(x + 5, 0) }));
            if (view.below[ch])
                painter.drawPolygon(
                    QPolygon({ QPoint(x, H - 6), QPoint(x + 10, H - 6), QPoint(x + 5, H - 1) }));
        }
    }
    painter.setBrush(background);
    const int textTop = H - 12;
    painter.setPen(view.mode == ChartMode::Record ? QColor(0, 128, 128) : QColor(0, 128, 0));
    drawTextTop(painter, 5, textTop, TimeDivisionLabel(view));
    for (int ch = 0; ch < RecordChannels; ++ch) {
        painter.setPen(ChannelColours[ch]);
        drawTextTop(painter, 100 + 85 * ch, textTop, ChannelDivisionLabel(view, ch));
    }
}

void DrawAxisStrip(QImage &axis, int H, RangeMode range)
{
    H = std::min(H, axis.height());
    if (H <= 0)
        return;
    QPainter painter(&axis);
    painter.fillRect(0, 0, 50, H, Qt::white);
    painter.setFont(chartFont());
    painter.setPen(QPen(Qt::black, 1));
    for (int i = 0; i <= 50; ++i) {
        const int y = AxisTickY(H, i);
        if (i % 5 == 0) {
            painter.drawLine(3, y, 13, y);
            drawTextTop(painter, 20, y - 6, AxisLabel(range, i));
        } else {
            painter.drawLine(7, y, 13, y);
        }
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(13, 16, 13, H - 16);
}
