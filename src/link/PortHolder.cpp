#include "link/PortHolder.h"

#include "link/PortLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/sysmacros.h>
#endif

namespace {
QString programName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll().trimmed());
}
} // namespace

QList<DeviceHolder> DeviceHolders(const QString &path)
{
    QList<DeviceHolder> holders;
#ifdef Q_OS_LINUX
    struct stat device;
    if (::stat(QFile::encodeName(path).constData(), &device) != 0)
        return holders;
    const bool characterDevice = S_ISCHR(device.st_mode);
    const qint64 self = ::getpid();
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : processes) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self)
            continue;
        const QString fdFolder = QStringLiteral("/proc/%1/fd").arg(pid);
        // Unreadable for another user's process; a process may also end while it is read.
        const QStringList descriptors
            = QDir(fdFolder).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        bool found = false;
        bool locked = false;
        for (const QString &fd : descriptors) {
            struct stat open;
            if (::stat(QFile::encodeName(fdFolder + QLatin1Char('/') + fd).constData(), &open) != 0)
                continue;
            const bool sameFile = open.st_dev == device.st_dev && open.st_ino == device.st_ino;
            const bool sameDevice
                = characterDevice && S_ISCHR(open.st_mode) && open.st_rdev == device.st_rdev;
            if (!sameFile && !sameDevice)
                continue;
            found = true;
            // The kernel lists the locks an open file carries with its descriptor.
            QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
            locked = locked || (info.open(QIODevice::ReadOnly) && info.readAll().contains("lock:"));
        }
        if (found)
            holders.append({ pid, programName(pid), locked });
    }
#else
    Q_UNUSED(path);
#endif
    return holders;
}

DeviceHolder PortHolder(const QString &path)
{
    const qint64 pid = PortLockHolder(path);
    const QString program = pid ? programName(pid) : QString();
    if (!program.isEmpty())
        return { pid, program, true };
    // A lock taken by a helper that has ended (flock(1) in a shell) is held by whoever kept
    // the descriptor: that is the program to name.
    const QList<DeviceHolder> holders = DeviceHolders(path);
    for (const DeviceHolder &holder : holders)
        if (holder.locked)
            return holder;
    if (!holders.isEmpty())
        return holders.first();
    return pid ? DeviceHolder { pid, {}, true } : DeviceHolder {};
}

QString HolderText(const DeviceHolder &holder)
{
    return QCoreApplication::translate("PortHolder", "%1 (pid %2)")
        .arg(holder.program.isEmpty() ? QCoreApplication::translate("PortHolder", "another program")
                                      : holder.program)
        .arg(holder.pid);
}

PortPathCheck CheckPortPath(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat node;
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &node) != 0)
        return { PortPathKind::Missing, {} };
    if (S_ISREG(node.st_mode))
        return { PortPathKind::NotSerialPort, QStringLiteral("a plain file") };
    if (S_ISDIR(node.st_mode))
        return { PortPathKind::NotSerialPort, QStringLiteral("a folder") };
    if (S_ISFIFO(node.st_mode))
        return { PortPathKind::NotSerialPort, QStringLiteral("a FIFO") };
    if (S_ISSOCK(node.st_mode))
        return { PortPathKind::NotSerialPort, QStringLiteral("a socket") };
    if (!S_ISCHR(node.st_mode))
        return { PortPathKind::NotSerialPort, QStringLiteral("a device that is not a serial port") };
#ifdef Q_OS_LINUX
    // The kernel's own filing needs no open, which could disturb a port's lines.
    const QString subsystem = QFileInfo(
        QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major(node.st_rdev)).arg(minor(node.st_rdev)))
                                  .symLinkTarget();
    if (subsystem.endsWith(QLatin1String("/tty")))
        return { PortPathKind::SerialPort, {} };
#endif
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // Busy: held exclusively, which only a terminal does. No permission: the kind cannot
        // be told, and the open's own error says more.
        if (errno == EBUSY || errno == EACCES || errno == EPERM)
            return { PortPathKind::SerialPort, {} };
        return { PortPathKind::NotSerialPort, QStringLiteral("a device that is not a serial port") };
    }
    const bool terminal = ::isatty(fd);
    ::close(fd);
    if (terminal)
        return { PortPathKind::SerialPort, {} };
    return { PortPathKind::NotSerialPort, QStringLiteral("a device that is not a serial port") };
#else
    return { QFileInfo::exists(path) ? PortPathKind::SerialPort : PortPathKind::Missing, {} };
#endif
}
