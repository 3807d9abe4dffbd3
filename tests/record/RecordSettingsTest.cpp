// The signal table, the step tables and section RecordSet of SysSet.ini.

#include "record/RecordSettings.h"
#include "base/Errors.h"
#include "measure/MeasurementRecord.h"
#include "record/RecordFixtures.h"
#include "support/Fakes.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

TEST(RecordSignals, EachSignalTakesItsFieldBitForBitAndTheRestRecordZero)
{
    MeasurementRecord record {};
    float *scalars = &record.URMS;
    for (int i = 0; i < 15; ++i)
        scalars[i] = 100.0f + i;
    record.PQ = -std::numeric_limits<float>::infinity();
    record.VTHD = std::bit_cast<float>(0x7FC01234u); // a NaN with a payload
    const float expected[13] = { record.URMS, record.IRMS, record.WRMS, record.PS, record.PQ, record.IPA,
        record.UF, record.PF, record.VTHD, record.ITHD, 0, 0, 0 };
    for (int s = 0; s < 13; ++s)
        EXPECT_EQ(std::bit_cast<uint32_t>(SignalValue(record, s)), std::bit_cast<uint32_t>(expected[s])) << s;
    for (int s : { -1, 13, 255, 1000 })
        EXPECT_EQ(SignalValue(record, s), 0.0f) << s;
}

TEST(RecordSignals, CaptionsAndListItems)
{
    EXPECT_EQ(SignalEnglishCaption(7), QStringLiteral("Power Factor"));
    EXPECT_EQ(SignalListItem(7), QStringLiteral(" PF"));
    EXPECT_EQ(SignalChineseCaption(11), QStringLiteral("温度2"));
    EXPECT_EQ(SignalListItem(3), QStringLiteral(" Apparent power"));
    EXPECT_TRUE(SignalEnglishCaption(-1).isEmpty());
    EXPECT_TRUE(SignalChineseCaption(13).isEmpty());
}

TEST(RecordSteps, IntervalsAndTextsOfBothTables)
{
    struct Case
    {
        int index;
        std::optional<int> sampling;
        QString samplingText;
        QString samplingChinese;
        std::optional<int> save;
        QString saveText;
    } const cases[] = {
        { 0, 1000, "Sampling step：1S", "采样步长：1秒", 10000, "Save step：10S" },
        { 2, 3000, "Sampling step：3S", "采样步长：3秒", 20000, "Save step：20S" },
        { 5, 6000, "Sampling step：6S", "采样步长：6秒", 60000, "Save step：60S" },
        { 10, 15000, "Sampling step：15S", "采样步长：15秒", std::nullopt, "" },
        { 11, 30000, "Sampling step：30S", "采样步长：30秒", std::nullopt, "" },
        { 12, std::nullopt, "", "", std::nullopt, "" },
        { -1, std::nullopt, "", "", std::nullopt, "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(SamplingIntervalMs(c.index), c.sampling);
        EXPECT_EQ(SamplingStepText(c.index), c.samplingText);
        EXPECT_EQ(SamplingStepTextChinese(c.index), c.samplingChinese);
        EXPECT_EQ(SaveIntervalMs(c.index), c.save);
        EXPECT_EQ(SaveStepText(c.index), c.saveText);
    }
    EXPECT_EQ(SaveStepTextChinese(1), QStringLiteral("存盘间隔时间：15秒"));
    EXPECT_EQ(SamplingListItem(10), QStringLiteral("15 S"));
    EXPECT_TRUE(SamplingListItem(11).isEmpty()); // 30 s is not offered
    EXPECT_EQ(SaveListItem(0), QStringLiteral("10 S"));
}

TEST(RecordSettingsFile, MissingKeysReadAsTwo)
{
    TempProgramDir dir;
    RecordSettings settings;
    settings.channelSignal.fill(-7);
    settings.samplingIndex = settings.saveIndex = -7;
    ReadRecordSettings(settings);
    for (int signal : settings.channelSignal)
        EXPECT_EQ(signal, 2);
    EXPECT_EQ(settings.samplingIndex, 2);
    EXPECT_EQ(settings.saveIndex, 2);
}

TEST(RecordSettingsFile, WrittenInOrderWithTheKeyNamesAsSpelled)
{
    TempProgramDir dir;
    RecordSettings settings;
    settings.channelSignal = { 0, 1, 11, -1, 12, 7 };
    settings.samplingIndex = 10;
    settings.saveIndex = 5;
    WriteRecordSettings(settings);
    const QString text = QString::fromUtf8(ReadAll(dir.filePath(QStringLiteral("SysSet.ini"))));
    EXPECT_EQ(text.simplified(),
        QStringLiteral(
            "[RecordSet] Ch0=0 Ch1=1 Ch2=11 Ch3=-1 Ch4=12 Ch5=7 SampingSetp=10 SaveSetp=5 TInCommNO=-1"));
    RecordSettings back;
    ReadRecordSettings(back);
    EXPECT_EQ(back.channelSignal, settings.channelSignal);
    EXPECT_EQ(back.samplingIndex, 10);
    EXPECT_EQ(back.saveIndex, 5);
}

TEST(RecordSettingsFile, AValueThatIsNoNumberStopsTheReadWithTheKeysBeforeItTaken)
{
    TempProgramDir dir;
    dir.writeFile(QStringLiteral("SysSet.ini"), "[recordset]\nch0=5\nCh1=4\nCh2=abc\nCh3=1\n");
    RecordSettings settings;
    settings.channelSignal.fill(-1);
    EXPECT_THROW(ReadRecordSettings(settings), EConvertError);
    EXPECT_EQ(settings.channelSignal[0], 5);
    EXPECT_EQ(settings.channelSignal[1], 4);
    EXPECT_EQ(settings.channelSignal[2], -1);
    EXPECT_EQ(settings.channelSignal[3], -1);
}

} // namespace
