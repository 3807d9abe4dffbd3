#include "instrument/CtDelay.h"

#include "base/NumberInput.h"

#include <QCoreApplication>

float CtDelaySeconds(float angleDegrees, float frequencyHz)
{
    const long double period = 1.0L / static_cast<long double>(frequencyHz);
    const long double share = static_cast<long double>(angleDegrees) / 360.0L;
    return static_cast<float>(period * share);
}

CtDelayResult CtDelayFromTexts(const QString &angleText, const QString &frequencyText)
{
    const float frequency = DecimalSingle(frequencyText);
    if (frequency > 61.0f)
        return { false,
            QCoreApplication::translate(
                "CtDelay", "  Frequency is higher than 60HZ, the data is invalid!    "),
            0.0f };
    if (frequency < 49.0f)
        return { false,
            QCoreApplication::translate("CtDelay", "  Frequency is less than 50HZ, data is invalid!   "),
            0.0f };
    const float angle = DecimalSingle(angleText);
    if (angle > 30.0f)
        return { false,
            QCoreApplication::translate(
                "CtDelay", "  Angle difference can not be greater than 30 degrees, the data is invalid!    "),
            0.0f };
    if (angle < -30.0f)
        return { false,
            QCoreApplication::translate(
                "CtDelay", "  Angle difference can not be less than -30 degrees, the data is invalid!   "),
            0.0f };
    return { true, QString(), CtDelaySeconds(angle, frequency) };
}
