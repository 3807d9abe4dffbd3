#include "link/sim/SimRequestParser.h"

#include "link/FrameBuilders.h"

#include <algorithm>

namespace sim {

namespace {
bool crcIsGood(const uint8_t *frame, int length)
{
    const uint16_t crc = ModbusCRC16(frame, length - 2);
    return frame[length - 2] == (crc & 0xFF) && frame[length - 1] == (crc >> 8);
}

uint16_t word(const uint8_t *high)
{
    return static_cast<uint16_t>(high[0] << 8 | high[1]);
}
} // namespace

int RequestParser::frameAt(size_t pos) const
{
    const size_t available = m_buffer.size() - pos;
    if (available < ReadFrameBytes)
        return 0;
    const uint8_t *frame = m_buffer.data() + pos;
    if (frame[1] == 0x03 && crcIsGood(frame, ReadFrameBytes))
        return ReadFrameBytes;
    if (frame[1] == 0x10 && available >= WriteFrameBytes && frame[4] == 0x00 && frame[5] == 0x02
        && frame[6] == 0x04 && crcIsGood(frame, WriteFrameBytes))
        return WriteFrameBytes;
    return 0;
}

std::vector<Request> RequestParser::feed(const uint8_t *bytes, size_t n)
{
    m_buffer.insert(m_buffer.end(), bytes, bytes + n);
    std::vector<Request> requests;
    for (;;) {
        // The earliest complete frame wins; whatever lies before it is line noise.
        size_t pos = 0;
        int length = 0;
        for (; pos + ReadFrameBytes <= m_buffer.size(); ++pos) {
            length = frameAt(pos);
            if (length)
                break;
        }
        if (!length) {
            // A frame that is still arriving starts within the last 12 bytes; anything
            // older can no longer begin one.
            const size_t keep = WriteFrameBytes - 1;
            if (m_buffer.size() > keep) {
                const size_t drop = m_buffer.size() - keep;
                m_skippedBytes += drop;
                m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(drop));
            }
            return requests;
        }
        m_skippedBytes += pos;
        const uint8_t *frame = m_buffer.data() + pos;
        if (frame[0] == m_address) {
            Request request;
            request.address = frame[0];
            request.reg = word(frame + 2);
            if (length == ReadFrameBytes) {
                request.kind = Request::Kind::Read;
                request.count = word(frame + 4);
            } else {
                request.kind = Request::Kind::Write;
                std::copy(frame + 7, frame + 11, request.data.begin());
            }
            requests.push_back(request);
        } else {
            ++m_otherAddressFrames;
        }
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(pos + length));
    }
}

} // namespace sim
