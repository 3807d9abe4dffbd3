#include "base/DateTimeText.h"

#include <QRegularExpression>

QString ShortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString LongTimeText(const QTime &time, const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop the zone field ("t" to "tttt") outside quoted literals, with the blank before it.
    static const QRegularExpression zone(QStringLiteral("('[^']*')|\\s*t+"));
    QString result;
    qsizetype last = 0;
    for (auto it = zone.globalMatch(format); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!match.captured(1).isEmpty())
            continue;
        result += format.mid(last, match.capturedStart() - last);
        last = match.capturedEnd();
    }
    result += format.mid(last);
    return locale.toString(time, result.trimmed());
}
