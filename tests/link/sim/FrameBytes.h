#pragma once

// Request and reply frames as byte vectors, for the simulator's tests.

#include "link/Frames.h"

#include <array>
#include <cstdint>
#include <vector>

namespace simtest {

using Bytes = std::vector<uint8_t>;

inline Bytes readFrame(uint8_t address, uint16_t reg, uint16_t count)
{
    const auto f = BuildReadFrame(address, reg, count);
    return Bytes(f.begin(), f.end());
}

inline Bytes writeFrame(uint8_t address, uint16_t reg, std::array<uint8_t, 4> data)
{
    const auto f = BuildWriteFrame(address, reg, data.data());
    return Bytes(f.begin(), f.end());
}

inline bool crcIsGood(const Bytes &frame)
{
    return frame.size() >= 3 && ModbusCRC16(frame.data(), static_cast<int>(frame.size())) == 0;
}

} // namespace simtest
