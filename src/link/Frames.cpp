#include "link/Frames.h"

#include <bit>
#include <cstring>

namespace {
void putCrc(uint8_t *frame, int n)
{
    const uint16_t crc = ModbusCRC16(frame, n);
    frame[n] = static_cast<uint8_t>(crc & 0xFF);
    frame[n + 1] = static_cast<uint8_t>(crc >> 8);
}

void writeHeader(uint8_t *frame, uint8_t address, uint8_t function, uint16_t reg)
{
    frame[0] = address;
    frame[1] = function;
    frame[2] = static_cast<uint8_t>(reg >> 8);
    frame[3] = static_cast<uint8_t>(reg & 0xFF);
}

void buildRead(uint8_t *frame, uint8_t address, uint16_t reg, uint16_t count)
{
    writeHeader(frame, address, 0x03, reg);
    frame[4] = static_cast<uint8_t>(count >> 8);
    frame[5] = static_cast<uint8_t>(count & 0xFF);
    putCrc(frame, 6);
}

void buildWrite(uint8_t *frame, uint8_t address, uint16_t reg, const uint8_t data[4])
{
    writeHeader(frame, address, 0x10, reg);
    frame[4] = 0x00;
    frame[5] = 0x02;
    frame[6] = 0x04;
    std::memcpy(frame + 7, data, 4);
    putCrc(frame, 11);
}
} // namespace

uint16_t ModbusCRC16(const uint8_t *buffer, int n)
{
    uint16_t crc = 0xFFFF;
    for (int i = 0; i < n; ++i) {
        crc ^= buffer[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : static_cast<uint16_t>(crc >> 1);
    }
    return crc;
}

std::array<uint8_t, 8> BuildReadFrame(uint8_t address, uint16_t reg, uint16_t count)
{
    std::array<uint8_t, 8> frame {};
    buildRead(frame.data(), address, reg, count);
    return frame;
}

std::array<uint8_t, 13> BuildWriteFrame(uint8_t address, uint16_t reg, const uint8_t data[4])
{
    std::array<uint8_t, 13> frame {};
    buildWrite(frame.data(), address, reg, data);
    return frame;
}

float BytesToSingle(const uint8_t *bytes)
{
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8
        | static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return std::bit_cast<float>(bits);
}

uint32_t SingleBits(float value)
{
    return std::bit_cast<uint32_t>(value);
}
