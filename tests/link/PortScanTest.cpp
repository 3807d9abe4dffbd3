#include "link/PortScan.h"
#include "link/Globals.h"
#include "support/FakeSerial.h"

#include <gtest/gtest.h>

namespace {

TEST(PortScanTest, PortNumberFromTheEndOfTheName)
{
    struct Case
    {
        QString name;
        std::optional<int> port;
    } cases[] = {
        { "KMR5150 USB Port (COM5)", 5 }, // 23 characters: one digit
        { "KMR5150 USB Port (COM12)", 12 }, // 24: two
        { "KMR5150 USB Port (COM123)", 123 }, // 25: three
        { "KMR5150 USB Port (COM255)", 255 },
        { "KMR5150 USB Port (COM05)", 5 },
        { "KMR5150-USB-Port-(COM7)", 7 }, // only the length and the digits count
        { "KMR5150 USB Port (COM256)", std::nullopt }, // no such port
        { "KMR5150 USB Port (COM0)", std::nullopt },
        { "KMR5150 USB Port (COM000)", std::nullopt },
        { "KMR5150 USB Port(COM5)", std::nullopt }, // 22 characters
        { "KMR5150 USB Port  (COM123)", std::nullopt }, // 26
        { "Communications Port (COM1)", std::nullopt },
        { "KMR5150 USB Port (COMx)", std::nullopt },
        { "KMR5150 USB Port (COM 5)", std::nullopt }, // a blank is not a digit
        { "KMR5150 USB Port (COM-1)", std::nullopt },
        { QStringLiteral("KMR5150 USB Port (COM５)"), std::nullopt }, // full-width digit
        { "", std::nullopt },
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortNumberFromDeviceName(c.name), c.port)
            << qPrintable(c.name) << " (" << c.name.size() << ")";
}

InventoryEntry device(const QString &id, const QString &name)
{
    return InventoryEntry { id, name, 0, {} };
}

TEST(PortScanTest, InstrumentPortsComeFromMatchingIdentifiers)
{
    const QList<InventoryEntry> devices = {
        device("USB\\VID_0403&PID_6001\\A5XK3RJT", "USB Serial Port (COM3)"),
        device("USB\\VID_5732&PID_0A1B\\KMR0042", "KMR5150 USB Port (COM12)"),
        device("SERIAL\\ttyS0", "KMR5150 USB Port 5732 (COM1)"), // the mark in the name does not count
        device("USB\\VID_5732&PID_0A1B\\KMR0043", "KMR5150 USB Port (COM0)"), // unreadable: passed over
        device("USB\\VID_5732&PID_0A1B\\KMR0044", "KMR5150 (COM6)"), // unreadable: passed over
        device("USB\\VID_5732&PID_0A1B\\KMR0045", "KMR5150 USB Port (COM5)"),
        device("USB\\VID_5732&PID_0A1B\\KMR0046", "KMR5150 USB Port (COM200)"),
        device("USB\\VID_5732&PID_0A1B\\KMR0045", "KMR5150 USB Port (COM5)"), // listed twice, kept twice
    };
    struct Case
    {
        const char *mark;
        QList<int> ports;
    } cases[] = {
        { "5732", { 12, 5, 200, 5 } },
        { "VID_5732", { 12, 5, 200, 5 } },
        { "vid_5732", {} }, // case-sensitive
        { "KMR0046", { 200 } },
        { "5733", {} },
    };
    for (const Case &c : cases)
        EXPECT_EQ(InstrumentPortsFromInventory(devices, c.mark), c.ports) << c.mark;
    EXPECT_TRUE(InstrumentPortsFromInventory({}, "5732").isEmpty());
}

TEST(PortScanTest, AtMostElevenInstrumentPorts)
{
    QList<InventoryEntry> devices;
    devices << device("USB\\VID_5732&PID_0001\\0", "KMR5150 USB Port (COM?)"); // unreadable: not counted
    for (int n = 20; n < 34; ++n)
        devices << device(QStringLiteral("USB\\VID_5732&PID_0001\\%1").arg(n),
            QStringLiteral("KMR5150 USB Port (COM%1)").arg(n));
    const QList<int> ports = InstrumentPortsFromInventory(devices, "5732");
    EXPECT_EQ(ports, QList<int>({ 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30 }));
    EXPECT_EQ(ports.size(), MaxInstrumentPorts);
}

class ProbeTest : public ::testing::Test
{
protected:
    ProbeTest()
    {
        m_serial.port("/dev/fake1");
        m_serial.port("/dev/fake3").busy = true; // held by another program
        m_serial.port("/dev/fake7");
        m_serial.port("/dev/fake200");
        m_serial.port("/dev/fake255");
        m_serial.port("/dev/fake0");
        m_serial.port("/dev/fake256");
    }

