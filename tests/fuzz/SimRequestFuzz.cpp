// The simulated instrument's request parser fed arbitrary bytes in arbitrary chunks: it must
// never read outside its buffer, and every request it returns must be a frame that really
// was in the stream, with a good CRC, for its address.

#include "FuzzInput.h"
#include "link/Frames.h"
#include "link/sim/SimRequestParser.h"

#include <cstdlib>
#include <vector>

namespace {
bool crcIsGood(const uint8_t *frame, int length)
{
    const uint16_t crc = ModbusCRC16(frame, length - 2);
    return frame[length - 2] == (crc & 0xFF) && frame[length - 1] == (crc >> 8);
}

// Whether `request` is one of the frames of `stream`.
bool inStream(const std::vector<uint8_t> &stream, const sim::Request &request)
{
    const int length = request.kind == sim::Request::Kind::Read ? sim::ReadFrameBytes : sim::WriteFrameBytes;
    for (size_t at = 0; at + length <= stream.size(); ++at) {
        const uint8_t *f = stream.data() + at;
        if (f[0] != request.address || !crcIsGood(f, length) || (f[2] << 8 | f[3]) != request.reg)
            continue;
        if (request.kind == sim::Request::Kind::Read && f[1] == 0x03 && (f[4] << 8 | f[5]) == request.count)
            return true;
        if (request.kind == sim::Request::Kind::Write && f[1] == 0x10 && f[7] == request.data[0]
            && f[8] == request.data[1] && f[9] == request.data[2] && f[10] == request.data[3])
            return true;
    }
    return false;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t address = input.byte();
    sim::RequestParser parser(address);
    std::vector<uint8_t> stream;
    while (input.remaining() > 0) {
        const uint8_t *chunk = nullptr;
        const size_t n = input.take(input.byte() % 32, chunk);
        stream.insert(stream.end(), chunk, chunk + n);
        for (const sim::Request &request : parser.feed(chunk, n)) {
            if (request.address != address || !inStream(stream, request))
                std::abort();
        }
        // Only the start of a frame still arriving may wait for more bytes.
        if (parser.pendingBytes() >= size_t(sim::WriteFrameBytes))
            std::abort();
    }
    return 0;
}
