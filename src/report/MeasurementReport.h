#pragma once

// The measurement report: its screen preview in fixed pixels and its page laid out in
// proportions of any printable area.

#include "measure/MeasurementRecord.h"
#include "report/PageGeometry.h"
#include "report/PrintInfo.h"
#include "report/ReportPainting.h"

#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

// Where the page's elements go on a printable area of PW x PH device pixels. Rectangles run
// from their first to their last pixel, both inclusive, as they are stroked.
struct MeasurementPageLayout
{
    PageFrame frame;
    QPoint titleStart; // "   Report" starts here; "Measurement" ends at its x
    QPoint pageMark;
    int titleRuleY = 0;
    QRect waveBox;
    QPoint waveCaption;
    int referenceY[3] = {}; // the three dash-dot lines across the wave box
    QRect spectrumBox[2]; // voltage, current
    QPoint spectrumCaption[2];
    int axisY[2] = {};
    int barSpacing = 0; // d: x(n) = firstBarX + n d
    int firstBarX = 0;
    int barOffset = 0; // e: a bar runs from x(n) + e to x(n) + e + barWidth
    int barWidth = 7;
    int labelDrop = 3; // order numbers stand this far under the axis, plus 0.03 bh
    int barPen = 0;
    QPoint parameterOrigin; // line j at y + j * parameterStep
    int parameterStep = 0;
    int tableRuleY = 0;
    QPoint tableCaption;
    QRect tableFrame;
    int columnWidth = 0; // cw
    int rowHeight = 0; // rh
    int tablePen = 0; // frame, rule and the two group separators
    int footerRuleY = 0;
    int footerRowY[2] = {};
    int footerX[3] = {};
};

// `dpi` scales the few distances given in device pixels (bar width, label drop).
// With a `reference`, the page draws its waves as dashed traces and its bars as outlines
// beside the live ones, in the lighter shades of their colours, on scales covering both.
MeasurementPageLayout MeasurementPageLayoutFor(int pw, int ph, int dpi = DesignDpi);

// The whole page on a device whose printable area is pw x ph device pixels; a landscape
// area (wider than high) takes the smaller font sizes. Texts that would run into their
// neighbours or off the page are set smaller or cut short. The box of every text drawn goes
// to `texts` when given.
void DrawMeasurementPage(QPainter &painter, int pw, int ph, const MeasurementRecord &record,
    const PrintInfo &info, PageTexts *texts = nullptr, const MeasurementRecord *reference = nullptr);

// The print job's name: the project name followed by "TestReport".
QString MeasurementJobName(const PrintInfo &info);

// The screen preview, drawn in fixed pixels for a page width wp of about 700; only the right
// ends of the rules and of the table, and the footer rows, follow wp and hp. A `reference`
// is drawn as on the page.
void DrawMeasurementPreview(QPainter &painter, int wp, int hp, const MeasurementRecord &record,
    const PrintInfo &info, PageTexts *texts = nullptr, const MeasurementRecord *reference = nullptr);

// The preview's page height for a page width: portrait, wp * 1.414 truncated.
int MeasurementPreviewHeight(int wp);
// The preview grid's column step: u = round((wp - 190) / 12).
int PreviewTableStep(int wp);
