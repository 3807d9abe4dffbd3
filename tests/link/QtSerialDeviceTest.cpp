#include "link/QtSerialDevice.h"

#include "link/TComm.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

namespace {

// Waits for a condition with a deadline. `pumpEvents` lets Qt's notifiers run meanwhile;
// without it, received bytes stay in the kernel's queue.
bool waitUntil(const std::function<bool()> &condition, bool pumpEvents = true, int timeoutMs = 3000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        if (pumpEvents)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        else
            QThread::msleep(1);
    }
    return true;
}

// A pseudo-terminal; the test plays the far end on its master side.
class Pty
{
public:
    Pty()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        char name[128] = {};
        if (::ptsname_r(m_master, name, sizeof name) == 0)
            path = QString::fromLocal8Bit(name);
    }
    ~Pty() { closeMaster(); }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool valid() const { return m_master >= 0 && !path.isEmpty(); }
    int master() const { return m_master; }

    void send(const QByteArray &bytes) const
    {
        ASSERT_EQ(::write(m_master, bytes.constData(), size_t(bytes.size())), bytes.size());
    }

    // What the device wrote, once `count` bytes are there (or the deadline passed).
    QByteArray receive(int count) const
    {
        QByteArray got;
        waitUntil(
            [&] {
                char chunk[256];
                const ssize_t n = ::read(m_master, chunk, sizeof chunk);
                if (n > 0)
                    got.append(chunk, n);
                return got.size() >= count;
            },
            false);
        return got;
    }

    void closeMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    QString path;

private:
    int m_master = -1;
};

// A child process that opens the device with QtSerialDevice, says whether it got it, and
// holds it until it is killed. Returns the child's id, 0 when it did not get the device.
pid_t holdInChild(const QString &path)
{
    int ready[2];
    if (::pipe(ready) != 0)
        return 0;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        QtSerialDevice holder;
        const char got = holder.open(path) ? 'y' : 'n';
        if (::write(ready[1], &got, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char got = 0;
    pollfd poller { ready[0], POLLIN, 0 };
    const bool answered = child > 0 && ::poll(&poller, 1, 5000) > 0 && ::read(ready[0], &got, 1) == 1;
    ::close(ready[0]);
    if (!answered || got != 'y') {
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        return 0;
    }
    return child;
}

// Whether a child process, running as the unprivileged user "nobody" when the test runs as
// root, can open the device. It ends by itself; the wait has a deadline.
bool anotherUserCanOpen(const QString &path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        QtSerialDevice device;
        ::_exit(device.open(path) ? 0 : 2);
    }
    if (child < 0)
        return false;
    int status = 0;
    const QDeadlineTimer deadline(5000);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return false;
        }
        QThread::msleep(5);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Lock files named after the device in the system lock directories.
QStringList lockFilesOf(const QString &devicePath)
{
    QString name = QFileInfo(devicePath).canonicalFilePath().mid(5); // without "/dev/"
    name.replace('/', '_');
    QStringList found;
    for (const char *dir : { "/var/lock", "/run/lock", "/tmp" }) {
        const QString file = QString::fromLatin1(dir) + "/LCK.." + name;
        if (QFileInfo::exists(file))
            found << file;
    }
    return found;
}

class QtSerialDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid()) << "no pseudo-terminal available";
        ASSERT_TRUE(device.open(pty.path));
    }

    uint32_t queued()
    {
        uint32_t mask = 0;
        uint32_t count = 0;
        return device.queueStatus(mask, count) ? count : UINT32_MAX;
    }

    QByteArray readAll(int64_t size = 16384)
    {
        QByteArray buffer(int(size), '\0');
        const int64_t n = device.read(buffer.data(), size);
        return n < 0 ? QByteArray("<failed>") : buffer.left(int(n));
    }

    Pty pty;
    QtSerialDevice device;
};

