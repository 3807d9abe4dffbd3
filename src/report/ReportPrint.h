#pragma once

// Printing a report as one page: the print information is read at the moment of printing,
// the job is named, the page drawn on the printable area and the job ended.

#include "measure/HarmonicCompliance.h"
#include "measure/MeasurementRecord.h"
#include "report/RecordReport.h"

class Printer;

// Each throws KmrError with the print system's (or the file system's) text; a job that
// failed on the way is dropped, never half printed.
void PrintMeasurementReport(Printer &printer, const MeasurementRecord &record);
// Returns the overflow marks computed for the printed chart.
RecordPagePoints PrintRecordReport(Printer &printer, const RecordReportInput &input);
void PrintComplianceReport(Printer &printer, const EmissionAssessment &assessment);
