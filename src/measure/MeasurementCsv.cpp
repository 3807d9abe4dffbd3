#include "measure/MeasurementCsv.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "base/SaveName.h"
#include "measure/HarmonicTable.h"

#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

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

const std::array<ValueField, 15> ValueFields = { {
    { "URMS", offsetof(MeasurementRecord, URMS), "V" },
    { "UPP", offsetof(MeasurementRecord, UPP), "V" },
    { "UF", offsetof(MeasurementRecord, UF), "Hz" },
    { "IRMS", offsetof(MeasurementRecord, IRMS), "A" },
    { "IPP", offsetof(MeasurementRecord, IPP), "A" },
    { "IPA", offsetof(MeasurementRecord, IPA), "°" },
    { "PF", offsetof(MeasurementRecord, PF), "" },
    { "WRMS", offsetof(MeasurementRecord, WRMS), "W" },
    { "PS", offsetof(MeasurementRecord, PS), "VA" },
    { "PQ", offsetof(MeasurementRecord, PQ), "var" },
    { "VTHD", offsetof(MeasurementRecord, VTHD), "" },
    { "ITHD", offsetof(MeasurementRecord, ITHD), "" },
    { "VKF", offsetof(MeasurementRecord, VKF), "" },
    { "IKF", offsetof(MeasurementRecord, IKF), "" },
    { "KWH", offsetof(MeasurementRecord, KWH), "kWh" },
} };

float FieldValue(const MeasurementRecord &record, const ValueField &field)
{
    float value;
    std::memcpy(&value, reinterpret_cast<const char *>(&record) + field.offset, sizeof value);
    return value;
}

char *WriteFloatText(char *out, float value)
{
    if (std::isnan(value)) {
        std::memcpy(out, "nan", 3);
        return out + 3;
    }
    if (std::isinf(value)) {
        if (value > 0) {
            std::memcpy(out, "inf", 3);
            return out + 3;
        }
        std::memcpy(out, "-inf", 4);
        return out + 4;
    }
    return std::to_chars(out, out + 16, value).ptr;
}

QString FloatText(float value)
{
    char buffer[16];
    return QString::fromLatin1(buffer, WriteFloatText(buffer, value) - buffer);
}

QString IsoTime(const QDateTime &time)
{
    // Qt writes local times without their offset; a fixed offset is written with it.
    const QDateTime withOffset = time.toOffsetFromUtc(time.offsetFromUtc());
    QString text = withOffset.toString(Qt::ISODateWithMs);
    if (text.endsWith(QLatin1Char('Z'))) {
        text.chop(1);
        text += QStringLiteral("+00:00");
    }
    return text;
}

QString CsvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvRow(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString MeasurementCsvHeader()
{
    QStringList fields { QStringLiteral("time") };
    for (const ValueField &field : ValueFields)
        fields << QString::fromLatin1(field.name);
    return CsvRow(fields);
}

QString MeasurementCsvRow(const MeasurementRecord &record, const QDateTime &time)
{
    QStringList fields { IsoTime(time) };
    for (const ValueField &field : ValueFields)
        fields << FloatText(FieldValue(record, field));
    return CsvRow(fields);
}

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
    // The record holds peak amplitudes; the RMS columns are those of the harmonic table.
    csv += CsvRow({ QStringLiteral("Order"), QStringLiteral("UHarm peak (V)"),
        QStringLiteral("IHarm peak (A)"), QStringLiteral("UHarm RMS (V)"), QStringLiteral("IHarm RMS (A)") });
    for (int i = 0; i < HarmonicCount; ++i) {
        const HarmonicRow row = HarmonicTableRow(record, i);
        csv += CsvRow({ QString::number(i), FloatText(record.UHarm[i]), FloatText(record.IHarm[i]),
            row.uRms.trimmed(), row.iRms.trimmed() });
    }

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

void SaveMeasurementCsv(const MeasurementRecord &record, const QString &csvPath)
{
    const QByteArray csv = MeasurementCsv(record).toUtf8();
    QSaveFile out(csvPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.commit())
        throw EInOutError(out.errorString());
}

void ExportMeasurementCsvCommand(const MeasurementRecord &record)
{
    const QString fileName = AskSaveFileName(CsvFileFilter(), QStringLiteral("TestFile.csv"));
    if (fileName.isEmpty())
        return;
    try {
        NamingFile(fileName, [&] { SaveMeasurementCsv(record, fileName); });
    } catch (const KmrError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
    }
}
