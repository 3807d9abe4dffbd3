#include "link/Frames.h"
#include "link/TComm.h"

#include <algorithm>

namespace {
bool portIsOpen()
{
    return RequestComm && RequestComm->portOpen();
}

template <size_t N> bool send(const std::array<uint8_t, N> &frame)
{
    return RequestComm->SendBytes(frame.data(), static_cast<int>(N));
}
} // namespace

void SetRequestPort(TComm *comm)
{
    RequestComm = comm;
}

TComm *RequestPort()
{
    return RequestComm;
}

bool SendReadRequest(uint8_t address, uint16_t reg, uint16_t count)
{
    if (!portIsOpen())
        return false;
    const auto frame = BuildReadFrame(address, reg, count);
    std::copy(frame.begin(), frame.end(), RequestBuffer.begin());
    return send(frame);
}

bool SendWriteValue(uint8_t address, uint16_t reg, uint32_t value)
{
    if (!portIsOpen())
        return false;
    const uint8_t data[4] = { static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24) };
    return send(BuildWriteFrame(address, reg, data));
}

bool SendWriteValue(uint8_t address, uint16_t reg, float value)
{
    return SendWriteValue(address, reg, SingleBits(value));
}

bool SendWriteBytes(uint8_t address, uint16_t reg, const uint8_t data[4])
{
    if (!portIsOpen())
        return false;
    const auto frame = BuildWriteFrame(address, reg, data);
    std::copy(frame.begin(), frame.end(), RequestBuffer.begin());
    return send(frame);
}
