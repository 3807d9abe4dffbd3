#include "report/RecordReport.h"

#include "measure/NumberText.h"
#include "report/ReportPainting.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {
const QColor Black(0, 0, 0);
const QColor GridGrey(221, 221, 221);
const QColor Teal(0, 128, 128);

const QColor ChannelColors[RecordReportChannels] = { QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255),
    QColor(128, 0, 0), QColor(255, 255, 0), QColor(255, 0, 255) };

QPolygon triangle(int x0, int x1, int xTip, int yBase, int yTip)
{
    return QPolygon({ QPoint(x0, yBase), QPoint(x1, yBase), QPoint(xTip, yTip) });
}

void fillTriangle(QPainter &painter, const QColor &color, const QPolygon &corners, int pen)
{
    SetPen(painter, color, pen);
    painter.setBrush(color);
    painter.drawPolygon(corners);
    painter.setBrush(Qt::NoBrush);
}

// One channel's trace, cut at the chart's edges: it runs to the edge where it leaves the chart,
// leaves a gap while it stays outside and comes back from the edge. A point outside is moved
// to the edge it crossed, the newest one too, so that no stroke starts beyond the chart.
QPainterPath clippedTrace(const std::vector<int> &ys, int count, const RecordPageLayout &layout)
{
    const int top = layout.chartTop;
    const int bottom = layout.chartTop + layout.chartHeight;
    QPainterPath path;
    int previous = 0;
    for (int j = 0; j < count; ++j) {
        const int x = RecordPointX(layout, j);
        int y = ys[j];
        if (y < top) {
            y = top;
            if (j > 0 && previous > top)
                path.lineTo(x, y);
            else
                path.moveTo(x, y);
        } else if (y > bottom) {
            y = bottom;
            if (j > 0 && previous < bottom)
                path.lineTo(x, y);
            else
                path.moveTo(x, y);
        } else if (j == 0) {
            path.moveTo(x, y);
        } else {
            path.lineTo(x, y);
        }
        previous = y;
    }
    return path;
}

// A row of texts as FitRow places it, each text in its own colour; returns the boxes.
std::vector<QRect> writeColouredRow(TextWriter &writer, const std::vector<RowText> &row,
    const std::vector<QColor> &colors, int y, int left, int right, int gap, double minPoints)
{
    QPainter &p = writer.painter();
    const QFont font = p.font();
    const FittedRow fitted = FitRow(font, p.device(), row, left, right, gap, minPoints);
    QFont smaller = font;
    smaller.setPointSizeF(fitted.points);
    p.setFont(smaller);
    std::vector<QRect> boxes;
    for (int i = 0; i < fitted.texts.size(); ++i) {
        p.setPen(colors[size_t(i)]);
        boxes.push_back(writer.write(fitted.x[size_t(i)], y, fitted.texts[i]));
    }
    p.setFont(font);
    return boxes;
}
} // namespace

