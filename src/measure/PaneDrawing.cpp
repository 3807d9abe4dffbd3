#include "measure/PaneDrawing.h"

#include "measure/PaneGeometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

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
// the baseline. An opaque text is written on `background`.
void textAt(QPainter &painter, int x, int y, const QString &text, const QColor &color,
    const QColor &background = QColor())
{
    const bool opaque = background.isValid();
    const QPen saved = painter.pen();
    painter.setPen(color);
    if (opaque) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(background);
    }
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(saved);
}

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

void drawWave(QImage &surface, const QPolygon &points, const QColor &color)
{
    CanvasLine line(surface, color);
    for (qsizetype k = 1; k < points.size(); ++k)
        line.draw(points[k - 1], points[k]);
}
} // namespace

QString WavePaneText(const MeasurementRecord &record)
{
    return WavePaneText(WavePaneScaleFor(record, WavePaneDivisionsFor(0, 0), 0.0));
}

void DrawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    PaneScales &scales, const DrawingColours &colours)
{
    const WavePaneScale scale
        = WavePaneScaleFor(record, WavePaneDivisionsFor(picWidth, picHeight), scales.wave);
    scales.wave = scale.kept();
    DrawWavePaneOnScale(surface, picWidth, picHeight, record, scale, colours);
}

namespace {
// What the wave pane draws besides the live measurement (see DrawWavePane with an overlay).
struct WaveExtras
{
    const MeasurementRecord *reference = nullptr;
    const WaveCursors *cursors = nullptr;
    QString caption; // which record set the scale
};

void drawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    const WavePaneScale &scale, const DrawingColours &colours, const WaveExtras *extras)
{
    const WavePaneDivisions d = WavePaneDivisionsFor(picWidth, picHeight);
    QPainter painter(&surface);
    beginPane(painter);
    painter.fillRect(QRect(0, 0, picWidth, picHeight), colours.background);

    const QPen dotted = linePen(colours.scale, 1, Qt::DotLine);
    const QPen solid = linePen(colours.scale);
    for (int i = 0; i <= 8; ++i) {
        painter.setPen(dotted);
        painter.drawLine(2, d.rowY[i], d.plotWidth + 2, d.rowY[i]);
        painter.setPen(solid);
        painter.drawLine(d.tickX - 1, d.rowTickY[i], d.tickX + 6, d.rowTickY[i]);
    }
    for (int i = 0; i <= 10; ++i) {
        painter.setPen(dotted);
        painter.drawLine(d.columnX[i], 2, d.columnX[i], d.plotHeight + 2);
        painter.setPen(solid);
        painter.drawLine(d.columnTickX[i], d.tickY - 1, d.columnTickX[i], d.tickY + 6);
    }

    const double width = record.SampleCount != 0 ? d.plotWidth : 0.0;
    // The reference lies under the live waves, which stay whole where the two cross.
    if (extras && extras->reference) {
        const MeasurementRecord &reference = *extras->reference;
        const double referenceWidth = reference.SampleCount != 0 ? d.plotWidth : 0.0;
        DrawReferenceWave(painter, WaveCountsOf(reference, WaveChannel::Current), 2, referenceWidth,
            d.centreY, scale.currentPixelsPerCount, CurrentWaveColor);
        DrawReferenceWave(painter, WaveCountsOf(reference, WaveChannel::Voltage), 2, referenceWidth,
            d.centreY, scale.voltagePixelsPerCount, VoltageColor);
    }

    // The waves go straight into the pixels while no painter is at work on them.
    painter.end();
    // The current keeps an eighth of the pane free, so its peak sits about a division below
    // the voltage's; a flat voltage wave draws with the current's scale.
    drawWave(surface,
        WavePoints(
            WaveCountsOf(record, WaveChannel::Current), 2, width, d.centreY, scale.currentPixelsPerCount),
        CurrentWaveColor);
    drawWave(surface,
        WavePoints(
            WaveCountsOf(record, WaveChannel::Voltage), 2, width, d.centreY, scale.voltagePixelsPerCount),
        VoltageColor);

    painter.begin(&surface);
    beginPane(painter);
    if (extras && extras->cursors && extras->cursors->any())
        DrawWaveCursors(painter, *extras->cursors, 2, d.plotWidth, 2, d.plotHeight + 2,
            WaveCursorColour(colours.background));
    const QString text = WavePaneText(scale);
    textAt(painter, 5, d.textTop, text, WaveTextColor);
    if (extras && !extras->caption.isEmpty()) {
        // Placed for the widest text the usual readings give, so that the note keeps its line
        // while the numbers change from one measurement to the next.
        const QFontMetrics metrics = painter.fontMetrics();
        const int textWidth = std::max(metrics.horizontalAdvance(text),
            metrics.horizontalAdvance(
                QStringLiteral("SEC/DIV:88.88ms   Vol/DIV:888.88V   Amp/DIV:88.88A   Trigger Source:Vol")));
        const QPoint at = WaveScaleCaptionAt(
            picWidth, picHeight, textWidth, metrics.horizontalAdvance(extras->caption), metrics.height());
        textAt(painter, at.x(), at.y(), extras->caption, WaveTextColor);
    }
}
} // namespace

