#include "measure/ComplianceView.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
const QColor PassColour(40, 150, 60);
const QColor FailColour(210, 40, 30);
const QColor TickColour(20, 20, 20);
const QColor GridColour(170, 170, 170);

QString ampsText(double value)
{
    return QString::number(value, 'f', 3);
}
} // namespace

QStringList ComplianceHeader()
{
    return { QCoreApplication::translate("ComplianceView", "Order"),
        QCoreApplication::translate("ComplianceView", "Limit (A)"),
        QCoreApplication::translate("ComplianceView", "Present (A)"),
        QCoreApplication::translate("ComplianceView", "Smoothed max (A)"),
        QCoreApplication::translate("ComplianceView", "Average (A)"),
        QCoreApplication::translate("ComplianceView", "% of limit"),
        QCoreApplication::translate("ComplianceView", "Verdict") };
}

QStringList ComplianceRowTexts(const OrderAssessment &o)
{
    const QString none = QStringLiteral("—");
    QString verdict;
    switch (o.verdict) {
    case OrderVerdict::NoLimit:
        verdict = none;
        break;
    case OrderVerdict::Disregarded:
        verdict = QCoreApplication::translate("ComplianceView", "below floor");
        break;
    case OrderVerdict::Pass:
        verdict = o.allowanceUsed ? QCoreApplication::translate("ComplianceView", "pass (+50 %)")
                                  : QCoreApplication::translate("ComplianceView", "pass");
        break;
    case OrderVerdict::Fail:
        verdict = QCoreApplication::translate("ComplianceView", "FAIL");
        break;
    }
    return { QString::number(o.order), o.limit ? ampsText(*o.limit) : none, ampsText(o.present),
        ampsText(o.smoothedMax), ampsText(o.average),
        o.limit ? QString::number(o.averagePercent, 'f', 0) + QStringLiteral(" %") : none, verdict };
}

QString VerdictHeadline(const EmissionAssessment &a)
{
    return QCoreApplication::translate("ComplianceView", "%1 (class %2)")
        .arg(QCoreApplication::translate("ComplianceView", VerdictText(a.verdict)),
            EmissionClassText(a.emissionClass));
}

QColor VerdictColour(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return PassColour;
    case Verdict::Fail:
        return FailColour;
    case Verdict::NoLimits:
        return QColor(40, 90, 170);
    case Verdict::NoVerdict:
        break;
    }
    return QColor(110, 110, 110);
}

QString PeriodText(double seconds)
{
    const qint64 whole = std::max<qint64>(0, static_cast<qint64>(std::floor(seconds)));
    return QStringLiteral("%1:%2:%3")
        .arg(whole / 3600)
        .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

double ChartTopPercent(const EmissionAssessment &a)
{
    double top = 200;
    for (const OrderAssessment &o : a.orders)
        if (o.limit)
            top = std::max({ top, o.averagePercent, o.maxPercent });
    // Round up to the next 50 % so the scale's labels stay round.
    return std::ceil(top / 50) * 50;
}

void DrawComplianceChart(QPainter &painter, const QRect &area, const EmissionAssessment &a)
{
    painter.save();
    painter.fillRect(area, Qt::white);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::clamp(area.height() / 22, 9, 14));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int left = area.left() + metrics.horizontalAdvance(QStringLiteral("000 %")) + 6;
    const int bottom = area.bottom() - metrics.height() - 4;
    const int top = area.top() + metrics.height() / 2 + 2;
    const int right = area.right() - 4;
    const int height = std::max(1, bottom - top);
    const double scale = ChartTopPercent(a);
    const auto yOf
        = [&](double percent) { return bottom - static_cast<int>(std::lround(percent / scale * height)); };

    // Scale: a label every 50 %, the limit and the 150 % line drawn over the bars below.
    painter.setPen(GridColour);
    for (double p = 0; p <= scale + 0.5; p += 50) {
        const int y = yOf(p);
        painter.drawLine(left, y, right, y);
        painter.setPen(Qt::black);
        painter.drawText(
            QRect(area.left(), y - metrics.height() / 2, left - area.left() - 4, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(p, 'f', 0) + QStringLiteral(" %"));
        painter.setPen(GridColour);
    }

    const double slot = double(right - left) / AssessedOrders;
    const int barWidth = std::max(1, static_cast<int>(slot * 0.6));
    for (int i = 0; i < AssessedOrders; ++i) {
        const OrderAssessment &o = a.orders[size_t(i)];
        const int x = left + static_cast<int>(std::lround(i * slot + (slot - barWidth) / 2));
        if (o.order % 5 == 0 || o.order == FirstAssessedOrder) {
            painter.setPen(Qt::black);
            painter.drawText(QRect(x - 10, bottom + 2, barWidth + 20, metrics.height()), Qt::AlignHCenter,
                QString::number(o.order));
        }
        if (!o.limit || o.verdict == OrderVerdict::NoLimit)
            continue;
        const int y = yOf(o.averagePercent);
        painter.fillRect(
            QRect(x, y, barWidth, bottom - y), o.verdict == OrderVerdict::Fail ? FailColour : PassColour);
        const int tick = yOf(o.maxPercent);
        painter.setPen(QPen(TickColour, 2));
        painter.drawLine(x - 1, tick, x + barWidth, tick);
    }

    painter.setPen(QPen(FailColour, 1, Qt::SolidLine));
    painter.drawLine(left, yOf(100), right, yOf(100));
    painter.setPen(QPen(FailColour, 1, Qt::DashLine));
    painter.drawLine(left, yOf(150), right, yOf(150));
    painter.setPen(Qt::black);
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(left, top, left, bottom);
    painter.restore();
}
