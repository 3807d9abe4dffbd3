#pragma once

// A measurement as CSV: the fifteen values under the record's field names, written in the
// shortest form that reads back as the same single-precision value, and the whole
// measurement (values, both harmonic spectra, both waves in volts and amperes) as three
// tables. The main window's export and the command-line tool write the same bytes.

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
// The same into `out` (room for 16 characters); returns the end of the text.
char *WriteFloatText(char *out, float value);

// ISO 8601 with milliseconds and the offset from UTC: 2026-03-14T09:26:53.120+01:00.
QString IsoTime(const QDateTime &time);

// CSV fields quoted where they need it (comma, quote, line break), rows ended by CRLF.
QString CsvField(const QString &text);
QString CsvRow(const QStringList &fields);

// time,URMS,UPP,...,KWH
QString MeasurementCsvHeader();
QString MeasurementCsvRow(const MeasurementRecord &record, const QDateTime &time);

struct PhysicalWaves
{
    std::array<double, WaveSamples> timeMs {};
    std::array<double, WaveSamples> volts {};
    std::array<double, WaveSamples> amperes {};
};

// The waves in physical units on the scale the wave pane draws them: the largest deviation
// from the zero count is the peak value (UPP, IPP), and the 512 samples span four periods of
// UF (of 50 Hz when UF is not above 0). A wave without deviation is all 0.
PhysicalWaves WavesInPhysicalUnits(const MeasurementRecord &record);

// Three tables separated by an empty line: the fifteen values (quantity, value, unit), both
// harmonic spectra (order, peak voltage and current as stored, then their RMS values as the
// harmonic table shows them) and both waves (sample, time, voltage, current,
// and the raw counts).
QString MeasurementCsv(const MeasurementRecord &record);

// Writes MeasurementCsv of `record` to `csvPath`; the file appears whole or not at all.
// Throws EInOutError with the system's text.
void SaveMeasurementCsv(const MeasurementRecord &record, const QString &csvPath);

// File > Export CSV...: asks where to write (a file that exists is replaced only when the
// user agrees) and writes `record` there; a failure is shown with the file's name.
void ExportMeasurementCsvCommand(const MeasurementRecord &record);
