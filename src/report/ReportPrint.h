#pragma once

// Printing a report as one page: the print information is read at the moment of printing,
// the job is named, the page drawn on the printable area and the job ended.

#include "measure/HarmonicCompliance.h"
#include "measure/MeasurementRecord.h"
#include "report/RecordReport.h"

class Printer;

// Each throws KmrError with the print system's (or the file system's) text; a job that
// failed on the way is dropped, never half printed.
// `reference`: a reference measurement whose traces the page draws too (nullptr: none).
void PrintMeasurementReport(
    Printer &printer, const MeasurementRecord &record, const MeasurementRecord *reference = nullptr);
// Returns the overflow marks computed for the printed chart.
RecordPagePoints PrintRecordReport(Printer &printer, const RecordReportInput &input);
void PrintComplianceReport(Printer &printer, const EmissionAssessment &assessment);
