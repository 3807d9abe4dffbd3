#pragma once

// The export subcommand: a measurement file or a record file as CSV, written by the measure
// and record cores as the windows write it.

#include <QString>

// Reads a measurement file and writes it as CSV to `csvPath`, or to standard output when
// `csvPath` is "-". The CSV file appears whole or not at all. Throws CliError (file) naming
// the file and the reason.
void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath);

// The same for a record file: one row per sample.
void ExportRecordFile(const QString &recordPath, const QString &csvPath);
