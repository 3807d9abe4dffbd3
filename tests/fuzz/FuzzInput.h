#pragma once

// Takes a fuzzer's bytes apart: fixed-size fields first, then the rest.

#include <algorithm>
#include <cstddef>
#include <cstdint>

class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    // The next byte, 0 once the input is used up.
    uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // A little-endian 16-bit value.
    uint16_t word()
    {
        const uint16_t low = byte();
        return static_cast<uint16_t>(low | byte() << 8);
    }
    // Up to `count` bytes; fewer at the end of the input.
    size_t take(size_t count, const uint8_t *&first)
    {
        first = m_data + m_pos;
        const size_t n = std::min(count, m_size - m_pos);
        m_pos += n;
        return n;
    }
    size_t remaining() const { return m_size - m_pos; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};
