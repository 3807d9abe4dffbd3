#pragma once

// The layout of the measurement block: the 2530 data bytes of the instrument's measurement
// reply, as the instrument sends them and as they sit at the start of the program's
// measurement record, followed by the record's tail (all 8052 bytes are a measurement file).
// Both the program and the simulated instrument build on it.

#include <bit>
#include <cstddef>
#include <cstdint>

constexpr int HarmonicCount = 51; // orders 0 to 50
constexpr int WaveSamples = 512;
constexpr int MeasurementReplyDataBytes = 2530;
constexpr int MeasurementReplyBytes = 2532; // data plus CRC
constexpr int MeasurementRecordBytes = 8052;
constexpr int RecordTailBytes = MeasurementRecordBytes - MeasurementReplyDataBytes;

#pragma pack(push, 1)
struct MeasurementRecord
{
    float URMS;
    float UPP;
    float UF;
    float IRMS;
    float IPP;
    float IPA;
    float PF;
    float WRMS;
    float PS;
    float PQ;
    float VTHD;
    float ITHD;
    float VKF;
    float IKF;
    float KWH;
    float UHarm[HarmonicCount];
    float IHarm[HarmonicCount];
    float SpareFactorA;
    float SpareFactorB;
    uint16_t SampleCount;
    uint16_t UWave[WaveSamples];
    uint16_t IWave[WaveSamples];
    uint16_t UZero;
    uint16_t IZero;
    uint8_t RecordTail[RecordTailBytes];
};
#pragma pack(pop)

static_assert(sizeof(MeasurementRecord) == MeasurementRecordBytes);
static_assert(offsetof(MeasurementRecord, KWH) == 56);
static_assert(offsetof(MeasurementRecord, UHarm) == 60);
static_assert(offsetof(MeasurementRecord, IHarm) == 264);
static_assert(offsetof(MeasurementRecord, SpareFactorA) == 468);
static_assert(offsetof(MeasurementRecord, SpareFactorB) == 472);
static_assert(offsetof(MeasurementRecord, SampleCount) == 476);
static_assert(offsetof(MeasurementRecord, UWave) == 478);
static_assert(offsetof(MeasurementRecord, IWave) == 1502);
static_assert(offsetof(MeasurementRecord, UZero) == 2526);
static_assert(offsetof(MeasurementRecord, IZero) == 2528);
static_assert(offsetof(MeasurementRecord, RecordTail) == MeasurementReplyDataBytes);

// The record is the wire and file image as it is in memory.
static_assert(std::endian::native == std::endian::little, "the record layout is little-endian");