TEST_F(QtSerialDeviceTest, MovesBytesBothWays)
{
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(device.openedPath(), QFileInfo(pty.path).canonicalFilePath());
    EXPECT_TRUE(device.setupQueues(16384, 16384));

    const QByteArray request = QByteArray::fromHex("01030094000285e7");
    EXPECT_EQ(device.write(request.constData(), request.size()), request.size());
    EXPECT_EQ(pty.receive(8), request);

    const QByteArray reply = QByteArray::fromHex("01030041");
    pty.send(reply);
    EXPECT_TRUE(waitUntil([&] { return queued() == 4; }, false)) << queued();
    EXPECT_EQ(readAll(), reply);
    EXPECT_EQ(queued(), 0u);
}

TEST_F(QtSerialDeviceTest, QueuedCountCoversBytesThatArrivedWhileTheEventLoopRan)
{
    pty.send("abc");
    // The event loop sees the bytes (the hang-up watch wakes) and must leave them queued.
    ASSERT_TRUE(waitUntil([&] { return queued() == 3; }, false));
    QCoreApplication::processEvents();
    pty.send("de");
    EXPECT_TRUE(waitUntil([&] { return queued() == 5; }, false)) << queued();
    EXPECT_EQ(readAll(), "abcde");
    EXPECT_EQ(queued(), 0u);
}

TEST_F(QtSerialDeviceTest, ReadTakesNoMoreThanAsked)
{
    const struct
    {
        const char *name;
        bool pump; // let the event loop run first
    } cases[] = { { "straight away", false }, { "after the event loop ran", true } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        pty.send("123456");
        ASSERT_TRUE(waitUntil([&] { return queued() == 6; }, false));
        if (c.pump)
            QCoreApplication::processEvents();
        EXPECT_EQ(readAll(4), "1234");
        EXPECT_EQ(queued(), 2u);
        EXPECT_EQ(readAll(), "56");
    }
}

TEST_F(QtSerialDeviceTest, PurgeDropsReceivedBytes)
{
    pty.send("old");
    ASSERT_TRUE(waitUntil([&] { return queued() == 3; }, false));
    QCoreApplication::processEvents();
    pty.send("er");
    ASSERT_TRUE(waitUntil([&] { return queued() == 5; }, false));
    device.purge(SerialDevice::PurgeRxClear);
    EXPECT_EQ(queued(), 0u);
    pty.send("new");
    EXPECT_TRUE(waitUntil([&] { return queued() == 3; }, false));
    EXPECT_EQ(readAll(), "new");
}

