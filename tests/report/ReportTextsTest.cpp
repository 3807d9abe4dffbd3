#include "report/ReportTexts.h"
#include "measure/HarmonicTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

TEST(ReportTexts, NumberFormats)
{
    const struct
    {
        const char *name;
        QString text;
        const char *expected;
    } cases[] = {
        { "2 decimals", ReportDecimals(230.456, 2), "230.46" },
        { "2 decimals, whole", ReportDecimals(50, 2), "50" },
        { "2 decimals, trailing zero dropped", ReportDecimals(230.50, 2), "230.5" },
        { "3 decimals", ReportDecimals(0.4567, 3), "0.457" },
        { "3 decimals, short", ReportDecimals(0.5, 3), "0.5" },
        { "2 decimals, tie to even", ReportDecimals(0.125, 2), "0.12" },
        { "THD preview", ReportThdText(0.03127f, false), "3.1" },
        { "THD print", ReportThdText(0.03127f, true), "3.13" },
        { "harmonic RMS 5", ReportHarmonicRms(7.07f), "5.00" },
        { "harmonic RMS 5.1", ReportHarmonicRms(5.1f * 1.414f), "5.1" },
        { "harmonic RMS 1.2", ReportHarmonicRms(1.6968f), "1.2" },
        { "harmonic RMS 0", ReportHarmonicRms(0.0f), "0.00" },
        { "fundamental percent", ReportHarmonicPercent(311.0f, 311.0f), "100.0%" },
        { "percent", ReportHarmonicPercent(3.25f, 100.0f), "3.25%" },
        { "percent, one decimal", ReportHarmonicPercent(1.5f, 100.0f), "1.5%" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, QString::fromUtf8(c.expected)) << c.name;
}

TEST(ReportTexts, PercentWithoutFundamentalReadsAsInTheHarmonicTable)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float fundamental : { 0.0f, nan }) {
        EXPECT_EQ(ReportHarmonicPercent(2.0f, fundamental), HarmonicContentUndefined);
        EXPECT_EQ(ReportHarmonicPercent(0.0f, fundamental), "0.0%");
    }
    // The table reads the same way, with its own filler.
    MeasurementRecord record {};
    record.UHarm[3] = 2.0f;
    EXPECT_EQ(HarmonicTableRow(record, 3).uContent.trimmed(), HarmonicContentUndefined);
    EXPECT_EQ(HarmonicTableRow(record, 2).uContent.trimmed(), "0.00%");
}

TEST(ReportTexts, ParameterListOnScreenAndOnPaper)
{
    MeasurementRecord record {};
    record.URMS = 230.456f;
    record.UPP = 325.0f;
    record.UF = 50.0f;
    record.IRMS = 0.4567f;
    record.IPA = -12.345f;
    record.PF = 0.5f;
    record.VKF = 1.414f;
    record.VTHD = 0.03127f;
    record.ITHD = 0.1f;

    const QStringList screen = ReportParameterLines(record, false);
    const QStringList paper = ReportParameterLines(record, true);
    ASSERT_EQ(screen.size(), 14);
    ASSERT_EQ(paper.size(), 14);
    EXPECT_EQ(screen[0], " Voltage(trms)： 230.46 V");
    EXPECT_EQ(paper[0], " Voltage(TRMS)： 230.46 V");
    EXPECT_EQ(paper[1], " Voltage Peak:   325 V");
    EXPECT_EQ(screen[2], " Frequency：     50 Hz");
    EXPECT_EQ(screen[3], " Current(trms)： 0.457 A");
    EXPECT_EQ(screen[5], " Current Phase ：-12.35 Deg");
    EXPECT_EQ(paper[6], "  Active Power： 0 W");
    EXPECT_EQ(paper[7], " Power Factor：  0.5");
    EXPECT_EQ(screen[10], " Voltage form factor:1.41 ");
    EXPECT_EQ(paper[10], " Voltage form factor：1.41");
    EXPECT_EQ(screen[12], " UTHD：         3.1 %");
    EXPECT_EQ(paper[12], " UTHD：         3.13 %");
    EXPECT_EQ(paper[13], " ITHD：         10 %");
}
