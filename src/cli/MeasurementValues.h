#pragma once

// The fifteen values of a measurement as the command line writes them: as text for a
// person (the main window's number texts and units) and as JSON (the record's field names,
// numbers as the instrument sent them, written in the shortest form that reads back as the
// same single-precision value). The CSV forms are the measure core's (MeasurementCsv.h).

#include "measure/MeasurementCsv.h"
#include "measure/MeasurementRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

// One line per value: name, number text as the main window shows it, unit.
QString MeasurementText(const MeasurementRecord &record, const QDateTime &time);

// {"time": "...", "URMS": 230.01, ...}; with `units`, also "units": {"URMS": "V", ...}.
// Values without a number are null.
QByteArray MeasurementJson(const MeasurementRecord &record, const QDateTime &time, bool units = false);

// The record built from the 2530 data bytes of a measurement reply, as the program stores
// it (NaN scalars become 0), the rest at the start-up values.
MeasurementRecord RecordFromReply(const QByteArray &frame);
