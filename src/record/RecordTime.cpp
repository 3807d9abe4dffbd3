#include "record/RecordTime.h"

#include "base/DateTimeText.h"

#include <cmath>

namespace {

constexpr qint64 MsPerDay = 86400000;

qint64 epochJulianDay()
{
    return QDate(1899, 12, 30).toJulianDay();
}

} // namespace

double ToOleDate(const QDateTime &moment)
{
    const QDateTime local = moment.toLocalTime();
    const double day = double(local.date().toJulianDay() - epochJulianDay());
    return day + double(local.time().msecsSinceStartOfDay()) / MsPerDay;
}

bool SplitOleDate(double days, qint64 &julianDay, int &msOfDay)
{
    // 100-01-01 and 9999-12-31 as day counts: outside them no date is meant.
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0)
        return false;
    double whole;
    const double fraction = std::fabs(std::modf(days, &whole));
    qint64 day = qint64(whole);
    qint64 ms = qint64(std::llround(fraction * MsPerDay));
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        day += days < 0 ? -1 : 1;
    }
    const QDate date = QDate::fromJulianDay(epochJulianDay() + day);
    if (!date.isValid() || date.year() > 9999)
        return false;
    julianDay = date.toJulianDay();
    msOfDay = int(ms);
    return true;
}

QDateTime FromOleDate(double days)
{
    qint64 julianDay = 0;
    int ms = 0;
    if (!SplitOleDate(days, julianDay, ms))
        return {};
    return QDateTime(QDate::fromJulianDay(julianDay), QTime::fromMSecsSinceStartOfDay(ms));
}

QString OleDateTimeText(double days)
{
    const QDateTime moment = FromOleDate(days);
    if (!moment.isValid())
        return QStringLiteral("0");
    return ShortDateText(moment.date()) + QLatin1Char(' ') + LongTimeText(moment.time());
}

QString OleDateText(double days)
{
    const QDateTime moment = FromOleDate(days);
    return moment.isValid() ? ShortDateText(moment.date()) : QStringLiteral("0");
}

QString OleTimeText(double days)
{
    const QDateTime moment = FromOleDate(days);
    return moment.isValid() ? LongTimeText(moment.time()) : QStringLiteral("0");
}