void DrawWavePaneOnScale(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    const WavePaneScale &scale, const DrawingColours &colours)
{
    drawWavePane(surface, picWidth, picHeight, record, scale, colours, nullptr);
}

void DrawWavePane(QImage &surface, int picWidth, int picHeight, const MeasurementRecord &record,
    PaneScales &scales, const DrawingColours &colours, const PaneOverlay &overlay)
{
    if (overlay.empty()) {
        DrawWavePane(surface, picWidth, picHeight, record, scales, colours);
        return;
    }
    WaveExtras extras;
    extras.cursors = &overlay.cursors;
    const WavePaneDivisions d = WavePaneDivisionsFor(picWidth, picHeight);
    WavePaneScale scale;
    if (overlay.reference) {
        const CoveringWavePaneScale covering
            = CoveringWavePaneScaleFor(record, *overlay.reference, d, scales.wave);
        scale = covering.scale;
        extras.reference = overlay.reference;
        extras.caption = WaveScaleCaption(covering.voltage, covering.current);
    } else {
        scale = WavePaneScaleFor(record, d, scales.wave);
    }
    scales.wave = scale.kept();
    drawWavePane(surface, picWidth, picHeight, record, scale, colours, &extras);
}

QPoint WaveScaleCaptionAt(int picWidth, int picHeight, int textWidth, int captionWidth, int lineHeight)
{
    const WavePaneDivisions d = WavePaneDivisionsFor(picWidth, picHeight);
    // A gap of three blanks' width or so, as between the parts of the pane's text.
    constexpr int Gap = 12;
    const int right = d.plotWidth + 2;
    const int x = std::max(5, right - captionWidth);
    if (x >= 5 + textWidth + Gap)
        return QPoint(x, d.textTop);
    return QPoint(x, d.textTop - lineHeight);
}

void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values,
    const QColor &barColor, double &scale, const DrawingColours &colours)
{
    // Negative and NaN amplitudes never set the scale; an empty spectrum keeps the last one.
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(picWidth, picHeight);
    scale = HarmonicScaleFor(values, g.range, { scale, 1.0 }).pixels;
    DrawHarmonicPaneOnScale(surface, picWidth, picHeight, values, barColor, scale, colours);
}

void DrawHarmonicPane(QImage &surface, int picWidth, int picHeight, const float *values,
    const QColor &barColor, double &scale, const DrawingColours &colours, const float *reference)
{
    if (!reference) {
        DrawHarmonicPane(surface, picWidth, picHeight, values, barColor, scale, colours);
        return;
    }
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(picWidth, picHeight);
    scale = CoveringHarmonicScaleFor(values, reference, g.range, { scale, 1.0 }).scale.pixels;
    DrawHarmonicPaneOnScale(surface, picWidth, picHeight, values, barColor, scale, colours);
    // Outlines three columns wide right of each live bar (which takes x + 5 and x + 6), clear
    // of the next order's tick at x + 5 even on a narrow pane.
    QPainter painter(&surface);
    DrawReferenceBars(
        painter, HarmonicBarsFor(reference, { scale, 1.0 }, 2, g.innerWidth), g.baseline, 7, 3, barColor);
}

