#pragma once

// What every file the tool writes goes through: an advisory lock that names its holder, the
// identity (device and inode) that tells whether a path still names the file open, and the
// output of export and `read --save`, written beside its target and renamed over it.

#include "record/RecordFile.h" // FileIdentity

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

#include <sys/types.h>

// nullopt when the path names nothing (or cannot be looked at).
std::optional<FileIdentity> IdentityOfPath(const QString &path);
std::optional<FileIdentity> IdentityOfDescriptor(int fd);

// The system's text of an error number.
QString SystemReason(int error);

// "kmr5150-cli (pid 4711)" for the process holding a lock on the file open as `fd`, from
// /proc; "another process" when it cannot be found.
QString LockHolderText(int fd);

// Takes an exclusive advisory lock (flock) on `fd` without waiting. When another process
// holds one, throws CliError (file) "PATH: in use by kmr5150-cli (pid 4711)".
void LockForWriting(int fd, const QString &path);

// Writes `size` bytes at the file position, going on after short writes and interruptions.
// Returns false with errno set on failure.
bool WriteWhole(int fd, const char *data, qint64 size);

// A descriptor as a QIODevice for the cores' writers, unbuffered, whose error text is the
// system's reason for the failed write.
class DescriptorDevice : public QIODevice
{
public:
    explicit DescriptorDevice(int fd);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    int m_fd;
};

// The output of export and `read --save`. A character device or a FIFO is written directly;
// an existing regular file is replaced only when `force` is given (and then only when no
// other writer holds it); an output that is `inputPath` itself is refused. A regular file
// is written into a temporary file in the same folder, synced, and renamed over the target
// at commit(); one that is never committed is removed. Throws CliError (file) naming the file.
class OutputFile
{
public:
    OutputFile(const QString &path, bool force, const QString &inputPath = {});
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    int fd() const { return m_fd; }
    const QString &path() const { return m_path; }
    void write(const QByteArray &bytes);
    // Throws CliError (file) "PATH: REASON" for the last failure (errno).
    [[noreturn]] void fail(int error) const;
    void commit();

private:
    QString m_path;
    QString m_temporary; // empty when writing directly
    int m_fd = -1;
    int m_targetFd = -1; // the existing target, locked until it is replaced
    bool m_committed = false;
};
