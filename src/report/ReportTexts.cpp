#include "report/ReportTexts.h"

#include "measure/HarmonicTable.h"
#include "measure/NumberText.h"

#include <QCoreApplication>

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
        { QT_TRANSLATE_NOOP("ReportTexts", " Voltage(trms)： "),
            QT_TRANSLATE_NOOP("ReportTexts", " Voltage(TRMS)： "), r.URMS, 2, " V", " V" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Voltage Peak：  "),
            QT_TRANSLATE_NOOP("ReportTexts", " Voltage Peak:   "), r.UPP, 2, " V", " V" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Frequency：     "),
            QT_TRANSLATE_NOOP("ReportTexts", " Frequency：     "), r.UF, 2, " Hz", " Hz" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Current(trms)： "),
            QT_TRANSLATE_NOOP("ReportTexts", " Current(trms)： "), r.IRMS, 3, " A", " A" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Current Peak：  "),
            QT_TRANSLATE_NOOP("ReportTexts", " Current Peak：  "), r.IPP, 3, " A", " A" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Current Phase ："),
            QT_TRANSLATE_NOOP("ReportTexts", " Current Phase： "), r.IPA, 2, " Deg", " Deg" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Active Power ： "),
            QT_TRANSLATE_NOOP("ReportTexts", "  Active Power： "), r.WRMS, 2, " W", " W" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Power Factor：  "),
            QT_TRANSLATE_NOOP("ReportTexts", " Power Factor：  "), r.PF, 3, "", "" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Apparent power："),
            QT_TRANSLATE_NOOP("ReportTexts", " Apparent power："), r.PS, 2, " VA", " VA" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Reactive power："),
            QT_TRANSLATE_NOOP("ReportTexts", " Reactive power："), r.PQ, 2, " VAR", " VAR" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Voltage form factor:"),
            QT_TRANSLATE_NOOP("ReportTexts", " Voltage form factor："), r.VKF, 2, " ", "" },
        { QT_TRANSLATE_NOOP("ReportTexts", " Current form factor:"),
            QT_TRANSLATE_NOOP("ReportTexts", " Current form factor："), r.IKF, 2, " ", "" },
        { QT_TRANSLATE_NOOP("ReportTexts", " UTHD：         "),
            QT_TRANSLATE_NOOP("ReportTexts", " UTHD：         "), r.VTHD, -1, " %", " %" },
        { QT_TRANSLATE_NOOP("ReportTexts", " ITHD：         "),
            QT_TRANSLATE_NOOP("ReportTexts", " ITHD：         "), r.ITHD, -1, " %", " %" },
    };
    QStringList texts;
    for (const Line &line : lines) {
        const QString value = line.decimals < 0 ? ReportThdText(line.value, print)
                                                : ReportDecimals(line.value, line.decimals);
        texts << QCoreApplication::translate("ReportTexts", print ? line.paper : line.preview) + value
                + QString::fromUtf8(print ? line.unitPaper : line.unitPreview);
    }
    return texts;
}
