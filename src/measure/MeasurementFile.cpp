#include "measure/MeasurementFile.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "base/SaveName.h"
#include "link/Globals.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifdef Q_OS_UNIX
QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a name that is not a plain file names, for the message; empty for a plain file.
QString otherKind(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return QCoreApplication::translate("MeasurementFile", "a folder");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("MeasurementFile", "a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("MeasurementFile", "a device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("MeasurementFile", "a socket");
    return QCoreApplication::translate("MeasurementFile", "not a plain file");
}

[[noreturn]] void refuse(const QString &fileName, const QString &kind)
{
    throw EInOutError(
        QCoreApplication::translate("MeasurementFile", "\"%1\" is %2, not a file").arg(fileName, kind));
}
#endif
} // namespace

void CheckRegularFileName(const QString &fileName)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(fileName).constData(), &info) == 0) {
        const QString kind = otherKind(info.st_mode);
        if (!kind.isEmpty())
            refuse(fileName, kind);
    }
#else
    Q_UNUSED(fileName);
#endif
}

void OpenRegularFile(QFile &file, const QString &fileName, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    // Opened without waiting, so that a pipe without a writer or a device cannot hold the
    // caller; what was opened is then checked, not what the name named a moment before.
    const bool writing = mode & QIODevice::WriteOnly;
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    flags |= writing ? ((mode & QIODevice::ReadOnly) ? O_RDWR : O_WRONLY) | O_CREAT : O_RDONLY;
    CheckRegularFileName(fileName);
    const int fd = ::open(QFile::encodeName(fileName).constData(), flags, 0666);
    if (fd < 0)
        throw EInOutError(systemText(errno));
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        throw EInOutError(systemText(error));
    }
    const QString kind = otherKind(info.st_mode);
    if (!kind.isEmpty()) {
        ::close(fd);
        refuse(fileName, kind);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (writing && (mode & QIODevice::Truncate) && ::ftruncate(fd, 0) != 0) {
        const int error = errno;
        ::close(fd);
        throw EInOutError(systemText(error));
    }
    file.setFileName(fileName);
    if (!file.open(fd, mode & ~QIODevice::Truncate, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EInOutError(file.errorString());
    }
#else
    file.setFileName(fileName);
    if (!file.open(mode))
        throw EInOutError(file.errorString());
#endif
}

void SaveMeasurementFile(const QString &fileName, const MeasurementRecord &record)
{
    QFile file;
    OpenRegularFile(file, fileName, QIODevice::WriteOnly | QIODevice::Truncate);
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
    QFile file;
    OpenRegularFile(file, fileName, QIODevice::ReadOnly);
    // The file carries no signature: its size is all that tells a measurement file from a
    // CSV export or a text file, whose bytes would show as garbage values.
    const qint64 size = file.size();
    if (size < MeasurementRecordBytes)
        throw EInOutError(QCoreApplication::translate("MeasurementFile",
            "The file is too short for a measurement file: it has %1 bytes, a measurement file has %2 bytes")
                              .arg(size)
                              .arg(MeasurementRecordBytes));
    if (size > MeasurementRecordBytes)
        throw EInOutError(QCoreApplication::translate("MeasurementFile",
            "This is not a measurement file: it has %1 bytes, a measurement file has exactly %2 bytes")
                              .arg(size)
                              .arg(MeasurementRecordBytes));
    // Read into a copy first: a short file or a read that fails part-way must not leave
    // the shown measurement half replaced.
    char bytes[MeasurementRecordBytes];
    qint64 total = 0;
    while (total < MeasurementRecordBytes) {
        const qint64 got = file.read(bytes + total, MeasurementRecordBytes - total);
        if (got < 0)
            throw EInOutError(file.errorString());
        if (got == 0)
            throw EInOutError(QCoreApplication::translate("MeasurementFile", "Read beyond end of file"));
        total += got;
    }
    std::memcpy(&record, bytes, MeasurementRecordBytes);
}

bool SaveMeasurementCommand(const MeasurementRecord &record)
{
    Dialogs &dialogs = platform::dialogs();
    const QString fileName
        = WithFilterExtension(dialogs.saveFileName(ShownMeasurementSaveFilter(), MeasurementProposedName),
            ShownMeasurementSaveFilter());
    if (fileName.isEmpty())
        return false;
    // A folder, pipe or device is refused before the question: it cannot be overwritten.
    NamingFile(fileName, [&] { CheckRegularFileName(fileName); });
    // The question is the shared save question's, translated as there.
    if (QFileInfo::exists(fileName)
        && !dialogs.askYesNo(QCoreApplication::translate("SaveName", OverwriteTitle.toUtf8().constData()),
            QCoreApplication::translate("SaveName", OverwriteQuestion.toUtf8().constData())))
        return false;
    NamingFile(fileName, [&] { SaveMeasurementFile(fileName, record); });
    return true;
}

bool OpenMeasurementCommand(MeasurementRecord &record)
{
    const QString fileName = platform::dialogs().openFileName(ShownMeasurementOpenFilter());
    if (fileName.isEmpty())
        return false;
    NamingFile(fileName, [&] { LoadMeasurementFile(fileName, record); });
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
        NamingFile(arguments.at(1), [&] { LoadMeasurementFile(arguments.at(1), record); });
    } catch (const EInOutError &error) {
        platform::dialogs().message(error.text(), Dialogs::Icon::Error);
        return CommandLineKind::None;
    }
    return kind;
}

QString ShownMeasurementSaveFilter()
{
    return QCoreApplication::translate("MeasurementFile", "Norvo测量文件(.vqm)|*.vqm");
}

QString ShownMeasurementOpenFilter()
{
    return QCoreApplication::translate("MeasurementFile", "NorvoFile|*.vqm|AllFile|*.*");
}
