#include "link/Globals.h"
#include "link/LinuxInventory.h"
#include "link/PortScan.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A sysfs tree shaped like the kernel's: class/tty/<name>/device links into devices/,
// where a USB device directory carries idVendor, idProduct and serial, with its
// interface (and for usb-serial drivers the port) below it.
class FakeSysfs
{
public:
    QString root() const { return m_dir.path(); }

    // Makes `devices/<usbDevice>` a USB device and links tty `name` to `devices/<ttyParent>`.
    void addUsbTty(const QString &name, const QString &usbDevice, const QString &ttyParent,
        const QByteArray &vendor, const QByteArray &product, const QByteArray &serial = {})
    {
        const QString deviceDir = path("devices/" + usbDevice);
        QDir().mkpath(deviceDir);
        writeAttribute(deviceDir + "/idVendor", vendor + "\n");
        writeAttribute(deviceDir + "/idProduct", product + "\n");
        if (!serial.isEmpty())
            writeAttribute(deviceDir + "/serial", serial + "\n");
        linkTty(name, "devices/" + ttyParent);
    }

    void linkTty(const QString &name, const QString &target)
    {
        QDir().mkpath(path(target));
        QDir().mkpath(path("class/tty/" + name));
        EXPECT_TRUE(QFile::link(path(target), path("class/tty/" + name + "/device")));
    }

    // A tty without a device behind it, as consoles and pseudo-terminals are.
    void addVirtualTty(const QString &name) { QDir().mkpath(path("class/tty/" + name)); }

    void setAttribute(const QString &relative, const QByteArray &text)
    {
        writeAttribute(path(relative), text);
    }

private:
    QString path(const QString &relative) const { return QDir(m_dir.path()).filePath(relative); }
    static void writeAttribute(const QString &file, const QByteArray &text)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    QTemporaryDir m_dir;
};

class InventoryTest : public ::testing::Test
{
protected:
    InventoryTest()
    {
        UsbDeviceIdMark = QStringLiteral("5732");
        // The instrument on its CDC driver, a usb-serial adapter and a plain UART.
        m_sysfs.addUsbTty(
            "ttyACM0", "pci0000:00/usb1/1-2", "pci0000:00/usb1/1-2/1-2:1.0", "5732", "0a1b", "KMR0042");
        m_sysfs.addUsbTty("ttyUSB0", "pci0000:00/usb1/1-3", "pci0000:00/usb1/1-3/1-3:1.0/ttyUSB0", "0403",
            "6001", "A5XK3RJT");
        m_sysfs.linkTty("ttyS0", "platform/serial8250/tty/ttyS0");
    }
    ~InventoryTest() override { ResetGlobals(); }

    void writeSettings(const QByteArray &bytes) const
    {
        m_dir.writeFile(QStringLiteral("SysSet.ini"), bytes);
    }

    QString makeNode(const QString &relative) const { return m_dir.makeFile(relative); }

    TempProgramDir m_dir;
    FakeSysfs m_sysfs;
};

TEST_F(InventoryTest, SysfsGivesTheUsbDeviceAboveTheTty)
{
    struct Case
    {
        const char *tty;
        std::optional<UsbIdentity> expected;
    } cases[] = {
        { "ttyACM0", UsbIdentity { 0x5732, 0x0a1b, "KMR0042" } },
        { "ttyUSB0", UsbIdentity { 0x0403, 0x6001, "A5XK3RJT" } },
        { "ttyS0", std::nullopt }, // no USB device up to the root
        { "ttyUSB9", std::nullopt },
        { "../class", std::nullopt },
        { "", std::nullopt },
    };
    for (const Case &c : cases) {
        const std::optional<UsbIdentity> found = UsbIdentityFromSysfs(m_sysfs.root(), c.tty);
        ASSERT_EQ(found.has_value(), c.expected.has_value()) << c.tty;
        if (found) {
            EXPECT_EQ(found->vendorId, c.expected->vendorId) << c.tty;
            EXPECT_EQ(found->productId, c.expected->productId) << c.tty;
            EXPECT_EQ(found->serialNumber, c.expected->serialNumber) << c.tty;
        }
    }
}

