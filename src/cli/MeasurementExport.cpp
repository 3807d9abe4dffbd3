#include "cli/MeasurementExport.h"

#include "cli/CliError.h"
#include "link/Errors.h"
#include "measure/MeasurementCsv.h"
#include "measure/MeasurementFile.h"
#include "record/RecordCsv.h"
#include "record/RecordFile.h"

#include <QFile>

#include <memory>

namespace {
bool toStandardOutput(const QString &csvPath)
{
    return csvPath == QStringLiteral("-");
}

} // namespace

void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath)
{
    MeasurementRecord record {};
    try {
        LoadMeasurementFile(measurementPath, record);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(measurementPath, error.text()));
    }

    if (toStandardOutput(csvPath)) {
        const QByteArray csv = MeasurementCsv(record).toUtf8();
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(csv) != csv.size() || !out.flush())
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(out.errorString()));
        return;
    }
    try {
        SaveMeasurementCsv(record, csvPath);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(csvPath, error.text()));
    }
}

void ExportRecordFile(const QString &recordPath, const QString &csvPath)
{
    const auto arrays = std::make_unique<RecordArrays>();
    RecordFileInfo info;
    try {
        info = ReadRecordFile(recordPath, *arrays);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(recordPath, error.text()));
    }
    if (const QString refusal = RecordFileRefusal(info); !refusal.isEmpty())
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(recordPath, refusal));

    if (toStandardOutput(csvPath)) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(out.errorString()));
        try {
            WriteRecordCsv(out, *arrays, info.count, info.channelSignals);
        } catch (const KmrError &error) {
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(error.text()));
        }
        if (!out.flush())
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(out.errorString()));
        return;
    }
    try {
        SaveRecordCsv(csvPath, *arrays, info.count, info.channelSignals);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(csvPath, error.text()));
    }
}
