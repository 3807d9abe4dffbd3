// The simulator's request parser: frames for its address with a good CRC come out, in
// order, however the bytes are chunked; everything else is skipped.

#include "link/sim/SimRequestParser.h"

#include "FrameBytes.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using sim::Request;
using simtest::Bytes;
using simtest::readFrame;
using simtest::writeFrame;

Bytes join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes badCrc(Bytes frame)
{
    frame.back() ^= 0x5A;
    return frame;
}

Request read(uint16_t reg, uint16_t count, uint8_t address = 1)
{
    Request r;
    r.kind = Request::Kind::Read;
    r.address = address;
    r.reg = reg;
    r.count = count;
    return r;
}

Request write(uint16_t reg, std::array<uint8_t, 4> data, uint8_t address = 1)
{
    Request r;
    r.kind = Request::Kind::Write;
    r.address = address;
    r.reg = reg;
    r.data = data;
    return r;
}

struct Case
{
    const char *name;
    Bytes input;
    std::vector<size_t> chunks; // sizes fed one after another; the rest in one go
    std::vector<Request> expected;
};

TEST(RequestParser, FramesComeOutWhateverTheChunkingAndNoise)
{
    const Bytes read148 = readFrame(1, 148, 2);
    const Bytes write119 = writeFrame(1, 119, { 0x00, 0x00, 0x66, 0x43 });
    const Case cases[] = {
        { "good read", read148, {}, { read(148, 2) } },
        { "good write", write119, {}, { write(119, { 0x00, 0x00, 0x66, 0x43 }) } },
        { "the published read of register 148", { 0x01, 0x03, 0x00, 0x94, 0x00, 0x02, 0x85, 0xE7 }, {},
            { read(148, 2) } },
        { "wrong address", readFrame(2, 148, 2), {}, {} },
        { "wrong address write", writeFrame(7, 118, { 1, 2, 3, 4 }), {}, {} },
        { "bad CRC read", badCrc(read148), {}, {} },
        { "bad CRC write", badCrc(write119), {}, {} },
        { "garbage before a frame", join({ { 0xFF, 0x00, 0x13, 0x01 }, read148 }), {}, { read(148, 2) } },
        { "garbage that looks like a write header", join({ { 0x01, 0x10, 0x00 }, read148 }), {},
            { read(148, 2) } },
        { "frame split across chunks", read148, { 3, 2, 1 }, { read(148, 2) } },
        { "write split byte by byte", write119, { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 },
            { write(119, { 0x00, 0x00, 0x66, 0x43 }) } },
        { "two frames in one chunk", join({ readFrame(1, 128, 2), write119 }), {},
            { read(128, 2), write(119, { 0x00, 0x00, 0x66, 0x43 }) } },
        { "frame for another address between two",
            join({ readFrame(1, 118, 2), readFrame(9, 118, 2), readFrame(1, 119, 2) }), {},
            { read(118, 2), read(119, 2) } },
        { "damaged frame, then a good one", join({ badCrc(readFrame(1, 118, 2)), readFrame(1, 120, 2) }),
            { 5 }, { read(120, 2) } },
        { "page request keeps the count's high byte", readFrame(1, 147, 0x0300), {}, { read(147, 0x0300) } },
        { "a write with another register count is not a request",
            [] {
                Bytes f = { 0x01, 0x10, 0x00, 0x76, 0x00, 0x04, 0x08, 0, 0, 0, 0 };
                const uint16_t crc = ModbusCRC16(f.data(), static_cast<int>(f.size()));
                f.push_back(crc & 0xFF);
                f.push_back(crc >> 8);
                return f;
            }(),
            {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        sim::RequestParser parser(1);
        std::vector<Request> got;
        size_t pos = 0;
        for (size_t size : c.chunks) {
            const auto part = parser.feed(c.input.data() + pos, size);
            got.insert(got.end(), part.begin(), part.end());
            pos += size;
        }
        const auto rest = parser.feed(c.input.data() + pos, c.input.size() - pos);
        got.insert(got.end(), rest.begin(), rest.end());
        EXPECT_EQ(got, c.expected);
    }
}

TEST(RequestParser, PartialFrameWaitsAndNoiseNeverPilesUp)
{
    sim::RequestParser parser(1);
    const Bytes frame = readFrame(1, 148, 2);
    EXPECT_TRUE(parser.feed(frame.data(), 7).empty());
    EXPECT_EQ(parser.pendingBytes(), 7u);

    // A long run of noise leaves no more than one frame's worth of bytes behind...
    Bytes noise(1000);
    for (size_t k = 0; k < noise.size(); ++k)
        noise[k] = static_cast<uint8_t>(k * 37 + 11);
    EXPECT_TRUE(parser.feed(noise.data(), noise.size()).empty());
    EXPECT_LE(parser.pendingBytes(), 12u);

    // ...and the next good frame still comes through.
    const auto got = parser.feed(frame.data(), frame.size());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], read(148, 2));
}

TEST(RequestParser, CountsFramesForOtherAddresses)
{
    sim::RequestParser parser(5);
    const Bytes input
        = join({ readFrame(1, 148, 2), readFrame(5, 148, 2), writeFrame(6, 118, { 0, 0, 0, 0 }) });
    const auto got = parser.feed(input.data(), input.size());
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].address, 5);
    EXPECT_EQ(parser.otherAddressFrames(), 2);
}

} // namespace
