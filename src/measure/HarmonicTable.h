#pragma once

// Cell texts of the harmonic table window.

#include "measure/MeasurementRecord.h"

#include <QString>
#include <QStringList>

// Every data cell starts with these 21 blanks.
inline const QString HarmonicCellPrefix = QString(21, QLatin1Char(' '));
// What a content cell shows when its fundamental is 0 (or not a number) while its own
// amplitude is not 0: a percentage of nothing has no value, and any number would be read
// as a real content.
inline const QString HarmonicContentUndefined = QStringLiteral("---");

struct HarmonicRow
{
    QString n, uRms, uContent, iRms, iContent;
}; // cell texts, prefixes included

// Order 0 (DC) to 50. The amplitudes are peak values: RMS = amplitude / 1.41421, voltage
// with 2 decimals, current with 4; content = amplitude / fundamental in percent, 2 decimals.
HarmonicRow HarmonicTableRow(const MeasurementRecord &record, int order);
QStringList HarmonicTableHeader();
// The content of one order in percent of its fundamental, 2 decimals, `filler` appended to a
// whole number, then "%"; without prefix. Every window and report showing a content uses it,
// so an undefined content reads alike everywhere.
QString HarmonicContentText(float amplitude, float fundamental, const QString &filler);
