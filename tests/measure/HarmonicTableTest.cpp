#include "measure/HarmonicTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
const QString Prefix(21, QLatin1Char(' '));

MeasurementRecord startUpRecord()
{
    InitMeasurement();
    return Measurement;
}
} // namespace

TEST(HarmonicTable, HeaderTexts)
{
    const QString blanks(13, QLatin1Char(' '));
    EXPECT_EQ(HarmonicTableHeader(),
        QStringList({ blanks + "N   ", blanks + "Vol (rms)", blanks + "Vol (content)", blanks + "Amp (rms)",
            blanks + "Amp (content)" }));
}

TEST(HarmonicTable, StartUpRecordReadsZeroEverywhere)
{
    const MeasurementRecord record = startUpRecord();
    for (int n = 0; n < HarmonicCount; ++n) {
        const HarmonicRow row = HarmonicTableRow(record, n);
        EXPECT_EQ(row.n, Prefix + QString::number(n));
        EXPECT_EQ(row.uRms, Prefix + "0.00") << n;
        EXPECT_EQ(row.uContent, Prefix + "0.00%") << n;
        EXPECT_EQ(row.iRms, Prefix + "0.00") << n;
        EXPECT_EQ(row.iContent, Prefix + "0.00%") << n;
    }
}

TEST(HarmonicTable, RowsOfKnownSpectra)
{
    struct Case
    {
        const char *name;
        std::function<void(MeasurementRecord &)> change;
        int order;
        const char *uRms, *uContent, *iRms, *iContent;
    } cases[] = {
        // 311.127 * 100 / 1.41421 = 22000.06: 220, with the filler.
        { "voltage fundamental", [](MeasurementRecord &r) { r.UHarm[1] = 311.127f; }, 1, "220.00", "100.00%",
            "0.00", "0.00%" },
        // 0.5 / 1.41421 = 0.35355: four decimals for the current; 0.5 / 5 = 10 %.
        { "third current harmonic",
            [](MeasurementRecord &r) {
                r.IHarm[1] = 5.0f;
                r.IHarm[3] = 0.5f;
            },
            3, "0.00", "0.00%", "0.3536", "10.00%" },
        { "current fundamental",
            [](MeasurementRecord &r) {
                r.IHarm[1] = 5.0f;
                r.IHarm[3] = 0.5f;
            },
            1, "0.00", "0.00%", "3.5355", "100.00%" },
        // DC is listed in row 0 like any other order: 10 / 1.41421 = 7.0711, 10 / 311.127 = 3.21 %.
        { "DC component",
            [](MeasurementRecord &r) {
                r.UHarm[0] = 10.0f;
                r.UHarm[1] = 311.127f;
            },
            0, "7.07", "3.21%", "0.00", "0.00%" },
        // 1 / 800 * 10000 = 12.5 exactly: the tie goes to the even 12.
        { "content tie",
            [](MeasurementRecord &r) {
                r.UHarm[1] = 800.0f;
                r.UHarm[2] = 1.0f;
            },
            2, "0.71", "0.12%", "0.00", "0.00%" },
        // 3 / 800 * 10000 = 37.5: up to the even 38.
        { "content tie up",
            [](MeasurementRecord &r) {
                r.UHarm[1] = 800.0f;
                r.UHarm[2] = 3.0f;
            },
            2, "2.12", "0.38%", "0.00", "0.00%" },
        { "negative amplitude",
            [](MeasurementRecord &r) {
                r.UHarm[1] = 100.0f;
                r.UHarm[4] = -2.0f;
            },
            4, "-1.41", "-2.00%", "0.00", "0.00%" },
        { "last order",
            [](MeasurementRecord &r) {
                r.UHarm[1] = 100.0f;
                r.UHarm[50] = 0.25f;
            },
            50, "0.18", "0.25%", "0.00", "0.00%" },
        // Without a fundamental a percentage has no value: amplitudes other than 0 show no number.
        { "no fundamental",
            [](MeasurementRecord &r) {
                r.UHarm[0] = 10.0f;
                r.IHarm[3] = 0.5f;
            },
            0, "7.07", "---", "0.00", "0.00%" },
        { "no fundamental, current", [](MeasurementRecord &r) { r.IHarm[3] = 0.5f; }, 3, "0.00", "0.00%",
            "0.3536", "---" },
        { "NaN fundamental",
            [](MeasurementRecord &r) {
                r.UHarm[1] = std::numeric_limits<float>::quiet_NaN();
                r.UHarm[3] = 1.0f;
            },
            3, "0.71", "---", "0.00", "0.00%" },
    };
    for (const Case &c : cases) {
        MeasurementRecord record = startUpRecord();
        c.change(record);
        const HarmonicRow row = HarmonicTableRow(record, c.order);
        EXPECT_EQ(row.n, Prefix + QString::number(c.order)) << c.name;
        EXPECT_EQ(row.uRms, Prefix + c.uRms) << c.name;
        EXPECT_EQ(row.uContent, Prefix + c.uContent) << c.name;
        EXPECT_EQ(row.iRms, Prefix + c.iRms) << c.name;
        EXPECT_EQ(row.iContent, Prefix + c.iContent) << c.name;
    }
}
