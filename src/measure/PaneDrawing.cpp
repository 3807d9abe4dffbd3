#include "measure/PaneDrawing.h"

#include "link/Globals.h"
#include "measure/NumberText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

// Pixel mapping. The panes follow the line semantics of the classic Windows canvas: a line
// from a to b covers a but not b (so a polyline covers every vertex but its last), and an
// outline rectangle from (x1, y1) to (x2, y2) covers x1..x2-1 and y1..y2-1.
// - Grid lines, ticks and the axis all run left to right or top to bottom. For those, a QPen
//   with Qt::FlatCap and antialiasing off covers exactly [start, end): drawn with the stated
//   coordinates. A 2-pixel pen on a horizontal line at y covers the rows y-1 and y.
// - QPainter covers [min, max) whatever the direction, and its polylines treat vertices in
//   their own way, so a wave going up would lose its peaks. The waves are therefore drawn
//   by CanvasLine below, straight into the surface's pixels: start pixel in, end pixel out.
// - A bar, an outline rectangle two pixels wide, has no interior: it is filled in the pen
//   colour over its two columns.

namespace {
const QColor VoltageColor(0, 128, 0);
const QColor CurrentWaveColor(255, 0, 0);
const QColor WaveTextColor(0, 16, 240);
const QColor BarLabelColor(0, 128, 128);

// Far beyond any surface, yet safe to add and subtract as int: values past it are cut off by
// the bitmap anyway, and a float that big (or NaN) must not reach an int conversion.
constexpr double PixelLimit = 1 << 24;

int clampedInt(double x)
{
    if (std::isnan(x))
        return 0;
    return int(std::clamp(x, -PixelLimit, PixelLimit));
}

// The nearest integer, ties to even (the default rounding mode of the FPU).
int nearest(double x)
{
    return clampedInt(std::nearbyint(x));
}

int truncated(double x)
{
    return clampedInt(std::trunc(x));
}

QPen linePen(const QColor &color, int width = 1, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color);
    pen.setWidth(width);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    // A cosmetic 1-pixel pen sets the same pixels without transform, and its dotted lines
    // are drawn directly instead of through a stroked outline (twice as fast).
    pen.setCosmetic(width == 1);
    return pen;
}

QFont paneFont()
{
    // One fixed face and size on every machine, so the panes look the same everywhere.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void beginPane(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(paneFont());
}

// Text placed by the top-left corner of its cell, as the canvas does; QPainter places by
// the baseline. An opaque text is written on the background colour.
void textAt(QPainter &painter, int x, int y, const QString &text, const QColor &color, bool opaque = false)
{
    const QPen saved = painter.pen();
    painter.setPen(color);
    if (opaque) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(WaveBackgroundColor);
    }
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(saved);
}

struct PaneGeometry
{
    int w, h, plotW, plotH, half;
    explicit PaneGeometry(int picWidth, int picHeight)
        : w(picWidth - 2)
        , h(picHeight - 2)
        , plotW(w - 4)
        , plotH(h - 4)
        , half(plotH / 2)
    {
    }
};

// Solid 1-pixel lines written straight into a surface, as the canvas draws them: from a to
// b, the pixel of a included and that of b left out; the minor coordinate is the nearest
// one to the exact line (halves towards b). Pixels off the surface are dropped.
class CanvasLine
{
public:
    CanvasLine(QImage &surface, const QColor &color)
        : m_surface(surface)
        , m_color(color)
    {
        switch (surface.format()) {
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            m_bits = surface.bits();
            m_stride = surface.bytesPerLine();
            m_rgb = color.rgb() | 0xFF000000u;
            break;
        default:
            break; // other formats go through setPixelColor
        }
    }

    void draw(QPoint a, QPoint b)
    {
        const int dx = std::abs(b.x() - a.x());
        const int dy = std::abs(b.y() - a.y());
        const int sx = b.x() >= a.x() ? 1 : -1;
        const int sy = b.y() >= a.y() ? 1 : -1;
        if (dx >= dy) {
            for (int i = 0; i < dx; ++i)
                plot(a.x() + sx * i, a.y() + sy * int((2LL * i * dy + dx) / (2LL * dx)));
        } else {
            for (int i = 0; i < dy; ++i)
                plot(a.x() + sx * int((2LL * i * dx + dy) / (2LL * dy)), a.y() + sy * i);
        }
    }

private:
    void plot(int x, int y)
    {
        if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
            return;
        if (m_bits)
            reinterpret_cast<QRgb *>(m_bits + qsizetype(y) * m_stride)[x] = m_rgb;
        else
            m_surface.setPixelColor(x, y, m_color);
    }

