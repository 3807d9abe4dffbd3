#pragma once

// Request frames of the instrument's Modbus RTU dialect: read holding registers (0x03) and
// write of one 32-bit value (0x10), 32-bit values least significant byte first. The
// builders and conversions are pure functions over bytes; the senders below them
// (Requests.cpp) build into the shared request buffer and go through the request port.

#include "link/FrameBuilders.h"
#include "link/Globals.h"

// Byte 3 of RequestBuffer: low byte of the register of the latest frame built there.
inline uint8_t RoutingByte()
{
    return RequestBuffer[3];
}

// The serial component every request goes through: RequestComm of the shared state.
void SetRequestPort(TComm *comm);
TComm *RequestPort();

// Each returns false, building and sending nothing, when the port is closed, and false
// when the device did not take the whole frame. SendReadRequest and SendWriteBytes build
// in RequestBuffer; SendWriteValue in a frame of its own, so the routing byte stays.
bool SendReadRequest(uint8_t address, uint16_t reg, uint16_t count);
bool SendWriteValue(uint8_t address, uint16_t reg, uint32_t value);
bool SendWriteValue(uint8_t address, uint16_t reg, float value);
bool SendWriteBytes(uint8_t address, uint16_t reg, const uint8_t data[4]);
