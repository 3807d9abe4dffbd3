#pragma once

// Streaming parser of the requests the instrument receives: 8-byte reads (function 0x03)
// and 13-byte writes of one 32-bit value (function 0x10, 00 02 04 header). Bytes may arrive
// in any chunks; bytes that belong to no frame with a good CRC are skipped, and frames for
// other addresses are consumed but not returned.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

struct Request
{
    enum class Kind { Read, Write };
    Kind kind = Kind::Read;
    uint8_t address = 0;
    uint16_t reg = 0;
    uint16_t count = 0; // reads only
    std::array<uint8_t, 4> data {}; // writes only, in the order sent

    bool operator==(const Request &) const = default;
};

constexpr int ReadFrameBytes = 8;
constexpr int WriteFrameBytes = 13;

class RequestParser
{
public:
    explicit RequestParser(uint8_t address = 1)
        : m_address(address)
    {
    }

    void setAddress(uint8_t address) { m_address = address; }
    uint8_t address() const { return m_address; }

    // Appends received bytes; returns the complete requests for this address, in order.
    std::vector<Request> feed(const uint8_t *bytes, size_t n);
    void clear() { m_buffer.clear(); }

    size_t pendingBytes() const { return m_buffer.size(); }
    int otherAddressFrames() const { return m_otherAddressFrames; }
    size_t skippedBytes() const { return m_skippedBytes; }

private:
    // Length of the frame with a good CRC that starts at `pos`, or 0.
    int frameAt(size_t pos) const;

    uint8_t m_address;
    std::vector<uint8_t> m_buffer;
    int m_otherAddressFrames = 0;
    size_t m_skippedBytes = 0;
};

} // namespace sim
