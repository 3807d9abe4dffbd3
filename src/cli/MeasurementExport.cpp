#include "cli/MeasurementExport.h"

#include "cli/CliError.h"
#include "cli/MeasurementValues.h"
#include "link/Errors.h"
#include "measure/MeasurementFile.h"

#include <QFile>
#include <QSaveFile>

#include <cmath>
#include <cstdlib>

namespace {
// Deviations from the zero count, scaled so that the largest one is `peak`.
void scaleWave(const uint16_t *samples, uint16_t zero, float peak, std::array<double, WaveSamples> &out)
{
    int largest = 0;
    for (int k = 0; k < WaveSamples; ++k)
        largest = std::max(largest, std::abs(int(samples[k]) - int(zero)));
    const double perCount = largest > 0 && std::isfinite(peak) ? double(peak) / largest : 0.0;
    for (int k = 0; k < WaveSamples; ++k)
        out[size_t(k)] = (int(samples[k]) - int(zero)) * perCount;
}

QString number(double value)
{
    return QString::number(value, 'g', 10);
}
} // namespace

PhysicalWaves WavesInPhysicalUnits(const MeasurementRecord &record)
{
    PhysicalWaves waves;
    const double frequency = record.UF > 0 ? double(record.UF) : 50.0;
    const double sampleMs = 4.0 / frequency * 1000.0 / WaveSamples;
    for (int k = 0; k < WaveSamples; ++k)
        waves.timeMs[size_t(k)] = k * sampleMs;
    scaleWave(record.UWave, record.UZero, record.UPP, waves.volts);
    scaleWave(record.IWave, record.IZero, record.IPP, waves.amperes);
    return waves;
}

QString MeasurementCsv(const MeasurementRecord &record)
{
    QString csv = CsvRow({ QStringLiteral("Quantity"), QStringLiteral("Value"), QStringLiteral("Unit") });
    for (const ValueField &field : ValueFields)
        csv += CsvRow({ QString::fromLatin1(field.name), FloatText(FieldValue(record, field)),
            QString::fromUtf8(field.unit) });

    csv += QStringLiteral("\r\n");
    csv += CsvRow({ QStringLiteral("Order"), QStringLiteral("UHarm (V)"), QStringLiteral("IHarm (A)") });
    for (int i = 0; i < HarmonicCount; ++i)
        csv += CsvRow({ QString::number(i), FloatText(record.UHarm[i]), FloatText(record.IHarm[i]) });

    csv += QStringLiteral("\r\n");
    const PhysicalWaves waves = WavesInPhysicalUnits(record);
    csv += CsvRow({ QStringLiteral("Sample"), QStringLiteral("Time (ms)"), QStringLiteral("U (V)"),
        QStringLiteral("I (A)"), QStringLiteral("UWave (counts)"), QStringLiteral("IWave (counts)") });
    for (int k = 0; k < WaveSamples; ++k) {
        const size_t i = size_t(k);
        csv += CsvRow({ QString::number(k), number(waves.timeMs[i]), number(waves.volts[i]),
            number(waves.amperes[i]), QString::number(record.UWave[k]), QString::number(record.IWave[k]) });
    }
    return csv;
}

void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath)
{
    MeasurementRecord record {};
    try {
        LoadMeasurementFile(measurementPath, record);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(measurementPath, error.text()));
    }
    const QByteArray csv = MeasurementCsv(record).toUtf8();

    if (csvPath == QStringLiteral("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.flush())
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(out.errorString()));
        return;
    }
    QSaveFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.commit())
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(csvPath, out.errorString()));
}
