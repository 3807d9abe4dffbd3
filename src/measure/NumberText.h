#pragma once

// Number texts of the whole program: every value panel, table cell and report field goes
// through these, so that one value always reads the same everywhere.

#include <QString>

// value * 10^decimals to the nearest integer, ties to even, then divided back.
double RoundHalfEven(double value, int decimals);
// Shortest decimal text that reads back as the value, at most 15 significant digits, "." as
// the decimal point, no exponent for ordinary magnitudes.
QString ShortestText(double value);
// The value rounded to `decimals` (ties to even), written shortest, `filler` appended, then
// cut to its first 6 characters when `cutTo6`, then `suffix` appended. The cut only drops
// decimals: a text that would lose its exponent or whole-number digits is written instead
// as the most precise exponent text that fits ("1E38", "-1.2E6"). NaN and infinities read
// "NAN", "INF" and "-INF".
QString NumberText(double value, int decimals, const QString &filler, bool cutTo6, const QString &suffix);
