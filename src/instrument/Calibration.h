#pragma once

// Calibration writes: the reference value of the voltage or current channel, the
// temperature-compensation codes and the unlock code.

#include <QString>

#include <array>
#include <cstdint>

constexpr uint16_t VoltageCalibrationRegister = 154;
constexpr uint16_t CurrentCalibrationRegister = 158;
constexpr uint16_t CalibrationStepRegister = 166;
constexpr uint16_t CalibrationEnableRegister = 185;
constexpr uint8_t UnlockCode = 0xA7;
constexpr int CalibrationFrameBytes = 13;

// Codes of the calibration-step register.
enum class TemperatureCode : uint8_t {
    CalibrateNormal = 0,
    CalibrateLow = 1,
    CompensationOff = 2,
    CompensationOn = 3
};

// Writes the 13-byte write frame of `value` to `reg` into `frame`: address, 0x10, register,
// count 2, four data bytes, the float least significant byte first, then the CRC.
void BuildCalibrationFrame(uint8_t *frame, uint8_t address, uint16_t reg, float value);
std::array<uint8_t, CalibrationFrameBytes> CalibrationFrame(uint8_t address, uint16_t reg, float value);

// The four data bytes of a one-code write: the code, then three zeros.
std::array<uint8_t, 4> CodeBytes(uint8_t code);

// The text a preset button puts into its edit box: its caption without the unit "A".
QString PresetValueText(const QString &caption);
