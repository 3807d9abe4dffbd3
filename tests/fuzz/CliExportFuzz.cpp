// The command-line tool's export fed arbitrary files: the first byte chooses a measurement
// file (even) or a record file (odd), the rest is the file. The CSV goes to a file in a
// temporary folder, as `kmr5150-cli export FILE --out CSV` writes it.

#include "cli/CliError.h"
#include "cli/MeasurementExport.h"

#include "base/Errors.h"
#include "measure/MeasurementRecord.h"
#include "record/RecordFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QTemporaryDir *workDir = nullptr;
RecordArrays *arrays = nullptr;

QByteArray readWhole(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv);
    workDir = new QTemporaryDir;
    arrays = new RecordArrays;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool record = data[0] & 1;
    const QString input = workDir->filePath(record ? QStringLiteral("fuzz.vqr") : QStringLiteral("fuzz.vqm"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    const QString csv = workDir->filePath(QStringLiteral("fuzz.csv"));
    QFile::remove(csv);
    try {
        if (record)
            ExportRecordFile(input, csv);
        else
            ExportMeasurementFile(input, csv);
    } catch (const CliError &error) {
        // A refused file names itself and leaves no CSV behind.
        if (error.code() != ExitFile || !error.text().startsWith(input) || QFile::exists(csv))
            std::abort();
        return 0;
    }

    const QByteArray text = readWhole(csv);
    if (text.isEmpty() || !text.endsWith("\r\n"))
        std::abort();
    if (record) {
        // A header and one row per sample of the record as the loader reads it.
        RecordFileInfo info;
        try {
            info = ReadRecordFile(input, *arrays);
        } catch (const EInOutError &) {
            std::abort();
        }
        if (text.count("\r\n") != qsizetype(info.count) + 1)
            std::abort();
    } else if (size - 1 < size_t(MeasurementRecordBytes)) {
        std::abort();
    }
    return 0;
}
