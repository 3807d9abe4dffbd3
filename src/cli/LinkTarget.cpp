#include "cli/LinkTarget.h"

#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"
#include "cli/CliError.h"
#include "link/Globals.h"
#include "link/PortScan.h"
#include "link/PortTable.h"

#include <QRegularExpression>

namespace {
const QString SettingsFile = QStringLiteral("SysSet.ini");

int storedInteger(const IniFile &settings, const QString &section, const QString &key)
{
    try {
        return settings.readInteger(section, key);
    } catch (const EConvertError &error) {
        throw CliError(ExitUsage, settings.path() + QStringLiteral(": ") + error.text());
    } catch (const KmrError &error) {
        throw CliError(ExitFile, settings.path() + QStringLiteral(": ") + error.text());
    }
}

bool isInstrumentUsbPort(const LinkTarget &target)
{
    QList<InventoryEntry> devices;
    try {
        devices = platform::inventory().serialDevices();
    } catch (const KmrError &error) {
        throw CliError(ExitDevice, QStringLiteral("device inventory: ") + error.text());
    }
    if (target.portNumber > 0
        && InstrumentPortsFromInventory(devices, UsbDeviceIdMark).contains(target.portNumber))
        return true;
    // A path that no port number reaches is recognised by the device it names.
    if (target.devicePath.isEmpty())
        return false;
    const QString wanted = CanonicalDevicePath(target.devicePath);
    for (const InventoryEntry &device : devices) {
        if (!UsbDeviceIdMark.isEmpty() && device.pnpDeviceId.contains(UsbDeviceIdMark)
            && !device.devicePath.isEmpty() && CanonicalDevicePath(device.devicePath) == wanted)
            return true;
    }
    return false;
}
} // namespace

int ListedSpeedIndex(uint32_t speed)
{
    for (size_t i = 0; i < ListedSpeeds.size(); ++i) {
        if (ListedSpeeds[i] == speed)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<int> PortNumberFromName(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^COM([0-9]{1,3})$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const int n = match.captured(1).toInt();
    if (n < LowestPortNumber || n > HighestPortNumber)
        return std::nullopt;
    return n;
}

LinkTarget ResolveLinkTarget(const LinkOptions &options)
{
    const IniFile settings(SettingsFile);
    LinkTarget target;

    if (options.port) {
        const QString port = options.port->trimmed();
        if (port.isEmpty())
            throw CliError(ExitUsage, QStringLiteral("--port needs COMn or a device path"));
        if (const std::optional<int> n = PortNumberFromName(port)) {
            target.portNumber = *n;
        } else if (port.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive)
            && !port.contains(QLatin1Char('/'))) {
            throw CliError(
                ExitUsage, QStringLiteral("--port %1: port numbers run from COM1 to COM255").arg(port));
        } else {
            target.portName = port;
            target.devicePath = port;
            target.portNumber = PortNumberForPath(port);
        }
    } else {
        const int n = storedInteger(settings, QStringLiteral("CommPort"), QStringLiteral("Port"));
        if (n < LowestPortNumber || n > HighestPortNumber)
            throw CliError(ExitUsage,
                QStringLiteral("%1: [CommPort] Port=%2 is no port number 1 to 255")
                    .arg(settings.path())
                    .arg(n));
        target.portNumber = n;
    }
    if (target.portName.isEmpty()) {
        target.portName = QStringLiteral("COM%1").arg(target.portNumber);
        target.devicePath = platform::portMap().devicePath(target.portNumber);
    }

    if (options.baud) {
        target.baudIndex = ListedSpeedIndex(*options.baud);
        if (target.baudIndex < 0)
            throw CliError(ExitUsage,
                QStringLiteral(
                    "--baud %1: the instrument speaks 4800, 9600, 14400, 19200, 38400, 57600, 76800 "
                    "or 115200 bits per second")
                    .arg(*options.baud));
        target.baud = *options.baud;
    } else {
        // An index outside the list chooses no speed: the port keeps the serial component's
        // own, and no paced wait is made, as in the program.
        const int index = storedInteger(settings, QStringLiteral("CommBaudrate"), QStringLiteral("Baudrate"));
        if (index >= 0 && index < static_cast<int>(ListedSpeeds.size())) {
            target.baudIndex = index;
            target.baud = ListedSpeeds[static_cast<size_t>(index)];
        }
    }

    if (options.address) {
        if (*options.address < 1 || *options.address > 255)
            throw CliError(
                ExitUsage, QStringLiteral("--address %1: addresses run from 1 to 255").arg(*options.address));
        target.address = static_cast<uint8_t>(*options.address);
    } else {
        const int address = storedInteger(settings, QStringLiteral("CommAddress"), QStringLiteral("Address"));
        if (address < 1 || address > 255)
            throw CliError(ExitUsage,
                QStringLiteral("%1: [CommAddress] Address=%2 is no address 1 to 255")
                    .arg(settings.path())
                    .arg(address));
        target.address = static_cast<uint8_t>(address);
    }

    target.usb = options.usb || isInstrumentUsbPort(target);
    target.wirePace = options.wirePace;
    return target;
}

QString DescribeTarget(const LinkTarget &target)
{
    if (target.devicePath.isEmpty() || target.devicePath == target.portName)
        return target.portName;
    return QStringLiteral("%1 (%2)").arg(target.portName, target.devicePath);
}
