#pragma once

// The instrument's register map: every register the program and the simulated instrument
// read or write. Only the low byte travels in the routing byte; all of them are below 256.

#include <cstdint>

enum InstrumentRegister : uint16_t {
    RegAlarmFirst = 118, // AL1H, AL1L, AL2H, AL2L, AL3H, AL3L, AL4H, AL4L are 118 .. 125
    RegAlarmLast = 125,
    RegAlarmSwitches = 126, // one byte, bit n switches alarm n + 1
    RegMode = 128, // bit 0 bandwidth, bit 1 THD convention
    RegCtDelay = 129, // external current-transformer compensation
    RegTriggerNotice = 146, // the starting test's trigger has fired (function 0x0A)
    RegStartingTest = 147, // arm the trigger; the page number in the count's high byte
    RegMeasurement = 148,
    RegVoltageCalibration = 154,
    RegCurrentCalibration = 158,
    RegCalibrationStep = 166,
    RegCalibrationEnable = 185,
    RegCloseNotice = 186, // sent once when the program ends on the USB link
    RegLinkWatch = 187, // periodic request of the USB link watch
};

// Function codes of the replies that are not a long block.
constexpr uint8_t FunctionRead = 0x03;
constexpr uint8_t FunctionWriteAck = 0x09;
constexpr uint8_t FunctionTriggerNotice = 0x0A;

constexpr int ValueReplyBytes = 9; // address, 03, 04, four data bytes, CRC
constexpr int ShortNoticeBytes = 5; // address, 09 or 0A, register, CRC
