// kmr5150-cli alarm and ct against the simulated instrument: what `alarm set` writes is what
// `alarm get` reads back and what the instrument holds; `ct set` writes the delay the CT
// window writes; input the windows refuse is refused with their messages and sends nothing.

#include "CliSim.h"
#include "CliSupport.h"

#include "base/Errors.h"
#include "base/NumberInput.h"
#include "cli/LinkTarget.h"
#include "cli/SettingsCommands.h"
#include "instrument/AlarmLimits.h"
#include "instrument/CtDelay.h"

#include <cstring>

namespace {

using namespace clitest;

float registerFloat(const std::array<uint8_t, 4> &bytes)
{
    float value;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

uint32_t bits(float value)
{
    uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

class CliSettings : public CliSimTest
{
protected:
    std::array<uint8_t, 4> held(uint16_t reg)
    {
        return server->withInstrument([reg](sim::Instrument &i) { return i.registerBytes(reg); });
    }
    int writes(uint16_t reg)
    {
        return server->withInstrument([reg](sim::Instrument &i) { return i.writesOf(reg); });
    }
    int alarmWrites()
    {
        int n = 0;
        for (uint16_t reg = 118; reg <= 126; ++reg)
            n += writes(reg);
        return n;
    }
};

TEST_F(CliSettings, AlarmSetThenGetGivesBackTheSameValues)
{
    startInstrument();
    const CliRun before = runCli(QStringList { "alarm", "get" } + link());
    ASSERT_EQ(before.code, 0) << before.err.constData();
    const QStringList initial = QString::fromUtf8(before.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(initial.size(), 8);

    const CliRun set = runCli(QStringList { "alarm", "set" } + link()
        + QStringList { "--al1h", "250.5", "--al2l", "0.125", "--al3h", "6500", "--al4l", ".5", "--on",
            "al1h,al2l", "--off", "al4h" });
    ASSERT_EQ(set.code, 0) << set.err.constData();
    EXPECT_EQ(set.out, "Completed\n");
    for (uint16_t reg = 118; reg <= 126; ++reg)
        EXPECT_EQ(writes(reg), 1) << "register " << reg << " written once, in the chain";

    const CliRun get = runCli(QStringList { "alarm", "get" } + link());
    ASSERT_EQ(get.code, 0) << get.err.constData();
    const QStringList lines = QString::fromUtf8(get.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8);
    const std::map<int, QString> changed { { 0, "250.5" }, { 3, "0.125" }, { 4, "6500" }, { 7, "0.5" } };
    const uint8_t mask = held(126)[0];
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        const QStringList fields = lines[k].split(QStringLiteral("  "));
        ASSERT_EQ(fields.size(), 3);
        EXPECT_EQ(fields[0], AlarmLimitName(k));
        // The instrument holds what was sent; the others went back as they were read.
        const float value = registerFloat(held(uint16_t(118 + k)));
        EXPECT_EQ(fields[1], AlarmLimitText(value));
        if (changed.count(k))
            EXPECT_EQ(fields[1], changed.at(k));
        else
            EXPECT_EQ(fields[1], initial[k].split(QStringLiteral("  "))[1]);
        const bool on = (mask >> k) & 1;
        EXPECT_EQ(fields[2], on ? QStringLiteral("on") : QStringLiteral("off"));
        if (k == 0 || k == 3)
            EXPECT_TRUE(on);
        else if (k == 6)
            EXPECT_FALSE(on);
        else
            EXPECT_EQ(fields[2], initial[k].split(QStringLiteral("  "))[2]);
    }
    EXPECT_EQ(held(126)[1] | held(126)[2] | held(126)[3], 0) << "the mask, then three zeros";
}

TEST_F(CliSettings, AlarmValuesTheWindowRefusesAreRefusedBeforeAnythingIsSent)
{
    startInstrument();
    QString twoPoints;
    try {
        DecimalSingle(QStringLiteral("1.2.3"));
    } catch (const EConvertError &error) {
        twoPoints = error.text();
    }
    ASSERT_FALSE(twoPoints.isEmpty());
    struct Case
    {
        QStringList arguments;
        QString message;
    };
    const Case cases[] = {
        { { "--al1h", "1.2.3" }, twoPoints },
        { { "--al2h", "-5" }, "--al2h -5: the box takes digits and the point only" },
        { { "--al3l", "1e3" }, "--al3l 1e3: the box takes digits and the point only" },
        { { "--on", "al9h" }, "al9h" },
        { { "--on", "al1h", "--off", "all" }, "AL1H is both switched on and off" },
        { {}, "give a limit" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = runCli(QStringList { "alarm", "set" } + link() + c.arguments);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(c.message)) << run.err.constData();
    }
    EXPECT_EQ(alarmWrites(), 0);
    EXPECT_EQ(server->repliesSent(), 0) << "nothing was asked either";
}

TEST_F(CliSettings, CtSetWritesTheWindowsDelayOrRefusesWithItsMessage)
{
    startInstrument();
    struct Case
    {
        QString angle;
        QString frequency;
        int code;
        float delay; // written when code is 0
        QString message; // otherwise
    };
    const Case cases[] = {
        { "0", "50", 0, 0.0f, {} },
        { "1.8", "50", 0, 0.0001f, {} },
        { "-30", "50", 0, CtDelaySeconds(-30.0f, 50.0f), {} },
        { "30", "60.5", 0, CtDelaySeconds(30.0f, 60.5f), {} },
        { "-7.25", "49.5", 0, CtDelaySeconds(-7.25f, 49.5f), {} },
        { "30.1", "50", 1, 0, "Angle difference can not be greater than 30 degrees, the data is invalid!" },
        { "-30.5", "50", 1, 0, "Angle difference can not be less than -30 degrees, the data is invalid!" },
        { "0", "61.5", 1, 0, "Frequency is higher than 60HZ, the data is invalid!" },
        { "0", "48.9", 1, 0, "Frequency is less than 50HZ, data is invalid!" },
        // The frequency is looked at first, even when the angle is out of range too.
        { "45", "", 1, 0, "Frequency is less than 50HZ, data is invalid!" },
        { "1..2", "50", 1, 0, "1..2" },
        { "1", "5O", 1, 0, "--frequency 5O: the box takes digits, the minus sign and the point only" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.angle + QLatin1Char('/') + c.frequency));
        const int before = writes(129);
        const CliRun run = runCli(QStringList { "ct", "set" } + link()
            + QStringList { QStringLiteral("--angle"), c.angle, QStringLiteral("--frequency"), c.frequency });
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.code, c.code) << run.err.constData();
        if (c.code == 0) {
            ASSERT_TRUE(waitFor([&] { return writes(129) == before + 1; }, 5000));
            EXPECT_EQ(bits(registerFloat(held(129))), bits(c.delay));
            EXPECT_EQ(run.out,
                QStringLiteral("delay %1 s written to register 129\n").arg(FloatText(c.delay)).toUtf8());
        } else {
            EXPECT_TRUE(QString::fromUtf8(run.err).contains(c.message)) << run.err.constData();
            EXPECT_EQ(run.err.count('\n'), 1);
            EXPECT_EQ(writes(129), before);
        }
    }
    EXPECT_NEAR(CtDelaySeconds(1.8f, 50.0f), 0.0001f, 1e-9);
}

} // namespace

namespace {
// The tool's messages are English: a status text of the alarm window quoted in them loses its
// Chinese full stop.
TEST(CliSettingsText, SaveStoppedTextQuotesTheStatusWithoutChinesePunctuation)
{
    LinkTarget target;
    target.portName = QStringLiteral("COM7");
    for (const bool portGone : { false, true }) {
        const QString text = SaveStoppedText(target, 120, 2000, QStringLiteral("Request:AL2H。"), portGone);
        EXPECT_TRUE(text.contains(QStringLiteral("saving stopped at \"Request:AL2H\"")))
            << text.toStdString();
        for (const QChar c : text)
            EXPECT_LT(c.unicode(), 0x2E80) << text.toStdString();
    }
}
} // namespace
