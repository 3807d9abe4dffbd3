#include "base/Locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

// The build sets this from its install directories; a plain bin/ and share/ layout otherwise.
#ifndef KMR_INSTALLED_DATA_DIR
#define KMR_INSTALLED_DATA_DIR "../share/kmr5150"
#endif

namespace {

bool writableByUser(const QString &dir)
{
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

// Makes every missing folder of `path`, each readable by its owner only, as the base
// directory rules ask of folders made for a user's configuration.
void makePrivatePath(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    if (clean.isEmpty() || QFileInfo(clean).isDir())
        return;
    const QString parent = QFileInfo(clean).path();
    if (parent != clean)
        makePrivatePath(parent);
    QDir().mkdir(clean, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

Locations::Locations(QString programDir, QString configHome, QString home, WritableProbe writable)
    : m_programDir(std::move(programDir))
    , m_configHome(std::move(configHome))
    , m_home(std::move(home))
    , m_writable(writable ? std::move(writable) : WritableProbe(writableByUser))
{
}

Locations Locations::fromEnvironment(const QString &programDir)
{
    return Locations(programDir, qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

const QStringList &Locations::dataFolders()
{
    static const QStringList folders { QStringLiteral("Pictures"), QStringLiteral("PenData"),
        QStringLiteral("SkinsFile"), QStringLiteral("PdfDoc") };
    return folders;
}

QString Locations::installedDataRelativePath()
{
    return QStringLiteral(KMR_INSTALLED_DATA_DIR);
}

bool Locations::installed() const
{
    return dataDir() != m_programDir;
}

QString Locations::dataDir() const
{
    const QDir beside(m_programDir);
    for (const QString &folder : dataFolders())
        if (QFileInfo(beside.filePath(folder)).isDir())
            return m_programDir;
    const QString shared = QDir::cleanPath(beside.filePath(installedDataRelativePath()));
    if (QFileInfo(shared).isDir())
        return shared;
    return m_programDir;
}

QString Locations::userConfigDir() const
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    const QString base = !m_configHome.isEmpty() && QDir::isAbsolutePath(m_configHome)
        ? m_configHome
        : QDir(m_home.isEmpty() ? QDir::rootPath() : m_home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("kmr5150")));
}

const QStringList &Locations::settingsFiles()
{
    static const QStringList files { QStringLiteral("SysSet.ini"), QStringLiteral("EnterInfo.ini") };
    return files;
}

QString Locations::settingsDir() const
{
    const bool portable = !installed();
    if (portable && m_writable(m_programDir))
        return m_programDir;
    const QString dir = userConfigDir();
    makePrivatePath(dir);
    if (portable) {
        // A read-only portable folder may carry prepared settings; the user's copy starts
        // from them and is never overwritten by them.
        for (const QString &name : settingsFiles()) {
            const QString prepared = QDir(m_programDir).filePath(name);
            const QString own = QDir(dir).filePath(name);
            if (QFileInfo(prepared).isFile() && !QFileInfo::exists(own) && QFile::copy(prepared, own))
                QFile::setPermissions(own,
                    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                        | QFile::ReadGroup | QFile::ReadOther);
        }
    }
    return dir;
}
