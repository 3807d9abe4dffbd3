#include "measure/MeasurementRecord.h"

#include "base/Platform.h"

#include <cstring>

MeasurementRecord Measurement {};
MeasurementArrival LatestArrival;

namespace {
// The record is packed, so its floats are reached through byte offsets, not pointers.
constexpr size_t ScalarOffsets[] = {
    offsetof(MeasurementRecord, URMS),
    offsetof(MeasurementRecord, UPP),
    offsetof(MeasurementRecord, UF),
    offsetof(MeasurementRecord, IRMS),
    offsetof(MeasurementRecord, IPP),
    offsetof(MeasurementRecord, IPA),
    offsetof(MeasurementRecord, PF),
    offsetof(MeasurementRecord, WRMS),
    offsetof(MeasurementRecord, PS),
    offsetof(MeasurementRecord, PQ),
    offsetof(MeasurementRecord, VTHD),
    offsetof(MeasurementRecord, ITHD),
    offsetof(MeasurementRecord, VKF),
    offsetof(MeasurementRecord, IKF),
    offsetof(MeasurementRecord, KWH),
};

uint8_t *bytesOf(MeasurementRecord &record)
{
    return reinterpret_cast<uint8_t *>(&record);
}

float floatAt(MeasurementRecord &record, size_t offset)
{
    float value;
    std::memcpy(&value, bytesOf(record) + offset, sizeof value);
    return value;
}

void setFloatAt(MeasurementRecord &record, size_t offset, float value)
{
    std::memcpy(bytesOf(record) + offset, &value, sizeof value);
}
} // namespace

void InitMeasurement()
{
    Measurement.SampleCount = WaveSamples;
    Measurement.UZero = 2047;
    Measurement.IZero = 2047;
    for (int k = 0; k < WaveSamples; ++k) {
        Measurement.UWave[k] = 2047;
        Measurement.IWave[k] = 2047;
    }
    for (int n = 0; n < HarmonicCount; ++n) {
        Measurement.UHarm[n] = 0.0f;
        Measurement.IHarm[n] = 0.0f;
    }
    for (size_t offset : ScalarOffsets)
        setFloatAt(Measurement, offset, 0.0f);
    Measurement.SpareFactorA = 1.0f;
    Measurement.SpareFactorB = 1.0f;
}

bool IsNaNBits(float value)
{
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    return (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0;
}

void StoreMeasurementReply(const uint8_t *data)
{
    std::memcpy(bytesOf(Measurement), data, MeasurementReplyDataBytes);
    auto clearNaN = [](size_t offset) {
        if (IsNaNBits(floatAt(Measurement, offset)))
            setFloatAt(Measurement, offset, 0.0f);
    };
    for (size_t offset : ScalarOffsets)
        clearNaN(offset);
    clearNaN(offsetof(MeasurementRecord, SpareFactorA));
    clearNaN(offsetof(MeasurementRecord, SpareFactorB));
    LatestArrival = { LatestArrival.serial + 1, platform::clock().now() };
}
