// The number boxes' key filter and the conversion of their text.

#include "base/NumberInput.h"
#include "base/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberKeys, DigitsPointAndBackspacePassTheMinusOnlyWhereAllowed)
{
    struct Case
    {
        const char *text;
        bool withoutMinus;
        bool withMinus;
    } cases[] = {
        { "0", true, true },
        { "9", true, true },
        { ".", true, true },
        { "\b", true, true },
        { "-", false, true },
        { "+", false, false },
        { "e", false, false },
        { "a", false, false },
        { ",", false, false },
        { " ", false, false },
        { "\x16", false, false }, // Ctrl+V
        { "", true, true }, // arrows and Delete type nothing
        { "\t", true, true },
        { "\r", true, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumberKeyAccepted(QString::fromLatin1(c.text), false), c.withoutMinus);
        EXPECT_EQ(NumberKeyAccepted(QString::fromLatin1(c.text), true), c.withMinus);
    }
    // Digits of other scripts are digits to Unicode, not to the instrument.
    EXPECT_FALSE(NumberKeyAccepted(QStringLiteral("٣"), true));
}

TEST(NumberKeys, PasteKeepsOnlyWhatCouldHaveBeenTyped)
{
    const struct
    {
        const char *text;
        const char *withoutMinus;
        const char *withMinus;
    } cases[] = {
        { "12.5", "12.5", "12.5" },
        { " -1a2.5 V\n", "12.5", "-12.5" },
        { "1e3", "13", "13" },
        { "", "", "" },
        { "\t+,", "", "" },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(NumberPasteText(QString::fromLatin1(c.text), false), QString::fromLatin1(c.withoutMinus))
            << c.text;
        EXPECT_EQ(NumberPasteText(QString::fromLatin1(c.text), true), QString::fromLatin1(c.withMinus))
            << c.text;
    }
    EXPECT_EQ(NumberPasteText(QStringLiteral("٣4"), true), QStringLiteral("4"));
}

TEST(NumberText, ConvertsDecimalsAndTakesAnEmptyBoxAsZero)
{
    struct Case
    {
        const char *text;
        double value;
    } cases[] = {
        { "", 0.0 },
        { "  ", 0.0 },
        { "0", 0.0 },
        { "300", 300.0 },
        { "0.2", 0.2 },
        { ".5", 0.5 },
        { "5.", 5.0 },
        { "-30", -30.0 },
        { " 12.5 ", 12.5 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(DecimalValue(QString::fromLatin1(c.text)), c.value);
    }
    EXPECT_EQ(DecimalSingle(QStringLiteral("0.2")), 0.2f);
}

TEST(NumberText, TextThatIsNoFiniteNumberIsAnErrorNamingIt)
{
    for (const char *text : { "1..2", "--1", "1-", "-", ".", "abc", "nan", "inf", "1e999" }) {
        SCOPED_TRACE(text);
        try {
            DecimalValue(QString::fromLatin1(text));
            ADD_FAILURE() << "no error";
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.text(),
                QStringLiteral("'%1' is not a valid floating point value").arg(QLatin1String(text)));
        }
    }
    // Finite as a double, beyond any float.
    EXPECT_THROW(DecimalSingle(QStringLiteral("1e39")), EConvertError);
}

} // namespace
