#include "link/PortScan.h"

#include "link/PortTable.h"

#include <memory>

std::optional<int> PortNumberFromDeviceName(const QString &name)
{
    qsizetype digits = 0;
    switch (name.size()) {
    case 23:
        digits = 1;
        break;
    case 24:
        digits = 2;
        break;
    case 25:
        digits = 3;
        break;
    default:
        return std::nullopt;
    }
    const QString text = name.mid(name.size() - 1 - digits, digits);
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value < LowestPortNumber || value > HighestPortNumber)
        return std::nullopt;
    return value;
}

QList<int> InstrumentPortsFromInventory(const QList<InventoryEntry> &devices, const QString &mark)
{
    QList<int> ports;
    for (const InventoryEntry &device : devices) {
        if (ports.size() >= MaxInstrumentPorts)
            break;
        if (!device.pnpDeviceId.contains(mark, Qt::CaseSensitive))
            continue;
        if (const std::optional<int> n = PortNumberFromDeviceName(device.name))
            ports.append(*n);
    }
    return ports;
}

bool ProbePort(int portNumber)
{
    const QString path = platform::portMap().devicePath(portNumber);
    if (path.isEmpty())
        return false;
    const std::unique_ptr<SerialDevice> device = platform::serial().createDevice();
    if (!device || !device->open(path))
        return false;
    device->close();
    return true;
}

QList<int> ProbePorts(int first, int last)
{
    QList<int> ports;
    for (int n = std::max(first, LowestPortNumber); n <= std::min(last, HighestPortNumber); ++n) {
        if (ProbePort(n))
            ports.append(n);
    }
    return ports;
}
