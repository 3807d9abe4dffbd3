#pragma once

// The harmonic compliance report: one page with the print information, the assessment's
// class, power and period, the verdict with its reason, the chart of each order's share of its
// limit, the order table and the note on what the verdict is worth. Laid out in proportions of
// any printable area; the print window's preview is the same page drawn on its bitmap.

#include "measure/HarmonicCompliance.h"
#include "report/PageGeometry.h"
#include "report/PrintInfo.h"
#include "report/ReportPainting.h"

#include <QRect>
#include <QString>

class QPainter;

// Where the page's parts go on a printable area of PW x PH device pixels. A portrait page
// stacks verdict, chart and table; a landscape one puts the table in a right-hand column.
struct CompliancePageLayout
{
    PageFrame frame;
    int titleY = 0;
    int titleRuleY = 0;
    QRect verdictBox; // headline and reason
    QRect factsBox; // class, power, period
    QRect chart;
    QRect table; // header row and one row per order 2..40
    int rowHeight = 0;
    QRect noteBox;
    int footerRuleY = 0;
    int footerRowY[2] = {};
    int footerX[3] = {};
};

CompliancePageLayout CompliancePageLayoutFor(int pw, int ph, int dpi = DesignDpi);

inline const QString ComplianceJobName = QStringLiteral("ComplianceReport");

// The page's lines about the assessment: "Emission class: D", the power the limits were
// worked out from and whether it was rated or measured, and the observation period.
QString ComplianceClassText(const EmissionAssessment &assessment);
QString CompliancePowerText(const EmissionAssessment &assessment);
QString CompliancePeriodText(const EmissionAssessment &assessment);

// The whole page; texts that would run into their neighbours or off the page are set smaller
// and at worst cut short. The box of every text drawn goes to `texts` when given.
void DrawCompliancePage(QPainter &painter, int pw, int ph, const EmissionAssessment &assessment,
    const PrintInfo &info, PageTexts *texts = nullptr);

// The preview: the page itself on a portrait area wp wide, CompliancePreviewHeight high.
int CompliancePreviewHeight(int wp);
void DrawCompliancePreview(QPainter &painter, int wp, int hp, const EmissionAssessment &assessment,
    const PrintInfo &info, PageTexts *texts = nullptr);
