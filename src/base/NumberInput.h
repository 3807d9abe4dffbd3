#pragma once

// Number edit boxes of the instrument windows: the keys they take as they are typed, and
// the conversion of their text when the value is used.

#include <QString>

// True when a key that produces `text` may reach a number box: digits, the point,
// backspace, the minus sign when `minusAllowed`, and keys that type nothing (arrows,
// Delete) or move between controls (Tab, Return, Escape). Everything else is discarded.
bool NumberKeyAccepted(const QString &text, bool minusAllowed);

// What a paste puts into a number box: the characters of `text` that could have been typed
// (digits, the point, and the minus sign when `minusAllowed`); everything else is dropped.
QString NumberPasteText(const QString &text, bool minusAllowed);

// The box's text as a decimal number; an empty box (blanks only) counts as 0. Throws
// EConvertError naming the text when it is not a finite number.
double DecimalValue(const QString &text);
// The same, kept as a 32-bit float; a number beyond the float's range is an error too.
float DecimalSingle(const QString &text);
