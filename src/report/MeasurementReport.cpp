#include "report/MeasurementReport.h"

#include "measure/PaneGeometry.h"
#include "measure/PaneOverlays.h"
#include "report/ReportPainting.h"
#include "report/ReportTexts.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {
const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

// Orders whose number is written under the spectrum axis.
bool labelledOrder(int n)
{
    return n == 0 || n == 1 || n % 5 == 0;
}

// Room left between neighbouring texts: one blank of the painter's font.
int blankWidth(const QPainter &p)
{
    return p.fontMetrics().horizontalAdvance(QLatin1Char(' '));
}

// The smallest size a text of `points` may shrink to where it does not fit.
double smallestPoints(double points)
{
    return std::min(points, 6.0);
}

// A rectangle stroked through its first and last pixel in both directions.
void strokeBox(QPainter &painter, const QRect &box)
{
    painter.drawRect(box.left(), box.top(), box.right() - box.left(), box.bottom() - box.top());
}

// Pixels per count of a wave `fullPixels` high at its largest offset; with a reference, of
// the larger of the two, so that both fit.
double waveScale(double fullPixels, const WaveCounts &live, const WaveCounts *reference)
{
    if (!reference)
        return WavePixelsPerCount(fullPixels, live.largest);
    return CoveringWaveScaleFor(fullPixels, live.largest, reference->largest).pixelsPerCount;
}

HarmonicScale spectrumScale(const float *live, const float *reference, double fullPixels)
{
    if (!reference)
        return HarmonicScaleFor(live, fullPixels);
    return CoveringHarmonicScaleFor(live, reference, fullPixels).scale;
}

} // namespace

MeasurementPageLayout MeasurementPageLayoutFor(int pw, int ph, int dpi)
{
    MeasurementPageLayout m;
    const PageFrame f = PageFrameFor(pw, ph, dpi);
    m.frame = f;
    m.titleStart = QPoint(f.centre, f.top);
    m.pageMark = QPoint(TruncPx(0.985 * f.width), TruncPx(f.top + 0.01 * f.height));
    m.titleRuleY = f.top + TruncPx(0.027 * f.height);

    const int bw = TruncPx(0.55 * pw);
    const int bh = TruncPx(0.15 * ph);
    const int yw = TruncPx(0.072 * ph);
    m.waveBox = QRect(QPoint(f.left, yw), QPoint(f.left + bw, yw + bh));
    m.waveCaption = QPoint(TruncPx(0.072 * pw), TruncPx(0.065 * ph));
    m.referenceY[0] = yw + TruncPx(bh / 7.0);
    m.referenceY[1] = yw + TruncPx(bh / 2.0);
    m.referenceY[2] = yw + TruncPx(6.0 * bh / 7.0);

    const double boxTop[2] = { 0.23, 0.388 };
    const double captionTop[2] = { 0.223, 0.382 };
    for (int i = 0; i < 2; ++i) {
        const int yv = TruncPx(boxTop[i] * ph);
        m.spectrumBox[i] = QRect(QPoint(f.left, yv), QPoint(f.left + bw, yv + bh));
        m.spectrumCaption[i] = QPoint(TruncPx(0.072 * pw), TruncPx(captionTop[i] * ph));
        m.axisY[i] = yv + TruncPx(0.85 * bh);
    }
    m.barSpacing = TruncPx(bw / 53.0);
    m.firstBarX = f.left + m.barSpacing / 2;
    m.barOffset = TruncPx(0.013 * bw);
    m.barPen = TruncPx(0.0025 * f.width);
    m.barWidth = f.px(7);
    m.labelDrop = f.px(3);

    m.parameterOrigin = QPoint(f.left + bw + TruncPx(0.009 * pw), TruncPx(0.085 * ph));
    m.parameterStep = TruncPx(0.033 * ph);

    m.tablePen = TruncPx(0.0012 * f.height);
    m.tableRuleY = TruncPx(0.555 * ph);
    m.tableCaption = QPoint(TruncPx(0.75 * f.right), TruncPx(0.548 * ph));
    m.tableFrame = QRect(QPoint(f.left, TruncPx(0.565 * ph)), QPoint(f.right, TruncPx(0.905 * ph)));
    m.columnWidth = RoundPx((f.right - f.left) / 15.0);
    m.rowHeight = RoundPx((m.tableFrame.bottom() - m.tableFrame.top()) / 19.0);

    m.footerRuleY = f.top + TruncPx(0.95 * f.height);
    m.footerRowY[0] = f.top + TruncPx(0.955 * f.height);
    m.footerRowY[1] = f.top + TruncPx(0.975 * f.height);
    m.footerX[0] = f.left;
    m.footerX[1] = f.left + TruncPx(0.37 * f.width);
    m.footerX[2] = f.left + TruncPx(0.74 * f.width);
    return m;
}

