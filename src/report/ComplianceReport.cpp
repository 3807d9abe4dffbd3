#include "report/ComplianceReport.h"

#include "measure/ComplianceView.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {
const QColor Black(0, 0, 0);
const QColor HeaderFill(230, 230, 230);
const QColor FailRowFill(255, 215, 210);
const QColor RowRule(200, 200, 200);

// The chart is drawn as on a 96-dpi screen and scaled to the page, so that its labels keep the
// size they have in the window whatever the printer's resolution.
constexpr double ChartDpi = 96.0;
constexpr double TablePoints = 9.0;
// Reason, facts and note: larger than the landscape pages' captions, which only label boxes.
int textPoints(const PageFrame &f)
{
    return f.landscape ? 9 : 10;
}
// Texts too wide for their room shrink to this size at most, as on the other pages, and are then
// cut short; rows too low for a line shrink further, to LowestPoints, as they cannot be cut.
constexpr double MinPoints = 6.0;
constexpr double LowestPoints = 4.0;
constexpr double PointStep = 0.25;

// Share of the table's width of each column: order, limit, present, smoothed max, average,
// % of limit, verdict.
constexpr std::array<double, 7> ColumnShare { 0.08, 0.13, 0.14, 0.19, 0.14, 0.13, 0.19 };

QFont atPoints(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

// The largest size up to `points` at which `lines` lines of the painter's font fit `height`.
double pointsForLines(const QPainter &p, double points, int lines, int height)
{
    while (points > LowestPoints
        && lines * QFontMetrics(atPoints(p.font(), points), p.device()).height() > height)
        points = std::max(LowestPoints, points - PointStep);
    return points;
}

// `text` broken between words inside `box`, made smaller until its lines fit the box's height;
// lines that do not fit even at the smallest size are left off and the last one shown ends in "…".
void writeInBox(TextWriter &w, const QRect &box, const QString &text, double points)
{
    QPainter &p = w.painter();
    QStringList lines;
    for (;;) {
        p.setFont(atPoints(p.font(), points));
        lines = WrapText(p.font(), p.device(), text, box.width());
        if (lines.size() * w.lineHeight() <= box.height() || points <= LowestPoints)
            break;
        points = std::max(LowestPoints, points - PointStep);
    }
    const int fitting = std::max(1, box.height() / std::max(1, w.lineHeight()));
    if (lines.size() > fitting) {
        const QString rest = lines.mid(fitting - 1).join(QLatin1Char(' ')) + QChar(0x2026);
        lines = lines.mid(0, fitting - 1);
        lines << p.fontMetrics().elidedText(rest, Qt::ElideRight, box.width());
    }
    int y = box.top();
    for (const QString &line : lines) {
        w.write(box.left(), y, line);
        y += w.lineHeight();
    }
}

QString wattsOrDash(bool known, double watts)
{
    return known ? QString::number(watts, 'f', 1) + QStringLiteral(" W") : QStringLiteral("—");
}
} // namespace

CompliancePageLayout CompliancePageLayoutFor(int pw, int ph, int dpi)
{
    CompliancePageLayout c;
    c.frame = PageFrameFor(pw, ph, dpi);
    const PageFrame &f = c.frame;
    const auto y = [&](double share) { return f.top + TruncPx(share * f.height); };
    const auto x = [&](double share) { return f.left + TruncPx(share * f.width); };
    const auto box = [&](double left, double top, double right, double bottom) {
        return QRect(QPoint(x(left), y(top)), QPoint(x(right) - 1, y(bottom) - 1));
    };
    c.titleY = f.top;
    c.titleRuleY = y(0.04);
    if (f.landscape) {
        c.verdictBox = box(0, 0.05, 0.45, 0.17);
        c.factsBox = box(0, 0.18, 0.45, 0.28);
        c.chart = box(0, 0.30, 0.45, 0.90);
        c.table = box(0.48, 0.05, 1, 0.90);
    } else {
        c.verdictBox = box(0, 0.05, 0.56, 0.135);
        c.factsBox = box(0.60, 0.05, 1, 0.135);
        c.chart = box(0, 0.145, 1, 0.37);
        c.table = box(0, 0.385, 1, 0.90);
    }
    c.rowHeight = c.table.height() / (AssessedOrders + 1);
    c.table.setHeight(c.rowHeight * (AssessedOrders + 1));
    c.noteBox = box(0, 0.905, 1, 0.947);
    c.footerRuleY = y(0.95);
    c.footerRowY[0] = y(0.955);
    c.footerRowY[1] = y(0.975);
    c.footerX[0] = f.left;
    c.footerX[1] = x(0.37);
    c.footerX[2] = x(0.74);
    return c;
}

