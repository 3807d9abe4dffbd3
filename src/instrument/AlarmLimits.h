#pragma once

// The instrument's eight alarm limits and their on/off mask: registers 118 to 125 hold one
// single-precision limit each, register 126 the mask (bit k switches limit k + 1 on).

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

constexpr uint8_t AlarmRegisterAL1H = 118; // AL1H
constexpr uint8_t AlarmRegisterAL4L = 125; // AL4L
constexpr uint8_t AlarmMaskRegister = 126;
constexpr int AlarmLimitCount = 8;

using AlarmLimitArray = std::array<float, AlarmLimitCount>;
using AlarmSwitchArray = std::array<bool, AlarmLimitCount>;

// A limit as its edit box shows it: rounded to four decimals (ties to even) and written
// shortest, "300", "0.1", "220.1235". NaN and infinities read "NaN", "INF" and "-INF".
// A limit read from the instrument is a float and is rounded as the float's exact value.
QString AlarmLimitText(double value);

// The status name of limit 0..7: "AL1H", "AL1L", ... "AL4L"; empty outside.
QString AlarmLimitName(int k);

uint8_t AlarmMask(const AlarmSwitchArray &switches);
AlarmSwitchArray AlarmSwitches(uint8_t mask);
// The four data bytes of the mask's write: the mask, then three zeros.
std::array<uint8_t, 4> AlarmMaskBytes(uint8_t mask);

// What an acknowledged write of `reg` leads to in the save chain.
struct AlarmSaveStep
{
    QString status; // the status line's new text
    bool statusBeforeWrite = true; // shown before the next write goes out, else after it
    std::optional<uint8_t> nextRegister; // the register written next, if any
};
// Empty for a register outside 118 to 126.
std::optional<AlarmSaveStep> AlarmSaveStepAfter(uint8_t reg);

// How long the alarm window waits for one acknowledgement of the save chain before it says
// where the chain stopped.
constexpr int AlarmAcknowledgementWaitMs = 3000;
// The status line when the save chain stopped for want of an acknowledgement, after the
// writes of `acknowledged` registers (0 to 8, counted from AL1H; the switches are the
// ninth) were acknowledged: which limits the instrument took and which it did not.
QString AlarmSaveStoppedText(int acknowledged);