TEST(SysfsSerialPorts, ListsTheTtysWithHardwareBehindThem)
{
    FakeSysfs sysfs;
    sysfs.addUsbTty("ttyACM0", "usb1/1-2", "usb1/1-2/1-2:1.0", "0483", "5732", "KMR0042");
    sysfs.setAttribute("devices/usb1/1-2/product", "KMR5150 Power Meter\n");
    sysfs.addUsbTty("ttyUSB3", "usb2/2-1", "usb2/2-1/2-1:1.0/ttyUSB3", "0403", "6001");
    sysfs.linkTty("ttyS0", "devices/platform/serial8250/tty/ttyS0");
    sysfs.setAttribute("class/tty/ttyS0/type", "4\n");
    sysfs.linkTty("ttyS1", "devices/platform/serial8250/tty/ttyS1");
    sysfs.setAttribute("class/tty/ttyS1/type", "0\n"); // no UART at this name
    sysfs.addVirtualTty("tty1");
    sysfs.addVirtualTty("console");

    const QList<SystemSerialPort> ports = SysfsSerialPorts(sysfs.root());
    struct Expected
    {
        const char *name;
        std::optional<uint16_t> vendor, product;
        const char *serial;
        const char *description;
    } const expected[] = {
        { "ttyACM0", 0x0483, 0x5732, "KMR0042", "KMR5150 Power Meter" },
        { "ttyS0", std::nullopt, std::nullopt, "", "" },
        { "ttyUSB3", 0x0403, 0x6001, "", "" },
    };
    ASSERT_EQ(ports.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].name);
        const SystemSerialPort &port = ports[qsizetype(i)];
        EXPECT_EQ(port.portName, QString::fromLatin1(expected[i].name));
        EXPECT_EQ(port.systemLocation, QStringLiteral("/dev/") + QString::fromLatin1(expected[i].name));
        EXPECT_EQ(port.vendorId, expected[i].vendor);
        EXPECT_EQ(port.productId, expected[i].product);
        EXPECT_EQ(port.serialNumber, QString::fromLatin1(expected[i].serial));
        EXPECT_EQ(port.description, QString::fromLatin1(expected[i].description));
    }
    EXPECT_TRUE(SysfsSerialPorts(sysfs.root() + "/missing").isEmpty());
}

