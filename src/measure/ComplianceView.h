#pragma once

// What the harmonic compliance window and its report show of an assessment: the table's
// texts, the verdict line and its colour, and the chart of each order's share of its limit,
// drawn with QPainter on any paint device.

#include "measure/HarmonicCompliance.h"

#include <QColor>
#include <QRect>
#include <QStringList>

class QPainter;

// Column captions of the order table.
QStringList ComplianceHeader();
// One row: order, limit, present, smoothed maximum and average (A, three decimals; "—" where
// the class sets no limit), the average's share of the limit, and the verdict.
QStringList ComplianceRowTexts(const OrderAssessment &order);
// "PASS", "FAIL", ... with the class: "FAIL (class D)".
QString VerdictHeadline(const EmissionAssessment &assessment);
QColor VerdictColour(Verdict verdict);
// Elapsed time as h:mm:ss.
QString PeriodText(double seconds);

// The highest share the chart's scale reaches: 200 %, or more to show the highest bar whole.
double ChartTopPercent(const EmissionAssessment &assessment);

// The chart in `area`: one bar per order 2..40 for the average's share of its limit, a tick
// for the highest smoothed value, the 100 % and 150 % lines, order labels every fifth
// order. Bars over the limit are red, others green; orders without a limit stay empty.
void DrawComplianceChart(QPainter &painter, const QRect &area, const EmissionAssessment &assessment);
