#pragma once

// The frames' bytes alone (CRC, builders, 32-bit value conversions; defined in Frames.cpp),
// without the shared state the senders of Frames.h build in: what the simulated instrument
// needs of the link.

#include <array>
#include <cstdint>

uint16_t ModbusCRC16(const uint8_t *buffer, int n);

std::array<uint8_t, 8> BuildReadFrame(uint8_t address, uint16_t reg, uint16_t count);
std::array<uint8_t, 13> BuildWriteFrame(uint8_t address, uint16_t reg, const uint8_t data[4]);

float BytesToSingle(const uint8_t *bytes);
uint32_t SingleBits(float value);
