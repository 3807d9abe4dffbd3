#include "measure/MeasurementFile.h"

#include "link/Errors.h"
#include "link/Globals.h"
#include "link/Platform.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <windows.h>
#endif

void SaveMeasurementFile(const QString &fileName, const MeasurementRecord &record)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInOutError(file.errorString());
    const qint64 written = file.write(reinterpret_cast<const char *>(&record), MeasurementRecordBytes);
    // A full disk may only show when the buffered bytes go out.
    if (written != MeasurementRecordBytes || !file.flush())
        throw EInOutError(file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(file.errorString());
}

void LoadMeasurementFile(const QString &fileName, MeasurementRecord &record)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(file.errorString());
    // Read into a copy first: a short file or a read that fails part-way must not leave
    // the shown measurement half replaced.
    char bytes[MeasurementRecordBytes];
    qint64 total = 0;
    while (total < MeasurementRecordBytes) {
        const qint64 got = file.read(bytes + total, MeasurementRecordBytes - total);
        if (got < 0)
            throw EInOutError(file.errorString());
        if (got == 0)
            throw EInOutError(QStringLiteral("Read beyond end of file"));
        total += got;
    }
    std::memcpy(&record, bytes, MeasurementRecordBytes);
}

bool SaveMeasurementCommand(const MeasurementRecord &record)
{
    Dialogs &dialogs = platform::dialogs();
    const QString fileName = dialogs.saveFileName(MeasurementSaveFilter, MeasurementProposedName);
    if (fileName.isEmpty())
        return false;
    if (QFileInfo::exists(fileName) && !dialogs.askYesNo(OverwriteTitle, OverwriteQuestion))
        return false;
    SaveMeasurementFile(fileName, record);
    return true;
}

bool OpenMeasurementCommand(MeasurementRecord &record)
{
    const QString fileName = platform::dialogs().openFileName(MeasurementOpenFilter);
    if (fileName.isEmpty())
        return false;
    LoadMeasurementFile(fileName, record);
    return true;
}

CommandLineKind ClassifyCommandLineFile(const QString &fileName)
{
    const QString last = fileName.right(3);
    if (last == u"vqm" || last == u"VQM" || last == u"Vqm")
        return CommandLineKind::MeasurementFile;
    if (last == u"vqr" || last == u"VQR" || last == u"Vqr")
        return CommandLineKind::RecordFile;
    return CommandLineKind::None;
}

QString CutCommandLine(const QString &commandLine, int programPathLength)
{
    QString rest = commandLine.mid(programPathLength + 3).trimmed();
    if (rest.startsWith(QLatin1Char('"')))
        rest = rest.size() >= 2 ? rest.mid(1, rest.size() - 2) : QString();
    return rest;
}

CommandLineKind HandleCommandLine(const QStringList &arguments, MeasurementRecord &record)
{
    if (arguments.size() < 2)
        return CommandLineKind::None;
    StartedWithFile = true;
#ifdef Q_OS_WIN
    CommandLineFile = CutCommandLine(
        QString::fromWCharArray(GetCommandLineW()), int(QCoreApplication::applicationFilePath().size()));
#else
    CommandLineFile = arguments.at(1);
#endif
    const CommandLineKind kind = ClassifyCommandLineFile(CommandLineFile);
    if (kind != CommandLineKind::MeasurementFile)
        return kind;
    try {
        LoadMeasurementFile(arguments.at(1), record);
    } catch (const EInOutError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return CommandLineKind::None;
    }
    return kind;
}
