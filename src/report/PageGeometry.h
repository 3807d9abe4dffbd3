#pragma once

// The frame of a printed page: margins, centre and font sizes from the printable area.

#include <QString>

#include <algorithm>
#include <cmath>

// Truncation toward zero and rounding to the nearest pixel (ties to even), held to a range
// no page comes near, so that a wild value (a damaged file, a gain of 0) stays a number.
inline int TruncPx(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::trunc(std::clamp(value, -1.0e8, 1.0e8)));
}
inline int RoundPx(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::nearbyint(std::clamp(value, -1.0e8, 1.0e8)));
}

// The resolution the pages' distances in device pixels were laid out for: at any other one
// they are scaled, so that the page looks the same on every printer.
constexpr int DesignDpi = 600;

struct PageFrame
{
    int pw = 0, ph = 0; // printable area in device pixels
    int left = 0, top = 0; // L = PW div 18, T = PH div 26
    int right = 0, bottom = 0; // R = PW - L, B = PH - PH div 26
    int width = 0, height = 0; // W = R - L, H = B - T
    int centre = 0; // CX = PW div 2
    bool landscape = false; // wider than high
    double pixelScale = 1.0; // device pixels per design pixel: dpi / DesignDpi

    // A distance given in design pixels, in device pixels.
    int px(double designPixels) const { return RoundPx(designPixels * pixelScale); }

    int titlePoints() const { return landscape ? 14 : 17; }
    int captionPoints() const { return landscape ? 7 : 10; } // page mark, box captions
    int tablePoints() const { return landscape ? 6 : 10; } // harmonic table, footer
    int rulePen() const { return TruncPx(0.0015 * height); }
};

PageFrame PageFrameFor(int pw, int ph, int dpi = DesignDpi);

class QPainter;
// The resolution of the device a painter paints on; the design resolution when it has none.
int PainterDpi(const QPainter &painter);
