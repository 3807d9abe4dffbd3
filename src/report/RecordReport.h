#pragma once

// The record report: the record window's chart with its scales, channel descriptions and
// record texts, previewed on screen and printed on one landscape-shaped page.

#include "report/PageGeometry.h"
#include "report/PrintInfo.h"
#include "report/ReportPainting.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <span>
#include <vector>

class QPainter;

constexpr int RecordReportChannels = 6;

enum class RecordRange { Positive, Bipolar, Negative };

// What the report reads from the record window, as the window shows it at the moment the
// preview is built or the page printed.
struct RecordReportInput
{
    // False before the first New or Open: the page then has no traces and no overflow marks.
    bool fileReady = false;

    // The record the chart shows (the live one in record mode, the loaded one in read mode):
    // each channel's samples from sample 0 on, at least `last` + 1 of them.
    std::array<std::span<const float>, RecordReportChannels> samples {};
    // Index of the record's newest sample: the sample count minus 1 of the live record, the
    // last valid index of a loaded one; -1 for a record without samples.
    int last = -1;
    // The view of the chart's mode: samples per column and newest samples skipped.
    int compression = 1;
    int offset = 0;
    RecordRange range = RecordRange::Positive;
    std::array<float, RecordReportChannels> scaleFactor { 1, 1, 1, 1, 1, 1 };
    std::array<bool, RecordReportChannels> visible { true, true, true, true, true, true };

    // Channel captions CH1 to CH6 and the status panels of the sampling step (0), the start
    // (2), the end (3) and the length (4), as the window shows them.
    std::array<QString, RecordReportChannels> captions;
    QString stepText, startText, endText, lengthText;

    // The chart as the record window displays it, for the preview: the trace area with the
    // 50-pixel axis strip at its right, and the size of the trace area alone.
    QImage chart;
    QSize traceArea;
    // The chart's fill (the drawing colours' background), shown while there is no picture.
    QColor chartBackground = QColor(0, 0, 0);
};

// The chart picture for RecordReportInput::chart from the record window's two drawing
// surfaces as it shows them: the top-left traceArea of the trace surface and, to its right, the
// top-left 50 pixels by the same height of the axis surface. Parts a surface lacks stay white.
QImage RecordChartPicture(const QImage &traceSurface, const QImage &axisSurface, const QSize &traceArea);

// The channel colours of traces, marks, scale texts and descriptions.
QColor RecordChannelColor(int channel); // 0 to 5

// Where the printed chart goes on a printable area of PW x PH device pixels. The chart's own
// distances are given in device pixels of a 600 dpi page and scaled to the page's resolution;
// its top and height follow the page.
struct RecordPageLayout
{
    PageFrame frame;
    int chartTop = 0; // Yt = round(2.2 T)
    int chartHeight = 0; // A = PH - 2 T - round(0.3 PH)
    int chartRight = 0; // R - 700: the grid's and the traces' right end
    int axisX = 0; // R - 500
    double pointStep = 10.0; // 10 design pixels between points
    int maxPoints = 0; // (R - L - 700) / 10, one point every 10 design pixels from L
    double gain = 0.0; // g = (PH - 2 T - 0.3 PH) / 500: pixels per unit at gain 1
    int aboveMarkY = 0; // round(2.1 T): base of the up-pointing overflow marks
    int belowMarkY = 0; // A + round(2.3 T): base of the down-pointing ones, and the scale line
};

RecordPageLayout RecordPageLayoutFor(int pw, int ph, int dpi = DesignDpi);

// The x of point j: L + 10 j design pixels.
int RecordPointX(const RecordPageLayout &layout, int j);

// The printed chart's points: point j of every channel at RecordPointX, its y as computed
// (before the trace is cut at the chart's edges), and the overflow marks of the printout.
struct RecordPagePoints
{
    int count = 0;
    std::array<std::vector<int>, RecordReportChannels> y;
    std::array<bool, RecordReportChannels> above {};
    std::array<bool, RecordReportChannels> below {};
};

RecordPagePoints RecordPagePointsFor(const RecordReportInput &input, const RecordPageLayout &layout);

// The value of one vertical division of a channel: 50 / gain to thousandths, or 25 / gain to
// ten-thousandths in the bipolar range, shortest form.
QString RecordDivisionText(float scaleFactor, RecordRange range);
// The label of scale tick i (0 to 50, every fifth labelled): "100%" at the top of the positive
// range down to "0%", "100%" to "-100%" bipolar, "-0%" to "-100%" negative.
QString RecordScaleLabel(int i, RecordRange range);

inline const QString RecordJobName = QStringLiteral("RecordReport");

// The page; returns the overflow marks computed for it, which the record window keeps
// (none computed, all clear, when no record file is ready). The rows of texts under the chart
// keep their places where they fit and close up (and at worst get smaller) where they would
// run into each other, into the overflow marks or off the page. The box of every text drawn
// goes to `texts` when given.
RecordPagePoints DrawRecordPage(QPainter &painter, int pw, int ph, const RecordReportInput &input,
    const PrintInfo &info, PageTexts *texts = nullptr);

// The preview's page height for a page width: landscape, wp / 1.414.
int RecordPreviewHeight(int wp);
// Height of the chart picture in the preview: round((wp - 100) / (width / height)) of the
// trace area.
int RecordPreviewChartHeight(int wp, const QSize &traceArea);
// Where the preview puts the chart picture: from (50, 75) across the page, RecordPreviewChartHeight
// high; a picture that would leave no room for the texts under it is made lower, keeping its
// proportions, and centred.
QRect RecordPreviewChartRect(int wp, int hp, const QSize &traceArea);
void DrawRecordPreview(QPainter &painter, int wp, int hp, const RecordReportInput &input,
    const PrintInfo &info, PageTexts *texts = nullptr);
