#pragma once

// Helpers of the record tests: record files built byte by byte, independently of
// RecordBlock, and a folder to put them in.

#include "record/RecordFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

// Little-endian bytes of a value, by shifts rather than by copying memory.
template <typename T> inline void PutLittle(QByteArray &bytes, qsizetype at, T value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    for (size_t i = 0; i < sizeof value; ++i)
        bytes[at + qsizetype(i)] = char((bits >> (8 * i)) & 0xFF);
}

template <typename T> inline T GetLittle(const QByteArray &bytes, qsizetype at)
{
    uint64_t bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        bits |= uint64_t(uint8_t(bytes[at + qsizetype(i)])) << (8 * i);
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The value the tests put in channel `ch` at sample `i`, and its timestamp.
inline float SampleValue(int ch, int i)
{
    return float(ch + 1) * 1000.0f + float(i) * 0.25f;
}
inline double SampleTime(int i)
{
    return 46000.5 + i / 86400.0;
}

// One block made by hand: samples `first` .. `first` + 999 for those below `filled`.
inline QByteArray HandBlock(
    int first, int filled, int32_t count, const uint8_t (&signalBytes)[6], uint8_t step)
{
    QByteArray block(RecordBlockBytes, '\0');
    for (int j = 0; j < 1000 && first + j < filled; ++j) {
        for (int ch = 0; ch < 6; ++ch)
            PutLittle(block, ch * 4000 + 4 * j, SampleValue(ch, first + j));
        PutLittle(block, 24000 + 8 * j, SampleTime(first + j));
    }
    for (int ch = 0; ch < 6; ++ch)
        block[32000 + ch] = char(signalBytes[ch]);
    block[32006] = char(step);
    PutLittle(block, 32008, count);
    return block;
}

inline QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << qPrintable(path);
        return {};
    }
    return file.readAll();
}

inline void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << qPrintable(path);
}

// Fills `arrays` with SampleValue/SampleTime for samples 0 .. count − 1.
inline void FillArrays(RecordArrays &arrays, int count)
{
    for (int i = 0; i < count; ++i) {
        for (int ch = 0; ch < 6; ++ch)
            arrays.channel(ch)[i] = SampleValue(ch, i);
        arrays.timestamps()[i] = SampleTime(i);
    }
}
