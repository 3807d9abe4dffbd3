#include "measure/PaneOverlays.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <optional>

namespace {
// Overlays keep the panes' crisp pixels: no antialiasing, and a one-pixel pen that sets the
// same pixels whatever the painter's transform.
QPen overlayPen(const QColor &colour, Qt::PenStyle style, int width = 1)
{
    QPen pen(colour);
    pen.setWidth(std::max(1, width));
    pen.setCosmetic(width <= 1);
    pen.setStyle(style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void beginOverlay(QPainter &painter, const QColor &colour, Qt::PenStyle style, int width = 1)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setPen(overlayPen(colour, style, width));
    painter.setBrush(Qt::NoBrush);
    // A page paints its texts on an opaque background; a dash's gap must not blank what lies
    // underneath.
    painter.setBackgroundMode(Qt::TransparentMode);
}

const char *const CaptionContext = "PaneOverlays";
} // namespace

CoveringWaveScale CoveringWaveScaleFor(
    double fullPixels, int liveLargest, int referenceLargest, double previous)
{
    if (liveLargest == 0 && referenceLargest == 0)
        return { previous, ScaleSource::Live };
    if (referenceLargest > liveLargest)
        return { WavePixelsPerCount(fullPixels, referenceLargest), ScaleSource::Reference };
    return { WavePixelsPerCount(fullPixels, liveLargest), ScaleSource::Live };
}

CoveringWavePaneScale CoveringWavePaneScaleFor(const MeasurementRecord &live,
    const MeasurementRecord &reference, const WavePaneDivisions &divisions, double previous)
{
    const WavePaneScale own = WavePaneScaleFor(live, divisions, previous);
    const WavePaneScale other = WavePaneScaleFor(reference, divisions, previous);
    const CoveringWaveScale current
        = CoveringWaveScaleFor(divisions.currentFullPixels, WaveCountsOf(live, WaveChannel::Current).largest,
            WaveCountsOf(reference, WaveChannel::Current).largest, previous);
    // Two flat voltage waves draw on the current's scale, as a live pane does.
    const int liveVoltage = WaveCountsOf(live, WaveChannel::Voltage).largest;
    const int referenceVoltage = WaveCountsOf(reference, WaveChannel::Voltage).largest;
    const CoveringWaveScale voltage = liveVoltage == 0 && referenceVoltage == 0
        ? current
        : CoveringWaveScaleFor(divisions.voltageFullPixels, liveVoltage, referenceVoltage);

    CoveringWavePaneScale c;
    c.current = current.source;
    c.voltage = voltage.source;
    c.scale = own;
    c.scale.currentPixelsPerCount = current.pixelsPerCount;
    c.scale.voltagePixelsPerCount = voltage.pixelsPerCount;
    const double division = divisions.plotHeight / 8.0;
    c.scale.currentCountsPerDivision = current.pixelsPerCount > 0 ? division / current.pixelsPerCount : 0.0;
    c.scale.voltageCountsPerDivision = voltage.pixelsPerCount > 0 ? division / voltage.pixelsPerCount : 0.0;
    c.scale.voltsPerDivision = (c.voltage == ScaleSource::Reference ? other : own).voltsPerDivision;
    c.scale.ampsPerDivision = (c.current == ScaleSource::Reference ? other : own).ampsPerDivision;
    return c;
}

CoveringHarmonicScale CoveringHarmonicScaleFor(
    const float *live, const float *reference, double fullPixels, HarmonicScale previous)
{
    const float liveLargest = LargestAmplitude(live);
    const float referenceLargest = LargestAmplitude(reference);
    if (referenceLargest > liveLargest)
        return { HarmonicScaleFor(reference, fullPixels, previous), ScaleSource::Reference };
    return { HarmonicScaleFor(live, fullPixels, previous), ScaleSource::Live };
}

QColor ReferenceShade(const QColor &live)
{
    const QColor c = live.toRgb();
    return QColor((c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2);
}

void DrawReferenceWave(QPainter &painter, const WaveCounts &wave, int left, double width, int centre,
    double pixelsPerCount, const QColor &liveColour, int penWidth)
{
    painter.save();
    beginOverlay(painter, ReferenceShade(liveColour), Qt::DashLine, penWidth);
    painter.drawPolyline(WavePoints(wave, left, width, centre, pixelsPerCount));
    painter.restore();
}

void DrawReferenceBars(QPainter &painter, const HarmonicBars &bars, int axis, int offset, int width,
    const QColor &liveColour, int penWidth)
{
    painter.save();
    beginOverlay(painter, ReferenceShade(liveColour), Qt::SolidLine, penWidth);
    for (const HarmonicBar &bar : bars) {
        const QRect r = bar.rect(axis, offset, width);
        // A one-pixel pen strokes a rectangle one pixel larger than its size: shrink it so the
        // outline covers exactly the bar's rows and columns.
        if (bar.measured && !r.isEmpty())
            painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

QString WaveScaleCaption(ScaleSource voltage, ScaleSource current)
{
    static const char *const texts[2][2] = {
        { QT_TRANSLATE_NOOP("PaneOverlays", "scale: live"),
            QT_TRANSLATE_NOOP("PaneOverlays", "scale: Vol live, Amp reference") },
        { QT_TRANSLATE_NOOP("PaneOverlays", "scale: Vol reference, Amp live"),
            QT_TRANSLATE_NOOP("PaneOverlays", "scale: reference") },
    };
    const auto index = [](ScaleSource s) { return s == ScaleSource::Reference ? 1 : 0; };
    return QCoreApplication::translate(CaptionContext, texts[index(voltage)][index(current)]);
}

QColor WaveCursorColour(const QColor &background)
{
    return background.toRgb().lightness() < 128 ? QColor(255, 120, 255) : QColor(150, 0, 150);
}

void DrawWaveCursors(QPainter &painter, const WaveCursors &cursors, int left, double width, int top,
    int bottom, const QColor &colour)
{
    painter.save();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    const int ascent = painter.fontMetrics().ascent();
    const struct
    {
        std::optional<int> sample;
        Qt::PenStyle style;
        QChar name;
    } lines[]
        = { { cursors.a, Qt::SolidLine, QLatin1Char('A') }, { cursors.b, Qt::DashLine, QLatin1Char('B') } };
    for (const auto &line : lines) {
        if (!line.sample || *line.sample < 0 || *line.sample >= WaveSamples)
            continue;
        const int x = WaveSampleX(*line.sample, left, width);
        beginOverlay(painter, colour, line.style);
        painter.drawLine(x, top, x, bottom);
        // The letter stands right of its line, at the top.
        painter.drawText(x + 3, top + ascent, QString(line.name));
    }
    painter.restore();
}
