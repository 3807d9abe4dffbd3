// The simulated instrument without a line: what it answers to each request of the
// register map, byte for byte where the frame is fixed.

#include "link/sim/SimCapture.h"
#include "link/sim/SimInstrument.h"

#include "FrameBytes.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using sim::Reply;
using simtest::Bytes;
using simtest::readFrame;
using simtest::writeFrame;

std::vector<Reply> send(sim::Instrument &instrument, const Bytes &request, double now = 1.0)
{
    return instrument.receive(request.data(), request.size(), now);
}

bool crcIsGood(const Bytes &frame)
{
    return frame.size() >= 3 && ModbusCRC16(frame.data(), static_cast<int>(frame.size())) == 0;
}

Bytes withCrc(Bytes frame)
{
    const uint16_t crc = ModbusCRC16(frame.data(), static_cast<int>(frame.size()));
    frame.push_back(crc & 0xFF);
    frame.push_back(crc >> 8);
    return frame;
}

std::array<uint8_t, 4> singleBytes(float value)
{
    const uint32_t bits = SingleBits(value);
    return { uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24) };
}

TEST(SimInstrument, AnswersEachReadWithTheFrameItsKindNeeds)
{
    struct Case
    {
        const char *name;
        uint16_t reg;
        uint16_t count;
        size_t replies;
        Reply::Kind kind;
        size_t length;
    };
    const Case cases[] = {
        { "measurement", 148, 2, 1, Reply::Kind::Measurement, 2532 },
        { "mode byte", 128, 2, 1, Reply::Kind::Value, 9 },
        { "AL1H", 118, 2, 1, Reply::Kind::Value, 9 },
        { "AL4L", 125, 2, 1, Reply::Kind::Value, 9 },
        { "alarm switches", 126, 2, 1, Reply::Kind::Value, 9 },
        { "starting-test page 1", 147, 0x0100, 1, Reply::Kind::StartingPage, 1710 },
        { "starting-test page 6", 147, 0x0600, 1, Reply::Kind::StartingPage, 1710 },
        { "no page 7", 147, 0x0700, 0, Reply::Kind::StartingPage, 0 },
        { "arming answers later", 147, 0x0022, 0, Reply::Kind::TriggerNotice, 0 },
        { "close notice", 186, 0, 0, Reply::Kind::Value, 0 },
        { "link watch", 187, 15, 0, Reply::Kind::Value, 0 },
        { "register outside the map", 200, 2, 0, Reply::Kind::Value, 0 },
        { "register 129 is write-only", 129, 2, 0, Reply::Kind::Value, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::Instrument instrument;
        const auto replies = send(instrument, readFrame(1, c.reg, c.count));
        ASSERT_EQ(replies.size(), c.replies);
        if (!c.replies)
            continue;
        EXPECT_EQ(replies[0].kind, c.kind);
        EXPECT_EQ(replies[0].bytes.size(), c.length);
        EXPECT_TRUE(crcIsGood(replies[0].bytes));
        EXPECT_EQ(instrument.readsOf(c.reg), 1);
    }
}

TEST(SimInstrument, ModeByteReadAndWritten)
{
    sim::Instrument instrument;
    auto replies = send(instrument, readFrame(1, 128, 2));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, (Bytes { 0x01, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00, 0xFA, 0x33 }));

    // The write is not answered; the next read carries the new byte.
    EXPECT_TRUE(send(instrument, writeFrame(1, 128, { 0x03, 0, 0, 0 })).empty());
    EXPECT_EQ(instrument.modeByte(), 0x03);
    replies = send(instrument, readFrame(1, 128, 2));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, (Bytes { 0x01, 0x03, 0x04, 0x03, 0x00, 0x00, 0x00, 0xFA, 0x77 }));
}