TEST_F(InventoryTest, IdentifierTexts)
{
    struct Case
    {
        std::optional<UsbIdentity> usb;
        const char *portName;
        const char *expected;
    } cases[] = {
        { UsbIdentity { 0x5732, 0x0a1b, "KMR0042" }, "ttyACM0", "USB\\VID_5732&PID_0A1B\\KMR0042" },
        { UsbIdentity { 0x0403, 0x6001, "A5XK3RJT" }, "ttyUSB0", "USB\\VID_0403&PID_6001\\A5XK3RJT" },
        { UsbIdentity { 0x1a, 0xbeef, "" }, "ttyUSB3", "USB\\VID_001A&PID_BEEF\\ttyUSB3" },
        { std::nullopt, "ttyS0", "SERIAL\\ttyS0" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(DeviceIdentifier(c.usb, c.portName), c.expected) << c.expected;
}

TEST_F(InventoryTest, ListsQtPortsWithIdentifierNameAndNumber)
{
    const QList<SystemSerialPort> qtPorts = {
        // udev not running: Qt knows no vendor, sysfs does.
        { "ttyACM0", "/dev/ttyACM0", "", std::nullopt, std::nullopt, "" },
        // Qt knows the vendor but not the serial number.
        { "ttyUSB0", "/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001, "" },
        { "ttyS0", "/dev/ttyS0", "", std::nullopt, std::nullopt, "" },
        // A device no number maps.
        { "ttyXRUSB0", "/dev/ttyXRUSB0", "XR21V1410 USB UART", 0x04e2, 0x1410, "X1" },
    };
    LinuxDeviceInventory inventory(m_sysfs.root(), [&] { return qtPorts; });
    const QList<InventoryEntry> entries = inventory.serialDevices();

    struct Expected
    {
        const char *id;
        const char *name;
        int port;
        const char *path;
    } expected[] = {
        { "USB\\VID_5732&PID_0A1B\\KMR0042", "KMR5150 USB Port (COM65)", 65, "/dev/ttyACM0" },
        { "USB\\VID_0403&PID_6001\\A5XK3RJT", "FT232R USB UART (COM33)", 33, "/dev/ttyUSB0" },
        { "SERIAL\\ttyS0", "Communications Port (COM1)", 1, "/dev/ttyS0" },
        { "USB\\VID_04E2&PID_1410\\X1", "XR21V1410 USB UART", 0, "/dev/ttyXRUSB0" },
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(entries[i].pnpDeviceId, expected[i].id) << i;
        EXPECT_EQ(entries[i].name, expected[i].name) << i;
        EXPECT_EQ(entries[i].portNumber, expected[i].port) << i;
        EXPECT_EQ(entries[i].devicePath, expected[i].path) << i;
    }
    // What the scan makes of it: only the instrument, its number read from its name.
    EXPECT_EQ(InstrumentPortsFromInventory(entries, UsbDeviceIdMark), QList<int>({ 65 }));
}

TEST_F(InventoryTest, MappedDevicesJoinTheList)
{
    // COM5 stands for the instrument (sysfs knows its node), COM9 for a pseudo-terminal,
    // COM8 is a second name of a port Qt lists, COM6 is gone.
    const QString instrument = makeNode("dev/ttyKMR");
    m_sysfs.addUsbTty("ttyKMR", "pci0000:00/usb2/2-1", "pci0000:00/usb2/2-1/2-1:1.0", "5732", "0001", "SIM1");
    const QString pty = makeNode("dev/pts/3");
    const QString adapter = makeNode("dev/ttyUSB7");
    const QString byId = QDir(m_dir.path()).filePath("dev/serial/by-id/usb-FTDI-if00-port0");
    QDir().mkpath(QFileInfo(byId).path());
    ASSERT_TRUE(QFile::link(adapter, byId));
    writeSettings(("[PortMap]\nCOM5=" + instrument + "\nCOM9=" + pty + "\nCOM8=" + byId
        + "\nCOM6=/dev/pts/999999\nCOMX=" + pty + "\nCOM300=" + pty + "\n")
                      .toUtf8());

    const QList<SystemSerialPort> qtPorts = { { "ttyUSB7", adapter, "USB Serial", 0x0403, 0x6015, "D1" } };
    LinuxDeviceInventory inventory(m_sysfs.root(), [&] { return qtPorts; });
    const QList<InventoryEntry> entries = inventory.serialDevices();

    struct Expected
    {
        QString id;
        QString name;
        int port;
        QString path;
    } expected[] = {
        { "USB\\VID_0403&PID_6015\\D1", "USB Serial (COM8)", 8, adapter },
        { "USB\\VID_5732&PID_0001\\SIM1", "KMR5150 USB Port (COM5)", 5, instrument },
        { "SERIAL\\3", "Communications Port (COM9)", 9, pty },
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(entries[i].pnpDeviceId, expected[i].id) << i;
        EXPECT_EQ(entries[i].name, expected[i].name) << i;
        EXPECT_EQ(entries[i].portNumber, expected[i].port) << i;
        EXPECT_EQ(entries[i].devicePath, expected[i].path) << i;
    }
    EXPECT_EQ(entries[1].name.size(), 23);
    EXPECT_EQ(InstrumentPortsFromInventory(entries, UsbDeviceIdMark), QList<int>({ 5 }));
}

} // namespace
