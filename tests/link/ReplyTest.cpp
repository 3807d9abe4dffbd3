// Classification of fetched replies and the arithmetic of waiting and asking again, byte
// tables only: no window, no port.

#include "link/Reply.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/MeasurementLayout.h"
#include "link/Registers.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace {

QByteArray withCrc(QByteArray bytes)
{
    const uint16_t crc = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), int(bytes.size()));
    bytes.append(static_cast<char>(crc & 0xFF));
    bytes.append(static_cast<char>(crc >> 8));
    return bytes;
}

ClassifiedReply classify(const QByteArray &bytes, uint8_t routing)
{
    return ClassifyReply(reinterpret_cast<const uint8_t *>(bytes.constData()), int(bytes.size()), routing);
}

const char *kindName(ReplyKind kind)
{
    static const char *names[] = { "Short", "Damaged", "TooLong", "Measurement", "StartingPage",
        "RegisterValue", "WriteAcknowledge", "TriggerNotice", "Ignored" };
    return names[static_cast<int>(kind)];
}

TEST(ClassifyReply, EveryKindByLengthFunctionCodeAndRoutingByte)
{
    const QByteArray measurement = withCrc(QByteArray(MeasurementReplyDataBytes, '\x01'));
    QByteArray damagedMeasurement = measurement;
    damagedMeasurement[1000] = static_cast<char>(damagedMeasurement[1000] ^ 0x80);
    const QByteArray page = withCrc(QByteArray(StartingPageBytes, '\x02'));
    const QByteArray value = withCrc(QByteArray::fromHex("01030400006643"));

    struct Case
    {
        const char *name;
        QByteArray bytes;
        uint8_t routing;
        ReplyKind kind;
        uint8_t reg;
        int dataOffset;
    } cases[] = {
        { "nothing but one byte", QByteArray::fromHex("01"), 148, ReplyKind::Short, 0, 0 },
        { "four bytes, even with a good CRC", withCrc(QByteArray::fromHex("0103")), 128, ReplyKind::Short, 0,
            0 },
        { "five bytes, bad CRC", QByteArray::fromHex("0109760000"), 148, ReplyKind::Damaged, 0, 0 },
        { "measurement with one bit flipped", damagedMeasurement, 148, ReplyKind::Damaged, 0, 0 },
        { "longer than the frame buffer", withCrc(QByteArray(FrameBufferSize - 1, '\x11')), 148,
            ReplyKind::TooLong, 0, 0 },
        { "exactly the frame buffer, good CRC", withCrc(QByteArray(FrameBufferSize - 2, '\x11')), 148,
            ReplyKind::Ignored, 0, 0 },
        { "measurement, whatever was asked", measurement, 118, ReplyKind::Measurement, 0, 0 },
        { "all-zero measurement",
            QByteArray::fromHex(QByteArray(MeasurementReplyDataBytes * 2, '0') + "CF27"), 148,
            ReplyKind::Measurement, 0, 0 },
        { "starting page, whatever was asked", page, 128, ReplyKind::StartingPage, 0, 0 },
        { "value of the mode register", QByteArray::fromHex("01030403000000FA77"), 128,
            ReplyKind::RegisterValue, 128, 3 },
        { "value of the first alarm register", value, 118, ReplyKind::RegisterValue, 118, 3 },
        { "value of the switches", value, 126, ReplyKind::RegisterValue, 126, 3 },
        { "value of a register nobody reads", value, 127, ReplyKind::Ignored, 0, 0 },
        { "value asked as a measurement", value, 148, ReplyKind::Ignored, 0, 0 },
        { "value reply too short to hold a value", withCrc(QByteArray::fromHex("0103020000")), 118,
            ReplyKind::Ignored, 0, 0 },
        { "acknowledgement of the first alarm limit", withCrc(QByteArray::fromHex("010976")), 148,
            ReplyKind::WriteAcknowledge, 118, 0 },
        { "acknowledgement of the switches", withCrc(QByteArray::fromHex("01097E")), 148,
            ReplyKind::WriteAcknowledge, 126, 0 },
        { "acknowledgement below the alarm registers", withCrc(QByteArray::fromHex("010975")), 148,
            ReplyKind::Ignored, 0, 0 },
        { "acknowledgement of the mode byte", withCrc(QByteArray::fromHex("010980")), 148, ReplyKind::Ignored,
            0, 0 },
        { "trigger notice", withCrc(QByteArray::fromHex("010A92")), 147, ReplyKind::TriggerNotice, 146, 0 },
        { "function 0x0A for another register", withCrc(QByteArray::fromHex("010A93")), 147,
            ReplyKind::Ignored, 0, 0 },
        { "function 5", withCrc(QByteArray::fromHex("010500")), 148, ReplyKind::Ignored, 0, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const ClassifiedReply got = classify(c.bytes, c.routing);
        EXPECT_STREQ(kindName(got.kind), kindName(c.kind));
        if (c.kind == ReplyKind::RegisterValue || c.kind == ReplyKind::WriteAcknowledge) {
            EXPECT_EQ(got.reg, c.reg);
            EXPECT_EQ(got.dataOffset, c.dataOffset);
        }
        const bool again
            = c.kind == ReplyKind::Short || c.kind == ReplyKind::Damaged || c.kind == ReplyKind::TooLong;
        EXPECT_EQ(got.asksAgain(), again);
    }
}

TEST(ClassifyReply, ReadsNothingOfInputLongerThanTheFrameBuffer)
{
    // A null frame: any read of it would crash.
    EXPECT_EQ(ClassifyReply(nullptr, FrameBufferSize + 1, 148).kind, ReplyKind::TooLong);
    EXPECT_EQ(ClassifyReply(nullptr, 16384, 148).kind, ReplyKind::TooLong);
}

TEST(ResendCount, TheStartingTestCarriesItsPageInTheHighByte)
{
    struct Case
    {
        uint8_t reg, count;
        uint16_t sent;
    } cases[] = { { 147, 1, 0x0100 }, { 147, 3, 0x0300 }, { 147, 6, 0x0600 }, { 148, 2, 2 }, { 128, 2, 2 },
        { 118, 2, 2 }, { 146, 3, 3 } };
    for (const Case &c : cases)
        EXPECT_EQ(ResendCount(c.reg, c.count), c.sent) << int(c.reg) << "/" << int(c.count);
}

TEST(PacedWait, StepWaitBySpeedIndexCoversTheMeasurementOnTheWire)
{
    const int waits[] = { 120, 52, 36, 26, 13, 9, 6, 4 };
    const int speeds[] = { 4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200 };
    for (int index = 0; index < 8; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(StepWaitMs(index), waits[index]);
        // Fifty steps last at least about as long as the 2532 bytes take at 10 bits a byte.
        const double wireMs = 2532 * 10 * 1000.0 / speeds[index];
        EXPECT_GT(PacedSteps * StepWaitMs(index), wireMs * 0.85);
    }
    for (int none : { -1, 8, 100 })
        EXPECT_EQ(StepWaitMs(none), 0) << none;
}

TEST(PacedWait, OnlyTheLongRepliesAreWaitedFor)
{
    for (int reg = 0; reg < 256; ++reg)
        EXPECT_EQ(ExpectsLongReply(static_cast<uint8_t>(reg)), reg == 147 || reg == 148) << reg;
}

TEST(PacedWait, SettleBudgetIsTheWireTimeOfTheReplyAndOneQuietTime)
{
    struct Case
    {
        uint8_t reg;
        uint32_t bps;
        uint32_t expected;
        int quietMs, budgetMs;
    } cases[] = {
        { 148, 115200, 2532, 20, 220 + 20 }, // 2532 * 10 / 115.2 = 219.8 ms
        { 147, 115200, 1710, 20, 149 + 20 },
        { 148, 4800, 2532, 20, 5275 + 20 },
        { 148, 1200, 2532, 34, 21100 + 34 }, // four characters outlast the 20 ms floor
        { 148, 0, 2532, 40000, 25320000 + 40000 }, // no speed counts as 1 bit/s, never a division by 0
        { 128, 115200, 0, 0, 0 },
        { 118, 9600, 0, 0, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.reg) << " at " << c.bps);
        const SettleBudget budget = LongReplyBudget(c.reg, c.bps);
        EXPECT_EQ(budget.expectedBytes, c.expected);
        EXPECT_EQ(budget.quietMs, c.quietMs);
        EXPECT_EQ(budget.budgetMs, c.budgetMs);
    }
}

