#pragma once

// Measurement files: the 8052-byte record, byte for byte.

#include "measure/MeasurementRecord.h"

#include <QString>

// Both throw EInOutError carrying the system's text of the failure.
void SaveMeasurementFile(const QString &fileName, const MeasurementRecord &record);
// The record is left untouched when the file cannot be read whole.
void LoadMeasurementFile(const QString &fileName, MeasurementRecord &record);

enum class CommandLineKind { None, MeasurementFile, RecordFile };
// "vqm"/"VQM"/"Vqm", "vqr"/"VQR"/"Vqr" exactly
CommandLineKind ClassifyCommandLineFile(const QString &fileName);
