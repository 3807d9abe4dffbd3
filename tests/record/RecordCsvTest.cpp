// Records as CSV: the header from the file's signal bytes, one row per sample with the time
// and the six channels read back bit for bit, and write failures.

#include "record/RecordCsv.h"
#include "base/Errors.h"
#include "measure/MeasurementCsv.h"
#include "record/RecordFixtures.h"
#include "record/RecordSettings.h"
#include "record/RecordTime.h"

#include <QBuffer>
#include <QDir>

#include <cmath>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

uint32_t bits(float value)
{
    uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

TEST(RecordCsv, TheHeaderNamesEachChannelWithItsCaptionAndUnit)
{
    struct Case
    {
        ChannelSignals signalBytes;
        const char *header;
    };
    const Case cases[] = {
        { { 0, 1, 2, 3, 4, 5 },
            "time,CH1 Vol (V),CH2 Amp (A),CH3 Power (W),CH4 Apparent power (VA),CH5 Reactive power (var),"
            "CH6 I phase (°)\r\n" },
        { { 6, 7, 8, 9, 10, 12 },
            "time,CH1 Frequency (Hz),CH2 Power Factor,CH3 Vol THD,CH4 Amp THD,CH5 Temperature 1 (°C),"
            "CH6 Temperature 3 (°C)\r\n" },
        // A channel without a signal (255, or a byte naming none) keeps its column.
        { { 255, 13, 0, 0, 0, 0 }, "time,CH1,CH2,CH3 Vol (V),CH4 Vol (V),CH5 Vol (V),CH6 Vol (V)\r\n" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(RecordCsvHeader(c.signalBytes), QString::fromUtf8(c.header));
}

TEST(RecordCsv, TimesAreTheLocalTimeWithMillisecondsAndOffset)
{
    // The fast writer against Qt's own text of the same moment, over hours and days, and over
    // the hours where summer time begins and ends in Europe (run under such a TZ to see them).
    for (const double days :
        { 46000.0, 46000.5 + 1.0 / 86400000.0, 46000.999, 46001.0416666, 45000.25, 2.5, 46000.9999999999 }) {
        SCOPED_TRACE(days);
        EXPECT_EQ(RecordCsvTime(days), IsoTime(FromOleDate(days)));
    }
    for (const double none : { std::nan(""), double(INFINITY), 1e9 })
        EXPECT_EQ(RecordCsvTime(none), QString());
}

TEST(RecordCsv, RowTimesFollowTheLocalOffsetFromHourToHour)
{
    // Every ten minutes over two days on which summer time begins and ends in Berlin, and over
    // a day without a change; the rows' times against Qt's own text of each moment.
    const QByteArray zone = qgetenv("TZ");
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const auto arrays = std::make_unique<RecordArrays>();
    int count = 0;
    for (const double day : { 46110.0, 46320.0, 46000.0 })
        for (int step = 0; step < 144; ++step)
            arrays->timestamps()[count++] = day + step / 144.0 + 0.25 / 86400.0;
    QBuffer out;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    WriteRecordCsv(out, *arrays, count, {});
    QStringList expected;
    for (int i = 0; i < count; ++i)
        expected << IsoTime(FromOleDate(arrays->timestamps()[i]));
    if (hadZone)
        qputenv("TZ", zone);
    else
        qunsetenv("TZ");
    tzset();

    // 01:30 and 03:30 on the day summer time begins; 01:50 and 03:00 on the day it ends.
    EXPECT_EQ(expected[9], QStringLiteral("2026-03-29T01:30:00.250+01:00"));
    EXPECT_EQ(expected[21], QStringLiteral("2026-03-29T03:30:00.250+02:00"));
    EXPECT_TRUE(expected[144 + 11].endsWith(QStringLiteral("+02:00"))) << qPrintable(expected[144 + 11]);
    EXPECT_TRUE(expected[144 + 18].endsWith(QStringLiteral("+01:00"))) << qPrintable(expected[144 + 18]);
    const QStringList lines = QString::fromLatin1(out.data()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), count + 2);
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(lines[i + 1].section(QLatin1Char(','), 0, 0).toStdString(), expected[i].toStdString())
            << "row " << i;
}

class RecordCsvFile : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<RecordArrays> arrays = std::make_unique<RecordArrays>();
};

TEST_F(RecordCsvFile, EverySampleOfAThreeBlockFileIsOneRowThatReadsBackTheSame)
{
    const ChannelSignals signalBytes { 0, 1, 2, 7, 6, 8 };
    RecordBlock header;
    for (int ch = 0; ch < 6; ++ch)
        header.setSignal(ch, signalBytes[size_t(ch)]);
    header.setStep(0);
    CreateRecordFile(path("r.vqr"), header);
    RecordBlock buffer = header;
    FillArrays(*arrays, 2500);
    // Values the shortest text must keep exactly, and a sample without a date.
    arrays->channel(2)[7] = 0.1f;
    arrays->channel(3)[8] = -1.17549435e-38f;
    arrays->channel(4)[9] = 3.4028235e38f;
    arrays->timestamps()[10] = 0.0 / 0.0;
    SaveRecordFile(path("r.vqr"), *arrays, 2500, buffer);

    const auto read = std::make_unique<RecordArrays>();
    const RecordFileInfo info = ReadRecordFile(path("r.vqr"), *read);
    ASSERT_EQ(info.count, 2500);
    ASSERT_EQ(info.blocks, 3);
    SaveRecordCsv(path("r.csv"), *read, info.count, info.channelSignals);

    QFile file(path("r.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2500 + 2) << "header, rows, and the empty rest after the last CRLF";
    EXPECT_EQ(lines[0] + QStringLiteral("\r\n"), RecordCsvHeader(signalBytes));
    EXPECT_TRUE(lines.last().isEmpty());
    for (int i = 0; i < 2500; ++i) {
        const QStringList fields = lines[i + 1].split(QLatin1Char(','));
        ASSERT_EQ(fields.size(), 7) << "row " << i;
        EXPECT_EQ(fields[0], RecordCsvTime(arrays->timestamps()[i])) << "row " << i;
        for (int ch = 0; ch < 6; ++ch)
            ASSERT_EQ(bits(std::strtof(fields[ch + 1].toLatin1().constData(), nullptr)),
                bits(arrays->channel(ch)[i]))
                << "row " << i << " channel " << ch;
    }
    EXPECT_TRUE(lines[11].startsWith(QLatin1Char(','))) << "no date, no time text";
    EXPECT_FALSE(lines[1].isEmpty());
}

TEST_F(RecordCsvFile, AFailedWriteIsAnErrorAndLeavesNoFileBehind)
{
    FillArrays(*arrays, 10);
    QBuffer readOnly;
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_THROW(WriteRecordCsv(readOnly, *arrays, 10, {}), EInOutError);

    // A folder that does not exist: nothing is made, the error carries the system's text.
    const QString missing = path("no folder/r.csv");
    try {
        SaveRecordCsv(missing, *arrays, 10, {});
        ADD_FAILURE() << "no error";
    } catch (const EInOutError &error) {
        EXPECT_FALSE(error.text().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(missing));
}

} // namespace
