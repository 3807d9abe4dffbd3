// Timestamps as OLE Automation dates.

#include "record/RecordTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(RecordTime, KnownDatesAsDayCounts)
{
    struct Case
    {
        QDateTime moment;
        double days;
    } const cases[] = {
        { QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0 },
        { QDateTime(QDate(1900, 1, 1), QTime(18, 0)), 2.75 },
        { QDateTime(QDate(2000, 1, 1), QTime(0, 0)), 36526.0 },
        { QDateTime(QDate(2026, 3, 14), QTime(12, 0)), 46095.5 },
        { QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.moment.toString(Qt::ISODate)));
        if (c.days >= 0) {
            EXPECT_EQ(ToOleDate(c.moment), c.days);
        }
        EXPECT_EQ(FromOleDate(c.days), c.moment);
    }
}

TEST(RecordTime, MillisecondsSurviveTheRoundTrip)
{
    for (int ms : { 0, 1, 499, 500, 999, 86399999 }) {
        const QDateTime moment(QDate(2026, 12, 10), QTime::fromMSecsSinceStartOfDay(ms));
        EXPECT_EQ(FromOleDate(ToOleDate(moment)), moment) << ms;
    }
}

TEST(RecordTime, NumbersThatAreNoDateGiveNoDateAndTheTextZero)
{
    const double cases[]
        = { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
              -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -657435.0 };
    for (double days : cases) {
        SCOPED_TRACE(days);
        EXPECT_FALSE(FromOleDate(days).isValid());
        EXPECT_EQ(OleDateTimeText(days), QStringLiteral("0"));
        EXPECT_EQ(OleDateText(days), QStringLiteral("0"));
        EXPECT_EQ(OleTimeText(days), QStringLiteral("0"));
    }
    EXPECT_EQ(FromOleDate(2958465.5).date(), QDate(9999, 12, 31));
}

} // namespace
