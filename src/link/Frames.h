#pragma once

// Request frames of the instrument's Modbus RTU dialect: read holding registers (0x03) and
// write of one 32-bit value (0x10), 32-bit values least significant byte first.

#include <array>
#include <cstdint>

class TComm;

constexpr int RequestBufferSize = 128;
extern std::array<uint8_t, RequestBufferSize> RequestBuffer;

// Byte 3 of RequestBuffer: low byte of the register of the latest frame built there.
inline uint8_t RoutingByte() { return RequestBuffer[3]; }

// The serial component every request goes through (the main window's Comm1).
void SetRequestPort(TComm *comm);
TComm *RequestPort();

uint16_t ModbusCRC16(const uint8_t *buffer, int n);

// Each returns false, building and sending nothing, when the port is closed, and false
// when the device did not take the whole frame.
bool SendReadRequest(uint8_t address, uint16_t reg, uint16_t count);
bool SendWriteValue(uint8_t address, uint16_t reg, uint32_t value);
bool SendWriteValue(uint8_t address, uint16_t reg, float value);
bool SendWriteBytes(uint8_t address, uint16_t reg, const uint8_t data[4]);

// Frame builders without sending, for the simulator and tests.
std::array<uint8_t, 8> BuildReadFrame(uint8_t address, uint16_t reg, uint16_t count);
std::array<uint8_t, 13> BuildWriteFrame(uint8_t address, uint16_t reg, const uint8_t data[4]);

float BytesToSingle(const uint8_t *bytes);
uint32_t SingleBits(float value);
