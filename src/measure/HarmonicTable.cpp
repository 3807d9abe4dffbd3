#include "measure/HarmonicTable.h"

#include "measure/NumberText.h"

#include <QCoreApplication>

#include <cmath>

namespace {
// The instrument's own constant for the square root of 2; the table keeps it so that its
// RMS values agree with the instrument's display.
constexpr double Sqrt2 = 1.41421;

QString rmsText(float amplitude, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    const double rms = RoundHalfEven(double(amplitude) * factor / Sqrt2, 0) / factor;
    return HarmonicCellPrefix + NumberText(rms, decimals, QStringLiteral(".00"), false, QString());
}
} // namespace

QString HarmonicContentText(float amplitude, float fundamental, const QString &filler)
{
    if (fundamental == 0.0f || !std::isfinite(fundamental)) {
        // No fundamental: an empty row still reads 0 %, anything else has no percentage.
        if (amplitude == 0.0f)
            return NumberText(0.0, 2, filler, false, QStringLiteral("%"));
        return HarmonicContentUndefined;
    }
    const double content = RoundHalfEven(double(amplitude) / double(fundamental) * 10000.0, 0) / 100.0;
    return NumberText(content, 2, filler, false, QStringLiteral("%"));
}

HarmonicRow HarmonicTableRow(const MeasurementRecord &record, int order)
{
    HarmonicRow row;
    if (order < 0 || order >= HarmonicCount)
        return row;
    const float u = record.UHarm[order];
    const float i = record.IHarm[order];
    row.n = HarmonicCellPrefix + QString::number(order);
    row.uRms = rmsText(u, 2);
    row.uContent = HarmonicCellPrefix + HarmonicContentText(u, record.UHarm[1], QStringLiteral(".00"));
    row.iRms = rmsText(i, 4);
    row.iContent = HarmonicCellPrefix + HarmonicContentText(i, record.IHarm[1], QStringLiteral(".00"));
    return row;
}

QStringList HarmonicTableHeader()
{
    const QString blanks(13, QLatin1Char(' '));
    const auto caption
        = [&blanks](const char *text) { return blanks + QCoreApplication::translate("THarmonicForm", text); };
    return { caption(QT_TRANSLATE_NOOP("THarmonicForm", "N   ")),
        caption(QT_TRANSLATE_NOOP("THarmonicForm", "Vol (rms)")),
        caption(QT_TRANSLATE_NOOP("THarmonicForm", "Vol (content)")),
        caption(QT_TRANSLATE_NOOP("THarmonicForm", "Amp (rms)")),
        caption(QT_TRANSLATE_NOOP("THarmonicForm", "Amp (content)")) };
}