    QImage &m_surface;
    QColor m_color;
    uchar *m_bits = nullptr;
    qsizetype m_stride = 0;
    QRgb m_rgb = 0;
};

// Draws one wave; `scale` is replaced when the wave is not flat and used as it is otherwise.
void drawWave(QImage &surface, const uint16_t *samples, uint16_t zero, double dx, const PaneGeometry &g,
    double fullScale, double &scale, const QColor &color)
{
    int d[WaveSamples];
    int largest = 0;
    for (int k = 0; k < WaveSamples; ++k) {
        d[k] = int(samples[k]) - int(zero);
        largest = std::max(largest, std::abs(d[k]));
    }
    if (largest != 0)
        scale = fullScale / largest;

    CanvasLine line(surface, color);
    QPoint from(2, g.half - nearest(d[0] * scale) + 2);
    double x = 0.0;
    for (int k = 1; k < WaveSamples; ++k) {
        x += dx;
        const QPoint to(nearest(x) + 2, g.half - nearest(d[k] * scale) + 2);
        line.draw(from, to);
        from = to;
    }
}

double divisionText(double value, double perDivision)
{
    return RoundHalfEven(value * perDivision, 0) / 100.0;
}
} // namespace

QString WavePaneText(const MeasurementRecord &record)
{
    // Voltage peak over four divisions, current peak over about three, and 40 % of a period
    // per division; without a reading the texts show the instrument's start-up ranges.
    const QString t
        = record.UF > 0 ? ShortestText(divisionText(0.4 / double(record.UF), 100000.0)) : QStringLiteral("8");
    const QString v = record.URMS > 0 ? ShortestText(divisionText(double(record.UPP) / 4.0, 100.0))
                                      : QStringLiteral("50");
    const QString a
        = record.IRMS > 0 ? ShortestText(divisionText(double(record.IPP) / 3.0, 100.0)) : QStringLiteral("1");
    return QStringLiteral("SEC/DIV:") + t + QStringLiteral("ms   Vol/DIV:") + v
        + QStringLiteral("V   Amp/DIV:") + a + QStringLiteral("A   Trigger Source:Vol");
}

void DrawWavePane(
    QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record, PaneScales &scales)
{
    const PaneGeometry g(picWidth, picHeight);
    QPainter painter(&surface);
    beginPane(painter);
    painter.fillRect(QRect(0, 0, picWidth, picHeight), WaveBackgroundColor);

    const QPen dotted = linePen(WaveScaleColor, 1, Qt::DotLine);
    const QPen solid = linePen(WaveScaleColor);
    const int centreX = truncated(g.plotW / 2.0);
    const int centreY = truncated(g.plotH / 2.0);
    for (int i = 0; i <= 8; ++i) {
        const int y = truncated(g.plotH * i / 8.0) + 2;
        painter.setPen(dotted);
        painter.drawLine(2, y, g.plotW + 2, y);
        const int tickY = truncated(g.plotH * i / 8.0 + g.plotH / 16.0) + 2;
        painter.setPen(solid);
        painter.drawLine(centreX - 1, tickY, centreX + 6, tickY);
    }
    for (int i = 0; i <= 10; ++i) {
        const int x = truncated(g.plotW * i / 10.0) + 2;
        painter.setPen(dotted);
        painter.drawLine(x, 2, x, g.plotH + 2);
        const int tickX = truncated(g.plotW * i / 10.0 + g.plotW / 20.0) + 2;
        painter.setPen(solid);
        painter.drawLine(tickX, centreY - 1, tickX, centreY + 6);
    }

    // The waves go straight into the pixels while no painter is at work on them.
    painter.end();
    const double dx = record.SampleCount != 0 ? g.plotW / double(WaveSamples) : 0.0;
    uint16_t wave[WaveSamples];
    std::memcpy(
        wave, reinterpret_cast<const char *>(&record) + offsetof(MeasurementRecord, IWave), sizeof wave);
    // The current keeps an eighth of the pane free, so its peak sits about a division below
    // the voltage's; a flat voltage wave draws with the current's scale.
    drawWave(surface, wave, record.IZero, dx, g, g.half - g.h / 8.0, scales.wave, CurrentWaveColor);
    std::memcpy(
        wave, reinterpret_cast<const char *>(&record) + offsetof(MeasurementRecord, UWave), sizeof wave);
    drawWave(surface, wave, record.UZero, dx, g, g.half, scales.wave, VoltageColor);

    painter.begin(&surface);
    beginPane(painter);
    textAt(painter, 5, g.h - 10, WavePaneText(record), WaveTextColor);
}

