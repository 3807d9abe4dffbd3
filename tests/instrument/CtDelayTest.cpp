// The CT delay: ranges in their order, messages, and the delay itself.

#include "instrument/CtDelay.h"
#include "base/Errors.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

namespace {

const char *const High = "  Frequency is higher than 60HZ, the data is invalid!    ";
const char *const Low = "  Frequency is less than 50HZ, data is invalid!   ";
const char *const Greater = "  Angle difference can not be greater than 30 degrees, the data is invalid!    ";
const char *const Less = "  Angle difference can not be less than -30 degrees, the data is invalid!   ";

TEST(CtDelay, RangesAreCheckedFrequencyFirst)
{
    struct Case
    {
        const char *angle;
        const char *frequency;
        const char *message; // nullptr: accepted
    } cases[] = {
        { "0", "50", nullptr },
        { "0", "60.5", nullptr },
        { "0", "61", nullptr },
        { "0", "61.5", High },
        { "0", "49.5", nullptr },
        { "0", "49", nullptr },
        { "0", "48.9", Low },
        { "0", "", Low },
        { "45", "", Low }, // the frequency is looked at first
        { "1..2", "70", High }, // and the angle's text not even converted
        { "30", "50", nullptr },
        { "30.1", "50", Greater },
        { "-30", "50", nullptr },
        { "-30.1", "50", Less },
        { "", "50", nullptr },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.angle) + " deg at " + c.frequency + " Hz");
        const CtDelayResult result
            = CtDelayFromTexts(QString::fromLatin1(c.angle), QString::fromLatin1(c.frequency));
        EXPECT_EQ(result.valid, c.message == nullptr);
        EXPECT_EQ(result.message, c.message ? QString::fromLatin1(c.message) : QString());
    }
}

TEST(CtDelay, IsThePartOfOnePeriodRoundedOnceToAFloat)
{
    struct Case
    {
        const char *angle;
        const char *frequency;
        float delay;
        uint32_t bits;
    } cases[] = {
        { "0", "50", 0.0f, 0x00000000 },
        { "1.8", "50", 0.0001f, SingleBits(0.0001f) },
        { "-30", "50", static_cast<float>(-1.0L / 600.0L), SingleBits(static_cast<float>(-1.0L / 600.0L)) },
        { "30", "60", static_cast<float>(1.0L / 720.0L), SingleBits(static_cast<float>(1.0L / 720.0L)) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.angle);
        const CtDelayResult result
            = CtDelayFromTexts(QString::fromLatin1(c.angle), QString::fromLatin1(c.frequency));
        ASSERT_TRUE(result.valid);
        EXPECT_EQ(SingleBits(result.delay), c.bits);
    }
    EXPECT_NEAR(CtDelaySeconds(-30.0f, 50.0f), -0.0016667, 1e-7);
    EXPECT_GT(CtDelaySeconds(10.0f, 50.0f), 0.0f);
}

TEST(CtDelay, TextThatIsNoNumberIsAConversionError)
{
    EXPECT_THROW(CtDelayFromTexts(QStringLiteral("0"), QStringLiteral("5..0")), EConvertError);
    EXPECT_THROW(CtDelayFromTexts(QStringLiteral("--1"), QStringLiteral("50")), EConvertError);
}

} // namespace
