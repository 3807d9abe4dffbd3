#include "report/ReportPainting.h"

#include "report/PageGeometry.h"
#include "report/PrintInfo.h"

#include <QCoreApplication>
#include <QFontMetrics>

#include <algorithm>
#include <numeric>

namespace {
// Size steps when a text is made smaller: fine enough that a text does not lose more than it must.
constexpr double PointStep = 0.25;

int advance(const QFont &font, const QPaintDevice *device, const QString &text)
{
    return QFontMetrics(font, device).horizontalAdvance(text);
}

QFont atPoints(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

// The largest size from `points` down to `minPoints` at which `fits` holds, or `minPoints`.
template <typename Fits> double largestFitting(double points, double minPoints, double estimate, Fits fits)
{
    if (fits(points) || minPoints >= points)
        return points;
    double p = std::clamp(estimate, minPoints, points);
    while (p > minPoints && !fits(p))
        p = std::max(minPoints, p - PointStep);
    return p;
}
} // namespace

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

FittedText FitText(QFont font, const QPaintDevice *device, const QString &text, int width, double minPoints)
{
    const double points = font.pointSizeF();
    const int full = advance(font, device, text);
    const double estimate = full > 0 ? points * width / full : points;
    const double fitted = largestFitting(points, minPoints, estimate,
        [&](double p) { return advance(atPoints(font, p), device, text) <= width; });
    const QFont at = atPoints(font, fitted);
    if (advance(at, device, text) <= width)
        return { fitted, text };
    return { fitted, QFontMetrics(at, device).elidedText(text, Qt::ElideRight, std::max(0, width)) };
}

FittedRow FitRow(QFont font, const QPaintDevice *device, const std::vector<RowText> &row, int left, int right,
    int gap, double minPoints)
{
    FittedRow fitted;
    const int n = int(row.size());
    fitted.points = font.pointSizeF();
    if (n == 0)
        return fitted;
    const int room = std::max(0, right - left - gap * (n - 1));
    const auto totalAt = [&](double p) {
        const QFont f = atPoints(font, p);
        int total = 0;
        for (const RowText &t : row)
            total += advance(f, device, t.text);
        return total;
    };
    const int full = totalAt(fitted.points);
    fitted.points = largestFitting(fitted.points, minPoints,
        full > 0 ? fitted.points * room / full : fitted.points, [&](double p) { return totalAt(p) <= room; });

    const QFont f = atPoints(font, fitted.points);
    std::vector<int> widths;
    for (const RowText &t : row) {
        fitted.texts << t.text;
        widths.push_back(advance(f, device, t.text));
    }
    if (std::accumulate(widths.begin(), widths.end(), 0) > room) {
        // Narrow texts keep their width; the rest share what is left equally and are cut short.
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](int a, int b) { return widths[a] < widths[b]; });
        int remaining = room;
        for (int k = 0; k < n; ++k) {
            const int i = order[k];
            const int share = remaining / (n - k);
            if (widths[i] > share) {
                fitted.texts[i] = QFontMetrics(f, device).elidedText(row[i].text, Qt::ElideRight, share);
                widths[i] = advance(f, device, fitted.texts[i]);
            }
            remaining -= widths[i];
        }
    }

    // Each text at its place, pushed right by the one before it; a row that then runs past its
    // end closes up from there.
    const auto place = [&](const std::vector<int> &wanted, int from) {
        for (int i = std::max(from, 1); i < n; ++i)
            fitted.x[i] = std::max(wanted[i], fitted.x[i - 1] + widths[i - 1] + gap);
        if (fitted.x[n - 1] + widths[n - 1] > right) {
            fitted.x[n - 1] = right - widths[n - 1];
            for (int i = n - 2; i >= 0; --i)
                fitted.x[i] = std::min(fitted.x[i], fitted.x[i + 1] - gap - widths[i]);
        }
    };
    std::vector<int> wanted(n);
    for (int i = 0; i < n; ++i)
        wanted[i] = row[i].x;
    fitted.x.assign(n, 0);
    fitted.x[0] = std::max(wanted[0], left);
    place(wanted, 1);
    // The texts that had to close up share the room after the last one that kept its place
    // evenly, as their places were spaced, instead of piling up at the end.
    int kept = n - 1;
    while (kept >= 0 && fitted.x[kept] < wanted[kept])
        --kept;
    if (kept >= 0 && kept < n - 1 && wanted[n - 1] > wanted[kept]) {
        const double k = double(right - widths[n - 1] - fitted.x[kept]) / (wanted[n - 1] - wanted[kept]);
        for (int i = kept + 1; i < n; ++i)
            wanted[i] = fitted.x[kept] + RoundPx((wanted[i] - wanted[kept]) * k);
        place(wanted, kept + 1);
    }
    return fitted;
}

