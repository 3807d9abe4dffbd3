#include "report/ReportPrint.h"

#include "report/ComplianceReport.h"
#include "report/MeasurementReport.h"
#include "report/PrintInfo.h"
#include "report/Printer.h"

#include <QPaintDevice>
#include <QPainter>

namespace {
template <typename Draw> void printPage(Printer &printer, const QString &jobName, Draw draw)
{
    QPainter &painter = printer.beginJob(jobName);
    try {
        const QPaintDevice *device = painter.device();
        draw(painter, device->width(), device->height());
    } catch (...) {
        printer.abortJob();
        throw;
    }
    printer.endJob();
}
} // namespace

void PrintMeasurementReport(
    Printer &printer, const MeasurementRecord &record, const MeasurementRecord *reference)
{
    const PrintInfo info = ReadPrintInfo();
    printPage(printer, MeasurementJobName(info), [&](QPainter &painter, int pw, int ph) {
        DrawMeasurementPage(painter, pw, ph, record, info, nullptr, reference);
    });
}

RecordPagePoints PrintRecordReport(Printer &printer, const RecordReportInput &input)
{
    const PrintInfo info = ReadPrintInfo();
    RecordPagePoints points;
    printPage(printer, RecordJobName,
        [&](QPainter &painter, int pw, int ph) { points = DrawRecordPage(painter, pw, ph, input, info); });
    return points;
}

void PrintComplianceReport(Printer &printer, const EmissionAssessment &assessment)
{
    const PrintInfo info = ReadPrintInfo();
    printPage(printer, ComplianceJobName,
        [&](QPainter &painter, int pw, int ph) { DrawCompliancePage(painter, pw, ph, assessment, info); });
}
