// The link watch on fake ports: a lost port is opened again at the watch's pace, a USB
// device is followed to the port number it comes back under, and a port the user left is
// not brought back.

#include "link/LinkWatch.h"

#include "base/Errors.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

static void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '[' << texts.join(QLatin1String("|")).toStdString() << ']';
}

namespace {

const QString Failure = QStringLiteral("Connection Failure!");
const QString Connected = QStringLiteral("Connected!");

class FakeInventory final : public DeviceInventory
{
public:
    FakeInventory() { platform::install(this); }
    ~FakeInventory() override { platform::install(static_cast<DeviceInventory *>(nullptr)); }

    QList<InventoryEntry> serialDevices() override
    {
        if (failing)
            throw KmrError(QStringLiteral("inventory down"));
        return devices;
    }

    QList<InventoryEntry> devices;
    bool failing = false;
};

InventoryEntry usbDevice(const QString &serial, int port)
{
    InventoryEntry entry;
    entry.pnpDeviceId = QStringLiteral("USB\\VID_0403&PID_6001\\") + serial;
    entry.name = QStringLiteral("USB Serial Port (COM%1)").arg(port);
    entry.portNumber = port;
    entry.devicePath = QStringLiteral("/dev/ttyUSB%1").arg(port - 33);
    return entry;
}

class LinkWatchTest : public ::testing::Test
{
public: // the table of cases below arranges through the fixture
    void SetUp() override
    {
        ResetGlobals();
        for (const QString &path : ports.paths)
            serial.port(path); // the devices exist
        watch.onPortMoved = [this](int port) { selectedPort = port; };
    }
    void TearDown() override { ResetGlobals(); }

    void open(int port)
    {
        comm.setCommPort(pnCOM(port));
        comm.setPortOpen(true);
        ASSERT_TRUE(comm.portOpen());
        selectedPort = port;
    }

    // Every text the watch returned over `count` ticks, in order.
    QStringList ticks(int count)
    {
        QStringList texts;
        for (int i = 0; i < count; ++i)
            if (const QString text = watch.tick(comm); !text.isEmpty())
                texts << text;
        return texts;
    }

    // The device goes away and the poll of the serial component notices.
    void lose(const QString &path)
    {
        serial.unplug(path);
        comm.PollTick();
        ASSERT_FALSE(comm.portOpen());
    }

