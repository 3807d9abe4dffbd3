#pragma once

// Pages rendered onto images of a known size and resolution, and the pixel probes the page
// tests use.

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <climits>
#include <functional>

// A4 at 600 dpi, in device pixels.
constexpr int A4Short = 4961;
constexpr int A4Long = 7016;

inline QImage PageImage(int width, int height, int dpi = 600)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

// Bounding box of the pixels inside `region` that satisfy `match`; null when there are none.
inline QRect InkBox(const QImage &image, QRect region, const std::function<bool(QRgb)> &match)
{
    region = region.intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = region.left(); x <= region.right(); ++x)
            if (match(line[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

inline std::function<bool(QRgb)> IsColor(const QColor &color)
{
    const QRgb wanted = color.rgb() & 0xffffff;
    return [wanted](QRgb pixel) { return (pixel & 0xffffff) == wanted; };
}

// Any pixel that is not white (text is antialiased, so its ink is not one colour).
inline bool IsInk(QRgb pixel)
{
    return (pixel & 0xffffff) != 0xffffff;
}

// Dark ink: black text and lines with their antialiased edges.
inline bool IsDark(QRgb pixel)
{
    return qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

// Grey ink (128, 128, 128) with antialiased edges: equal channels, neither white nor black.
inline bool IsGreyInk(QRgb pixel)
{
    const int r = qRed(pixel);
    return r == qGreen(pixel) && r == qBlue(pixel) && r >= 100 && r <= 200;
}

inline QColor At(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}
