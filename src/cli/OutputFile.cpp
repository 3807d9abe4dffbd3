#include "cli/OutputFile.h"

#include "cli/CliError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
std::optional<FileIdentity> identityOf(const struct stat &status)
{
    return FileIdentity { uint64_t(status.st_dev), uint64_t(status.st_ino) };
}

QString programOf(long pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

void syncFolderOf(const QString &path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

std::optional<FileIdentity> IdentityOfPath(const QString &path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

std::optional<FileIdentity> IdentityOfDescriptor(int fd)
{
    struct stat status;
    if (::fstat(fd, &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString LockHolderText(int fd)
{
    const std::optional<FileIdentity> identity = IdentityOfDescriptor(fd);
    QFile locks(QStringLiteral("/proc/locks"));
    if (identity && locks.open(QIODevice::ReadOnly)) {
        // "1: FLOCK  ADVISORY  WRITE 4711 08:01:1234 0 EOF"; waiters carry "->" and are skipped.
        const QString file = QStringLiteral("%1:%2:%3")
                                 .arg(major(identity->device), 2, 16, QLatin1Char('0'))
                                 .arg(minor(identity->device), 2, 16, QLatin1Char('0'))
                                 .arg(identity->inode);
        const long self = long(::getpid());
        for (const QByteArray &line : locks.readAll().split('\n')) {
            const QStringList fields = QString::fromLatin1(line).simplified().split(QLatin1Char(' '));
            if (fields.size() < 6 || fields.contains(QStringLiteral("->")) || fields[5] != file)
                continue;
            const long pid = fields[4].toLong();
            if (pid <= 0 || pid == self)
                continue;
            const QString program = programOf(pid);
            return program.isEmpty() ? QStringLiteral("pid %1").arg(pid)
                                     : QStringLiteral("%1 (pid %2)").arg(program).arg(pid);
        }
    }
    return QStringLiteral("another process");
}

void LockForWriting(int fd, const QString &path)
{
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0)
        return;
    if (errno == EWOULDBLOCK)
        throw CliError(ExitFile, QStringLiteral("%1: in use by %2").arg(path, LockHolderText(fd)));
    // A file system without locks does not stop the work: there is no second writer to see.
    if (errno != ENOLCK && errno != EINVAL && errno != EOPNOTSUPP)
        throw CliError(ExitFile, QStringLiteral("%1: %2").arg(path, SystemReason(errno)));
}

bool WriteWhole(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

DescriptorDevice::DescriptorDevice(int fd)
    : m_fd(fd)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DescriptorDevice::writeData(const char *data, qint64 size)
{
    if (WriteWhole(m_fd, data, size))
        return size;
    setErrorString(SystemReason(errno));
    return -1;
}

OutputFile::OutputFile(const QString &path, bool force, const QString &inputPath)
    : m_path(path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat target;
    const bool exists = ::stat(name.constData(), &target) == 0;
    if (!exists && errno != ENOENT)
        fail(errno);
    if (exists && !inputPath.isEmpty() && IdentityOfPath(inputPath) == identityOf(target))
        throw CliError(
            ExitFile, QStringLiteral("%1: is the input file itself; give another output").arg(path));

    if (exists && (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode))) {
        // A device or a pipe takes the bytes as they come; renaming over it would replace it.
        do
            m_fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        while (m_fd < 0 && errno == EINTR);
        if (m_fd < 0)
            fail(errno);
        return;
    }
    if (exists && !S_ISREG(target.st_mode))
        throw CliError(ExitFile,
            QStringLiteral("%1: is %2, not a file")
                .arg(path,
                    S_ISDIR(target.st_mode) ? QStringLiteral("a folder")
                                            : (S_ISSOCK(target.st_mode) ? QStringLiteral("a socket")
                                                                        : QStringLiteral("a device"))));
    if (exists && !force)
        throw CliError(ExitFile, QStringLiteral("%1: exists; give --force to replace it").arg(path));
    mode_t mode = newFileMode();
    if (exists) {
        // Another writer of ours (a log appending to it) keeps its file.
        m_targetFd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        try {
            if (m_targetFd >= 0)
                LockForWriting(m_targetFd, path);
        } catch (const CliError &) {
            ::close(m_targetFd);
            throw;
        }
        mode = target.st_mode & 07777;
    }

    const QFileInfo info(path);
    QByteArray pattern
        = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()) + ".XXXXXX";
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        fail(errno);
    m_temporary = QFile::decodeName(pattern);
    ::fcntl(m_fd, F_SETFD, FD_CLOEXEC);
    ::fchmod(m_fd, mode);
    try {
        LockForWriting(m_fd, path);
    } catch (const CliError &) {
        ::close(m_fd);
        ::unlink(pattern.constData());
        if (m_targetFd >= 0)
            ::close(m_targetFd);
        throw;
    }
}

OutputFile::~OutputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_targetFd >= 0)
        ::close(m_targetFd);
    if (!m_committed && !m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

void OutputFile::fail(int error) const
{
    throw CliError(ExitFile, QStringLiteral("%1: %2").arg(m_path, SystemReason(error)));
}

void OutputFile::write(const QByteArray &bytes)
{
    if (!WriteWhole(m_fd, bytes.constData(), bytes.size()))
        fail(errno);
}

void OutputFile::commit()
{
    if (m_temporary.isEmpty()) {
        m_committed = true;
        return;
    }
    if (::fsync(m_fd) != 0)
        fail(errno);
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0)
        fail(errno);
    m_committed = true;
    syncFolderOf(m_path);
}
