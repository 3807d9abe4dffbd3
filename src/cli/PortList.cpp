#include "cli/PortList.h"

#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"
#include "cli/CliError.h"
#include "link/Globals.h"
#include "link/PortScan.h"
#include "link/PortTable.h"

QList<PortListing> ListPorts()
{
    QList<int> instrumentPorts;
    try {
        instrumentPorts
            = InstrumentPortsFromInventory(platform::inventory().serialDevices(), UsbDeviceIdMark);
    } catch (const KmrError &error) {
        throw CliError(ExitDevice, QStringLiteral("device inventory: ") + error.text());
    }
    int selected = 0;
    try {
        selected = IniFile(QStringLiteral("SysSet.ini"))
                       .readInteger(QStringLiteral("CommPort"), QStringLiteral("Port"));
    } catch (const KmrError &) {
        // A stored port that is no number selects none; the list is still worth showing.
    }

    QList<PortListing> ports;
    for (const int n : ProbePorts(LowestPortNumber, HighestPortNumber)) {
        PortListing port;
        port.portNumber = n;
        port.devicePath = platform::portMap().devicePath(n);
        port.instrumentPort = instrumentPorts.contains(n);
        port.selected = n == selected;
        ports.append(port);
    }
    return ports;
}

QString PortListText(const QList<PortListing> &ports)
{
    qsizetype pathWidth = 0;
    for (const PortListing &port : ports)
        pathWidth = std::max(pathWidth, port.devicePath.size());
    QString text;
    for (const PortListing &port : ports) {
        QString line = QStringLiteral("COM%1").arg(port.portNumber).leftJustified(7)
            + port.devicePath.leftJustified(pathWidth);
        if (port.instrumentPort)
            line += QStringLiteral("   KMR5150 USB port");
        if (port.selected)
            line += QStringLiteral("   (selected)");
        text += line.trimmed() + QLatin1Char('\n');
    }
    return text;
}