TEST(SimInstrument, AlarmRegistersAreAcknowledgedStoredAndReadBack)
{
    struct Case
    {
        uint16_t reg;
        std::array<uint8_t, 4> data;
    };
    const Case cases[] = {
        { 118, singleBytes(264.5f) },
        { 119, singleBytes(230.0f) },
        { 120, singleBytes(20.0f) },
        { 121, singleBytes(0.25f) },
        { 122, singleBytes(6000.0f) },
        { 123, singleBytes(10.0f) },
        { 124, singleBytes(1.0f) },
        { 125, singleBytes(0.8f) },
        { 126, { 0x82, 0, 0, 0 } },
    };
    sim::Instrument instrument;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reg);
        auto replies = send(instrument, writeFrame(1, c.reg, c.data));
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0].kind, Reply::Kind::WriteAck);
        EXPECT_EQ(replies[0].bytes, withCrc({ 0x01, 0x09, static_cast<uint8_t>(c.reg) }));
    }
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reg);
        auto replies = send(instrument, readFrame(1, c.reg, 2));
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(
            replies[0].bytes, withCrc({ 0x01, 0x03, 0x04, c.data[0], c.data[1], c.data[2], c.data[3] }));
    }
}

TEST(SimInstrument, AlarmLimitsHoldPlausibleValuesBeforeAnyWrite)
{
    sim::Instrument instrument;
    std::vector<float> limits;
    for (uint16_t reg = 118; reg <= 125; ++reg) {
        const auto replies = send(instrument, readFrame(1, reg, 2));
        ASSERT_EQ(replies.size(), 1u);
        limits.push_back(BytesToSingle(replies[0].bytes.data() + 3));
    }
    // Each upper limit lies above its lower limit.
    for (int k = 0; k < 8; k += 2)
        EXPECT_GT(limits[k], limits[k + 1]) << "limit pair " << k / 2 + 1;
}

TEST(SimInstrument, SettingsWritesAreTakenSilently)
{
    const std::pair<uint16_t, std::array<uint8_t, 4>> writes[] = {
        { 129, singleBytes(0.0001f) },
        { 154, { 0x00, 0x00, 0x5C, 0x43 } },
        { 158, { 0xCD, 0xCC, 0x4C, 0x3E } },
        { 166, { 0x02, 0, 0, 0 } },
        { 185, { 0xA7, 0, 0, 0 } },
    };
    sim::Instrument instrument;
    for (const auto &[reg, data] : writes) {
        SCOPED_TRACE(reg);
        EXPECT_TRUE(send(instrument, writeFrame(1, reg, data)).empty());
        EXPECT_EQ(instrument.writesOf(reg), 1);
        EXPECT_EQ(instrument.registerBytes(reg), data);
    }
    // A write outside the map changes nothing and is not answered.
    EXPECT_TRUE(send(instrument, writeFrame(1, 148, { 1, 2, 3, 4 })).empty());
    EXPECT_EQ(instrument.registerBytes(148), (std::array<uint8_t, 4> {}));
}

TEST(SimInstrument, IgnoresOtherAddressesAndBadCrc)
{
    sim::Instrument instrument(sim::InstrumentSettings { 3, 1.0, 1 });
    EXPECT_TRUE(send(instrument, readFrame(1, 148, 2)).empty());
    EXPECT_TRUE(send(instrument, writeFrame(1, 118, { 0, 0, 0, 0 })).empty());
    Bytes damaged = readFrame(3, 128, 2);
    damaged[6] ^= 0x01;
    EXPECT_TRUE(send(instrument, damaged).empty());

    const auto replies = send(instrument, readFrame(3, 128, 2));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes[0], 3) << "replies carry the instrument's own address";
    EXPECT_TRUE(crcIsGood(replies[0].bytes));
}

