#pragma once

// The external current transformer's phase error as a time delay: the part of one mains
// period that the angle stands for.

#include <QString>

#include <cstdint>

constexpr uint16_t CtDelayRegister = 129;

struct CtDelayResult
{
    bool valid = false;
    QString message; // why the input was refused; empty when valid
    float delay = 0.0f; // seconds
};

// Checks the frequency first (49 to 61 Hz), then the angle (-30 to +30 degrees), and works
// out (1 / f) * (angle / 360) in extended precision, rounded once to a float. The boxes'
// texts are converted as the program converts every number box (empty is 0); a text that
// is no number throws EConvertError, the frequency's before the angle is looked at.
CtDelayResult CtDelayFromTexts(const QString &angleText, const QString &frequencyText);
// The delay of an angle and frequency already read, without the range checks.
float CtDelaySeconds(float angleDegrees, float frequencyHz);
