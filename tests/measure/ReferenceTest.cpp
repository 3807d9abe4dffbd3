#include "measure/Reference.h"

#include "base/DateTimeText.h"
#include "base/Errors.h"
#include "measure/MeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {
class Reference : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        InitMeasurement();
        held = Measurement;
        held.URMS = 229.5f;
        state.set(held, QStringLiteral("held"), QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)));
    }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }
    static QByteArray bytesOf(const MeasurementRecord &record)
    {
        return QByteArray(reinterpret_cast<const char *>(&record), MeasurementRecordBytes);
    }

    QTemporaryDir dir;
    MeasurementRecord held {};
    ReferenceState state;
};
} // namespace

TEST_F(Reference, AMeasurementFileBecomesTheReferenceWithItsNameAndTime)
{
    MeasurementRecord record = held;
    record.URMS = 231.25f;
    const QString path = dir.filePath(QStringLiteral("before.vqm"));
    SaveMeasurementFile(path, record);
    state.load(path);
    ASSERT_TRUE(state.isSet());
    EXPECT_EQ(std::memcmp(&state.reference()->record, &record, MeasurementRecordBytes), 0);
    EXPECT_EQ(state.reference()->name, QStringLiteral("before.vqm"));
    EXPECT_EQ(state.reference()->time, QFileInfo(path).lastModified());
    state.clear();
    EXPECT_FALSE(state.isSet());
}

TEST_F(Reference, AFileThatIsNoMeasurementIsRefusedNamingItAndTheReferenceIsKept)
{
    MeasurementRecord noSamples = held;
    noSamples.SampleCount = 0;
    struct Case
    {
        const char *name;
        QByteArray bytes; // empty: no file at all
        const char *reason;
    };
    const Case cases[] = {
        { "short.vqm", bytesOf(held).left(8000), "too short" },
        { "long.vqm", bytesOf(held) + QByteArray(10, 'x'), "not a measurement file" },
        { "zeros.vqm", QByteArray(MeasurementRecordBytes, '\0'), "sample count is 0" },
        { "text.vqm", QByteArray(MeasurementRecordBytes, 'a'), "sample count is 24929" },
        { "nosamples.vqm", bytesOf(noSamples), "sample count is 0" },
        { "missing.vqm", QByteArray(), "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path
            = c.bytes.isEmpty() ? dir.filePath(QLatin1String(c.name)) : write(QLatin1String(c.name), c.bytes);
        try {
            state.load(path);
            ADD_FAILURE() << "loaded";
        } catch (const EInOutError &error) {
            EXPECT_TRUE(error.text().contains(path)) << error.text().toStdString();
            EXPECT_TRUE(error.text().contains(QLatin1String(c.reason))) << error.text().toStdString();
        }
        ASSERT_TRUE(state.isSet());
        EXPECT_EQ(state.reference()->name, QStringLiteral("held"));
        EXPECT_EQ(state.reference()->record.URMS, 229.5f);
    }
}

TEST_F(Reference, StatusTextNamesTheReferenceAndItsTime)
{
    EXPECT_EQ(ReferenceStatusText(std::nullopt), QString());
    const QDateTime time(QDate(2026, 3, 14), QTime(9, 26, 53));
    EXPECT_EQ(ReferenceStatusText(state.reference()),
        QStringLiteral("Reference: held, ") + ShortDateText(time.date()) + QLatin1Char(' ')
            + LongTimeText(time.time()));
    state.set(held, QStringLiteral("undated"), QDateTime());
    EXPECT_EQ(ReferenceStatusText(state.reference()), QStringLiteral("Reference: undated"));
}
