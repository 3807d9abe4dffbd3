// Alarm limits: the four-decimal text of a limit, the switch mask and the save chain's steps.

#include "instrument/AlarmLimits.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(AlarmLimitText, RoundsToFourDecimalsAndWritesShortest)
{
    const uint8_t twenty[4] = { 0x00, 0x00, 0xA0, 0x41 };
    struct Case
    {
        double value;
        const char *text;
    } cases[] = {
        { BytesToSingle(twenty), "20" },
        { 300.0f, "300" },
        { 0.0f, "0" },
        { 0.1f, "0.1" }, // the float is 0.100000001490116...
        { 220.12345f, "220.1234" }, // the nearest float is 220.1234436...
        { 220.12346f, "220.1235" },
        { 0.03125f, "0.0312" }, // 312.5 ten-thousandths: ties go to even
        { 0.09375f, "0.0938" },
        { 0.00015f, "0.0002" }, // the float lies just above the tie
        { 6000.5f, "6000.5" },
        { -0.0f, "0" },
        { 1e20, "1E20" },
        { 1e20f, "1.00000002004088E20" },
        { std::numeric_limits<float>::quiet_NaN(), "NaN" },
        { std::numeric_limits<float>::infinity(), "INF" },
        { -std::numeric_limits<float>::infinity(), "-INF" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AlarmLimitText(c.value), QString::fromLatin1(c.text));
    }
}

TEST(AlarmMask, BitKIsSwitchK)
{
    AlarmSwitchArray switches {};
    switches[1] = switches[7] = true;
    EXPECT_EQ(AlarmMask(switches), 0x82);
    EXPECT_EQ(AlarmMaskBytes(0x82), (std::array<uint8_t, 4> { 0x82, 0, 0, 0 }));

    const AlarmSwitchArray fromFive = AlarmSwitches(0x05);
    const AlarmSwitchArray expected { true, false, true, false, false, false, false, false };
    EXPECT_EQ(fromFive, expected);
    for (int mask = 0; mask < 256; ++mask)
        ASSERT_EQ(AlarmMask(AlarmSwitches(static_cast<uint8_t>(mask))), mask);
}

TEST(AlarmSaveChain, EachAcknowledgementNamesAndWritesTheNextRegister)
{
    struct Case
    {
        uint8_t acknowledged;
        const char *status;
        bool before;
        int next; // -1: none
    } cases[] = {
        { 118, "Request:AL1L。", true, 119 },
        { 119, "Request:AL2H。", true, 120 },
        { 120, "Request:AL2L。", true, 121 },
        { 121, "Request:AL3H。", true, 122 },
        { 122, "Request:AL3L。", true, 123 },
        { 123, "Request:AL4H。", true, 124 },
        { 124, "Request:AL4L。", true, 125 },
        { 125, "Completed", false, 126 },
        { 126, "Completed", true, -1 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.acknowledged);
        const std::optional<AlarmSaveStep> step = AlarmSaveStepAfter(c.acknowledged);
        ASSERT_TRUE(step);
        EXPECT_EQ(step->status, QString::fromUtf8(c.status));
        EXPECT_EQ(step->statusBeforeWrite, c.before);
        EXPECT_EQ(step->nextRegister ? *step->nextRegister : -1, c.next);
    }
    EXPECT_FALSE(AlarmSaveStepAfter(117));
    EXPECT_FALSE(AlarmSaveStepAfter(127));
}

} // namespace