void DrawHarmonicPane(
    QImage &surface, int picWidth, int picHeight, const float *values, const QColor &barColor, double &scale)
{
    const PaneGeometry g(picWidth, picHeight);
    float amplitudes[HarmonicCount];
    // The array usually lives in the packed record; copy it rather than trust its alignment.
    std::memcpy(amplitudes, values, sizeof amplitudes);

    QPainter painter(&surface);
    beginPane(painter);
    painter.fillRect(QRect(0, 0, picWidth, picHeight), WaveBackgroundColor);

    const int baseline = truncated(g.plotH * 0.9);
    const int range = baseline - 15;
    const int innerWidth = g.plotW - 8;

    painter.setPen(linePen(WaveScaleColor, 2));
    painter.drawLine(2, baseline, g.plotW + 3, baseline);

    // Negative and NaN amplitudes never set the scale; an empty spectrum keeps the last one.
    float largest = 0.0f;
    for (float v : amplitudes)
        if (v > largest)
            largest = v;
    if (largest != 0.0f)
        scale = range / double(largest);

    const QPen dotted = linePen(WaveScaleColor, 1, Qt::DotLine);
    const QPen solid = linePen(WaveScaleColor);
    const QPen barPen = linePen(barColor);
    for (int i = 0; i < HarmonicCount; ++i) {
        const int x = nearest(i * innerWidth / 50.0) + 2;
        // The ticks of 5 to 50 are drawn with the pen as the previous bar left it.
        if (i == 0) {
            // Labels are written on the background colour, as on a canvas whose brush is
            // that colour.
            textAt(painter, x + 1, baseline + 6, QStringLiteral("0"), BarLabelColor, true);
            painter.setPen(solid);
            painter.drawLine(x + 5, baseline - 1, x + 5, baseline + 3);
            for (int j = 0; j <= 9; ++j) {
                const int y = baseline - range + truncated(range * j / 10.0);
                painter.setPen(solid);
                painter.drawLine(3, y, x + 5, y);
                painter.setPen(dotted);
                painter.drawLine(x + 5, y, g.w - 1, y);
            }
            // The pane's face sets these digits edge to edge at its size; a pixel between
            // them keeps "100" from reading as one blot.
            const QFont face = painter.font();
            QFont spaced = face;
            spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1);
            painter.setFont(spaced);
            textAt(painter, 1, 1, QStringLiteral("100%"), BarLabelColor, true);
            painter.setFont(face);
        } else if (i % 5 == 0) {
            textAt(painter, i == 5 ? x + 2 : x - 1, baseline + 6, QString::number(i), BarLabelColor, true);
            painter.drawLine(x + 5, baseline - 1, x + 5, baseline + 3);
        }
        painter.setPen(barPen);

        const double height = scale * amplitudes[i];
        if (std::isnan(height))
            continue;
        // Outline rectangle (x+5, top)-(x+7, baseline): two columns, no interior, so it is
        // the pen colour over the rows between top and the baseline; nothing when top is
        // the baseline.
        const int top = baseline - truncated(height);
        const int y1 = std::min(top, baseline);
        const int y2 = std::max(top, baseline);
        if (y2 > y1)
            painter.fillRect(QRect(x + 5, y1, 2, y2 - y1), barColor);
    }
}

void DrawHarmonicLimitTicks(QImage &surface, int picWidth, int picHeight, const double *limitPeaks,
    double scale, const QColor &tickColor)
{
    // The bars' own geometry, as DrawHarmonicPane places them.
    const PaneGeometry g(picWidth, picHeight);
    const int baseline = truncated(g.plotH * 0.9);
    const int range = baseline - 15;
    const int innerWidth = g.plotW - 8;
    const int top = baseline - range - 10;
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tickColor);
    for (int i = 1; i < HarmonicCount; ++i) {
        const double limit = limitPeaks[i];
        if (!std::isfinite(limit) || limit <= 0 || !std::isfinite(scale) || scale <= 0)
            continue;
        const int x = nearest(i * innerWidth / 50.0) + 2;
        const double height = scale * limit;
        if (baseline - height >= top) {
            painter.fillRect(QRect(x + 3, baseline - truncated(height) - 1, 7, 2), tickColor);
        } else {
            painter.drawPolygon(QPolygon({ QPoint(x + 6, top - 4), QPoint(x + 3, top), QPoint(x + 9, top) }));
        }
    }
}