QString ComplianceClassText(const EmissionAssessment &a)
{
    return QCoreApplication::translate("ComplianceReport", "Emission class: ")
        + EmissionClassText(a.emissionClass);
}

QString CompliancePowerText(const EmissionAssessment &a)
{
    const bool known = a.measurements > 0 && a.verdict != Verdict::NoVerdict;
    QString text = QCoreApplication::translate("ComplianceReport", "Power used: ")
        + wattsOrDash(known, a.basis.activePower);
    if (known)
        text += a.ratedPowerUsed ? QCoreApplication::translate("ComplianceReport", " (rated)")
                                 : QCoreApplication::translate("ComplianceReport", " (measured)");
    if (a.classALimitsUsed)
        text += QCoreApplication::translate("ComplianceReport", ", class A limits above 600 W");
    return text;
}

QString CompliancePeriodText(const EmissionAssessment &a)
{
    return QCoreApplication::translate("ComplianceReport", "Observation period: %1, %2 measurement(s)")
        .arg(PeriodText(a.periodSeconds))
        .arg(a.measurements);
}

void DrawCompliancePage(
    QPainter &p, int pw, int ph, const EmissionAssessment &a, const PrintInfo &info, PageTexts *texts)
{
    const int dpi = PainterDpi(p);
    const CompliancePageLayout c = CompliancePageLayoutFor(pw, ph, dpi);
    const PageFrame &f = c.frame;
    const int thin = std::max(1, f.px(1));
    TextWriter w(p, texts);

    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setBrush(Qt::NoBrush);
    QFont face = p.font();
    face.setFamily(QStringLiteral("Arial"));
    face.setItalic(false);
    face.setBold(false);
    p.setFont(face);

    // The page mark at the right end of the rule, the title centred as far as it leaves room.
    SetFontPoints(p, f.captionPoints());
    p.setPen(ReportGrey);
    const QRect mark
        = w.writeEnding(f.right, c.titleY, QCoreApplication::translate("ComplianceReport", "第1页"));
    const int markGap = 2 * p.fontMetrics().horizontalAdvance(QLatin1Char(' '));
    SetFontPoints(p, f.titlePoints());
    p.setPen(Black);
    const QString title = QCoreApplication::translate("ComplianceReport", "Harmonic Compliance Report");
    const int titleWidth = p.fontMetrics().horizontalAdvance(title);
    w.writeFitted(
        std::max(f.left, f.centre - titleWidth / 2), c.titleY, mark.left() - markGap, title, MinPoints);
    SetPen(p, ReportGrey, f.rulePen());
    p.drawLine(f.left, c.titleRuleY, f.right, c.titleRuleY);

    // Verdict: large and in its colour, the reason under it.
    QFont headline = face;
    headline.setBold(true);
    headline.setPointSize(f.landscape ? 20 : 24);
    p.setFont(headline);
    p.setPen(VerdictColour(a.verdict));
    const double headlinePoints = pointsForLines(p, headline.pointSizeF(), 1, c.verdictBox.height() / 2);
    p.setFont(atPoints(headline, headlinePoints));
    const QRect headlineBox = w.writeFitted(
        c.verdictBox.left(), c.verdictBox.top(), c.verdictBox.right(), VerdictHeadline(a), MinPoints);
    p.setFont(face);
    p.setPen(Black);
    writeInBox(w, QRect(QPoint(c.verdictBox.left(), headlineBox.bottom() + 1), c.verdictBox.bottomRight()),
        a.reason, textPoints(f));

    // What was assessed.
    p.setFont(face);
    const QStringList facts { ComplianceClassText(a), CompliancePowerText(a), CompliancePeriodText(a) };
    p.setFont(atPoints(face, pointsForLines(p, textPoints(f), int(facts.size()), c.factsBox.height())));
    int factY = c.factsBox.top();
    for (const QString &fact : facts) {
        w.writeFitted(c.factsBox.left(), factY, c.factsBox.right(), fact, MinPoints);
        factY += w.lineHeight();
    }

    // Chart.
    {
        const double s = dpi / ChartDpi;
        p.save();
        p.translate(c.chart.topLeft());
        p.scale(s, s);
        DrawComplianceChart(p, QRect(0, 0, TruncPx(c.chart.width() / s), TruncPx(c.chart.height() / s)), a);
        p.restore();
        SetPen(p, ReportGrey, thin);
        p.drawRect(c.chart);
    }

    // Table: a header row, then one row per order; rows over the limit filled.
    const QRect &t = c.table;
    std::array<int, ColumnShare.size() + 1> columnX {};
    double share = 0;
    for (size_t i = 0; i < ColumnShare.size(); ++i) {
        columnX[i] = t.left() + TruncPx(share * t.width());
        share += ColumnShare[i];
    }
    columnX.back() = t.right();
    const auto rowTop = [&](int row) { return t.top() + row * c.rowHeight; };
    p.fillRect(QRect(t.left(), rowTop(0), t.width(), c.rowHeight), HeaderFill);
    for (int r = 0; r < AssessedOrders; ++r)
        if (a.orders[size_t(r)].verdict == OrderVerdict::Fail)
            p.fillRect(QRect(t.left(), rowTop(r + 1), t.width(), c.rowHeight), FailRowFill);
    SetPen(p, RowRule, thin);
    for (int row = 1; row <= AssessedOrders; ++row)
        p.drawLine(t.left(), rowTop(row), t.right(), rowTop(row));
    for (size_t i = 1; i + 1 < columnX.size(); ++i)
        p.drawLine(columnX[i], t.top(), columnX[i], t.bottom());
    SetPen(p, ReportGrey, thin);
    p.drawRect(t);

    p.setFont(face);
    const double rowPoints = pointsForLines(p, TablePoints, 1, c.rowHeight);
    const int inset = std::max(thin + 1, f.px(20));
    const auto cellsOf = [&](int row, const QStringList &texts) {
        std::vector<CellText> cells;
        p.setFont(atPoints(face, rowPoints));
        const int y = rowTop(row) + (c.rowHeight - w.lineHeight()) / 2;
        for (int i = 0; i < texts.size() && size_t(i) + 1 < columnX.size(); ++i)
            cells.push_back({ columnX[size_t(i)] + inset, y, columnX[size_t(i) + 1] - inset, texts[i] });
        return cells;
    };
    p.setPen(Black);
    QFont headerFont = atPoints(face, rowPoints);
    headerFont.setBold(true);
    p.setFont(headerFont);
    {
        std::vector<CellText> header = cellsOf(0, ComplianceHeader());
        p.setFont(headerFont);
        w.writeCells(header, MinPoints);
    }
    std::vector<CellText> body;
    for (int r = 0; r < AssessedOrders; ++r) {
        const std::vector<CellText> row = cellsOf(r + 1, ComplianceRowTexts(a.orders[size_t(r)]));
        body.insert(body.end(), row.begin(), row.end());
    }
    p.setFont(atPoints(face, rowPoints));
    w.writeCells(body, MinPoints);

    // What the verdict is worth.
    QFont note = face;
    note.setItalic(true);
    p.setFont(note);
    p.setPen(ReportGrey);
    writeInBox(w, c.noteBox, PreComplianceNote(), f.landscape ? 8 : 10);

    // Footer: the print information, each text keeping to its column, all at one size.
    p.setFont(face);
    SetFontPoints(p, f.tablePoints());
    SetPen(p, ReportGrey, f.rulePen());
    p.drawLine(f.left, c.footerRuleY, f.right, c.footerRuleY);
    p.setPen(Black);
    WritePrintInfoFooter(w, c.footerX, c.footerRowY, f.right, info, MinPoints);
    p.restore();
}

int CompliancePreviewHeight(int wp)
{
    return TruncPx(wp * 1.414);
}

void DrawCompliancePreview(
    QPainter &p, int wp, int hp, const EmissionAssessment &a, const PrintInfo &info, PageTexts *texts)
{
    p.fillRect(QRect(0, 0, wp, hp), Qt::white);
    DrawCompliancePage(p, wp, hp, a, info, texts);
}
