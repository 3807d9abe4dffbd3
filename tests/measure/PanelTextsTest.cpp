#include "measure/PanelTexts.h"
#include "measure/PaneDrawing.h"

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
MeasurementRecord startUpRecord()
{
    InitMeasurement();
    return Measurement;
}

struct PanelCase
{
    const char *name;
    std::function<void(MeasurementRecord &)> change;
    std::array<const char *, PanelCount> expected;
};
} // namespace

TEST(PanelTexts, TableOfRecords)
{
    // Panels in table order: URMS IRMS UPP IPP UF IPA WRMS PS PQ PF VTHD ITHD IKF VKF KWH.
    const PanelCase cases[] = {
        { "start-up record", [](MeasurementRecord &) {},
            { "0.0V", "0.0", "0.0V", "0.0", "0.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "URMS 230.1234", [](MeasurementRecord &r) { r.URMS = 230.1234f; },
            { "230.12V", "0.0", "0.0V", "0.0", "0.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "URMS 5", [](MeasurementRecord &r) { r.URMS = 5.0f; },
            { "5.0V", "0.0", "0.0V", "0.0", "0.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "VTHD 0.0523", [](MeasurementRecord &r) { r.VTHD = 0.0523f; },
            { "0.0V", "0.0", "0.0V", "0.0", "0.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "5.2 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "VTHD 0.05", [](MeasurementRecord &r) { r.VTHD = 0.05f; },
            { "0.0V", "0.0", "0.0V", "0.0", "0.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "5.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "UF 50", [](MeasurementRecord &r) { r.UF = 50.0f; },
            { "0.0V", "0.0", "0.0V", "0.0", "50.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "UF 60", [](MeasurementRecord &r) { r.UF = 60.0f; },
            { "0.0V", "0.0", "0.0V", "0.0", "60.00Hz", "0.0", "0.0", "0.0", "0.0", "0.0", "0.0 %", "0.0 %",
                "0.0", "0.0", "0.0" } },
        { "every field distinct",
            [](MeasurementRecord &r) {
                r.URMS = 229.87654f; // 229.877 cut to 229.87
                r.IRMS = 4.56789f; // 4.5679
                r.UPP = 325.256f; // 325.26 (325.256 is not a tie in binary)
                r.IPP = 6.4599f; // 6.46
                r.UF = 49.9876f; // 49.988, not cut
                r.IPA = -12.345f; // -12.35: six characters with the sign
                r.WRMS = 1049.98765f; // 1049.9877 cut to 1049.9
                r.PS = 1050.5f; // 1050.5
                r.PQ = -34.0f; // whole number gets the filler
                r.PF = 0.9876f; // 0.988
                r.VTHD = 0.1234f; // 12.3 %
                r.ITHD = 1.5f; // 150.0 %
                r.IKF = 1.41421f; // 1.414
                r.VKF = 1.11072f; // 1.111
                r.KWH = 12345.6789f; // 12345.679, not cut
            },
            { "229.87V", "4.5679", "325.26V", "6.46", "49.988Hz", "-12.35", "1049.9", "1050.5", "-34.0",
                "0.988", "12.3 %", "150.0 %", "1.414", "1.111", "12345.679" } },
    };
    for (const PanelCase &c : cases) {
        MeasurementRecord record = startUpRecord();
        c.change(record);
        const auto texts = PanelTexts(record);
        for (int p = 0; p < PanelCount; ++p)
            EXPECT_EQ(texts[p], QString::fromLatin1(c.expected[p])) << c.name << ", panel " << p;
    }
}

TEST(PanelTexts, NaNReactivePowerReadsZeroAndOtherValuesKeepTheirText)
{
    MeasurementRecord record = startUpRecord();
    record.PQ = std::numeric_limits<float>::quiet_NaN();
    record.URMS = std::numeric_limits<float>::infinity();
    const auto texts = PanelTexts(record);
    EXPECT_EQ(texts[Panel_PQ], QStringLiteral("0.0"));
    EXPECT_EQ(texts[Panel_URMS], QStringLiteral("INFV"));
}

TEST(WavePaneText, DivisionsFollowFrequencyPeaksAndPresence)
{
    struct Case
    {
        const char *name;
        float uf, urms, upp, irms, ipp;
        const char *expected;
    } cases[] = {
        { "start-up", 0, 0, 0, 0, 0, "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" },
        { "50 Hz", 50, 0, 0, 0, 0, "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" },
        { "60 Hz", 60, 0, 0, 0, 0, "SEC/DIV:6.67ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" },
        { "negative frequency", -50, 0, 0, 0, 0,
            "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" },
        // 325.27 / 4 = 81.3175 and 7.07 / 3 = 2.3567: two decimals, no filler on 100.
        { "live values", 50, 230, 325.27f, 5, 7.07f,
            "SEC/DIV:8ms   Vol/DIV:81.32V   Amp/DIV:2.36A   Trigger Source:Vol" },
        { "whole numbers get no filler", 50, 230, 400, 5, 3,
            "SEC/DIV:8ms   Vol/DIV:100V   Amp/DIV:1A   Trigger Source:Vol" },
        // The peaks count only while the RMS values say there is a signal.
        { "peak without RMS", 50, 0, 325.27f, 0, 7.07f,
            "SEC/DIV:8ms   Vol/DIV:50V   Amp/DIV:1A   Trigger Source:Vol" },
    };
    for (const Case &c : cases) {
        MeasurementRecord record = startUpRecord();
        record.UF = c.uf;
        record.URMS = c.urms;
        record.UPP = c.upp;
        record.IRMS = c.irms;
        record.IPP = c.ipp;
        EXPECT_EQ(WavePaneText(record), QString::fromLatin1(c.expected)) << c.name;
    }
}