TEST(QtSerialDeviceSettings, TranslatesLineSettingsIntoQtTerms)
{
    using P = QtSerialDevice::PortSettings;
    const struct
    {
        const char *name;
        LineSettings line;
        P port;
    } cases[] = {
        { "8N1 9600", { 9600, 8, 0, 0, 0x0001 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::NoFlowControl, false } },
        { "7O2", { 115200, 7, 1, 2, 0x0003 },
            { 115200, QSerialPort::Data7, QSerialPort::OddParity, QSerialPort::TwoStop,
                QSerialPort::NoFlowControl, false } },
        { "6E1.5", { 4800, 6, 2, 1, 0x0003 },
            { 4800, QSerialPort::Data6, QSerialPort::EvenParity, QSerialPort::OneAndHalfStop,
                QSerialPort::NoFlowControl, false } },
        { "5 mark", { 110, 5, 3, 0, 0x0003 },
            { 110, QSerialPort::Data5, QSerialPort::MarkParity, QSerialPort::OneStop,
                QSerialPort::NoFlowControl, false } },
        { "space, odd speed", { 56000, 8, 4, 0, 0x0003 },
            { 56000, QSerialPort::Data8, QSerialPort::SpaceParity, QSerialPort::OneStop,
                QSerialPort::NoFlowControl, false } },
        { "RTS held on", { 9600, 8, 0, 0, 0x1001 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::NoFlowControl, true } },
        { "RTS/CTS", { 9600, 8, 0, 0, 0x2005 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::HardwareControl, false } },
        { "XON/XOFF", { 9600, 8, 0, 0, 0x0301 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::SoftwareControl, false } },
        { "XON/XOFF with RTS on", { 9600, 8, 0, 0, 0x1301 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::SoftwareControl, true } },
        { "both handshakes: RTS/CTS wins", { 9600, 8, 0, 0, 0x2305 },
            { 9600, QSerialPort::Data8, QSerialPort::NoParity, QSerialPort::OneStop,
                QSerialPort::HardwareControl, false } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const P got = QtSerialDevice::portSettings(c.line);
        EXPECT_EQ(got.baud, c.port.baud);
        EXPECT_EQ(got.dataBits, c.port.dataBits);
        EXPECT_EQ(got.parity, c.port.parity);
        EXPECT_EQ(got.stopBits, c.port.stopBits);
        EXPECT_EQ(got.flowControl, c.port.flowControl);
        EXPECT_EQ(got.rtsHeldOn, c.port.rtsHeldOn);
    }
}

TEST_F(QtSerialDeviceTest, AppliesWhatAPseudoTerminalTakes)
{
    const struct
    {
        const char *name;
        LineSettings settings;
        speed_t speed;
        bool twoStops, rtsCts, xonXoff;
    } cases[] = {
        { "9600, one stop bit", { 9600, 8, 0, 0, 0x0001 }, B9600, false, false, false },
        { "115200, two stop bits", { 115200, 8, 0, 2, 0x0001 }, B115200, true, false, false },
        { "RTS/CTS", { 38400, 8, 0, 0, 0x2005 }, B38400, false, true, false },
        { "XON/XOFF", { 57600, 8, 0, 0, 0x0301 }, B57600, false, false, true },
        { "back to 4800", { 4800, 8, 0, 0, 0x0001 }, B4800, false, false, false },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(device.applySettings(c.settings));
        termios line {};
        // The master side reports the terminal settings of its slave.
        ASSERT_EQ(::tcgetattr(pty.master(), &line), 0);
        EXPECT_EQ(::cfgetospeed(&line), c.speed);
        EXPECT_EQ((line.c_cflag & CSTOPB) != 0, c.twoStops);
        EXPECT_EQ((line.c_cflag & CRTSCTS) != 0, c.rtsCts);
        EXPECT_EQ((line.c_iflag & IXON) != 0, c.xonXoff);
    }
}

TEST_F(QtSerialDeviceTest, ModemLinesFailOnAPseudoTerminalWithoutClosingIt)
{
    uint32_t bits = 0xDEAD;
    EXPECT_FALSE(device.modemStatus(bits));
    EXPECT_FALSE(device.setDtr(true));
    EXPECT_FALSE(device.setRts(true));
    QCoreApplication::processEvents();
    EXPECT_TRUE(device.isOpen());
    EXPECT_FALSE(device.lost());
    EXPECT_EQ(device.write("w", 1), 1);
    EXPECT_EQ(pty.receive(1), "w");
}

TEST_F(QtSerialDeviceTest, SecondOpenFailsUnderAnyNameOfTheDevice)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("instrument");
    ASSERT_TRUE(QFile::link(pty.path, link));
    device.close();

    const struct
    {
        const char *name;
        QString first, second;
    } cases[] = {
        { "same path", pty.path, pty.path },
        { "link after path", pty.path, link },
        { "path after link", link, pty.path },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QtSerialDevice first;
        QtSerialDevice second;
        ASSERT_TRUE(first.open(c.first));
        EXPECT_EQ(first.openedPath(), QFileInfo(pty.path).canonicalFilePath());
        EXPECT_FALSE(second.open(c.second));
        EXPECT_TRUE(first.isOpen()) << "the failed open must not disturb the holder";
        first.close();
        EXPECT_TRUE(second.open(c.second)) << "a closed device is free again";
    }
}

TEST_F(QtSerialDeviceTest, AnotherProcessCannotTakeTheOpenDevice)
{
    const QByteArray path = pty.path.toLocal8Bit();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only async-signal-safe calls here.
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            ::_exit(3);
        ::_exit(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : (errno == EWOULDBLOCK ? 2 : 4));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    // 2: the device is locked; 3: the open itself was refused (not root).
    EXPECT_TRUE(WEXITSTATUS(status) == 2 || WEXITSTATUS(status) == 3) << WEXITSTATUS(status);
}

