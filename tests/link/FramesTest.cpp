#include "link/Frames.h"

#include "link/TComm.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

QByteArray bytes(const uint8_t *data, int n)
{
    return QByteArray(reinterpret_cast<const char *>(data), n);
}

QByteArray requestBuffer()
{
    return bytes(RequestBuffer.data(), RequestBufferSize);
}

uint16_t crcOf(const QByteArray &data)
{
    return ModbusCRC16(reinterpret_cast<const uint8_t *>(data.constData()), int(data.size()));
}

// Requests go through an open component on a fake device.
class FramesTest : public ::testing::Test
{
protected:
    FramesTest()
    {
        comm.pollTimer()->stop();
        comm.setPortOpen(true);
        SetRequestPort(&comm);
        RequestBuffer.fill(0);
    }
    ~FramesTest() override { SetRequestPort(nullptr); }

    FakeDialogs dialogs;
    FakeSerialBackend serial;
    FakePortMap ports { { { 2, "/dev/fake2" } } };
    FakePort &port = serial.port("/dev/fake2");
    TComm comm;
};

TEST(ModbusCrc, MatchesTheCheckValueOfCrc16Modbus)
{
    EXPECT_EQ(crcOf("123456789"), 0x4B37);
}

TEST(ModbusCrc, KnownShortInputs)
{
    const struct
    {
        QByteArray data;
        uint16_t crc;
    } cases[] = {
        { QByteArray(1, '\0'), 0x40BF },
        { QByteArray::fromHex("ff"), 0x00FF },
        { QByteArray::fromHex("010300940002"), 0xE785 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.data.toHex().toStdString());
        EXPECT_EQ(crcOf(c.data), c.crc);
    }
}

TEST_F(FramesTest, RequestsAreSentByteExact)
{
    const uint8_t switchOn[4] = { 0x01, 0x00, 0x00, 0x00 };
    const struct
    {
        const char *name;
        std::function<bool()> send;
        QByteArray frame;
    } cases[] = {
        { "read 148", [] { return SendReadRequest(1, 148, 2); }, QByteArray::fromHex("01030094000285e7") },
        { "write bytes 128", [&] { return SendWriteBytes(1, 128, switchOn); },
            QByteArray::fromHex("0110008000020401000000fa33") },
        { "write single 230.0 to 119", [] { return SendWriteValue(1, 119, 230.0f); },
            QByteArray::fromHex("0110007700020400006643df3c") },
        { "write integer, least significant byte first",
            [] { return SendWriteValue(7, 129, uint32_t(0x11223344)); },
            QByteArray::fromHex("071000810002044433221118d8") },
        { "count as a free parameter, high byte first", [] { return SendReadRequest(1, 147, 0x0300); },
            QByteArray::fromHex("010300930300b517") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        port.written.clear();
        EXPECT_TRUE(c.send());
        EXPECT_EQ(port.written.toHex(), c.frame.toHex());
        EXPECT_EQ(crcOf(port.written), 0) << "the CRC of a whole frame is 0";
    }
}

TEST(FrameBuilders, WholeFramesHaveCrcZero)
{
    const uint8_t data[][4] = { { 0, 0, 0, 0 }, { 0xFF, 0xFF, 0xFF, 0xFF }, { 0x12, 0x34, 0x56, 0x78 } };
    for (int address : { 0, 1, 247, 255 }) {
        for (int reg : { 0, 118, 148, 187, 0x1234 }) {
            SCOPED_TRACE(address * 100000 + reg);
            const auto read = BuildReadFrame(uint8_t(address), uint16_t(reg), 2);
            EXPECT_EQ(ModbusCRC16(read.data(), int(read.size())), 0);
            for (const auto &d : data) {
                const auto write = BuildWriteFrame(uint8_t(address), uint16_t(reg), d);
                EXPECT_EQ(ModbusCRC16(write.data(), int(write.size())), 0);
                EXPECT_EQ(write[2], uint8_t(reg >> 8));
                EXPECT_EQ(write[3], uint8_t(reg));
            }
        }
    }
}

TEST(BytesToSingle, ReadsTheLittleEndianImage)
{
    const struct
    {
        QByteArray image;
        float value;
    } cases[] = {
        { QByteArray::fromHex("0000803f"), 1.0f },
        { QByteArray::fromHex("00006643"), 230.0f },
        { QByteArray::fromHex("000080bf"), -1.0f },
        { QByteArray::fromHex("00000000"), 0.0f },
        { QByteArray::fromHex("0000807f"), INFINITY },
        { QByteArray::fromHex("01000000"), std::numeric_limits<float>::denorm_min() },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.image.toHex().toStdString());
        EXPECT_EQ(BytesToSingle(reinterpret_cast<const uint8_t *>(c.image.constData())), c.value);
    }
    const uint8_t nan[4] = { 0x00, 0x00, 0xC0, 0x7F };
    EXPECT_TRUE(std::isnan(BytesToSingle(nan)));
    const uint8_t negativeZero[4] = { 0, 0, 0, 0x80 };
    EXPECT_TRUE(std::signbit(BytesToSingle(negativeZero)));
}

