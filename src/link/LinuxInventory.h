#pragma once

// The device inventory: the serial devices of this computer, each with an identifier in
// the form "USB\VID_xxxx&PID_xxxx\serial" (upper-case hexadecimal) for USB devices or
// "SERIAL\<name>" for others, a name "<description> (COMn)" and the port number the port
// map gives its device path. `defaultDeviceInventory()` is declared in ProductionPlatform.h.

#include "base/Platform.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// One serial port as Qt's port information reports it.
struct SystemSerialPort
{
    QString portName; // "ttyUSB0"
    QString systemLocation; // "/dev/ttyUSB0"
    QString description;
    std::optional<uint16_t> vendorId;
    std::optional<uint16_t> productId;
    QString serialNumber;
};

struct UsbIdentity
{
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    QString serialNumber; // empty when the device has none
};

// The description given to the instrument's own port: 16 characters, so its names are
// 23 to 25 characters long, as the instrument's driver names them on Windows.
inline constexpr char InstrumentPortDescription[] = "KMR5150 USB Port";

// The ports Qt's port information lists.
QList<SystemSerialPort> QtSerialPorts();

// The serial ports the kernel has devices for, read from the sysfs tree at `sysfsRoot`: each
// tty of class/tty with a device behind it, but for UART names without hardware. Ports on
// USB carry their device's identity and product name. Much quicker than Qt's list, which
// asks udev about every tty of the system.
QList<SystemSerialPort> SysfsSerialPorts(const QString &sysfsRoot);

// The USB device above the tty `ttyName` in the sysfs tree at `sysfsRoot`: its idVendor,
// idProduct and serial; nullopt for a device that is not on USB or not in the tree.
std::optional<UsbIdentity> UsbIdentityFromSysfs(const QString &sysfsRoot, const QString &ttyName);

// "USB\VID_xxxx&PID_xxxx\serial" or, without a USB identity, "SERIAL\<portName>". A USB
// device without a serial number gets its port name in that place.
QString DeviceIdentifier(const std::optional<UsbIdentity> &usb, const QString &portName);

class LinuxDeviceInventory final : public DeviceInventory
{
public:
    using PortLister = std::function<QList<SystemSerialPort>()>;

    explicit LinuxDeviceInventory(
        QString sysfsRoot = QStringLiteral("/sys"), PortLister lister = QtSerialPorts);

    // Qt's ports, then the present devices named in SysSet.ini [PortMap] that Qt does not
    // list (pseudo-terminals, for instance). Identifiers fall back to sysfs where Qt
    // knows no USB vendor (udev not running).
    QList<InventoryEntry> serialDevices() override;

private:
    InventoryEntry makeEntry(const QString &portName, const QString &devicePath, const QString &description,
        std::optional<UsbIdentity> usb, int portNumber) const;

    QString m_sysfsRoot;
    PortLister m_lister;
};
