#pragma once

// Timestamps of record samples: local date and time as a count of days since 30 December
// 1899 00:00, the fraction being the time of day (the OLE Automation date), kept to the
// millisecond.

#include <QDateTime>
#include <QString>

// The local date and time of `moment`, to the nearest millisecond.
double ToOleDate(const QDateTime &moment);
// The local date and time a timestamp stands for; invalid for NaN, infinities and days
// outside the years 100 to 9999. Days before 1899-12-30 count backwards with the time of
// day taken from the fraction's size, as the convention has it.
QDateTime FromOleDate(double days);
// The same split into the Julian day and the milliseconds since its midnight, local time;
// false where FromOleDate is invalid.
bool SplitOleDate(double days, qint64 &julianDay, int &msOfDay);

// Date and time in the user's short date and long time formats, separated by a blank;
// "0" for a timestamp that stands for no date.
QString OleDateTimeText(double days);
// The date part or the time part alone; "0" as above.
QString OleDateText(double days);
QString OleTimeText(double days);