TEST_F(FramesTest, ClosedPortSendsNothingAndLeavesTheBufferAlone)
{
    const uint8_t data[4] = { 1, 2, 3, 4 };
    const std::function<bool()> senders[] = {
        [] { return SendReadRequest(1, 148, 2); },
        [] { return SendWriteValue(1, 119, 230.0f); },
        [] { return SendWriteValue(1, 129, uint32_t(5)); },
        [&] { return SendWriteBytes(1, 128, data); },
    };
    for (int i = 0; i < RequestBufferSize; ++i)
        RequestBuffer[size_t(i)] = uint8_t(0xA0 + i);
    const QByteArray before = requestBuffer();

    comm.setPortOpen(false);
    for (const auto &send : senders)
        EXPECT_FALSE(send());
    SetRequestPort(nullptr);
    for (const auto &send : senders)
        EXPECT_FALSE(send());

    EXPECT_EQ(requestBuffer(), before);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(dialogs.messages.empty()) << "a closed port is reported by the callers";
}

TEST_F(FramesTest, RoutingByteFollowsTheLatestFrameBuiltInTheSharedBuffer)
{
    const uint8_t mode[4] = { 0x03, 0, 0, 0 };
    ASSERT_TRUE(SendReadRequest(1, 128, 2));
    EXPECT_EQ(RoutingByte(), 128);
    ASSERT_TRUE(SendWriteValue(1, 119, 1.5f));
    EXPECT_EQ(RoutingByte(), 128) << "a value write builds in a buffer of its own";
    EXPECT_EQ(requestBuffer().left(8), QByteArray::fromHex("010300800002c5e3"));
    ASSERT_TRUE(SendWriteBytes(1, 126, mode));
    EXPECT_EQ(RoutingByte(), 126);
    EXPECT_EQ(requestBuffer().left(13), port.written.right(13));
}

TEST_F(FramesTest, ShorterFrameKeepsTheOlderTailOfTheBuffer)
{
    const uint8_t data[4] = { 9, 9, 9, 9 };
    ASSERT_TRUE(SendWriteBytes(2, 200, data));
    const QByteArray tail = requestBuffer().mid(8, 5);
    ASSERT_TRUE(SendReadRequest(2, 148, 2));
    EXPECT_EQ(requestBuffer().mid(8, 5), tail);
    EXPECT_EQ(port.written.right(8), requestBuffer().left(8)) << "only the 8 bytes of a read are sent";
}

TEST_F(FramesTest, SendersReportAWriteTheDeviceDidNotTake)
{
    const uint8_t data[4] = { 1, 0, 0, 0 };
    const std::function<bool()> senders[] = {
        [] { return SendReadRequest(1, 148, 2); },
        [] { return SendWriteValue(1, 119, 230.0f); },
        [&] { return SendWriteBytes(1, 128, data); },
    };
    const struct
    {
        const char *name;
        std::function<void(FakePort &)> arrange;
    } failures[] = {
        { "write fails", [](FakePort &p) { p.failWrite = true; } },
        { "short write", [](FakePort &p) { p.writeLimit = 7; } },
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.name);
        port.failWrite = false;
        port.writeLimit = -1;
        f.arrange(port);
        for (const auto &send : senders)
            EXPECT_FALSE(send());
    }
    port.failWrite = false;
    port.writeLimit = -1;
    for (const auto &send : senders)
        EXPECT_TRUE(send());
}

} // namespace