QStringList WrapText(const QFont &font, const QPaintDevice *device, const QString &text, int width)
{
    const QFontMetrics metrics(font, device);
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer) <= width || line.isEmpty()) {
            line = longer;
            continue;
        }
        lines << line;
        line = word;
    }
    if (!line.isEmpty())
        lines << line;
    // A single word wider than the line is cut short.
    for (QString &l : lines)
        if (metrics.horizontalAdvance(l) > width)
            l = metrics.elidedText(l, Qt::ElideRight, width);
    return lines;
}

TextWriter::TextWriter(QPainter &painter, PageTexts *texts)
    : m_painter(painter)
    , m_texts(texts)
{
}

QRect TextWriter::write(int x, int y, const QString &text)
{
    const QFontMetrics metrics = m_painter.fontMetrics();
    m_painter.drawText(x, y + metrics.ascent(), text);
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    if (m_texts && !text.isEmpty())
        m_texts->push_back({ box, text });
    return box;
}

QRect TextWriter::writeEnding(int x, int y, const QString &text)
{
    return write(x - m_painter.fontMetrics().horizontalAdvance(text), y, text);
}

QRect TextWriter::writeFitted(int x, int y, int right, const QString &text, double minPoints)
{
    const QFont font = m_painter.font();
    const FittedText fitted = FitText(font, m_painter.device(), text, right - x, minPoints);
    m_painter.setFont(atPoints(font, fitted.points));
    const QRect box = write(x, y, fitted.text);
    m_painter.setFont(font);
    return box;
}

void TextWriter::writeCells(const std::vector<CellText> &cells, double minPoints)
{
    const QFont font = m_painter.font();
    double points = font.pointSizeF();
    for (const CellText &c : cells)
        points = std::min(points, FitText(font, m_painter.device(), c.text, c.right - c.x, minPoints).points);
    m_painter.setFont(atPoints(font, points));
    for (const CellText &c : cells)
        writeFitted(c.x, c.y, c.right, c.text, points);
    m_painter.setFont(font);
}

void TextWriter::writeRow(
    const std::vector<RowText> &row, int y, int left, int right, int gap, double minPoints)
{
    const QFont font = m_painter.font();
    const FittedRow fitted = FitRow(font, m_painter.device(), row, left, right, gap, minPoints);
    m_painter.setFont(atPoints(font, fitted.points));
    for (int i = 0; i < fitted.texts.size(); ++i)
        write(fitted.x[i], y, fitted.texts[i]);
    m_painter.setFont(font);
}

int TextWriter::writeWrapped(int x, int y, int right, const QString &text)
{
    const int step = lineHeight();
    for (const QString &line : WrapText(m_painter.font(), m_painter.device(), text, right - x)) {
        write(x, y, line);
        y += step;
    }
    return y;
}

int TextWriter::lineHeight() const
{
    return m_painter.fontMetrics().height();
}

void DrawPreviewTitle(TextWriter &writer, int wp, const QString &title)
{
    QPainter &painter = writer.painter();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    painter.setBrush(Qt::NoBrush);
    SetFontPoints(painter, 20);
    painter.setPen(ReportGrey);
    writer.write(wp / 2 - 70, 30, title);
}

void WritePrintInfoFooter(TextWriter &writer, const int columnX[3], const int rowY[2], int right,
    const PrintInfo &info, double minPoints)
{
    const QString footer[2][3] = {
        { QCoreApplication::translate("ReportPainting", "Project Name：") + info.projectName,
            QCoreApplication::translate("ReportPainting", "Licenser：") + info.company,
            QCoreApplication::translate("ReportPainting", "Operator：") + info.conner },
        { QCoreApplication::translate("ReportPainting", "测试日期：") + info.date,
            QCoreApplication::translate("ReportPainting", "1.Instrument: Norvo KMR5150"),
            QCoreApplication::translate("ReportPainting", "Temperature: ") + info.temperature
                + info.unitSuffix() },
    };
    const int gap = 2 * writer.painter().fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int end[3] = { columnX[1] - gap, columnX[2] - gap, right };
    std::vector<CellText> cells;
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 3; ++i)
            cells.push_back({ columnX[i], rowY[row], end[i], footer[row][i] });
    writer.writeCells(cells, minPoints);
}
