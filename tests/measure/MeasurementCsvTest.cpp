// The measurement's CSV file as the windows write it: whole or not at all, and the write's
// failure as an error with the system's text.

#include "measure/MeasurementCsv.h"
#include "base/Errors.h"
#include "measure/HarmonicTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MeasurementCsvFile, TheFileHoldsTheMeasurementsCsvAndAFailedWriteLeavesNoFile)
{
    QTemporaryDir dir;
    MeasurementRecord record {};
    record.URMS = 230.01f;
    record.UHarm[3] = 1.5f;
    record.UF = 50.0f;
    const QString file = dir.filePath(QStringLiteral("m.csv"));
    SaveMeasurementCsv(record, file);
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_EQ(bytes, MeasurementCsv(record).toUtf8());
    EXPECT_TRUE(bytes.contains("\r\nURMS,230.01,V\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n3,1.5,0,1.06,0.00\r\n"));
    written.close();

    // Written over whole by the next save.
    record.URMS = 1.0f;
    SaveMeasurementCsv(record, file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("\r\nURMS,1,V\r\n"));

    const QString missing = dir.filePath(QStringLiteral("no folder/m.csv"));
    try {
        SaveMeasurementCsv(record, missing);
        ADD_FAILURE() << "no error";
    } catch (const EInOutError &error) {
        EXPECT_FALSE(error.text().isEmpty());
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(MeasurementCsvHarmonics, PeakAmplitudesAreLabelledAsSuchAndTheTablesRmsValuesFollow)
{
    MeasurementRecord record {};
    record.UHarm[1] = 325.27f; // 230 V RMS
    record.IHarm[1] = 7.0711f;
    record.UHarm[5] = 1.5f;
    record.IHarm[50] = 0.00141f;
    const QStringList lines = MeasurementCsv(record).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 17 + 51);
    EXPECT_EQ(lines[17], QStringLiteral("Order,UHarm peak (V),IHarm peak (A),UHarm RMS (V),IHarm RMS (A)"));
    struct Case
    {
        int order;
        const char *row;
    } cases[] = {
        { 0, "0,0,0,0.00,0.00" },
        { 1, "1,325.27,7.0711,230.00,5.00" },
        { 5, "5,1.5,0,1.06,0.00" },
        { 50, "50,0,0.00141,0.00,0.001" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.order);
        EXPECT_EQ(lines[18 + c.order], QString::fromLatin1(c.row));
        // The same texts as the harmonic table window shows.
        const HarmonicRow row = HarmonicTableRow(record, c.order);
        EXPECT_EQ(lines[18 + c.order].section(QLatin1Char(','), 3, 4),
            row.uRms.trimmed() + "," + row.iRms.trimmed());
    }
}

} // namespace