TEST(AlarmChain, EachRegisterAsksForTheNextOncePerChain)
{
    struct Case
    {
        uint8_t reg, step, next;
    } cases[] = {
        { 118, 0, 119 },
        { 118, 1, 0 }, // a second reply to 118 in the same chain
        { 119, 1, 120 },
        { 124, 6, 125 },
        { 125, 7, 126 },
        { 125, 8, 0 },
        { 126, 8, 0 }, // the switches end the chain
        { 117, 0, 0 },
        { 128, 0, 0 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(NextAlarmRead(c.reg, c.step), c.next) << int(c.reg) << " at step " << int(c.step);
    for (int step = 0; step < 256; ++step)
        EXPECT_EQ(ModeReplyStartsAlarmChain(static_cast<uint8_t>(step)), step < 4) << step;
}

TEST(StartingPages, OnlyPagesOneToSixHaveAPlaceInTheBuffer)
{
    EXPECT_EQ(StartingPageOffset(0), -1);
    for (int page = 1; page <= 6; ++page)
        EXPECT_EQ(StartingPageOffset(static_cast<uint8_t>(page)), (page - 1) * 1708) << page;
    EXPECT_EQ(StartingPageOffset(7), -1);
    EXPECT_EQ(StartingPageOffset(255), -1);
    EXPECT_LE(StartingPageOffset(StartingPages) + StartingPageBytes, StartingCaptureBytes);
}

} // namespace