void DrawHarmonicPaneOnScale(QImage &surface, int picWidth, int picHeight, const float *values,
    const QColor &barColor, double scale, const DrawingColours &colours)
{
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(picWidth, picHeight);
    const int baseline = g.baseline;
    const int range = g.range;

    QPainter painter(&surface);
    beginPane(painter);
    painter.fillRect(QRect(0, 0, picWidth, picHeight), colours.background);

    painter.setPen(linePen(colours.scale, 2));
    painter.drawLine(2, baseline, g.plotWidth + 3, baseline);

    const HarmonicBars bars = HarmonicBarsFor(values, { scale, 1.0 }, 2, g.innerWidth);

    const QPen dotted = linePen(colours.scale, 1, Qt::DotLine);
    const QPen solid = linePen(colours.scale);
    const QPen barPen = linePen(barColor);
    for (int i = 0; i < HarmonicCount; ++i) {
        const int x = bars[i].x;
        // The ticks of 5 to 50 are drawn with the pen as the previous bar left it.
        if (i == 0) {
            // Labels are written on the background colour, as on a canvas whose brush is
            // that colour.
            textAt(painter, x + 1, baseline + 6, QStringLiteral("0"), BarLabelColor, colours.background);
            painter.setPen(solid);
            painter.drawLine(x + 5, baseline - 1, x + 5, baseline + 3);
            for (int j = 0; j <= 9; ++j) {
                const int y = baseline - range + TruncatedPixel(range * j / 10.0);
                painter.setPen(solid);
                painter.drawLine(3, y, x + 5, y);
                painter.setPen(dotted);
                painter.drawLine(x + 5, y, g.gridRight, y);
            }
            // The pane's face sets these digits edge to edge at its size; a pixel between
            // them keeps "100" from reading as one blot.
            const QFont face = painter.font();
            QFont spaced = face;
            spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1);
            painter.setFont(spaced);
            textAt(painter, 1, 1, QStringLiteral("100%"), BarLabelColor, colours.background);
            painter.setFont(face);
        } else if (i % 5 == 0) {
            textAt(painter, i == 5 ? x + 2 : x - 1, baseline + 6, QString::number(i), BarLabelColor,
                colours.background);
            painter.drawLine(x + 5, baseline - 1, x + 5, baseline + 3);
        }
        painter.setPen(barPen);

        // Outline rectangle (x+5, top)-(x+7, baseline): two columns, no interior, so it is
        // the pen colour over the rows between top and the baseline; nothing when top is
        // the baseline.
        const QRect bar = bars[i].rect(baseline, 5, 2);
        if (bars[i].measured && !bar.isEmpty())
            painter.fillRect(bar, barColor);
    }
}

void DrawHarmonicLimitTicks(QImage &surface, int picWidth, int picHeight, const double *limitPeaks,
    double scale, const QColor &tickColor)
{
    // The bars' own geometry, as DrawHarmonicPane places them.
    const HarmonicPaneGeometry g = HarmonicPaneGeometryFor(picWidth, picHeight);
    const int baseline = g.baseline;
    const int top = baseline - g.range - 10;
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tickColor);
    for (int i = 1; i < HarmonicCount; ++i) {
        const double limit = limitPeaks[i];
        if (!std::isfinite(limit) || limit <= 0 || !std::isfinite(scale) || scale <= 0)
            continue;
        const int x = HarmonicBarX(i, 2, g.innerWidth);
        const double height = scale * limit;
        if (baseline - height >= top) {
            painter.fillRect(QRect(x + 3, baseline - TruncatedPixel(height) - 1, 7, 2), tickColor);
        } else {
            painter.drawPolygon(QPolygon({ QPoint(x + 6, top - 4), QPoint(x + 3, top), QPoint(x + 9, top) }));
        }
    }
}
