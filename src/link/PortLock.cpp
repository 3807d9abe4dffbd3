#include "link/PortLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
// Qt's lock file names and places, which other programs (and older builds of this one)
// leave for a port they hold.
QStringList lockFileNames(const QString &canonicalPath)
{
    QString name = canonicalPath;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    QStringList files;
    for (const char *dir : { "/var/lock", "/run/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
             "/tmp", "/var/tmp", "/var/lock/lockdev" })
        files << QString::fromLatin1(dir) + QLatin1String("/LCK..") + name;
    files << QDir::tempPath() + QLatin1String("/LCK..") + name;
    return files;
}

bool processRuns(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The running process a lock file names, or 0. A lock file of a process that is gone
// (killed while it held the port) holds nothing, whoever owns the file.
pid_t lockFileHolderOf(const QString &canonicalPath)
{
    for (const QString &name : lockFileNames(canonicalPath)) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const qint64 pid = file.readLine(64).trimmed().toLongLong(&ok);
        if (ok && pid != ::getpid() && processRuns(static_cast<pid_t>(pid)))
            return static_cast<pid_t>(pid);
    }
    return 0;
}

// The process that holds a flock on the device, read from the kernel's lock table, or 0.
pid_t flockHolderOf(const QString &canonicalPath)
{
    struct stat node;
    if (::stat(QFile::encodeName(canonicalPath).constData(), &node) != 0)
        return 0;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    // "1: FLOCK  ADVISORY  WRITE 1234 00:05:117 0 EOF"
    const QByteArray wanted = QByteArray::number(major(node.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(node.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(qulonglong(node.st_ino));
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields.at(1) == "FLOCK" && fields.at(5) == wanted) {
            bool ok = false;
            const qint64 pid = fields.at(4).toLongLong(&ok);
            if (ok && pid != ::getpid())
                return static_cast<pid_t>(pid);
        }
    }
    return 0;
}
} // namespace

qint64 LockFileHolder(const QString &canonicalPath)
{
    return lockFileHolderOf(canonicalPath);
}

qint64 PortLockHolder(const QString &path)
{
    const QString location = QFileInfo(path).canonicalFilePath();
    if (location.isEmpty())
        return 0;
    pid_t pid = flockHolderOf(location);
    if (!pid)
        pid = lockFileHolderOf(location);
    return pid;
}

#else // not Unix: no lock of ours to read

qint64 LockFileHolder(const QString &)
{
    return 0;
}

qint64 PortLockHolder(const QString &)
{
    return 0;
}

#endif
