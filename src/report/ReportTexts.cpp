#include "report/ReportTexts.h"

#include "measure/HarmonicTable.h"
#include "measure/NumberText.h"

QString ReportDecimals(double value, int decimals)
{
    return NumberText(value, decimals, QString(), false, QString());
}

QString ReportThdText(double fraction, bool print)
{
    return NumberText(fraction * 100.0, print ? 2 : 1, QString(), false, QString());
}

QString ReportHarmonicRms(float amplitude)
{
    // The report's own constant for the square root of 2, coarser than the table's.
    return NumberText(double(amplitude) / 1.414, 2, QStringLiteral(".00"), false, QString());
}

QString ReportHarmonicPercent(float amplitude, float fundamental)
{
    return HarmonicContentText(amplitude, fundamental, QStringLiteral(".0"));
}

QStringList ReportParameterLines(const MeasurementRecord &r, bool print)
{
    struct Line
    {
        const char *preview;
        const char *paper;
        double value;
        int decimals; // -1: THD
        const char *unitPreview;
        const char *unitPaper;
    };
    const Line lines[] = {
        { " Voltage(trms)： ", " Voltage(TRMS)： ", r.URMS, 2, " V", " V" },
        { " Voltage Peak：  ", " Voltage Peak:   ", r.UPP, 2, " V", " V" },
        { " Frequency：     ", " Frequency：     ", r.UF, 2, " Hz", " Hz" },
        { " Current(trms)： ", " Current(trms)： ", r.IRMS, 3, " A", " A" },
        { " Current Peak：  ", " Current Peak：  ", r.IPP, 3, " A", " A" },
        { " Current Phase ：", " Current Phase： ", r.IPA, 2, " Deg", " Deg" },
        { " Active Power ： ", "  Active Power： ", r.WRMS, 2, " W", " W" },
        { " Power Factor：  ", " Power Factor：  ", r.PF, 3, "", "" },
        { " Apparent power：", " Apparent power：", r.PS, 2, " VA", " VA" },
        { " Reactive power：", " Reactive power：", r.PQ, 2, " VAR", " VAR" },
        { " Voltage form factor:", " Voltage form factor：", r.VKF, 2, " ", "" },
        { " Current form factor:", " Current form factor：", r.IKF, 2, " ", "" },
        { " UTHD：         ", " UTHD：         ", r.VTHD, -1, " %", " %" },
        { " ITHD：         ", " ITHD：         ", r.ITHD, -1, " %", " %" },
    };
    QStringList texts;
    for (const Line &line : lines) {
        const QString value = line.decimals < 0 ? ReportThdText(line.value, print)
                                                : ReportDecimals(line.value, line.decimals);
        texts << QString::fromUtf8(print ? line.paper : line.preview) + value
                + QString::fromUtf8(print ? line.unitPaper : line.unitPreview);
    }
    return texts;
}
