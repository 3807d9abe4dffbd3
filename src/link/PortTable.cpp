#include "link/PortTable.h"

#include "base/IniFile.h"
#include "link/ProductionPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

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

#ifndef Q_OS_WIN
private:
    // The [PortMap] section, read again only when the settings file has changed: the user
    // may edit the map while the program runs, and a scan asks for every port number.
    const QHash<int, QString> &mappedPaths() const
    {
        const QString path = platform::programDir().filePath(SettingsFileName);
        // Modification and change times to the nanosecond, and the size: any write shows.
        struct stat info
        {
        };
        const QByteArray native = QFile::encodeName(path);
        const bool exists = ::stat(native.constData(), &info) == 0;
        const FileStamp stamp = exists ? FileStamp { info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec, info.st_ctim.tv_nsec, static_cast<int64_t>(info.st_size) }
                                       : FileStamp {};
        if (!m_read || path != m_path || stamp != m_stamp) {
            const IniFile settings(SettingsFileName);
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
            m_path = path;
            m_stamp = stamp;
            m_read = true;
        }
        return m_paths;
    }

    struct FileStamp
    {
        int64_t modifiedSeconds = -1, modifiedNanoseconds = 0, changedSeconds = -1, changedNanoseconds = 0;
        int64_t size = -1;
        bool operator==(const FileStamp &) const = default;
    };

    mutable QHash<int, QString> m_paths;
    mutable QString m_path;
    mutable FileStamp m_stamp;
    mutable bool m_read = false;
#endif
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
