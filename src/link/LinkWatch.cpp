#include "link/LinkWatch.h"

#include "base/Errors.h"
#include "base/Platform.h"
#include "link/PortTable.h"
#include "link/QtSerialDevice.h"
#include "link/TComm.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString connectedText()
{
    return QCoreApplication::translate("LinkWatch", "Connected!");
}

QString failureText()
{
    return QCoreApplication::translate("LinkWatch", "Connection Failure!");
}

QList<InventoryEntry> inventoryNow()
{
    try {
        return platform::inventory().serialDevices();
    } catch (const KmrError &) {
        // A failing inventory only means the device is not found this time.
        return {};
    }
}

bool isUsbIdentity(const QString &identity)
{
    return identity.startsWith(QLatin1String("USB\\"));
}
} // namespace

QString UsbIdentityOfPort(int portNumber)
{
    const QString path = platform::portMap().devicePath(portNumber);
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (const InventoryEntry &entry : inventoryNow()) {
        if (!isUsbIdentity(entry.pnpDeviceId))
            continue;
        // A port mapped to a by-id name is found through the device it names.
        const bool samePath
            = !canonical.isEmpty() && QFileInfo(entry.devicePath).canonicalFilePath() == canonical;
        if (entry.portNumber == portNumber || samePath)
            return entry.pnpDeviceId;
    }
    return {};
}

QString HeldPortNote(int portNumber)
{
    const QString path = platform::portMap().devicePath(portNumber);
    const QString holder = path.isEmpty() ? QString() : QtSerialDevice::holder(path);
    if (holder.isEmpty())
        return {};
    return QCoreApplication::translate("LinkWatch", "  (COM%1 is held by %2)").arg(portNumber).arg(holder);
}

void LinkWatch::watchFor(int portNumber)
{
    forget();
    if (portNumber < LowestPortNumber || portNumber > HighestPortNumber)
        return;
    m_port = portNumber;
    m_usbIdentity = UsbIdentityOfPort(portNumber);
    m_lost = true;
}

void LinkWatch::forget()
{
    m_port = 0;
    m_usbIdentity.clear();
    m_lost = false;
    m_ticks = 0;
}

int LinkWatch::portNow() const
{
    if (m_usbIdentity.isEmpty())
        return m_port;
    for (const InventoryEntry &entry : inventoryNow()) {
        if (entry.pnpDeviceId == m_usbIdentity && entry.portNumber >= LowestPortNumber
            && entry.portNumber <= HighestPortNumber)
            return entry.portNumber;
    }
    return 0;
}

QString LinkWatch::tick(TComm &comm)
{
    const int commPort = comm.commPort() + 1;
    if (comm.portOpen()) {
        // A port opened anew (by the user, a scan, or this watch) is the one to keep.
        if (commPort != m_port || m_lost) {
            if (commPort != m_port)
                m_usbIdentity = UsbIdentityOfPort(commPort);
            m_port = commPort;
            m_lost = false;
        }
        return {};
    }
    if (m_port == 0)
        return {};
    // The user chose another port, which never was open: nothing of ours to bring back.
    if (commPort != m_port) {
        forget();
        return {};
    }
    if (!m_lost) {
        m_lost = true;
        m_ticks = 0;
    }
    if (++m_ticks < RetryTicks)
        return {};
    m_ticks = 0;

    const int port = portNow();
    if (port == 0)
        return failureText();
    comm.setCommPort(pnCOM(port));
    try {
        comm.setPortOpen(true);
    } catch (const ECommError &) {
        // Back at the old number for the next attempt, so the watch keeps its port.
        comm.setCommPort(pnCOM(m_port));
        return failureText() + HeldPortNote(port);
    }
    if (port != m_port && onPortMoved)
        onPortMoved(port);
    m_port = port;
    m_lost = false;
    return connectedText();
}