TEST_F(QtSerialDeviceTest, DeviceHeldByAnotherProcessCannotBeOpened)
{
    device.close();
    int ready[2];
    int done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const QByteArray path = pty.path.toLocal8Bit();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char held
            = (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::ioctl(fd, TIOCEXCL) == 0) ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1)
            ::_exit(1);
        char go = 0;
        ::_exit(::read(done[0], &go, 1) == 1 ? 0 : 1);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');
    EXPECT_FALSE(device.open(pty.path));
    // The failed open left the holder's device alone: still exclusive for its holder.
    const int look = ::open(path.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    if (look >= 0) { // root may look; anybody else is refused, which shows the same
        int exclusive = 0;
        EXPECT_EQ(::ioctl(look, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1);
        ::close(look);
    }
    ASSERT_EQ(::write(done[1], "g", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    for (int fd : { ready[0], ready[1], done[0], done[1] })
        ::close(fd);
    EXPECT_TRUE(device.open(pty.path)) << "free again once the other process ended";
}

TEST_F(QtSerialDeviceTest, HangUpOfTheFarEndClosesTheDevice)
{
    const struct
    {
        const char *name;
        std::function<void()> notice;
    } cases[] = {
        { "queue query", [this] { queued(); } },
        { "read", [this] { readAll(); } },
        { "event loop alone", [this] { EXPECT_TRUE(waitUntil([this] { return !device.isOpen(); })); } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Pty far;
        ASSERT_TRUE(far.valid());
        device.close();
        ASSERT_TRUE(device.open(far.path));
        far.closeMaster();
        c.notice();
        uint32_t mask = 0;
        uint32_t count = 0;
        EXPECT_FALSE(device.queueStatus(mask, count));
        EXPECT_FALSE(device.isOpen());
        EXPECT_TRUE(device.lost());
        char byte = 0;
        EXPECT_EQ(device.read(&byte, 1), -1);
        EXPECT_EQ(device.write("x", 1), -1);
    }
}

TEST(QtSerialDeviceOpen, RefusesWhatIsNoSerialDevice)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString paths[] = { QString(), "/dev/kmr-no-such-device", plain.fileName(), dir.path() };
    for (const QString &path : paths) {
        SCOPED_TRACE(path.toStdString());
        QtSerialDevice device;
        EXPECT_FALSE(device.open(path));
        EXPECT_FALSE(device.isOpen());
        uint32_t mask = 0;
        uint32_t count = 0;
        EXPECT_FALSE(device.queueStatus(mask, count));
        EXPECT_EQ(device.write("x", 1), -1);
    }
}

TEST_F(QtSerialDeviceTest, KilledHolderLeavesNothingThatLocksOutOthers)
{
    device.close();
    // Another user must be able to use the device once it is free.
    ASSERT_EQ(::chmod(QFile::encodeName(pty.path).constData(), 0666), 0);
    const QStringList lockFilesBefore = lockFilesOf(pty.path);

    const pid_t holder = holdInChild(pty.path);
    ASSERT_NE(holder, 0) << "the child could not take the free device";
    EXPECT_FALSE(device.open(pty.path)) << "held by the child";
    EXPECT_FALSE(anotherUserCanOpen(pty.path)) << "held by the child";
    const QString named = QtSerialDevice::holder(pty.path);
    EXPECT_TRUE(named.endsWith(QStringLiteral("(process %1)").arg(holder))) << named.toStdString();
    EXPECT_FALSE(named.startsWith(QLatin1String("another program"))) << "the holder has a name";

    ASSERT_EQ(::kill(holder, SIGKILL), 0);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    EXPECT_EQ(lockFilesOf(pty.path), lockFilesBefore) << "no lock file is left behind";
    EXPECT_TRUE(QtSerialDevice::holder(pty.path).isEmpty());
    EXPECT_TRUE(anotherUserCanOpen(pty.path)) << "the killed holder must not lock out another user";
    EXPECT_TRUE(device.open(pty.path));
}

TEST_F(QtSerialDeviceTest, LockFileCountsOnlyWhileItsProcessRuns)
{
    device.close();
    QString name = QFileInfo(pty.path).canonicalFilePath().mid(5);
    name.replace('/', '_');
    const QString lockFile = QStringLiteral("/run/lock/LCK..") + name;
    if (!QFileInfo(QStringLiteral("/run/lock")).isWritable())
        GTEST_SKIP() << "the lock directory is not writable here";

    // A running process: a child that waits to be ended.
    const pid_t running = ::fork();
    ASSERT_GE(running, 0);
    if (running == 0) {
        for (;;)
            ::pause();
    }
    // A process that is gone: a child that has ended and been reaped.
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);

    const struct
    {
        const char *name;
        QByteArray content; // as Qt writes it: the process id on the first line
        bool opens;
    } cases[] = {
        { "left by a killed program", QByteArray::number(gone) + "\nKMR5150\nhost\n", true },
        { "of a running program", QByteArray::number(running) + "\nminicom\nhost\n", false },
        { "in the old fixed-width form", QByteArray::number(running).rightJustified(10, ' ') + "\n", false },
        { "no process id", "garbage\n", true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(lockFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        EXPECT_EQ(device.open(pty.path), c.opens);
        if (!c.opens) {
            EXPECT_TRUE(
                QtSerialDevice::holder(pty.path).endsWith(QStringLiteral("(process %1)").arg(running)))
                << QtSerialDevice::holder(pty.path).toStdString();
        }
        device.close();
        EXPECT_TRUE(QFile::exists(lockFile)) << "another program's lock file is left alone";
    }
    QFile::remove(lockFile);
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
}

TEST_F(QtSerialDeviceTest, LineSpeedsWithoutAConstantReachTheKernelAsNumbers)
{
    for (const uint32_t speed : { 14400u, 56000u, 76800u, 115200u, 4800u }) {
        SCOPED_TRACE(speed);
        LineSettings settings;
        settings.baud = speed;
        EXPECT_TRUE(device.applySettings(settings));
        // The kernel's view of the line, read as the simulated instrument reads it.
        struct
        {
            unsigned int c_iflag, c_oflag, c_cflag, c_lflag;
            unsigned char c_line;
            unsigned char c_cc[19];
            unsigned int c_ispeed, c_ospeed;
        } line {};
        ASSERT_EQ(::ioctl(pty.master(), _IOR('T', 0x2A, decltype(line)), &line), 0);
        EXPECT_EQ(line.c_ospeed, speed);
    }
}

// The component on the production device: a reply is fetched through the poll, a request
// reaches the far end, and a far end that goes away closes the port and stops the poll.
TEST(TCommOnPseudoTerminal, ReceivesSendsAndLetsGoOfAHungUpLine)
{
    Pty pty;
    ASSERT_TRUE(pty.valid());
    FakeDialogs dialogs;
    FakePortMap ports({ { 5, pty.path } });
    TComm comm;
    comm.setCommPort(pnCOM(5));
    comm.setRThreshold(1);
    QByteArray reply;
    int events = 0;
    comm.OnReceiveData = [&](TComm *sender) {
        ++events;
        const uint8_t *first = nullptr;
        const int32_t last = sender->FetchInputBytes(first);
        if (last >= 0)
            reply.append(reinterpret_cast<const char *>(first), last + 1);
    };
    comm.setPortOpen(true);
    ASSERT_TRUE(comm.portOpen());

    const uint8_t request[8] = { 0x01, 0x03, 0x00, 0x94, 0x00, 0x02, 0x85, 0xE7 };
    EXPECT_TRUE(comm.SendBytes(request, 8));
    EXPECT_EQ(pty.receive(8), QByteArray(reinterpret_cast<const char *>(request), 8));

    pty.send(QByteArray::fromHex("01030041"));
    EXPECT_TRUE(waitUntil([&] { return reply.size() == 4; }));
    EXPECT_EQ(reply, QByteArray::fromHex("01030041"));

    pty.closeMaster();
    EXPECT_TRUE(waitUntil([&] { return !comm.portOpen(); }));
    const int eventsAtClose = events;
    comm.PollTick();
    comm.PollTick();
    EXPECT_EQ(events, eventsAtClose);
    EXPECT_FALSE(comm.SendBytes(request, 8));
    EXPECT_EQ(dialogs.texts(), QStringList { "COM Port is not opened yet!" });
}

} // namespace
