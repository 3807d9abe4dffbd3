// kmr5150-cli compare: the difference table of two measurement files, as the core computes it
// and as worked out by hand, and one line and a non-zero exit for what it cannot compare.

#include "CliSupport.h"

#include "measure/Comparison.h"
#include "measure/MeasurementFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace clitest;

class CliCompare : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        InitMeasurement();
        a = Measurement;
        b = Measurement;
        a.URMS = 230.5f;
        b.URMS = 220.0f;
        a.IRMS = 1.5f;
        b.IRMS = 2.0f;
        a.PQ = 12.0f; // against a reference of 0
        a.UHarm[1] = 325.0f;
        b.UHarm[1] = 311.0f;
        a.UHarm[3] = 10.0f;
        b.UHarm[3] = 5.0f;
        a.IHarm[50] = 0.25f;
        b.IHarm[50] = 1.0f;
        aPath = dir.filePath(QStringLiteral("after.vqm"));
        bPath = dir.filePath(QStringLiteral("before.vqm"));
        SaveMeasurementFile(aPath, a);
        SaveMeasurementFile(bPath, b);
    }

    QTemporaryDir dir;
    MeasurementRecord a {}, b {};
    QString aPath, bPath;
};

} // namespace

TEST_F(CliCompare, EachFormatIsTheCoresTable)
{
    const std::vector<ComparisonRow> rows = CompareMeasurements(a, b);
    const QStringList header = ComparisonHeader(QStringLiteral("after.vqm"), QStringLiteral("before.vqm"));
    struct Case
    {
        QStringList format;
        QByteArray expected;
    };
    const Case cases[] = {
        { {}, ComparisonText(rows, header).toUtf8() },
        { { "--format", "text" }, ComparisonText(rows, header).toUtf8() },
        { { "--format", "csv" }, ComparisonCsv(rows, header).toUtf8() },
        { { "--format", "json" },
            ComparisonJson(rows, QStringLiteral("after.vqm"), QStringLiteral("before.vqm")) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(QStringList { "compare", aPath, bPath } + c.format);
        ASSERT_EQ(run.code, 0) << run.err.constData();
        EXPECT_EQ(run.out, c.expected);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
    }
}

TEST_F(CliCompare, CsvNumbersAreThoseWorkedOutByHand)
{
    const CliRun run = runCli({ "compare", aPath, bPath, "--format", "csv" });
    ASSERT_EQ(run.code, 0) << run.err.constData();
    const QString csvPath = dir.filePath(QStringLiteral("table.csv"));
    QFile file(csvPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(run.out);
    file.close();
    bool ok = false;
    const QList<QStringList> table = pythonCsvRows(csvPath, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(table.size(), 1 + ComparisonRowCount);
    const auto row = [&table](const QString &quantity) {
        for (const QStringList &r : table)
            if (!r.isEmpty() && r[0] == quantity)
                return r;
        ADD_FAILURE() << "no row " << quantity.toStdString();
        return QStringList(6);
    };
    const double sqrt2 = 1.41421; // the harmonic table's divisor: harmonics compare as RMS values
    const auto number = [](double v) { return QString::number(v, 'g', 10); };
    struct Case
    {
        const char *quantity;
        QString live, reference, difference, percent;
    };
    const Case cases[] = {
        { "URMS", "230.5", "220", "10.5", number(10.5 / 220.0 * 100.0) }, // 4.772727273
        { "IRMS", "1.5", "2", "-0.5", "-25" },
        { "PQ", "12", "0", "12", "" }, // no percent of a zero reference
        { "UHarm 1", number(325.0 / sqrt2), number(311.0 / sqrt2), number(14.0 / sqrt2),
            number(14.0 / 311.0 * 100.0) },
        { "UHarm 3", number(10.0 / sqrt2), number(5.0 / sqrt2), number(5.0 / sqrt2), "100" },
        { "IHarm 50", number(0.25 / sqrt2), number(1.0 / sqrt2), number(-0.75 / sqrt2), "-75" },
        { "IHarm 2", "0", "0", "0", "" },
    };
    EXPECT_EQ(table[0],
        (QStringList { "Quantity", "Unit", "after.vqm", "before.vqm", "Difference", "Difference (%)" }));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.quantity);
        const QStringList r = row(QString::fromLatin1(c.quantity));
        ASSERT_EQ(r.size(), 6);
        EXPECT_EQ(r[2], c.live);
        EXPECT_EQ(r[3], c.reference);
        EXPECT_EQ(r[4], c.difference);
        EXPECT_EQ(r[5], c.percent);
    }
}

TEST_F(CliCompare, WhatCannotBeComparedEndsWithOneLineAndAnError)
{
    const QString shortFile = dir.filePath(QStringLiteral("short.vqm"));
    const QString noMeasurement = dir.filePath(QStringLiteral("zeros.vqm"));
    for (const auto &[path, bytes] : { std::pair { shortFile, QByteArray(100, 'x') },
             std::pair { noMeasurement, QByteArray(MeasurementRecordBytes, '\0') } }) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QString absent = dir.filePath(QStringLiteral("absent.vqm"));
    struct Case
    {
        QStringList arguments;
        int code;
        QString named; // in the message
    };
    const Case cases[] = {
        { { "compare", absent, bPath }, 3, absent },
        { { "compare", aPath, shortFile }, 3, shortFile },
        { { "compare", noMeasurement, bPath }, 3, noMeasurement },
        { { "compare", aPath, bPath, "--format", "xml" }, 1, "--format" },
        { { "compare", aPath }, 1, "B" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
        const QString err = QString::fromUtf8(run.err).trimmed();
        EXPECT_TRUE(err.contains(c.named)) << err.toStdString();
        if (c.code == 3) {
            EXPECT_FALSE(err.contains(QLatin1Char('\n'))) << err.toStdString();
            EXPECT_TRUE(err.startsWith(QStringLiteral("kmr5150-cli: "))) << err.toStdString();
        }
    }
}
