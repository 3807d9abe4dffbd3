#include "base/DateTimeText.h"

#include <gtest/gtest.h>

TEST(DateTimeText, LongTimeLeavesOutTheZone)
{
    const QTime time(9, 26, 53);
    struct Case
    {
        QLocale locale;
        const char *expected;
    } cases[] = {
        { QLocale(QLocale::English, QLocale::UnitedStates), "9:26:53 AM" },
        { QLocale(QLocale::German, QLocale::Germany), "09:26:53" },
        { QLocale(QLocale::Chinese, QLocale::China), nullptr },
    };
    for (const Case &c : cases) {
        const QString text = LongTimeText(time, c.locale);
        SCOPED_TRACE(c.locale.name().toStdString() + " -> " + text.toStdString());
        if (c.expected) {
            EXPECT_EQ(text, QString::fromUtf8(c.expected));
        }
        EXPECT_TRUE(text.contains(QStringLiteral("26:53")));
        EXPECT_FALSE(text.contains(QStringLiteral("UTC")) || text.contains(QStringLiteral("GMT")));
        EXPECT_EQ(text, text.trimmed());
    }
}

TEST(DateTimeText, ShortDateIsTheLocaleShortFormat)
{
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(ShortDateText(QDate(2026, 3, 14), us), QStringLiteral("3/14/26"));
}
