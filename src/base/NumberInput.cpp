#include "base/NumberInput.h"

#include "base/Errors.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <limits>

bool NumberKeyAccepted(const QString &text, bool minusAllowed)
{
    if (text.isEmpty())
        return true;
    if (text.size() != 1)
        return false;
    const QChar c = text.front();
    if (c.isDigit() && c.unicode() < 0x80)
        return true;
    if (c == QLatin1Char('.') || c == QLatin1Char('\b'))
        return true;
    if (c == QLatin1Char('-'))
        return minusAllowed;
    return c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x1B);
}

QString NumberPasteText(const QString &text, bool minusAllowed)
{
    QString kept;
    for (const QChar c : text)
        if ((c.isDigit() && c.unicode() < 0x80) || c == QLatin1Char('.')
            || (minusAllowed && c == QLatin1Char('-')))
            kept += c;
    return kept;
}

namespace {
[[noreturn]] void notANumber(const QString &text)
{
    throw EConvertError(
        QCoreApplication::translate("NumberInput", "'%1' is not a valid floating point value").arg(text));
}
} // namespace

double DecimalValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        notANumber(text);
    return value;
}

float DecimalSingle(const QString &text)
{
    const double value = DecimalValue(text);
    if (std::fabs(value) > std::numeric_limits<float>::max())
        notANumber(text);
    return static_cast<float>(value);
}
