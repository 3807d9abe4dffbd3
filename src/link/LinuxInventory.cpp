#include "link/LinuxInventory.h"

#include "base/IniFile.h"
#include "link/Globals.h"
#include "link/PortTable.h"
#include "link/ProductionPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QSet>

#include <utility>

namespace {

QString readAttribute(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

std::optional<uint16_t> hexAttribute(const QString &path)
{
    bool ok = false;
    const uint value = readAttribute(path).toUInt(&ok, 16);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

} // namespace

QList<SystemSerialPort> QtSerialPorts()
{
    QList<SystemSerialPort> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SystemSerialPort port;
        port.portName = info.portName();
        port.systemLocation = info.systemLocation();
        port.description = info.description();
        if (info.hasVendorIdentifier())
            port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            port.productId = info.productIdentifier();
        port.serialNumber = info.serialNumber();
        ports.append(port);
    }
    return ports;
}

namespace {
struct UsbDevice
{
    UsbIdentity identity;
    QString directory;
};

std::optional<UsbDevice> usbDeviceAbove(const QString &sysfsRoot, const QString &ttyName)
{
    if (ttyName.isEmpty() || ttyName.contains(QLatin1Char('/')))
        return std::nullopt;
    const QString root = QFileInfo(sysfsRoot).canonicalFilePath();
    QString dir = QFileInfo(QDir(sysfsRoot).filePath(QStringLiteral("class/tty/%1/device").arg(ttyName)))
                      .canonicalFilePath();
    if (root.isEmpty() || dir.isEmpty())
        return std::nullopt;
    // The tty hangs below a USB interface; the USB device that carries the identity is
    // the first directory above it with idVendor and idProduct.
    while (dir.startsWith(root) && dir.size() > root.size()) {
        const QDir here(dir);
        const std::optional<uint16_t> vendor = hexAttribute(here.filePath(QStringLiteral("idVendor")));
        const std::optional<uint16_t> product = hexAttribute(here.filePath(QStringLiteral("idProduct")));
        if (vendor && product)
            return UsbDevice {
                UsbIdentity { *vendor, *product, readAttribute(here.filePath(QStringLiteral("serial"))) }, dir
            };
        dir = QFileInfo(dir).path();
    }
    return std::nullopt;
}
} // namespace

std::optional<UsbIdentity> UsbIdentityFromSysfs(const QString &sysfsRoot, const QString &ttyName)
{
    if (const std::optional<UsbDevice> device = usbDeviceAbove(sysfsRoot, ttyName))
        return device->identity;
    return std::nullopt;
}

QList<SystemSerialPort> SysfsSerialPorts(const QString &sysfsRoot)
{
    QList<SystemSerialPort> ports;
    const QDir ttys(QDir(sysfsRoot).filePath(QStringLiteral("class/tty")));
    for (const QString &name : ttys.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir tty(ttys.filePath(name));
        // Consoles, virtual terminals and pseudo-terminals have no device behind them.
        if (!QFileInfo::exists(tty.filePath(QStringLiteral("device"))))
            continue;
        // A UART the serial core reserved a name for but found no hardware at has type 0.
        if (readAttribute(tty.filePath(QStringLiteral("type"))) == QLatin1String("0"))
            continue;
        SystemSerialPort port;
        port.portName = name;
        port.systemLocation = QStringLiteral("/dev/") + name;
        if (const std::optional<UsbDevice> usb = usbDeviceAbove(sysfsRoot, name)) {
            port.vendorId = usb->identity.vendorId;
            port.productId = usb->identity.productId;
            port.serialNumber = usb->identity.serialNumber;
            port.description = readAttribute(QDir(usb->directory).filePath(QStringLiteral("product")));
        }
        ports.append(port);
    }
    return ports;
}

QString DeviceIdentifier(const std::optional<UsbIdentity> &usb, const QString &portName)
{
    if (!usb)
        return QStringLiteral("SERIAL\\") + portName;
    const auto hex4
        = [](uint16_t v) { return QStringLiteral("%1").arg(v, 4, 16, QLatin1Char('0')).toUpper(); };
    const QString instance = usb->serialNumber.isEmpty() ? portName : usb->serialNumber;
    return QStringLiteral("USB\\VID_%1&PID_%2\\%3").arg(hex4(usb->vendorId), hex4(usb->productId), instance);
}

LinuxDeviceInventory::LinuxDeviceInventory(QString sysfsRoot, PortLister lister)
    : m_sysfsRoot(std::move(sysfsRoot))
    , m_lister(std::move(lister))
{
}

InventoryEntry LinuxDeviceInventory::makeEntry(const QString &portName, const QString &devicePath,
    const QString &description, std::optional<UsbIdentity> usb, int portNumber) const
{
    InventoryEntry entry;
    entry.pnpDeviceId = DeviceIdentifier(usb, portName);
    entry.devicePath = devicePath;
    entry.portNumber = portNumber;
    QString text = description;
    if (!UsbDeviceIdMark.isEmpty() && entry.pnpDeviceId.contains(UsbDeviceIdMark))
        text = QString::fromLatin1(InstrumentPortDescription);
    else if (text.isEmpty())
        text = QStringLiteral("Communications Port");
    entry.name = portNumber > 0 ? QStringLiteral("%1 (COM%2)").arg(text).arg(portNumber) : text;
    return entry;
}

QList<InventoryEntry> LinuxDeviceInventory::serialDevices()
{
    QList<InventoryEntry> entries;
    QSet<QString> listed;

    for (const SystemSerialPort &port : m_lister()) {
        std::optional<UsbIdentity> usb;
        if (port.vendorId && port.productId)
            usb = UsbIdentity { *port.vendorId, *port.productId, port.serialNumber };
        if (!usb || usb->serialNumber.isEmpty()) {
            // Without udev Qt knows no USB identity; sysfs has it.
            if (const std::optional<UsbIdentity> fromSysfs
                = UsbIdentityFromSysfs(m_sysfsRoot, port.portName)) {
                if (!usb)
                    usb = fromSysfs;
                else if (usb->vendorId == fromSysfs->vendorId && usb->productId == fromSysfs->productId)
                    usb->serialNumber = fromSysfs->serialNumber;
            }
        }
        const QString path
            = port.systemLocation.isEmpty() ? QStringLiteral("/dev/") + port.portName : port.systemLocation;
        listed.insert(CanonicalDevicePath(path));
        entries.append(makeEntry(port.portName, path, port.description, usb, PortNumberForPath(path)));
    }

#ifndef Q_OS_WIN
    // Qt does not list pseudo-terminals; a device the user mapped to a number is listed
    // here, under that number, when it is present.
    static const QRegularExpression portKey(
        QStringLiteral("^COM([0-9]{1,3})$"), QRegularExpression::CaseInsensitiveOption);
    const IniFile settings(SettingsFileName);
    for (const QString &key : settings.keys(QStringLiteral("PortMap"))) {
        const QRegularExpressionMatch match = portKey.match(key);
        const int n = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (n < LowestPortNumber || n > HighestPortNumber)
            continue;
        const QString path = settings.readString(QStringLiteral("PortMap"), key, QString()).trimmed();
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        const QString canonical = CanonicalDevicePath(path);
        if (listed.contains(canonical))
            continue;
        listed.insert(canonical);
        const QString name = QFileInfo(canonical).fileName();
        entries.append(makeEntry(name, path, QString(), UsbIdentityFromSysfs(m_sysfsRoot, name), n));
    }
#endif
    return entries;
}

DeviceInventory &defaultDeviceInventory()
{
#ifdef Q_OS_LINUX
    static LinuxDeviceInventory inventory(
        QStringLiteral("/sys"), [] { return SysfsSerialPorts(QStringLiteral("/sys")); });
#else
    static LinuxDeviceInventory inventory;
#endif
    return inventory;
}