QString MeasurementJobName(const PrintInfo &info)
{
    return info.projectName + QStringLiteral("TestReport");
}

void DrawMeasurementPage(QPainter &p, int pw, int ph, const MeasurementRecord &record, const PrintInfo &info,
    PageTexts *texts, const MeasurementRecord *reference)
{
    const MeasurementPageLayout m = MeasurementPageLayoutFor(pw, ph, PainterDpi(p));
    const PageFrame &f = m.frame;
    const int ruleWidth = f.rulePen();
    // Lines of one pixel at the design resolution: as thick on every printer.
    const int thin = std::max(1, f.px(1));
    TextWriter w(p, texts);

    p.save();
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(White);
    p.setBrush(White);
    // Arial's figures are narrow: with it the table's cells need to shrink less often than with
    // the wider default faces of some systems.
    QFont face = p.font();
    face.setFamily(QStringLiteral("Arial"));
    p.setFont(face);

    // Title: the two pieces meet at the centre of the page.
    SetFontPoints(p, f.titlePoints());
    p.setPen(Black);
    w.write(
        m.titleStart.x(), m.titleStart.y(), QCoreApplication::translate("MeasurementReport", "   Report"));
    w.writeEnding(
        m.titleStart.x(), m.titleStart.y(), QCoreApplication::translate("MeasurementReport", "Measurement"));

    SetFontPoints(p, f.captionPoints());
    p.setPen(ReportGrey);
    w.write(m.pageMark.x(), m.pageMark.y(), QCoreApplication::translate("MeasurementReport", "第1页"));
    SetPen(p, ReportGrey, ruleWidth);
    p.drawLine(f.left, m.titleRuleY, f.right, m.titleRuleY);

    // Wave box: frame, caption over its top edge, reference lines, current, lines again, voltage.
    SetPen(p, Black, thin);
    strokeBox(p, m.waveBox);
    p.setPen(ReportGrey);
    w.write(m.waveCaption.x(), m.waveCaption.y(),
        QCoreApplication::translate("MeasurementReport", " Sample waveform "));
    const QRect &box = m.waveBox;
    const int bw = box.right() - box.left();
    const int bh = box.bottom() - box.top();
    const auto referenceLines = [&] {
        SetPen(p, Black, thin, Qt::DashDotLine);
        for (int y : m.referenceY)
            p.drawLine(box.left(), y, box.right(), y);
    };
    const int centre = box.top() + bh / 2;
    referenceLines();
    const WaveCounts current = WaveCountsOf(record, WaveChannel::Current);
    const WaveCounts voltage = WaveCountsOf(record, WaveChannel::Voltage);
    WaveCounts referenceWaves[2];
    if (reference) {
        referenceWaves[0] = WaveCountsOf(*reference, WaveChannel::Current);
        referenceWaves[1] = WaveCountsOf(*reference, WaveChannel::Voltage);
    }
    const double currentScale
        = waveScale(TruncPx(2.5 * bh / 7), current, reference ? &referenceWaves[0] : nullptr);
    const double voltageScale
        = waveScale(TruncPx(2.8 * bh / 7), voltage, reference ? &referenceWaves[1] : nullptr);
    // The reference's traces lie under the live waves, as thin as the current's line.
    if (reference) {
        const int tracePen = std::max(thin, TruncPx(0.0008 * f.height));
        DrawReferenceWave(p, referenceWaves[0], box.left(), bw, centre, currentScale, Red, tracePen);
        DrawReferenceWave(p, referenceWaves[1], box.left(), bw, centre, voltageScale, Green, tracePen);
    }
    SetPen(p, Red, TruncPx(0.0008 * f.height));
    p.drawPolyline(WavePoints(current, box.left(), bw, centre, currentScale));
    referenceLines();
    SetPen(p, Green, ruleWidth);
    p.drawPolyline(WavePoints(voltage, box.left(), bw, centre, voltageScale));

    // Spectra.
    const float *amplitudes[2] = { record.UHarm, record.IHarm };
    const float *referenceAmplitudes[2]
        = { reference ? reference->UHarm : nullptr, reference ? reference->IHarm : nullptr };
    const QColor barColors[2] = { Green, Red };
    const QString captions[2] = { QCoreApplication::translate("MeasurementReport", " Voltage harmonic "),
        QCoreApplication::translate("MeasurementReport", " Current harmonic ") };
    for (int i = 0; i < 2; ++i) {
        const QRect &sb = m.spectrumBox[i];
        SetPen(p, Black, thin);
        strokeBox(p, sb);
        SetFontPoints(p, f.captionPoints());
        p.setPen(ReportGrey);
        w.write(m.spectrumCaption[i].x(), m.spectrumCaption[i].y(), captions[i]);
        SetPen(p, ReportGrey, ruleWidth);
        const int ya = m.axisY[i];
        p.drawLine(sb.left(), ya, sb.right(), ya);

        const HarmonicScale scale = spectrumScale(amplitudes[i], referenceAmplitudes[i], TruncPx(0.8 * bh));
        const HarmonicBars bars = HarmonicBarsFor(amplitudes[i], scale, m.firstBarX, 50 * m.barSpacing);
        if (reference) {
            // Right of each live bar, clear of its stroke: the bar's pen reaches half its width
            // beyond the bar's right edge.
            const int outlinePen = std::max(thin, m.barPen / 2);
            const int offset = m.barOffset + m.barWidth + m.barPen / 2 + outlinePen + thin;
            DrawReferenceBars(p,
                HarmonicBarsFor(referenceAmplitudes[i], scale, m.firstBarX, 50 * m.barSpacing), ya, offset,
                m.barWidth, barColors[i], outlinePen);
        }
        SetFontPoints(p, 6);
        for (int n = 0; n < HarmonicCount; ++n) {
            const int x = bars[n].x;
            if (labelledOrder(n)) {
                p.setPen(Black);
                w.write(x, ya + m.labelDrop + TruncPx(0.03 * bh), QString::number(n));
            }
            SetPen(p, barColors[i], m.barPen);
            const int top = ya + 1 - bars[n].height;
            p.drawRect(x + m.barOffset, top, m.barWidth, ya - 1 - top);
        }
    }

    // Parameter list.
    SetFontPoints(p, 12);
    p.setPen(ReportGrey);
    const QStringList lines = ReportParameterLines(record, true);
    for (int j = 0; j < lines.size(); ++j)
        w.writeFitted(m.parameterOrigin.x(), m.parameterOrigin.y() + j * m.parameterStep, f.right, lines[j],
            smallestPoints(12));

    // Harmonic content table.
    const int cw = m.columnWidth;
    const int rh = m.rowHeight;
    const int tt = m.tableFrame.top();
    const int tb = m.tableFrame.bottom();
    SetFontPoints(p, f.tablePoints());
    const double tableMin = smallestPoints(f.tablePoints());
    SetPen(p, Black, m.tablePen);
    p.drawLine(f.left, m.tableRuleY, f.right, m.tableRuleY);
    p.setPen(ReportGrey);
    w.writeFitted(m.tableCaption.x(), m.tableCaption.y(), f.right,
        QCoreApplication::translate("MeasurementReport", " Harmonic content "), tableMin);
    SetPen(p, Black, m.tablePen);
    strokeBox(p, m.tableFrame);
    SetPen(p, ReportGrey, thin);
    for (int k = 1; k <= 18; ++k)
        p.drawLine(f.left, tt + k * rh, f.right, tt + k * rh);
    for (int k = 1; k <= 14; ++k) {
        const bool fromTop = k == 1 || k == 3 || k == 5 || k == 6 || k == 8 || k == 10 || k == 11 || k == 13;
        SetPen(p, ReportGrey, k == 5 || k == 10 ? m.tablePen : thin);
        p.drawLine(f.left + k * cw, fromTop ? tt : tt + rh, f.left + k * cw, tb);
    }
    p.setPen(ReportGrey);
    // A text stays inside its cell, a blank away from the cell's right line.
    const int gap = blankWidth(p);
    const auto column = [&](int index, double inset) { return f.left + index * cw + TruncPx(inset * cw); };
    const auto cellEnd = [&](int index) { return f.left + index * cw - gap; };
    std::vector<CellText> cells;
    for (int g = 0; g < 3; ++g) {
        const int y0 = tt + TruncPx(0.2 * rh);
        cells.push_back({ column(5 * g + 1, 0.4), y0, cellEnd(5 * g + 3),
            QCoreApplication::translate("MeasurementReport", "Voltage") });
        cells.push_back({ column(5 * g + 3, 0.4), y0, cellEnd(5 * g + 5),
            QCoreApplication::translate("MeasurementReport", "Current") });
        const int y1 = tt + rh + TruncPx(0.2 * rh);
        cells.push_back({ column(5 * g, 0.1), y1, cellEnd(5 * g + 1),
            QCoreApplication::translate("MeasurementReport", "N") });
        cells.push_back({ column(5 * g + 1, 0.07), y1, cellEnd(5 * g + 2),
            QCoreApplication::translate("MeasurementReport", "RMS") });
        cells.push_back({ column(5 * g + 3, 0.07), y1, cellEnd(5 * g + 4),
            QCoreApplication::translate("MeasurementReport", "RMS") });
        cells.push_back({ column(5 * g + 2, 0.07), y1, cellEnd(5 * g + 3),
            QCoreApplication::translate("MeasurementReport", "Percent") });
        cells.push_back({ column(5 * g + 4, 0.07), y1, cellEnd(5 * g + 5),
            QCoreApplication::translate("MeasurementReport", "Percent") });
        for (int r = 0; r <= 16; ++r) {
            const int n = 17 * g + r;
            const int y = tt + (2 + r) * rh + TruncPx(0.2 * rh);
            const QString values[4] = { ReportHarmonicRms(record.UHarm[n]),
                ReportHarmonicPercent(record.UHarm[n], record.UHarm[1]), ReportHarmonicRms(record.IHarm[n]),
                ReportHarmonicPercent(record.IHarm[n], record.IHarm[1]) };
            cells.push_back({ column(5 * g, 0.3), y, cellEnd(5 * g + 1), QString::number(n) });
            for (int i = 1; i <= 4; ++i)
                cells.push_back({ column(5 * g + i, 0.1), y, cellEnd(5 * g + i + 1), values[i - 1] });
        }
    }
    w.writeCells(cells, tableMin);

    // Footer: each text keeps to its column, all at one size.
    SetFontPoints(p, f.tablePoints());
    SetPen(p, ReportGrey, ruleWidth);
    p.drawLine(f.left, m.footerRuleY, f.right, m.footerRuleY);
    p.setPen(Black);
    WritePrintInfoFooter(w, m.footerX, m.footerRowY, f.right, info, tableMin);
    p.restore();
}

