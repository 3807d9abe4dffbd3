// The measurement's CSV file as the windows write it: whole or not at all, and the write's
// failure as an error with the system's text.

#include "measure/MeasurementCsv.h"
#include "link/Errors.h"

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
    EXPECT_TRUE(bytes.contains("\r\n3,1.5,0\r\n"));
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

} // namespace
