#include "link/PortTable.h"

#include "link/IniFile.h"
#include "link/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace {

class SystemPortMap final : public PortMap
{
public:
    QString devicePath(int portNumber) const override
    {
        if (portNumber < LowestPortNumber || portNumber > HighestPortNumber)
            return {};
#ifdef Q_OS_WIN
        return QStringLiteral("\\\\.\\COM%1").arg(portNumber);
#else
        // Read each time: the user may edit the map while the program runs.
        const QString mapped
            = IniFile(QStringLiteral("SysSet.ini"))
                  .readString(QStringLiteral("PortMap"), QStringLiteral("COM%1").arg(portNumber), QString())
                  .trimmed();
        return mapped.isEmpty() ? BuiltInPortPath(portNumber) : mapped;
#endif
    }
};

} // namespace

QString CanonicalDevicePath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString BuiltInPortPath(int portNumber)
{
    struct Range
    {
        int first;
        const char *prefix;
    };
    static constexpr Range ranges[] = { { 1, "/dev/ttyS" }, { 33, "/dev/ttyUSB" }, { 65, "/dev/ttyACM" } };
    for (const Range &range : ranges) {
        if (portNumber >= range.first && portNumber < range.first + 32)
            return QString::fromLatin1(range.prefix) + QString::number(portNumber - range.first);
    }
    return {};
}

int PortNumberForPath(const QString &devicePath)
{
    if (devicePath.isEmpty())
        return 0;
    const QString wanted = CanonicalDevicePath(devicePath);
    const PortMap &map = platform::portMap();
    for (int n = LowestPortNumber; n <= HighestPortNumber; ++n) {
        const QString path = map.devicePath(n);
        if (!path.isEmpty() && CanonicalDevicePath(path) == wanted)
            return n;
    }
    return 0;
}

PortMap &defaultPortMap()
{
    static SystemPortMap map;
    return map;
}
