// Calibration frames byte for byte, codes and presets.

#include "instrument/Calibration.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace {

QByteArray hex(const std::array<uint8_t, CalibrationFrameBytes> &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), CalibrationFrameBytes).toHex(' ');
}

TEST(CalibrationFrame, IsTheWriteFrameOfTheFloat)
{
    struct Case
    {
        uint16_t reg;
        float value;
        const char *frame;
    } cases[] = {
        { VoltageCalibrationRegister, 220.0f, "01 10 00 9a 00 02 04 00 00 5c 43 02 4d" },
        { CurrentCalibrationRegister, 0.2f, "01 10 00 9e 00 02 04 cd cc 4c 3e 30 cc" },
        { VoltageCalibrationRegister, 0.0f, "01 10 00 9a 00 02 04 00 00 00 00 7a bc" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.frame);
        EXPECT_EQ(hex(CalibrationFrame(1, c.reg, c.value)), QByteArray(c.frame));
    }
    // The address leads the frame.
    EXPECT_EQ(CalibrationFrame(7, VoltageCalibrationRegister, 220.0f)[0], 7);
}

TEST(CalibrationCodes, TemperatureCodesAndUnlock)
{
    EXPECT_EQ(static_cast<int>(TemperatureCode::CalibrateNormal), 0);
    EXPECT_EQ(static_cast<int>(TemperatureCode::CalibrateLow), 1);
    EXPECT_EQ(static_cast<int>(TemperatureCode::CompensationOff), 2);
    EXPECT_EQ(static_cast<int>(TemperatureCode::CompensationOn), 3);
    EXPECT_EQ(CodeBytes(2), (std::array<uint8_t, 4> { 2, 0, 0, 0 }));
    EXPECT_EQ(CodeBytes(UnlockCode), (std::array<uint8_t, 4> { 0xA7, 0, 0, 0 }));
}

TEST(CalibrationPresets, TheUnitIsNotCopied)
{
    const char *cases[][2] = { { "220", "220" }, { "15", "15" }, { "8A", "8" }, { "0.2A", "0.2" } };
    for (const auto &c : cases)
        EXPECT_EQ(PresetValueText(QString::fromLatin1(c[0])), QString::fromLatin1(c[1]));
}

} // namespace
