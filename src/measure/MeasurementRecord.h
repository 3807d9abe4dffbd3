#pragma once

// The one measurement the program holds: the latest reply of the instrument or the content
// of a measurement file. Its first 2530 bytes are the reply's data bytes; all 8052 bytes
// are a measurement file, byte for byte.

#include "link/MeasurementLayout.h"

#include <QDateTime>

#include <cstdint>

extern MeasurementRecord Measurement;

// Which measurement reply `Measurement` holds and when it was stored: a reader that keeps the
// serial it last took can tell a new measurement from one it has seen already.
struct MeasurementArrival
{
    uint64_t serial = 0; // replies stored so far; 0 while none has been
    QDateTime time; // local time the latest was stored
};
extern MeasurementArrival LatestArrival;

// Start-up values: flat waves at 2047, zero values, spare factors 1.0, tail untouched.
void InitMeasurement();
// Copies the 2530 data bytes of a measurement reply over the start of the record and
// replaces NaN by 0 in the 17 scalar values (infinities stay); counts the reply in
// `LatestArrival` with the clock's time.
void StoreMeasurementReply(const uint8_t *data);
// True for a NaN bit pattern: all exponent bits set and a non-zero fraction.
bool IsNaNBits(float value);