    FakeSerialBackend m_serial;
    FakePortMap m_map { { { 0, "/dev/fake0" }, { 1, "/dev/fake1" }, { 3, "/dev/fake3" },
        { 4, "/dev/absent4" }, // mapped, but no such device
        { 7, "/dev/fake7" }, { 200, "/dev/fake200" }, { 255, "/dev/fake255" }, { 256, "/dev/fake256" } } };
};

TEST_F(ProbeTest, ListsThePortsThatOpenInIncreasingOrder)
{
    EXPECT_EQ(ProbePorts(), QList<int>({ 1, 7, 200, 255 }));
    // Only numbers 1 to 255 with a device path are tried, each once, in order.
    EXPECT_EQ(m_serial.openAttempts,
        QStringList(
            { "/dev/fake1", "/dev/fake3", "/dev/absent4", "/dev/fake7", "/dev/fake200", "/dev/fake255" }));
    // Every probed device is closed again.
    for (const char *path : { "/dev/fake1", "/dev/fake7", "/dev/fake200", "/dev/fake255" }) {
        EXPECT_FALSE(m_serial.isOpen(path)) << path;
        EXPECT_EQ(m_serial.port(path).opens, 1) << path;
    }
}

TEST_F(ProbeTest, PortHeldByThisProgramIsNotListedAndStaysOpen)
{
    const std::unique_ptr<SerialDevice> holder = m_serial.createDevice();
    ASSERT_TRUE(holder->open("/dev/fake7"));
    EXPECT_EQ(ProbePorts(), QList<int>({ 1, 200, 255 }));
    EXPECT_EQ(m_serial.device("/dev/fake7"), holder.get());
}

TEST_F(ProbeTest, SinglePortsAndRanges)
{
    struct Case
    {
        int first;
        int last;
        QList<int> ports;
    } cases[] = {
        { 1, 255, { 1, 7, 200, 255 } },
        { 2, 7, { 7 } },
        { 8, 199, {} },
        { 0, 300, { 1, 7, 200, 255 } }, // numbers outside 1 to 255 are no ports
        { 7, 7, { 7 } },
        { 9, 8, {} },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ProbePorts(c.first, c.last), c.ports) << c.first << "-" << c.last;

    m_serial.openAttempts.clear();
    struct Single
    {
        int port;
        bool opens;
    } singles[] = { { 1, true }, { 2, false }, { 3, false }, { 4, false }, { 7, true }, { 255, true } };
    for (const Single &s : singles)
        EXPECT_EQ(ProbePort(s.port), s.opens) << s.port;
    // Number 2 has no device path: no open is tried for it.
    EXPECT_EQ(m_serial.openAttempts,
        QStringList({ "/dev/fake1", "/dev/fake3", "/dev/absent4", "/dev/fake7", "/dev/fake255" }));
}

TEST_F(ProbeTest, UnpluggedDeviceIsNotListedUntilItComesBack)
{
    m_serial.unplug("/dev/fake200");
    EXPECT_EQ(ProbePorts(), QList<int>({ 1, 7, 255 }));
    m_serial.plugIn("/dev/fake200");
    EXPECT_EQ(ProbePorts(), QList<int>({ 1, 7, 200, 255 }));
}

} // namespace