    FakeSerialBackend serial;
    FakePortMap ports { { { 7, QStringLiteral("/dev/ttyS6") }, { 33, QStringLiteral("/dev/ttyUSB0") },
        { 34, QStringLiteral("/dev/ttyUSB1") }, { 8, QStringLiteral("/dev/ttyS7") } } };
    FakeInventory inventory;
    FakeDialogs dialogs;
    TComm comm;
    LinkWatch watch;
    int selectedPort = 0; // the connection's port, as its owner keeps it
};

TEST_F(LinkWatchTest, LostPortIsOpenedAgainAtTheWatchPaceWithItsLineSettings)
{
    comm.setBaudRate(br115200);
    open(7);
    EXPECT_TRUE(ticks(40).isEmpty()) << "nothing to do while the port is open";
    EXPECT_EQ(watch.watchedPort(), 7);
    lose("/dev/ttyS6");
    const int attemptsBefore = int(serial.openAttempts.size());

    // One attempt every RetryTicks ticks, none in between.
    EXPECT_TRUE(ticks(LinkWatch::RetryTicks - 1).isEmpty());
    EXPECT_EQ(int(serial.openAttempts.size()), attemptsBefore);
    EXPECT_EQ(ticks(1), QStringList { Failure });
    EXPECT_EQ(int(serial.openAttempts.size()), attemptsBefore + 1);
    EXPECT_EQ(ticks(3 * LinkWatch::RetryTicks), QStringList({ Failure, Failure, Failure }));
    EXPECT_FALSE(comm.portOpen());

    serial.plugIn("/dev/ttyS6");
    EXPECT_EQ(ticks(LinkWatch::RetryTicks), QStringList { Connected });
    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(comm.commPort(), pnCOM(7));
    EXPECT_EQ(serial.port("/dev/ttyS6").opens, 2);
    ASSERT_NE(serial.port("/dev/ttyS6").lastSettings(), nullptr);
    EXPECT_EQ(serial.port("/dev/ttyS6").lastSettings()->baud, 115200u);
    EXPECT_TRUE(ticks(3 * LinkWatch::RetryTicks).isEmpty()) << "healed: quiet again";

    // Lost a second time, healed a second time.
    lose("/dev/ttyS6");
    serial.plugIn("/dev/ttyS6");
    EXPECT_EQ(ticks(LinkWatch::RetryTicks), QStringList { Connected });
}

TEST_F(LinkWatchTest, DevicePathIsLookedUpAgainAtEachAttempt)
{
    open(7);
    ticks(1);
    lose("/dev/ttyS6");
    // The port's name now leads to another device node, as a by-id link does after the
    // adapter was plugged in again.
    ports.paths[7] = QStringLiteral("/dev/ttyS9");
    serial.port(QStringLiteral("/dev/ttyS9"));
    EXPECT_EQ(ticks(LinkWatch::RetryTicks), QStringList { Connected });
    EXPECT_TRUE(serial.isOpen("/dev/ttyS9"));
    EXPECT_EQ(comm.commPort(), pnCOM(7));
}

TEST_F(LinkWatchTest, UsbDeviceIsFollowedToTheNumberItComesBackUnder)
{
    inventory.devices = { usbDevice("A1", 33) };
    open(33);
    ticks(1);
    EXPECT_EQ(watch.usbIdentity(), QStringLiteral("USB\\VID_0403&PID_6001\\A1"));
    lose("/dev/ttyUSB0");
    inventory.devices.clear();

    struct Step
    {
        const char *name;
        QList<InventoryEntry> devices;
        bool failing;
        const char *status;
        int portAfter;
    } steps[] = {
        { "device away", {}, false, "Connection Failure!", 33 },
        { "inventory fails", {}, true, "Connection Failure!", 33 },
        { "another device on the old number", { usbDevice("B2", 33) }, false, "Connection Failure!", 33 },
        { "back on 34", { usbDevice("B2", 33), usbDevice("A1", 34) }, false, "Connected!", 34 },
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        inventory.devices = step.devices;
        inventory.failing = step.failing;
        serial.plugIn("/dev/ttyUSB0"); // whichever device is there, the old node exists
        EXPECT_EQ(ticks(LinkWatch::RetryTicks), QStringList { QString::fromLatin1(step.status) });
        EXPECT_EQ(comm.commPort(), pnCOM(step.portAfter));
    }
    EXPECT_TRUE(serial.isOpen("/dev/ttyUSB1"));
    EXPECT_FALSE(serial.isOpen("/dev/ttyUSB0")) << "the other device was never taken";
    EXPECT_EQ(serial.port("/dev/ttyUSB0").opens, 1);
    EXPECT_EQ(selectedPort, 34);
    EXPECT_EQ(watch.watchedPort(), 34);
}

TEST_F(LinkWatchTest, PortsTheWatchDoesNotBringBack)
{
    struct Case
    {
        const char *name;
        std::function<void(LinkWatchTest &)> arrange;
    } cases[] = {
        { "never opened", [](LinkWatchTest &) {} },
        { "the user chose another port, which failed to open",
            [](LinkWatchTest &t) {
                t.open(7);
                t.ticks(1);
                t.comm.setPortOpen(false);
                t.comm.setCommPort(pnCOM(8));
                t.serial.port("/dev/ttyS7").present = false;
            } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange(*this);
        const qsizetype attempts = serial.openAttempts.size();
        EXPECT_TRUE(ticks(4 * LinkWatch::RetryTicks).isEmpty());
        EXPECT_EQ(serial.openAttempts.size(), attempts);
        EXPECT_FALSE(comm.portOpen());
    }
}

TEST(HeldPortNote, NamesTheRunningProgramThatHoldsThePort)
{
    // A pseudo-terminal stands for the port; a child process takes its lock.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    char name[128] = {};
    ASSERT_EQ(::ptsname_r(master, name, sizeof name), 0);
    FakePortMap ports({ { 7, QString::fromLocal8Bit(name) } });
    EXPECT_EQ(HeldPortNote(7), QString()) << "free";
    EXPECT_EQ(HeldPortNote(9), QString()) << "no device";

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int fd = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    char held = 0;
    pollfd poller { ready[0], POLLIN, 0 };
    ASSERT_GT(::poll(&poller, 1, 5000), 0);
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 'y');
    const QString note = HeldPortNote(7);
    EXPECT_TRUE(note.startsWith(QStringLiteral("  (COM7 is held by "))) << note.toStdString();
    EXPECT_TRUE(note.endsWith(QStringLiteral(" (process %1))").arg(child))) << note.toStdString();

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(HeldPortNote(7), QString()) << "the lock died with its holder";
    ::close(ready[0]);
    ::close(ready[1]);
    ::close(master);
}

} // namespace
