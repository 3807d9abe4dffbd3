// Why a port cannot be opened: the program that holds it, found through /proc, and paths
// that are no serial port at all.

#include "link/PortHolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// How a holder locks the device it keeps open.
enum class Lock {
    None,
    Own, // flock by the holder itself
    ByHelper, // flock by a helper process that ends at once, as flock(1) in a shell does
};

// A child process named `name` that opens `path`, locks it as asked, and waits.
class HolderProcess
{
public:
    HolderProcess(const QByteArray &path, const char *name, Lock lock)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_NAME, name);
            const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            bool locked = lock == Lock::None;
            if (fd >= 0 && lock == Lock::Own)
                locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
            if (fd >= 0 && lock == Lock::ByHelper) {
                const pid_t helper = ::fork();
                if (helper == 0)
                    ::_exit(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
                int status = 0;
                locked = helper > 0 && ::waitpid(helper, &status, 0) == helper && WIFEXITED(status)
                    && WEXITSTATUS(status) == 0;
            }
            const char held = fd >= 0 && locked ? 'y' : 'n';
            if (::write(ready[1], &held, 1) != 1)
                ::_exit(1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        pollfd poller { ready[0], POLLIN, 0 };
        char held = 0;
        m_ready = ::poll(&poller, 1, 5000) > 0 && ::read(ready[0], &held, 1) == 1 && held == 'y';
        ::close(ready[0]);
    }
    ~HolderProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready() const { return m_ready; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    bool m_ready = false;
};

// The slave side of a fresh pseudo-terminal, as the simulated instrument offers one.
struct PseudoTerminal
{
    PseudoTerminal()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            path = QString::fromLocal8Bit(::ptsname(master));
    }
    ~PseudoTerminal()
    {
        if (master >= 0)
            ::close(master);
    }
    int master = -1;
    QString path;
};

TEST(PortHolder, TheProcessThatHasThePortOpenIsNamedWithOrWithoutALock)
{
    PseudoTerminal line;
    ASSERT_FALSE(line.path.isEmpty());
    EXPECT_TRUE(DeviceHolders(line.path).isEmpty()) << "nobody but this process has it open";
    EXPECT_EQ(PortHolder(line.path).pid, 0);

    for (const Lock lock : { Lock::None, Lock::Own, Lock::ByHelper }) {
        SCOPED_TRACE(static_cast<int>(lock));
        HolderProcess holder(line.path.toLocal8Bit(), "minicom", lock);
        ASSERT_TRUE(holder.ready());
        const QList<DeviceHolder> holders = DeviceHolders(line.path);
        ASSERT_EQ(holders.size(), 1);
        EXPECT_EQ(holders[0].pid, holder.pid());
        EXPECT_EQ(holders[0].program, QStringLiteral("minicom"));
        const DeviceHolder named = PortHolder(line.path);
        EXPECT_EQ(named.pid, holder.pid());
        EXPECT_EQ(HolderText(named), QStringLiteral("minicom (pid %1)").arg(holder.pid()));
    }
    EXPECT_TRUE(DeviceHolders(line.path).isEmpty()) << "the holder is gone";
}

TEST(PortHolder, OfTwoProgramsWithThePortOpenTheOneWhoseDescriptorIsLockedIsNamed)
{
    // The simulated instrument keeps its own side's terminal open too; the program that
    // locked the port is the one in the way.
    PseudoTerminal line;
    ASSERT_FALSE(line.path.isEmpty());
    HolderProcess keeper(line.path.toLocal8Bit(), "kmr5150-sim", Lock::None);
    ASSERT_TRUE(keeper.ready());
    HolderProcess locker(line.path.toLocal8Bit(), "bash", Lock::ByHelper);
    ASSERT_TRUE(locker.ready());
    const QList<DeviceHolder> holders = DeviceHolders(line.path);
    ASSERT_EQ(holders.size(), 2);
    for (const DeviceHolder &holder : holders)
        EXPECT_EQ(holder.locked, holder.pid == locker.pid()) << qPrintable(holder.program);
    EXPECT_EQ(PortHolder(line.path).pid, locker.pid());
    EXPECT_EQ(PortHolder(line.path).program, QStringLiteral("bash"));
}

TEST(PortHolder, AnotherNameOfTheDeviceFindsTheSameHolder)
{
    PseudoTerminal line;
    ASSERT_FALSE(line.path.isEmpty());
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("kmr5150"));
    ASSERT_TRUE(QFile::link(line.path, link));
    HolderProcess holder(link.toLocal8Bit(), "screen", Lock::None);
    ASSERT_TRUE(holder.ready());
    ASSERT_EQ(DeviceHolders(line.path).size(), 1);
    EXPECT_EQ(DeviceHolders(link).value(0).pid, holder.pid());
}

TEST(PortHolder, PathsThatAreNoSerialPortAreToldApart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    PseudoTerminal line;
    ASSERT_FALSE(line.path.isEmpty());

    struct Case
    {
        QString path;
        PortPathKind kind;
        const char *what;
    } cases[] = {
        { QStringLiteral("/dev/null"), PortPathKind::NotSerialPort, "a device that is not a serial port" },
        { fifo, PortPathKind::NotSerialPort, "a FIFO" },
        { dir.path(), PortPathKind::NotSerialPort, "a folder" },
        { plain, PortPathKind::NotSerialPort, "a plain file" },
        { dir.filePath(QStringLiteral("missing")), PortPathKind::Missing, "" },
        { QString(), PortPathKind::Missing, "" },
        { line.path, PortPathKind::SerialPort, "" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.path));
        const PortPathCheck check = CheckPortPath(c.path);
        EXPECT_EQ(check.kind, c.kind);
        EXPECT_EQ(check.what, QString::fromLatin1(c.what));
    }
}

} // namespace
