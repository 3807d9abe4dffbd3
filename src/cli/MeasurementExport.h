#pragma once

// A measurement as a CSV text in three tables, separated by an empty line: the fifteen
// values (quantity, value, unit), both harmonic spectra (order, voltage, current) and both
// waves in volts and amperes (sample, time, voltage, current, and the raw counts).

#include "measure/MeasurementRecord.h"

#include <QString>

#include <array>

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

QString MeasurementCsv(const MeasurementRecord &record);

// Reads a measurement file and writes it as CSV to `csvPath`, or to standard output when
// `csvPath` is "-". The CSV file appears whole or not at all. Throws CliError (file) naming
// the file and the reason.
void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath);
