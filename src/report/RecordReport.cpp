#include "report/RecordReport.h"

#include "link/Globals.h"
#include "measure/NumberText.h"
#include "report/ReportPainting.h"

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

void fillTriangle(QPainter &painter, const QColor &color, const QPolygon &corners)
{
    SetPen(painter, color, 1);
    painter.setBrush(color);
    painter.drawPolygon(corners);
    painter.setBrush(Qt::NoBrush);
}

// One channel's trace, cut at the chart's edges: it runs to the edge where it leaves the chart,
// leaves a gap while it stays outside and comes back from the edge. A point outside is moved
// to the edge it crossed, the newest one too, so that no stroke starts beyond the chart.
QPainterPath clippedTrace(const std::vector<int> &ys, int count, int left, int top, int bottom)
{
    QPainterPath path;
    int previous = 0;
    for (int j = 0; j < count; ++j) {
        const int x = left + 10 * j;
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

RecordPageLayout RecordPageLayoutFor(int pw, int ph)
{
    RecordPageLayout r;
    const PageFrame f = PageFrameFor(pw, ph);
    r.frame = f;
    r.chartTop = RoundPx(2.2 * f.top);
    r.chartHeight = ph - 2 * f.top - RoundPx(0.3 * ph);
    r.chartRight = f.right - 700;
    r.axisX = f.right - 500;
    r.maxPoints = std::max(0, (f.right - f.left - 700) / 10);
    r.gain = (ph - 2.0 * f.top - 0.3 * ph) / 500.0;
    r.aboveMarkY = RoundPx(2.1 * f.top);
    r.belowMarkY = r.chartHeight + RoundPx(2.3 * f.top);
    return r;
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

int RecordDescriptionOffset(int channel, int width)
{
    return 1000 + channel * std::min(1100, (width - 1000) / RecordReportChannels);
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
    QPainter &p, int pw, int ph, const RecordReportInput &in, const PrintInfo &info)
{
    const RecordPageLayout r = RecordPageLayoutFor(pw, ph);
    const PageFrame &f = r.frame;
    const int L = f.left;
    const int T = f.top;
    const int R = f.right;
    const int A = r.chartHeight;
    const int yt = r.chartTop;

    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setBrush(Qt::NoBrush);

    SetFontPoints(p, f.titlePoints());
    p.setPen(Black);
    DrawTextAt(p, f.centre, T, QStringLiteral("   record"));
    DrawTextEndingAt(p, f.centre, T, QStringLiteral("Measurement"));
    SetFontPoints(p, f.captionPoints());
    p.setPen(ReportGrey);
    DrawTextAt(p, TruncPx(0.985 * f.width), TruncPx(T + 0.01 * f.height), QStringLiteral("第1页"));
    SetPen(p, ReportGrey, f.rulePen());
    const int titleRuleY = T + TruncPx(0.027 * f.height);
    p.drawLine(L, titleRuleY, R, titleRuleY);

    // Grid.
    SetFontPoints(p, 8);
    SetPen(p, GridGrey, 1, Qt::DotLine);
    for (int i = 0; i <= 10; ++i) {
        const int y = RoundPx(A * i / 10.0) + yt;
        p.drawLine(L, y, r.chartRight, y);
    }
    const int gridBottom = RoundPx(double(A)) + yt;
    for (int j = 0; j <= (R - L - 700) / 200; ++j)
        p.drawLine(L + 200 * j, yt, L + 200 * j, gridBottom);

    // Percentage scale and axis.
    for (int i = 0; i <= 50; ++i) {
        const int y = RoundPx(A * i / 50.0) + yt;
        SetPen(p, Black, 3);
        if (i % 5 == 0) {
            p.drawLine(R - 700, y, R - 500, y);
            p.setPen(ReportGrey);
            DrawTextAt(p, R - 450, y - 60, RecordScaleLabel(i, in.range));
        } else {
            p.drawLine(R - 600, y, R - 500, y);
        }
    }
    SetPen(p, Black, 6);
    p.drawLine(r.axisX, yt, r.axisX, yt + A);

    // Traces and overflow marks.
    const RecordPagePoints points = RecordPagePointsFor(in, r);
    if (in.fileReady) {
        for (int k = 0; k < RecordReportChannels; ++k) {
            const QColor color = ChannelColors[k];
            if (in.visible[k] && points.count > 0) {
                SetPen(p, color, 10);
                p.drawPath(clippedTrace(points.y[k], points.count, L, yt, yt + A));
            }
            const int a = 100 * k;
            if (points.above[k])
                fillTriangle(p, color,
                    triangle(R - 1120 + a, R - 1020 + a, R - 1070 + a, r.aboveMarkY, r.aboveMarkY - 50));
            if (points.below[k])
                fillTriangle(p, color,
                    triangle(R - 1120 + a, R - 1020 + a, R - 1070 + a, r.belowMarkY, r.belowMarkY + 50));
        }
    }

    // From here on the typeface is Arial.
    QFont arial = p.font();
    arial.setFamily(QStringLiteral("Arial"));
    p.setFont(arial);
    p.setPen(Teal);
    DrawTextAt(p, L + 50, r.belowMarkY,
        QStringLiteral("Time/DIV=") + QString::number(qint64(std::max(1, in.compression)) * 20)
            + QLatin1Char('S'));
    for (int k = 0; k < RecordReportChannels; ++k) {
        p.setPen(ChannelColors[k]);
        DrawTextAt(p, L + 1000 * (k + 1), r.belowMarkY,
            QStringLiteral("CH%1/DIV=").arg(k + 1) + RecordDivisionText(in.scaleFactor[k], in.range));
    }

    p.setPen(Black);
    DrawTextAt(p, L + 50, A + 4 * T, QStringLiteral("Channel Signal Description:"));
    SetPen(p, Black, f.rulePen());
    p.drawLine(L + 50, A + RoundPx(4.4 * T), L + 880, A + RoundPx(4.4 * T));
    for (int k = 0; k < RecordReportChannels; ++k) {
        p.setPen(ChannelColors[k]);
        DrawTextAt(p, L + RecordDescriptionOffset(k, f.width), A + 4 * T,
            QStringLiteral("CH%1: ").arg(k + 1) + in.captions[k]);
    }

    p.setPen(ReportGrey);
    DrawTextAt(p, L + 50, A + 5 * T, in.stepText);
    DrawTextAt(p, L + 1500, A + 5 * T, in.startText);
    DrawTextAt(p, L + 3500, A + 5 * T, in.endText);
    DrawTextAt(p, L + 5500, A + 5 * T, in.lengthText + QStringLiteral("点"));

    DrawTextAt(p, L + 50, A + 6 * T, QStringLiteral("Note:"));
    const int yn = A + RoundPx(6.2 * T);
    const int ym = A + RoundPx(6.2 * T - 50);
    fillTriangle(p, ReportGrey, triangle(L + 500, L + 600, L + 550, yn, yn - 50));
    fillTriangle(p, ReportGrey, triangle(L + 700, L + 800, L + 750, ym, ym + 50));
    p.setPen(ReportGrey);
    DrawTextAt(p, L + 900, A + 6 * T,
        QStringLiteral(
            "Icons were positive overflow and negative overflow flags, when a channel overflow, in the "
            "upper right corner and lower right corner of a corresponding color of the icon."));

    // Footer.
    SetPen(p, ReportGrey, f.rulePen());
    const int footerRuleY = T + TruncPx(0.95 * f.height);
    p.drawLine(L, footerRuleY, R, footerRuleY);
    p.setPen(Black);
    const int row1 = T + TruncPx(0.955 * f.height);
    const int row2 = T + TruncPx(0.975 * f.height);
    const int x2 = L + TruncPx(0.37 * f.width);
    const int x3 = L + TruncPx(0.74 * f.width);
    DrawTextAt(p, L, row1, QStringLiteral("Project Name :") + info.projectName);
    DrawTextAt(p, x2, row1, QStringLiteral("Licenser：") + info.company);
    DrawTextAt(p, x3, row1, QStringLiteral("Operator：") + info.conner);
    DrawTextAt(p, L, row2, QStringLiteral("测试日期：") + info.date);
    DrawTextAt(p, x2, row2, QStringLiteral("1.Instrument：Norvo KMR5150"));
    DrawTextAt(p, x3, row2, QStringLiteral("Temperature：") + info.temperature + info.unitSuffix());
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

void DrawRecordPreview(QPainter &p, int wp, int hp, const RecordReportInput &in, const PrintInfo &info)
{
    p.save();
    DrawPreviewTitle(p, wp, QStringLiteral("Record Report"));
    SetPen(p, ReportGrey, 2);
    p.drawLine(50, 70, wp - 50, 70);
    p.drawLine(50, hp - 100, wp - 50, hp - 100);

    SetFontPoints(p, 10);
    const int f = RecordPreviewChartHeight(wp, in.traceArea);
    const QRect target(QPoint(50, 75), QPoint(wp - 50, 75 + f));
    if (!in.chart.isNull() && in.traceArea.isValid()) {
        // The chart from row 12 down, the axis strip beside the trace area included.
        const QRect source(QPoint(0, 12), QPoint(in.traceArea.width() + 50, in.traceArea.height()));
        p.drawImage(target, in.chart, source);
    } else {
        p.fillRect(target, WaveBackgroundColor);
    }

    p.setPen(ReportGrey);
    DrawTextAt(p, 50, f + 80, QStringLiteral("Channel Description："));
    SetPen(p, ReportGrey, 2);
    p.drawLine(50, f + 103, 128, f + 103);

    SetFontPoints(p, 8);
    for (int k = 0; k < RecordReportChannels; ++k) {
        p.setPen(ChannelColors[k]);
        DrawTextAt(p, 135 + 90 * k, f + 90, QStringLiteral("CH%1: ").arg(k + 1) + in.captions[k]);
    }
    p.setPen(ReportGrey);
    DrawTextAt(p, 50, f + 115, in.stepText);
    DrawTextAt(p, 200, f + 115, in.startText);
    DrawTextAt(p, 350, f + 115, in.endText);
    DrawTextAt(p, 500, f + 115, in.lengthText + QStringLiteral("点"));

    DrawTextAt(p, 50, hp - 90, QStringLiteral("Project Name: ") + info.projectName);
    DrawTextAt(p, 250, hp - 90, QStringLiteral("Licenser: ") + info.company);
    DrawTextAt(p, 520, hp - 90, QStringLiteral("Operator：") + info.conner);
    DrawTextAt(p, 520, hp - 70, QStringLiteral("Temperature: ") + info.temperature + info.unitSuffix());
    DrawTextAt(p, 50, hp - 70, QStringLiteral("Date: ") + info.date);
    DrawTextAt(p, 250, hp - 70, QStringLiteral("1.Instrument: Norvo KMR5150"));
    p.restore();
}
