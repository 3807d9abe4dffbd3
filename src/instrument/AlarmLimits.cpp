#include "instrument/AlarmLimits.h"

#include "measure/NumberText.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

QString AlarmLimitText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return ShortestText(RoundHalfEven(value, 4));
}

QString AlarmLimitName(int k)
{
    static const char *const names[] = { "AL1H", "AL1L", "AL2H", "AL2L", "AL3H", "AL3L", "AL4H", "AL4L" };
    return k >= 0 && k < AlarmLimitCount ? QLatin1String(names[k]) : QString();
}

uint8_t AlarmMask(const AlarmSwitchArray &switches)
{
    uint8_t mask = 0;
    for (int k = 0; k < AlarmLimitCount; ++k)
        if (switches[k])
            mask |= static_cast<uint8_t>(1u << k);
    return mask;
}

AlarmSwitchArray AlarmSwitches(uint8_t mask)
{
    AlarmSwitchArray switches {};
    for (int k = 0; k < AlarmLimitCount; ++k)
        switches[k] = (mask >> k) & 1u;
    return switches;
}

std::array<uint8_t, 4> AlarmMaskBytes(uint8_t mask)
{
    return { mask, 0, 0, 0 };
}

std::optional<AlarmSaveStep> AlarmSaveStepAfter(uint8_t reg)
{
    // The status names the limit whose write goes out next.
    if (reg >= AlarmRegisterAL1H && reg < AlarmRegisterAL4L) {
        const int k = reg - AlarmRegisterAL1H;
        return AlarmSaveStep {
            QCoreApplication::translate("AlarmLimits", "Request:%1。").arg(AlarmLimitName(k + 1)), true,
            static_cast<uint8_t>(reg + 1)
        };
    }
    if (reg == AlarmRegisterAL4L)
        return AlarmSaveStep { QCoreApplication::translate("AlarmLimits", "Completed"), false,
            AlarmMaskRegister };
    if (reg == AlarmMaskRegister)
        return AlarmSaveStep { QCoreApplication::translate("AlarmLimits", "Completed"), true, std::nullopt };
    return std::nullopt;
}

QString AlarmSaveStoppedText(int acknowledged)
{
    constexpr int registers = AlarmLimitCount + 1;
    acknowledged = std::clamp(acknowledged, 0, registers);
    const auto name
        = [](int k) { return k < AlarmLimitCount ? AlarmLimitName(k) : QStringLiteral("ON/OFF"); };
    QStringList written;
    QStringList notWritten;
    for (int k = 0; k < registers; ++k)
        (k < acknowledged ? written : notWritten) << name(k);
    return QCoreApplication::translate("AlarmLimits", "No acknowledgement. Written: %1. Not written: %2.")
        .arg(written.isEmpty() ? QCoreApplication::translate("AlarmLimits", "none")
                               : written.join(QLatin1Char(' ')),
            notWritten.join(QLatin1Char(' ')));
}
