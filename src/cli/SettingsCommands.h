#pragma once

// The alarm limits and the external CT delay from the command line, through the same read
// and save chains, conversions, checks and messages as the alarm and CT windows.

#include "cli/LinkTarget.h"
#include "instrument/AlarmLimits.h"

#include <QString>

#include <map>
#include <optional>

struct AlarmSettings
{
    AlarmLimitArray limits {};
    uint8_t mask = 0;
};

// What `alarm set` changes: limit texts by limit index 0..7 (as typed into the window's
// boxes), and switches turned on or off by limit index.
struct AlarmChanges
{
    std::map<int, QString> limitTexts;
    std::map<int, bool> switches;
};

// "AL1H  300  on" for each limit, in register order.
QString AlarmSettingsText(const AlarmSettings &settings);

// The limits converted as the window converts its boxes: the keys the boxes take (digits and
// the point), then the number. Throws CliError (usage) with the conversion's message.
AlarmLimitArray ConvertedLimits(const AlarmChanges &changes, const AlarmLimitArray &current);

// When the save chain stops at register `stoppedAt` (118 .. 126) for want of an
// acknowledgement, or because the port went away: which limits the instrument took, which
// one it may or may not hold, and which were not sent.
QString SaveStoppedText(
    const LinkTarget &target, int stoppedAt, int waitMs, const QString &status, bool portGone);

// The read chain: register 128, then 118 .. 126 one after another. Prints the limits.
int RunAlarmGet(const LinkTarget &target, int timeoutMs);
// Checks the changes, reads the limits in force, changes them and runs the save chain
// (118 .. 125, then the mask to 126), each write after the acknowledgement of the one before.
// Prints the status the window ends with, "Completed".
int RunAlarmSet(const LinkTarget &target, const AlarmChanges &changes, int timeoutMs);

// Checks the angle and frequency texts as the CT window does, with its messages (usage
// errors), and writes the delay to register 129. The instrument does not acknowledge it.
int RunCtSet(const LinkTarget &target, const QString &angleText, const QString &frequencyText);