int MeasurementPreviewHeight(int wp)
{
    return TruncPx(wp * 1.414);
}

int PreviewTableStep(int wp)
{
    return RoundPx((wp - 190) / 12.0);
}

void DrawMeasurementPreview(QPainter &p, int wp, int hp, const MeasurementRecord &record,
    const PrintInfo &info, PageTexts *texts, const MeasurementRecord *reference)
{
    p.save();
    TextWriter w(p, texts);
    DrawPreviewTitle(w, wp, QCoreApplication::translate("MeasurementReport", "Measurement Report"));
    SetFontPoints(p, 10);
    w.write(wp - 80, 45, QCoreApplication::translate("MeasurementReport", "第1页"));
    SetPen(p, ReportGrey, 2);
    p.drawLine(50, 70, wp - 50, 70);
    p.drawLine(50, hp - 100, wp - 50, hp - 100);

    // Footer: each text keeps to its column, all at one size.
    p.setPen(ReportGrey);
    const int footerGap = 2 * blankWidth(p);
    w.writeCells(
        { { 50, hp - 90, 250 - footerGap,
              QCoreApplication::translate("MeasurementReport", "Project Name：") + info.projectName },
            { 250, hp - 90, 520 - footerGap,
                QCoreApplication::translate("MeasurementReport", "Licenser: ") + info.company },
            { 520, hp - 90, wp - 50,
                QCoreApplication::translate("MeasurementReport", "Operator：") + info.conner },
            { 520, hp - 70, wp - 50,
                QCoreApplication::translate("MeasurementReport", "Temperature: ") + info.temperature
                    + info.unitSuffix() },
            { 50, hp - 70, 250 - footerGap,
                QCoreApplication::translate("MeasurementReport", "Date: ") + info.date },
            { 250, hp - 70, 520 - footerGap,
                QCoreApplication::translate("MeasurementReport", "Instruments: Norvo KMR5150") } },
        8.0);

    SetPen(p, ReportGrey, 1);
    p.drawRect(50, 80, 350, 147);
    p.drawRect(50, 237, 350, 147);
    p.drawRect(50, 394, 350, 147);
    w.write(58, 72, QCoreApplication::translate("MeasurementReport", " Sample waveform "));
    w.write(58, 227, QCoreApplication::translate("MeasurementReport", " Voltage Harmonic  "));
    w.write(58, 385, QCoreApplication::translate("MeasurementReport", " Current Harmonic "));

    const QStringList lines = ReportParameterLines(record, false);
    for (int j = 0; j < lines.size(); ++j)
        w.writeFitted(420, 90 + 32 * j, wp - 50, lines[j], smallestPoints(10));

    // Table frame, grid and the rule over it.
    SetPen(p, ReportGrey, 2);
    p.drawRect(50, 560, wp - 48 - 50, 883 - 560);
    SetPen(p, ReportGrey, 1);
    const int u = PreviewTableStep(wp);
    for (int x : { 80, 80 + 2 * u, 110 + 4 * u, 110 + 6 * u, 140 + 8 * u, 140 + 10 * u })
        p.drawLine(x, 560, x, 883);
    for (int x : { 80 + u, 80 + 3 * u, 110 + 5 * u, 110 + 7 * u, 140 + 9 * u, 140 + 11 * u })
        p.drawLine(x, 577, x, 883);
    for (int k = 0; k <= 17; ++k)
        p.drawLine(50, 577 + 17 * k, wp - 50, 577 + 17 * k);
    SetPen(p, ReportGrey, 2);
    for (int x : { 80 + 4 * u, 110 + 8 * u })
        p.drawLine(x, 560, x, 882);
    p.drawLine(50, 550, wp - 50, 550);
    w.writeFitted(wp - 150, 540, wp, QCoreApplication::translate("MeasurementReport", " Harmonic content "),
        smallestPoints(10));

    // Waves.
    SetPen(p, ReportGrey, 1, Qt::DashDotLine);
    for (int y : { 101, 153, 206 })
        p.drawLine(50, y, 400, y);
    const WaveCounts current = WaveCountsOf(record, WaveChannel::Current);
    const WaveCounts voltage = WaveCountsOf(record, WaveChannel::Voltage);
    WaveCounts referenceWaves[2];
    if (reference) {
        referenceWaves[0] = WaveCountsOf(*reference, WaveChannel::Current);
        referenceWaves[1] = WaveCountsOf(*reference, WaveChannel::Voltage);
    }
    const double currentScale = waveScale(53, current, reference ? &referenceWaves[0] : nullptr);
    const double voltageScale = waveScale(58, voltage, reference ? &referenceWaves[1] : nullptr);
    if (reference) {
        DrawReferenceWave(p, referenceWaves[0], 50, 350, 153, currentScale, ReportGrey);
        DrawReferenceWave(p, referenceWaves[1], 50, 350, 153, voltageScale, ReportGrey);
    }
    SetPen(p, ReportGrey, 1);
    p.drawPolyline(WavePoints(current, 50, 350, 153, currentScale));
    SetPen(p, ReportGrey, 2);
    p.drawPolyline(WavePoints(voltage, 50, 350, 153, voltageScale));

    // Spectra.
    const float *amplitudes[2] = { record.UHarm, record.IHarm };
    const int axes[2] = { 361, 518 };
    SetFontPoints(p, 6);
    for (int i = 0; i < 2; ++i) {
        const int axis = axes[i];
        SetPen(p, ReportGrey, 2);
        p.drawLine(50, axis, 399, axis);
        // The preview's bars take 115 pixels over the largest amplitude, in that order; with a
        // reference, over the larger of the two spectra's.
        const float *referenceAmplitudes
            = reference ? (i == 0 ? reference->UHarm : reference->IHarm) : nullptr;
        const float largest = referenceAmplitudes
            ? std::max(LargestAmplitude(amplitudes[i]), LargestAmplitude(referenceAmplitudes))
            : LargestAmplitude(amplitudes[i]);
        const HarmonicScale scale = largest > 0.0f ? HarmonicScale { 115, largest } : HarmonicScale {};
        const HarmonicBars bars = HarmonicBarsFor(amplitudes[i], scale, 53, 300);
        // Outlines right of each bar's line (x + 4 and x + 5), before the next order's at x + 10.
        if (referenceAmplitudes)
            DrawReferenceBars(p, HarmonicBarsFor(referenceAmplitudes, scale, 53, 300), axis, 7, 3, Black);
        for (int n = 0; n < HarmonicCount; ++n) {
            const int x = bars[n].x;
            if (labelledOrder(n)) {
                p.setPen(Black);
                w.write(x, axis + 3, QString::number(n));
            }
            SetPen(p, Black, 2);
            p.drawLine(x + 5, axis - bars[n].height, x + 5, axis - 2);
        }
    }

    // Table texts: each inside its cell of the grid, as far from the cell's left line as in the
    // first group, and clear of its right line. A group is 4u + 30 wide: the order number's
    // 30 pixels and four columns of u.
    p.setPen(ReportGrey);
    std::vector<CellText> cells;
    const auto cellLeft = [&](int g, int i) { return (i == 0 ? 50 : 80 + (i - 1) * u) + g * (4 * u + 30); };
    const auto cellEnd = [&](int g, int i) { return std::min(80 + i * u + g * (4 * u + 30) - 2, wp - 50); };
    const int headerInset[5] = { 3, 4, 4, 2, 1 };
    const int valueInset[5] = { 10, 6, 4, 3, 1 };
    for (int g = 0; g < 3; ++g) {
        cells.push_back({ cellLeft(g, 1) + 32, 562, cellEnd(g, 2),
            QCoreApplication::translate("MeasurementReport", "Vol") });
        cells.push_back({ cellLeft(g, 3) + 24, 562, cellEnd(g, 4),
            QCoreApplication::translate("MeasurementReport", "Amp") });
        const QString header[5] = { QCoreApplication::translate("MeasurementReport", "N"),
            QCoreApplication::translate("MeasurementReport", "RMS"),
            QCoreApplication::translate("MeasurementReport", "Percent"),
            QCoreApplication::translate("MeasurementReport", "RMS"),
            QCoreApplication::translate("MeasurementReport", "Percent") };
        for (int i = 0; i < 5; ++i)
            cells.push_back({ cellLeft(g, i) + headerInset[i], 579, cellEnd(g, i), header[i] });
        for (int r = 0; r <= 16; ++r) {
            const int n = 17 * g + r;
            const QString values[5] = { QString::number(n), ReportHarmonicRms(record.UHarm[n]),
                ReportHarmonicPercent(record.UHarm[n], record.UHarm[1]), ReportHarmonicRms(record.IHarm[n]),
                ReportHarmonicPercent(record.IHarm[n], record.IHarm[1]) };
            for (int i = 0; i < 5; ++i)
                cells.push_back({ cellLeft(g, i) + valueInset[i], 596 + 17 * r, cellEnd(g, i), values[i] });
        }
    }
    w.writeCells(cells, smallestPoints(6));
    p.restore();
}