QImage RecordChartPicture(const QImage &traceSurface, const QImage &axisSurface, const QSize &traceArea)
{
    if (!traceArea.isValid() || traceArea.isEmpty())
        return {};
    QImage picture(traceArea.width() + 50, traceArea.height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(QPoint(0, 0), traceSurface, QRect(QPoint(0, 0), traceArea));
    painter.drawImage(QPoint(traceArea.width(), 0), axisSurface, QRect(0, 0, 50, traceArea.height()));
    return picture;
}

QColor RecordChannelColor(int channel)
{
    return ChannelColors[std::clamp(channel, 0, RecordReportChannels - 1)];
}

RecordPageLayout RecordPageLayoutFor(int pw, int ph, int dpi)
{
    RecordPageLayout r;
    const PageFrame f = PageFrameFor(pw, ph, dpi);
    r.frame = f;
    r.chartTop = RoundPx(2.2 * f.top);
    r.chartHeight = ph - 2 * f.top - RoundPx(0.3 * ph);
    r.chartRight = f.right - f.px(700);
    r.axisX = f.right - f.px(500);
    r.pointStep = 10.0 * f.pixelScale;
    r.maxPoints = std::max(0, TruncPx((f.right - f.left - 700.0 * f.pixelScale) / r.pointStep));
    r.gain = (ph - 2.0 * f.top - 0.3 * ph) / 500.0;
    r.aboveMarkY = RoundPx(2.1 * f.top);
    r.belowMarkY = r.chartHeight + RoundPx(2.3 * f.top);
    return r;
}

int RecordPointX(const RecordPageLayout &layout, int j)
{
    return layout.frame.left + RoundPx(j * layout.pointStep);
}

RecordPagePoints RecordPagePointsFor(const RecordReportInput &in, const RecordPageLayout &layout)
{
    RecordPagePoints points;
    if (!in.fileReady)
        return points;
    const int c = std::max(1, in.compression);
    const int o = std::max(0, in.offset);
    // The newest sample shown is `last - o`; the record runs back in time from left to right
    // and never reaches sample 0.
    int n = in.last - o >= 0 ? (in.last - o) / c : 0;
    n = std::clamp(n, 0, layout.maxPoints);
    // A channel holding fewer samples than the record says is drawn only as far as it goes.
    for (const auto &channel : in.samples)
        if (in.last - o >= qsizetype(channel.size()))
            n = 0;
    points.count = n;

    const int top = layout.chartTop;
    const int bottom = layout.chartTop + layout.chartHeight;
    const int a = layout.chartHeight;
    for (int k = 0; k < RecordReportChannels; ++k) {
        std::vector<int> &ys = points.y[k];
        ys.resize(n);
        for (int j = 0; j < n; ++j) {
            const float value = in.samples[k][in.last - o - j * c];
            const int u = RoundPx(double(value) * double(in.scaleFactor[k]) * layout.gain);
            int y = 0;
            switch (in.range) {
            case RecordRange::Positive:
                y = top + a - u;
                break;
            case RecordRange::Bipolar:
                y = a / 2 + top - RoundPx(u / 2.0);
                break;
            case RecordRange::Negative:
                y = top - u;
                break;
            }
            ys[j] = y;
            if (y < top)
                points.above[k] = true;
            if (y > bottom)
                points.below[k] = true;
        }
    }
    return points;
}

QString RecordDivisionText(float scaleFactor, RecordRange range)
{
    if (range == RecordRange::Bipolar)
        return NumberText(25.0 / double(scaleFactor), 4, QString(), false, QString());
    return NumberText(50.0 / double(scaleFactor), 3, QString(), false, QString());
}

QString RecordScaleLabel(int i, RecordRange range)
{
    switch (range) {
    case RecordRange::Positive:
        return QString::number(100 - 2 * i) + QLatin1Char('%');
    case RecordRange::Bipolar:
        return QString::number(100 - 4 * i) + QLatin1Char('%');
    case RecordRange::Negative:
        break;
    }
    return QLatin1Char('-') + QString::number(2 * i) + QLatin1Char('%');
}

RecordPagePoints DrawRecordPage(
    QPainter &p, int pw, int ph, const RecordReportInput &in, const PrintInfo &info, PageTexts *texts)
{
    const RecordPageLayout r = RecordPageLayoutFor(pw, ph, PainterDpi(p));
    const PageFrame &f = r.frame;
    const int L = f.left;
    const int T = f.top;
    const int R = f.right;
    const int A = r.chartHeight;
    const int yt = r.chartTop;
    const auto px = [&](double designPixels) { return f.px(designPixels); };
    TextWriter w(p, texts);

    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setBrush(Qt::NoBrush);

    // The title reads as the preview's: the two pieces meet at the centre of the page.
    SetFontPoints(p, f.titlePoints());
    p.setPen(Black);
    w.write(f.centre, T, QCoreApplication::translate("RecordReport", "   Report"));
    w.writeEnding(f.centre, T, QCoreApplication::translate("RecordReport", "Record"));
    SetFontPoints(p, f.captionPoints());
    p.setPen(ReportGrey);
    w.write(TruncPx(0.985 * f.width), TruncPx(T + 0.01 * f.height),
        QCoreApplication::translate("RecordReport", "第1页"));
    SetPen(p, ReportGrey, f.rulePen());
    const int titleRuleY = T + TruncPx(0.027 * f.height);
    p.drawLine(L, titleRuleY, R, titleRuleY);

    // Grid.
    SetFontPoints(p, 8);
    // Lines of one pixel at the design resolution: as thick on every printer.
    const int thin = std::max(1, px(1));
    SetPen(p, GridGrey, thin, Qt::DotLine);
    for (int i = 0; i <= 10; ++i) {
        const int y = RoundPx(A * i / 10.0) + yt;
        p.drawLine(L, y, r.chartRight, y);
    }
    const int gridBottom = RoundPx(double(A)) + yt;
    const int gridStep = px(200);
    for (int j = 0; gridStep > 0 && L + gridStep * j <= r.chartRight; ++j)
        p.drawLine(L + gridStep * j, yt, L + gridStep * j, gridBottom);

    // Percentage scale and axis.
    for (int i = 0; i <= 50; ++i) {
        const int y = RoundPx(A * i / 50.0) + yt;
        SetPen(p, Black, px(3));
        if (i % 5 == 0) {
            p.drawLine(R - px(700), y, R - px(500), y);
            p.setPen(ReportGrey);
            w.write(R - px(450), y - px(60), RecordScaleLabel(i, in.range));
        } else {
            p.drawLine(R - px(600), y, R - px(500), y);
        }
    }
    SetPen(p, Black, px(6));
    p.drawLine(r.axisX, yt, r.axisX, yt + A);

    // Traces and overflow marks.
    const RecordPagePoints points = RecordPagePointsFor(in, r);
    const int markLeft = R - px(1120);
    if (in.fileReady) {
        for (int k = 0; k < RecordReportChannels; ++k) {
            const QColor color = ChannelColors[k];
            if (in.visible[k] && points.count > 0) {
                SetPen(p, color, px(10));
                p.drawPath(clippedTrace(points.y[k], points.count, r));
            }
            const int a = px(100 * k);
            if (points.above[k])
                fillTriangle(p, color,
                    triangle(markLeft + a, R - px(1020) + a, R - px(1070) + a, r.aboveMarkY,
                        r.aboveMarkY - px(50)),
                    thin);
            if (points.below[k])
                fillTriangle(p, color,
                    triangle(markLeft + a, R - px(1020) + a, R - px(1070) + a, r.belowMarkY,
                        r.belowMarkY + px(50)),
                    thin);
        }
    }

    // From here on the typeface is Arial. The rows of texts keep two blanks apart.
    QFont arial = p.font();
    arial.setFamily(QStringLiteral("Arial"));
    p.setFont(arial);
    const int gap = 2 * p.fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const double smallest = 6.0;

    // The scale row ends before the down-pointing overflow marks that share its line.
    std::vector<RowText> scales { { L + px(50),
        QCoreApplication::translate("RecordReport", "Time/DIV=%1S")
            .arg(QString::number(qint64(std::max(1, in.compression)) * 20)) } };
    for (int k = 0; k < RecordReportChannels; ++k)
        scales.push_back({ L + px(1000 * (k + 1)),
            QCoreApplication::translate("RecordReport", "CH%1/DIV=").arg(k + 1)
                + RecordDivisionText(in.scaleFactor[k], in.range) });
    const std::vector<QColor> scaleColors { Teal, ChannelColors[0], ChannelColors[1], ChannelColors[2],
        ChannelColors[3], ChannelColors[4], ChannelColors[5] };
    writeColouredRow(w, scales, scaleColors, r.belowMarkY, L, markLeft - gap, gap, smallest);

    std::vector<RowText> descriptions { { L + px(50),
        QCoreApplication::translate("RecordReport", "Channel Signal Description:") } };
    for (int k = 0; k < RecordReportChannels; ++k)
        descriptions.push_back({ L + px(1000 + 1100 * k),
            QCoreApplication::translate("RecordReport", "CH%1: ").arg(k + 1) + in.captions[k] });
    const std::vector<QColor> descriptionColors { Black, ChannelColors[0], ChannelColors[1], ChannelColors[2],
        ChannelColors[3], ChannelColors[4], ChannelColors[5] };
    const std::vector<QRect> described
        = writeColouredRow(w, descriptions, descriptionColors, A + 4 * T, L, R, gap, smallest);
    SetPen(p, Black, f.rulePen());
    p.drawLine(described[0].left(), A + RoundPx(4.4 * T), described[0].right(), A + RoundPx(4.4 * T));

    p.setPen(ReportGrey);
    w.writeRow({ { L + px(50), in.stepText }, { L + px(1500), in.startText }, { L + px(3500), in.endText },
                   { L + px(5500), in.lengthText + QCoreApplication::translate("RecordReport", "点") } },
        A + 5 * T, L, R, gap, smallest);

    w.write(L + px(50), A + 6 * T, QCoreApplication::translate("RecordReport", "Note:"));
    const int yn = A + RoundPx(6.2 * T);
    const int ym = A + RoundPx(6.2 * T) - px(50);
    fillTriangle(p, ReportGrey, triangle(L + px(500), L + px(600), L + px(550), yn, yn - px(50)), thin);
    fillTriangle(p, ReportGrey, triangle(L + px(700), L + px(800), L + px(750), ym, ym + px(50)), thin);
    p.setPen(ReportGrey);
    // The note is longer than any page is wide: it goes on as many lines as it needs.
    w.writeWrapped(L + px(900), A + 6 * T, R,
        QCoreApplication::translate("RecordReport",
            "Icons were positive overflow and negative overflow flags, when a channel overflow, in the "
            "upper right corner and lower right corner of a corresponding color of the icon."));

    // Footer: each text keeps to its column, all at one size.
    SetPen(p, ReportGrey, f.rulePen());
    const int footerRuleY = T + TruncPx(0.95 * f.height);
    p.drawLine(L, footerRuleY, R, footerRuleY);
    p.setPen(Black);
    const int row1 = T + TruncPx(0.955 * f.height);
    const int row2 = T + TruncPx(0.975 * f.height);
    const int x2 = L + TruncPx(0.37 * f.width);
    const int x3 = L + TruncPx(0.74 * f.width);
    w.writeCells(
        { { L, row1, x2 - gap,
              QCoreApplication::translate("RecordReport", "Project Name :") + info.projectName },
            { x2, row1, x3 - gap, QCoreApplication::translate("RecordReport", "Licenser：") + info.company },
            { x3, row1, R, QCoreApplication::translate("RecordReport", "Operator：") + info.conner },
            { L, row2, x2 - gap, QCoreApplication::translate("RecordReport", "测试日期：") + info.date },
            { x2, row2, x3 - gap,
                QCoreApplication::translate("RecordReport", "1.Instrument：Norvo KMR5150") },
            { x3, row2, R,
                QCoreApplication::translate("RecordReport", "Temperature：") + info.temperature
                    + info.unitSuffix() } },
        smallest);
    p.restore();
    return points;
}

int RecordPreviewHeight(int wp)
{
    return TruncPx(wp / 1.414);
}

int RecordPreviewChartHeight(int wp, const QSize &traceArea)
{
    // Without a chart size the picture keeps the record window's design proportions.
    const double aspect = traceArea.width() > 0 && traceArea.height() > 0
        ? double(traceArea.width()) / traceArea.height()
        : 2.0;
    return RoundPx((wp - 100) / aspect);
}

QRect RecordPreviewChartRect(int wp, int hp, const QSize &traceArea)
{
    const int f = RecordPreviewChartHeight(wp, traceArea);
    // Under the picture stand the heading, the descriptions (on one line or two) and the record
    // texts, down to about f + 130, all above the bottom rule at hp - 100.
    const int most = hp - 240;
    if (f <= most || f <= 0)
        return QRect(QPoint(50, 75), QPoint(wp - 50, 75 + f));
    const int width = RoundPx(double(wp - 100) * most / f);
    const int left = 50 + (wp - 100 - width) / 2;
    return QRect(QPoint(left, 75), QPoint(left + width, 75 + std::max(0, most)));
}

void DrawRecordPreview(
    QPainter &p, int wp, int hp, const RecordReportInput &in, const PrintInfo &info, PageTexts *texts)
{
    p.save();
    TextWriter w(p, texts);
    DrawPreviewTitle(w, wp, QCoreApplication::translate("RecordReport", "Record Report"));
    SetPen(p, ReportGrey, 2);
    p.drawLine(50, 70, wp - 50, 70);
    p.drawLine(50, hp - 100, wp - 50, hp - 100);

    SetFontPoints(p, 10);
    const QRect target = RecordPreviewChartRect(wp, hp, in.traceArea);
    const int f = target.bottom() - 75;
    if (!in.chart.isNull() && in.traceArea.isValid()) {
        // The chart from row 12 down, the axis strip beside the trace area included.
        const QRect source(QPoint(0, 12), QPoint(in.traceArea.width() + 50, in.traceArea.height()));
        p.drawImage(target, in.chart, source);
    } else {
        p.fillRect(target, in.chartBackground);
    }

    p.setPen(ReportGrey);
    const QRect heading
        = w.write(50, f + 80, QCoreApplication::translate("RecordReport", "Channel Description："));
    SetPen(p, ReportGrey, 2);
    p.drawLine(50, f + 103, 128, f + 103);

    // The descriptions start after the heading, whose line they share, and end at the rule's end;
    // when they do not fit that line whole, they take two, three on each.
    SetFontPoints(p, 8);
    const int gap = 2 * p.fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const int descriptionsLeft = std::max(135, heading.right() + 1 + gap);
    std::vector<RowText> descriptions;
    for (int k = 0; k < RecordReportChannels; ++k)
        descriptions.push_back({ 135 + 90 * k,
            QCoreApplication::translate("RecordReport", "CH%1: ").arg(k + 1) + in.captions[k] });
    const std::vector<QColor> colors(std::begin(ChannelColors), std::end(ChannelColors));
    const FittedRow oneLine = FitRow(p.font(), p.device(), descriptions, descriptionsLeft, wp - 50, gap, 8.0);
    int recordTextsY = f + 115;
    if (oneLine.points == p.font().pointSizeF()
        && std::equal(descriptions.begin(), descriptions.end(), oneLine.texts.begin(),
            [](const RowText &d, const QString &t) { return d.text == t; })) {
        writeColouredRow(w, descriptions, colors, f + 90, descriptionsLeft, wp - 50, gap, 8.0);
    } else {
        const int line = w.lineHeight();
        for (int half = 0; half < 2; ++half) {
            std::vector<RowText> three;
            for (int k = 0; k < 3; ++k)
                three.push_back({ 135 + 90 * k, descriptions[size_t(3 * half + k)].text });
            writeColouredRow(w, three,
                { colors[size_t(3 * half)], colors[size_t(3 * half + 1)], colors[size_t(3 * half + 2)] },
                f + 90 + half * line, descriptionsLeft, wp - 50, gap, 7.0);
        }
        recordTextsY = std::max(recordTextsY, f + 90 + 2 * line + 2);
    }
    p.setPen(ReportGrey);
    w.writeRow({ { 50, in.stepText }, { 200, in.startText }, { 350, in.endText },
                   { 500, in.lengthText + QCoreApplication::translate("RecordReport", "点") } },
        recordTextsY, 50, wp - 50, gap, 7.0);

    // Footer: each text keeps to its column, all at one size.
    w.writeCells(
        { { 50, hp - 90, 250 - gap,
              QCoreApplication::translate("RecordReport", "Project Name: ") + info.projectName },
            { 250, hp - 90, 520 - gap,
                QCoreApplication::translate("RecordReport", "Licenser: ") + info.company },
            { 520, hp - 90, wp - 50,
                QCoreApplication::translate("RecordReport", "Operator：") + info.conner },
            { 520, hp - 70, wp - 50,
                QCoreApplication::translate("RecordReport", "Temperature: ") + info.temperature
                    + info.unitSuffix() },
            { 50, hp - 70, 250 - gap, QCoreApplication::translate("RecordReport", "Date: ") + info.date },
            { 250, hp - 70, 520 - gap,
                QCoreApplication::translate("RecordReport", "1.Instrument: Norvo KMR5150") } },
        8.0);
    p.restore();
}
