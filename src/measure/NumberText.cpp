#include "measure/NumberText.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

double RoundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double factor = std::pow(10.0, decimals);
    const double scaled = value * factor;
    // The scaled value of a huge number is already whole (or overflows): nothing to round.
    if (!std::isfinite(scaled))
        return value;
    // nearbyint follows the current rounding mode, which is to-nearest-even unless someone
    // changed it; say so explicitly instead of relying on it.
    const int savedMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(scaled);
    std::fesetround(savedMode);
    return rounded / factor;
}

QString ShortestText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // A rounded negative value that came out as -0 reads as plain 0.
    if (value == 0.0)
        return QStringLiteral("0");

    // %.15g is the shortest text that keeps 15 significant digits: trailing zeros go, and
    // any shorter text that reads back as the same double is exactly this one.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    QString text = QString::fromLatin1(buffer);

    // Very small and very large magnitudes come out as "1.5e-05"; write them "1.5E-5".
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        const int exponent = std::atoi(buffer + e + 1);
        text = text.left(e) + QLatin1Char('E') + QString::number(exponent);
    }
    return text;
}

namespace {
// "1.5e-05" as the shortest text writes it: "1.5E-5".
QString exponentText(const char *printed)
{
    const char *e = std::strchr(printed, 'e');
    QString mantissa = QString::fromLatin1(printed, e ? int(e - printed) : -1);
    if (!e)
        return mantissa;
    if (mantissa.contains(QLatin1Char('.'))) {
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
    }
    return mantissa + QLatin1Char('E') + QString::number(std::atoi(e + 1));
}

// The most precise exponent text of the value that fits in `width` characters. When even
// one significant digit does not fit, that one-digit text is returned whole: a reading must
// never lose its exponent.
QString fittedExponentText(double value, int width)
{
    char buffer[48];
    QString text;
    for (int digits = 14; digits >= 0; --digits) {
        std::snprintf(buffer, sizeof buffer, "%.*e", digits, value);
        text = exponentText(buffer);
        if (text.size() <= width)
            break;
    }
    return text;
}
} // namespace

QString NumberText(double value, int decimals, const QString &filler, bool cutTo6, const QString &suffix)
{
    const double rounded = RoundHalfEven(value, decimals);
    QString text = ShortestText(rounded);
    // The filler makes a whole number look like a reading ("5" becomes "5.0"); a text in
    // exponent form or an infinity would only be garbled by it.
    const bool exponent = text.contains(QLatin1Char('E'));
    if (std::isfinite(value) && !text.contains(QLatin1Char('.')) && !exponent)
        text += filler;
    if (cutTo6 && text.size() > 6) {
        // Cutting drops decimals only. A text whose exponent or whole-number digits would be
        // cut off reads as a different magnitude: write it with an exponent that fits.
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        const qsizetype wholeDigits = point < 0 ? text.size() : point;
        if (exponent || wholeDigits > 6)
            text = fittedExponentText(rounded, 6);
        else
            text.truncate(6);
    }
    return text + suffix;
}
