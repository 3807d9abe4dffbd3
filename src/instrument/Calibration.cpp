#include "instrument/Calibration.h"

#include "link/Frames.h"

#include <cstring>

void BuildCalibrationFrame(uint8_t *frame, uint8_t address, uint16_t reg, float value)
{
    const uint32_t bits = SingleBits(value);
    const uint8_t data[4] = { static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24) };
    const std::array<uint8_t, CalibrationFrameBytes> built = BuildWriteFrame(address, reg, data);
    std::memcpy(frame, built.data(), built.size());
}

std::array<uint8_t, CalibrationFrameBytes> CalibrationFrame(uint8_t address, uint16_t reg, float value)
{
    std::array<uint8_t, CalibrationFrameBytes> frame {};
    BuildCalibrationFrame(frame.data(), address, reg, value);
    return frame;
}

std::array<uint8_t, 4> CodeBytes(uint8_t code)
{
    return { code, 0, 0, 0 };
}

QString PresetValueText(const QString &caption)
{
    QString text = caption;
    if (text.endsWith(QLatin1Char('A')))
        text.chop(1);
    return text;
}
