#pragma once

// Number texts and the parameter list of the measurement report.

#include "measure/MeasurementRecord.h"

#include <QString>
#include <QStringList>

// Rounded to `decimals` (ties to even) and written in the shortest form: 230.456 gives
// 230.46, 50 gives 50.
QString ReportDecimals(double value, int decimals);
// A THD fraction in percent: one decimal on screen, two on paper (0.03127: 3.1, 3.13).
QString ReportThdText(double fraction, bool print);
// A harmonic's peak amplitude as RMS (amplitude / 1.414), 2 decimals, ".00" after a whole
// number: 7.07 gives 5.00, 1.6968 gives 1.2.
QString ReportHarmonicRms(float amplitude);
// A harmonic's content in percent of its fundamental, 2 decimals, ".0" after a whole number,
// then "%": the fundamental itself reads 100.0%. Without a fundamental the harmonic table's
// rule holds.
QString ReportHarmonicPercent(float amplitude, float fundamental);

// The 14 lines of the parameter list, each label, value and unit, as the screen preview
// (`print` false) or the paper writes them.
QStringList ReportParameterLines(const MeasurementRecord &record, bool print);