TEST(SimInstrument, StartingTestArmsThenNotifiesAfterTheDelayThenServesSixPages)
{
    sim::Instrument instrument(sim::InstrumentSettings { 1, 2.0, 7 });
    EXPECT_FALSE(instrument.nextEventTime().has_value());
    EXPECT_TRUE(send(instrument, readFrame(1, 147, 0x0022), 10.0).empty());
    EXPECT_TRUE(instrument.armed());
    EXPECT_EQ(instrument.rangeCode(), 0x22);
    ASSERT_TRUE(instrument.nextEventTime().has_value());
    EXPECT_DOUBLE_EQ(*instrument.nextEventTime(), 12.0);

    EXPECT_TRUE(instrument.advance(11.99).empty());
    const auto notice = instrument.advance(12.0);
    ASSERT_EQ(notice.size(), 1u);
    EXPECT_EQ(notice[0].kind, Reply::Kind::TriggerNotice);
    EXPECT_EQ(notice[0].bytes, withCrc({ 0x01, 0x0A, 146 }));
    EXPECT_TRUE(instrument.advance(20.0).empty()) << "one notice per arming";
    EXPECT_FALSE(instrument.armed());

    Bytes joined;
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        const auto replies = send(instrument, readFrame(1, 147, static_cast<uint16_t>(page << 8)), 13.0);
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_EQ(replies[0].bytes.size(), 1710u);
        EXPECT_EQ(replies[0].page, page);
        EXPECT_TRUE(crcIsGood(replies[0].bytes));
        joined.insert(joined.end(), replies[0].bytes.begin(), replies[0].bytes.end() - 2);
    }
    ASSERT_EQ(joined.size(), 10248u);
    EXPECT_EQ(joined, instrument.capture());
    EXPECT_FLOAT_EQ(BytesToSingle(joined.data()), sim::VoltageScaleFor(0x22));
    EXPECT_FLOAT_EQ(BytesToSingle(joined.data() + 4), sim::CurrentScaleFor(0x22));
}

TEST(SimInstrument, ArmingAgainRestartsTheWait)
{
    sim::Instrument instrument(sim::InstrumentSettings { 1, 2.0, 1 });
    send(instrument, readFrame(1, 147, 0x0000), 0.0);
    send(instrument, readFrame(1, 147, 0x0013), 1.5);
    EXPECT_TRUE(instrument.advance(2.5).empty());
    EXPECT_EQ(instrument.advance(3.5).size(), 1u);
    EXPECT_EQ(instrument.rangeCode(), 0x13);
}

TEST(SimInstrument, PagesBeforeAnyTestHoldAFlatCapture)
{
    sim::Instrument instrument;
    const auto replies = send(instrument, readFrame(1, 147, 0x0100));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_FLOAT_EQ(BytesToSingle(replies[0].bytes.data()), 1.0f);
    EXPECT_FLOAT_EQ(BytesToSingle(replies[0].bytes.data() + 4), 1.0f);
    EXPECT_EQ(replies[0].bytes[8] | replies[0].bytes[9] << 8, 2047);
}

TEST(SimInstrument, MeasurementFrameFollowsTheModeByteThdConvention)
{
    // Two instruments with the same seed measure the same waves; only the THD differs.
    sim::Instrument iec(sim::InstrumentSettings { 1, 1.0, 5 });
    sim::Instrument csa(sim::InstrumentSettings { 1, 1.0, 5 });
    send(csa, writeFrame(1, 128, { 0x02, 0, 0, 0 }));
    const Bytes a = send(iec, readFrame(1, 148, 2), 4.0).at(0).bytes;
    const Bytes b = send(csa, readFrame(1, 148, 2), 4.0).at(0).bytes;
    EXPECT_EQ(std::memcmp(a.data() + 476, b.data() + 476, 2530 - 476), 0) << "same waves";
    const float iecThd = BytesToSingle(a.data() + 40);
    const float csaThd = BytesToSingle(b.data() + 40);
    EXPECT_GT(iecThd, csaThd);
    EXPECT_NEAR(csaThd, iecThd / std::sqrt(1 + iecThd * iecThd), 1e-4);
}

} // namespace
