#include "link/PortTable.h"

#include "link/IniFile.h"
#include "link/Platform.h"

#include <QDateTime>
#include <QDir>
#include <QHash>

#include <QFileInfo>
#include <algorithm>

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
        const QString mapped = mappedPaths().value(portNumber);
        return mapped.isEmpty() ? BuiltInPortPath(portNumber) : mapped;
#endif
    }

private:
    // The [PortMap] section, read again only when the settings file has changed: the user
    // may edit the map while the program runs, and a scan asks for every port number.
    const QHash<int, QString> &mappedPaths() const
    {
        const IniFile settings(SettingsFileName);
        const QFileInfo info(settings.path());
        const QDateTime modified
            = info.exists() ? std::max(info.lastModified(), info.metadataChangeTime()) : QDateTime();
        const qint64 size = info.exists() ? info.size() : -1;
        if (settings.path() != m_path || modified != m_modified || size != m_size || !m_read) {
            m_paths.clear();
            const QString section = QStringLiteral("PortMap");
            for (const QString &key : settings.keys(section)) {
                bool ok = false;
                const int n = key.mid(3).toInt(&ok);
                const bool portKey
                    = ok && key.compare(QStringLiteral("COM%1").arg(n), Qt::CaseInsensitive) == 0;
                if (portKey && !m_paths.contains(n))
                    m_paths.insert(n, settings.readString(section, key, QString()).trimmed());
            }
            m_path = settings.path();
            m_modified = modified;
            m_size = size;
            m_read = true;
        }
        return m_paths;
    }

    mutable QHash<int, QString> m_paths;
    mutable QString m_path;
    mutable QDateTime m_modified;
    mutable qint64 m_size = -1;
    mutable bool m_read = false;
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
