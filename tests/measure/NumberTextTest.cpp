#include "measure/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::nan("");
} // namespace

TEST(RoundHalfEven, RoundsToNearestAndTiesToEven)
{
    struct Case
    {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        { 2.5, 0, 2.0 },
        { 3.5, 0, 4.0 },
        { -2.5, 0, -2.0 },
        { -3.5, 0, -4.0 },
        { 0.125, 2, 0.12 },
        { 0.375, 2, 0.38 },
        { 2.4999, 0, 2.0 },
        { 2.5001, 0, 3.0 },
        { 230.1234, 3, 230.123 },
        { 1.23456, 4, 1.2346 },
        { 7.0, 3, 7.0 },
        { 0.0004, 3, 0.0 },
        { 1e300, 3, 1e300 },
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(RoundHalfEven, KeepsInfinityAndNaN)
{
    EXPECT_EQ(RoundHalfEven(Inf, 2), Inf);
    EXPECT_EQ(RoundHalfEven(-Inf, 2), -Inf);
    EXPECT_TRUE(std::isnan(RoundHalfEven(NaN, 2)));
}

TEST(ShortestText, WritesTheShortestDecimalUpTo15Digits)
{
    struct Case
    {
        double value;
        const char *expected;
    } cases[] = {
        { 0.0, "0" },
        { -0.0, "0" }, // a negative value rounded to zero must not read "-0"
        { 5.0, "5" },
        { -12.0, "-12" },
        { 230.123, "230.123" },
        { 0.1 + 0.2, "0.3" },
        { double(311.127f), "311.127014160156" },
        { 1.0 / 3.0, "0.333333333333333" },
        { 123456789012345.0, "123456789012345" },
        { 0.0001, "0.0001" },
        { 0.00001, "1E-5" },
        { 0.000015, "1.5E-5" },
        { 1e15, "1E15" },
        { -2.5e20, "-2.5E20" },
        { Inf, "INF" },
        { -Inf, "-INF" },
        { NaN, "NAN" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShortestText(c.value), QString::fromLatin1(c.expected)) << c.value;
}

TEST(NumberText, RoundsFillsCutsAndAppendsInThatOrder)
{
    struct Case
    {
        double value;
        int decimals;
        const char *filler;
        bool cut;
        const char *suffix;
        const char *expected;
    } cases[] = {
        { 230.1234, 3, ".0", true, "V", "230.12V" }, // 230.123, cut to six characters
        { 5.0, 3, ".0", true, "V", "5.0V" }, // filler on a whole number
        { 50.0, 3, ".00", false, "Hz", "50.00Hz" }, // the two-digit filler
        { 49.9, 3, ".00", false, "Hz", "49.9Hz" }, // a point already there: no filler
        { -230.1234, 3, ".0", true, "V", "-230.1V" }, // the sign counts among the six
        { 123456.7, 2, ".0", true, "", "123456" }, // cut drops the decimals
        { 1234567.0, 2, ".0", true, "", "1.23E6" }, // a cut never drops whole-number digits
        { 12345.678, 3, ".0", false, "", "12345.678" },
        { 0.00004, 4, ".0", true, "", "0.0" }, // rounds to zero, then the filler
        { -0.00004, 4, ".0", true, "", "0.0" }, // and not "-0.0"
        { 0.99996, 4, ".0", true, "", "1.0" }, // rounding up to a whole number
        { 0.0625, 3, ".0", true, "", "0.062" }, // 62.5: tie down to the even 62
        { 0.0635, 3, ".0", true, "", "0.064" }, // 63.5: tie up to the even 64
        { 1e20, 2, ".0", false, "", "1E20" }, // exponent texts get no filler
        { Inf, 3, ".0", true, "V", "INFV" }, // no filler behind a non-number
    };
    for (const Case &c : cases)
        EXPECT_EQ(NumberText(c.value, c.decimals, QLatin1String(c.filler), c.cut, QLatin1String(c.suffix)),
            QString::fromLatin1(c.expected))
            << c.value;
}

TEST(NumberText, CutKeepsTheMagnitudeOfHugeValuesAndNamesNonNumbers)
{
    struct Case
    {
        double value;
        int decimals;
        bool cut;
        const char *expected;
    } cases[] = {
        { double(1e38f), 3, true, "1E38V" }, // read "9.9999V" when cut blindly
        { double(-1e38f), 3, true, "-1E38V" }, // read "-9.999V"
        { double(3.4e38f), 2, true, "3.4E38V" },
        { 1.5e20, 2, true, "1.5E20V" }, // fits as it is
        { 1.23456e20, 2, true, "1.2E20V" }, // mantissa rounded to fit, exponent kept
        { -1.23456e20, 2, true, "-1E20V" },
        { 9999999.6, 0, true, "1E7V" }, // rounds up to 10000000: eight whole digits
        { -1234567.0, 2, true, "-1.2E6V" },
        { 999999.99, 2, true, "999999V" }, // six whole digits fit: only decimals go
        { double(1e38f), 3, false, "9.99999968028569E37V" }, // uncut: all 15 digits
        { NaN, 3, true, "NANV" },
        { NaN, 3, false, "NANV" },
        { -Inf, 2, true, "-INFV" },
        { Inf, 1, false, "INFV" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(NumberText(c.value, c.decimals, QStringLiteral(".0"), c.cut, QStringLiteral("V")),
            QString::fromLatin1(c.expected))
            << c.value << (c.cut ? " cut" : "");
}
