#pragma once

// The export subcommand: a measurement file or a record file as CSV, written by the measure
// and record cores as the windows write it.

#include "record/RecordFile.h"

#include <QString>
#include <QStringList>

// Reads a measurement file and writes it as CSV to `csvPath`, or to standard output when
// `csvPath` is "-". A regular file appears whole or not at all, and an existing one is
// replaced only with `force`; a device or a FIFO is written directly; the input itself is
// refused (see OutputFile). Throws CliError (file) naming the file and the reason.
void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath, bool force = false);

// The same for a record file: one row per sample. What a damaged record makes the export
// leave out or take as it is goes to standard error, a line each.
void ExportRecordFile(const QString &recordPath, const QString &csvPath, bool force = false);

// What the record file at `recordPath` holds beyond what ReadRecordFile took (`info`, the
// samples in `arrays`): blocks past the 450th or a partial block at the end, a count past
// its blocks, samples dated before 1900. One text each; empty for a sound record.
QStringList RecordDamage(const QString &recordPath, const RecordFileInfo &info, const RecordArrays &arrays);
