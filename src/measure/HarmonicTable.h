#pragma once

// Cell texts of the harmonic table window.

#include "measure/MeasurementRecord.h"

#include <QString>
#include <QStringList>

struct HarmonicRow
{
    QString n, uRms, uContent, iRms, iContent;
}; // cell texts, prefixes included

HarmonicRow HarmonicTableRow(const MeasurementRecord &record, int order);
QStringList HarmonicTableHeader();
