#include "cli/MeasurementExport.h"

#include "base/Errors.h"
#include "cli/CliError.h"
#include "cli/OutputFile.h"
#include "measure/MeasurementCsv.h"
#include "measure/MeasurementFile.h"
#include "record/RecordCsv.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool toStandardOutput(const QString &csvPath)
{
    return csvPath == QStringLiteral("-");
}

// OLE day 2 is 1900-01-01: a sample dated before it was never taken by the recorder.
constexpr double FirstDayOf1900 = 2.0;

} // namespace

QStringList RecordDamage(const QString &recordPath, const RecordFileInfo &info, const RecordArrays &arrays)
{
    QStringList damage;
    const QByteArray name = QFile::encodeName(recordPath);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat status;
    if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        const off_t blocks = status.st_size / RecordBlockBytes;
        if (blocks > MaxRecordBlocks)
            damage << QStringLiteral("%1 blocks past the %2th skipped (a record holds %3 samples at most)")
                          .arg(blocks - MaxRecordBlocks)
                          .arg(MaxRecordBlocks)
                          .arg(MaxRecordSamples);
        else if (const off_t rest = status.st_size % RecordBlockBytes)
            damage << QStringLiteral("a partial block of %1 bytes at the end skipped").arg(rest);
        int32_t count = 0;
        if (info.blocks > 0
            && ::pread(fd, &count, sizeof count, off_t(info.blocks - 1) * RecordBlockBytes + BlockCountOffset)
                == sizeof count
            && count != info.count)
            damage << QStringLiteral("the count says %1 samples but the blocks hold %2; %3 exported")
                          .arg(count)
                          .arg(info.blocks * BlockSamples)
                          .arg(info.count);
    }
    if (fd >= 0)
        ::close(fd);
    int early = 0;
    int first = -1;
    for (int i = 0; i < info.count; ++i)
        if (!(arrays.timestamps()[i] >= FirstDayOf1900)) {
            if (first < 0)
                first = i;
            ++early;
        }
    if (early > 0)
        damage << QStringLiteral("%1 samples dated before 1900 (the first is sample %2) exported as they are")
                      .arg(early)
                      .arg(first + 1);
    return damage;
}

void ExportMeasurementFile(const QString &measurementPath, const QString &csvPath, bool force)
{
    std::unique_ptr<OutputFile> out;
    if (!toStandardOutput(csvPath))
        out = std::make_unique<OutputFile>(csvPath, force, measurementPath);
    MeasurementRecord record {};
    try {
        LoadMeasurementFile(measurementPath, record);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(measurementPath, error.text()));
    }

    const QByteArray csv = MeasurementCsv(record).toUtf8();
    if (!out) {
        if (!WriteWhole(STDOUT_FILENO, csv.constData(), csv.size()))
            throw CliError(ExitFile, QStringLiteral("standard output: %1").arg(SystemReason(errno)));
        return;
    }
    out->write(csv);
    out->commit();
}

void ExportRecordFile(const QString &recordPath, const QString &csvPath, bool force)
{
    std::unique_ptr<OutputFile> out;
    if (!toStandardOutput(csvPath))
        out = std::make_unique<OutputFile>(csvPath, force, recordPath);
    const auto arrays = std::make_unique<RecordArrays>();
    RecordFileInfo info;
    try {
        info = ReadRecordFile(recordPath, *arrays);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(recordPath, error.text()));
    }
    if (const QString refusal = RecordFileRefusal(info); !refusal.isEmpty())
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(recordPath, refusal));

    const QString outName = out ? csvPath : QStringLiteral("standard output");
    DescriptorDevice device(out ? out->fd() : STDOUT_FILENO);
    try {
        WriteRecordCsv(device, *arrays, info.count, info.channelSignals);
    } catch (const KmrError &error) {
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(outName, error.text()));
    }
    if (out)
        out->commit();
    for (const QString &text : RecordDamage(recordPath, info, *arrays))
        std::fprintf(
            stderr, "kmr5150-cli: %s: %s\n", recordPath.toUtf8().constData(), text.toUtf8().constData());
}
