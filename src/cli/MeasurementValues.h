#pragma once

// The fifteen values of a measurement as the command line writes them: as text for a
// person (the main window's number texts and units), as JSON and as CSV (the record's field
// names, numbers as the instrument sent them, written in the shortest form that reads back
// as the same single-precision value).

#include "measure/MeasurementRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>

struct ValueField
{
    const char *name; // the record's field name
    size_t offset; // in the record
    const char *unit; // empty for ratios; THD is a fraction
};

// Record order: URMS, UPP, UF, IRMS, IPP, IPA, PF, WRMS, PS, PQ, VTHD, ITHD, VKF, IKF, KWH.
extern const std::array<ValueField, 15> ValueFields;

float FieldValue(const MeasurementRecord &record, const ValueField &field);

// The shortest decimal text that reads back as the same float ("230.01", "5e-05"); "inf",
// "-inf" and "nan" for the values that have no number.
QString FloatText(float value);

// ISO 8601 with milliseconds and the offset from UTC: 2026-03-14T09:26:53.120+01:00.
QString IsoTime(const QDateTime &time);

// One line per value: name, number text as the main window shows it, unit.
QString MeasurementText(const MeasurementRecord &record, const QDateTime &time);

// {"time": "...", "URMS": 230.01, ...}; with `units`, also "units": {"URMS": "V", ...}.
// Values without a number are null.
QByteArray MeasurementJson(const MeasurementRecord &record, const QDateTime &time, bool units = false);

// CSV fields quoted where they need it (comma, quote, line break), rows ended by CRLF.
QString CsvField(const QString &text);
QString CsvRow(const QStringList &fields);

// time,URMS,UPP,...,KWH
QString MeasurementCsvHeader();
QString MeasurementCsvRow(const MeasurementRecord &record, const QDateTime &time);

// The record built from the 2530 data bytes of a measurement reply, as the program stores
// it (NaN scalars become 0), the rest at the start-up values.
MeasurementRecord RecordFromReply(const QByteArray &frame);
