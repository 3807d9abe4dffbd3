#include "measure/MeasurementRecord.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {
const uint8_t NaNBytes[4] = { 0x00, 0x00, 0xC0, 0x7F };
const uint8_t InfinityBytes[4] = { 0x00, 0x00, 0x80, 0x7F };

float floatAt(const MeasurementRecord &record, size_t offset)
{
    float value;
    std::memcpy(&value, reinterpret_cast<const uint8_t *>(&record) + offset, sizeof value);
    return value;
}

uint32_t bitsAt(const MeasurementRecord &record, size_t offset)
{
    uint32_t value;
    std::memcpy(&value, reinterpret_cast<const uint8_t *>(&record) + offset, sizeof value);
    return value;
}

class MeasurementRecordTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::memset(&Measurement, 0, sizeof Measurement);
        InitMeasurement();
        reply.assign(MeasurementReplyDataBytes, 0);
    }
    void put(size_t offset, const uint8_t (&bytes)[4]) { std::memcpy(reply.data() + offset, bytes, 4); }

    std::vector<uint8_t> reply;
};
} // namespace

TEST_F(MeasurementRecordTest, StartUpValues)
{
    EXPECT_EQ(Measurement.SampleCount, 512);
    EXPECT_EQ(Measurement.UZero, 2047);
    EXPECT_EQ(Measurement.IZero, 2047);
    for (int k = 0; k < WaveSamples; ++k) {
        EXPECT_EQ(Measurement.UWave[k], 2047) << k;
        EXPECT_EQ(Measurement.IWave[k], 2047) << k;
    }
    for (size_t offset = 0; offset < 468; offset += 4)
        EXPECT_EQ(bitsAt(Measurement, offset), 0u) << "offset " << offset;
    EXPECT_EQ(Measurement.SpareFactorA, 1.0f);
    EXPECT_EQ(Measurement.SpareFactorB, 1.0f);
    for (uint8_t byte : Measurement.RecordTail)
        ASSERT_EQ(byte, 0);
}

TEST_F(MeasurementRecordTest, NaNScalarsBecomeZeroInfinitiesStay)
{
    // The 15 measured values and the two spare factors.
    const size_t scalars[] = { 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 468, 472 };
    for (size_t offset : scalars) {
        SCOPED_TRACE(testing::Message() << "offset " << offset);
        reply.assign(MeasurementReplyDataBytes, 0);
        put(offset, NaNBytes);
        StoreMeasurementReply(reply.data());
        EXPECT_EQ(bitsAt(Measurement, offset), 0u);

        put(offset, InfinityBytes);
        StoreMeasurementReply(reply.data());
        EXPECT_TRUE(std::isinf(floatAt(Measurement, offset)));
    }
}

TEST_F(MeasurementRecordTest, NaNInHarmonicsAndNegativeNaNPatterns)
{
    struct Case
    {
        const char *name;
        size_t offset;
        uint8_t bytes[4];
        bool kept;
    } cases[] = {
        { "PQ quiet NaN", 36, { 0x00, 0x00, 0xC0, 0x7F }, false },
        { "PQ signalling NaN", 36, { 0x01, 0x00, 0x80, 0x7F }, false },
        { "PQ negative NaN", 36, { 0x00, 0x00, 0xC0, 0xFF }, false },
        { "PQ negative infinity", 36, { 0x00, 0x00, 0x80, 0xFF }, true },
        { "UHarm[5] NaN", 60 + 5 * 4, { 0x00, 0x00, 0xC0, 0x7F }, true },
        { "IHarm[50] NaN", 264 + 50 * 4, { 0x00, 0x00, 0xC0, 0x7F }, true },
    };
    for (const Case &c : cases) {
        reply.assign(MeasurementReplyDataBytes, 0);
        std::memcpy(reply.data() + c.offset, c.bytes, 4);
        StoreMeasurementReply(reply.data());
        uint32_t expected;
        std::memcpy(&expected, c.bytes, 4);
        EXPECT_EQ(bitsAt(Measurement, c.offset), c.kept ? expected : 0u) << c.name;
    }
}

TEST_F(MeasurementRecordTest, ReplyLeavesTheTailAlone)
{
    for (int i = 0; i < RecordTailBytes; ++i)
        Measurement.RecordTail[i] = uint8_t(i * 7 + 1);
    for (int i = 0; i < MeasurementReplyDataBytes; ++i)
        reply[i] = uint8_t(i);
    put(36, NaNBytes);
    StoreMeasurementReply(reply.data());
    for (int i = 0; i < RecordTailBytes; ++i)
        ASSERT_EQ(Measurement.RecordTail[i], uint8_t(i * 7 + 1)) << i;
    // Everything before the tail is the reply, but for the NaN cleared in PQ.
    reply[36] = reply[37] = reply[38] = reply[39] = 0;
    EXPECT_EQ(std::memcmp(&Measurement, reply.data(), MeasurementReplyDataBytes), 0);
}

// A reader tells a new measurement by its serial; its time is the clock's when it was stored.
TEST_F(MeasurementRecordTest, EveryStoredReplyIsCountedWithTheTimeItArrived)
{
    FakeClock clock;
    const MeasurementArrival before = LatestArrival;
    StoreMeasurementReply(reply.data());
    EXPECT_EQ(LatestArrival.serial, before.serial + 1);
    EXPECT_EQ(LatestArrival.time, clock.current);
    clock.current = clock.current.addMSecs(1250);
    StoreMeasurementReply(reply.data()); // the same values again are a new measurement all the same
    EXPECT_EQ(LatestArrival.serial, before.serial + 2);
    EXPECT_EQ(LatestArrival.time, clock.current);
}
