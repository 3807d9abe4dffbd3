#include "base/Locations.h"
#include "base/Errors.h"
#include "base/IniFile.h"
#include "base/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A scratch file system: an installed prefix (prefix/bin, prefix/share/kmr5150), a portable
// folder, a home directory and a separate XDG configuration home.
class LocationsTest : public ::testing::Test
{
protected:
    QString path(const QString &relative) const { return QDir::cleanPath(m_root.filePath(relative)); }

    QString makeDir(const QString &relative) const
    {
        const QString dir = path(relative);
        EXPECT_TRUE(QDir().mkpath(dir)) << qPrintable(dir);
        return dir;
    }

    void makeFile(const QString &relative) const
    {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(file.fileName());
    }

    Locations at(const QString &programDir, bool writable = true) const
    {
        return Locations(path(programDir), path(QStringLiteral("xdg")), path(QStringLiteral("home")),
            [writable](const QString &) { return writable; });
    }

    QTemporaryDir m_root;
};

// A program directory whose data and settings folders differ, as an installed program's do.
class SplitProgramDir final : public ProgramDir
{
public:
    SplitProgramDir(QString data, QString settings)
        : m_data(std::move(data))
        , m_settings(std::move(settings))
    {
        platform::install(this);
    }
    ~SplitProgramDir() override { platform::install(static_cast<ProgramDir *>(nullptr)); }
    QString path() const override { return m_data; }
    QString settingsPath() const override { return m_settings; }

private:
    QString m_data;
    QString m_settings;
};

TEST_F(LocationsTest, DataBesideTheProgramWhenAnyDataFolderIsThereElseTheInstalledShareFolder)
{
    makeDir(QStringLiteral("usr/share/kmr5150/Pictures"));
    struct Case
    {
        const char *name;
        const char *besideProgram; // a folder made in usr/bin, or nothing
        bool asFile; // made as a plain file instead of a folder
        const char *expected;
    } cases[] = {
        { "no data beside", nullptr, false, "usr/share/kmr5150" },
        { "pictures beside", "Pictures", false, "usr/bin" },
        { "pen markers beside", "PenData", false, "usr/bin" },
        { "skins beside", "SkinsFile", false, "usr/bin" },
        { "handbook beside", "PdfDoc", false, "usr/bin" },
        { "a file named like a data folder", "Pictures", true, "usr/share/kmr5150" },
        { "an unrelated folder", "Reports", false, "usr/share/kmr5150" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(path(QStringLiteral("usr/bin"))).removeRecursively();
        makeDir(QStringLiteral("usr/bin"));
        if (c.besideProgram) {
            const QString beside = QStringLiteral("usr/bin/") + QLatin1String(c.besideProgram);
            c.asFile ? makeFile(beside) : void(makeDir(beside));
        }
        const Locations locations = at(QStringLiteral("usr/bin"));
        EXPECT_EQ(locations.dataDir(), path(QLatin1String(c.expected)));
        EXPECT_EQ(locations.installed(), QLatin1String(c.expected) == QLatin1String("usr/share/kmr5150"));
    }
}

TEST_F(LocationsTest, ProgramWithoutDataAnywhereLooksBesideItself)
{
    makeDir(QStringLiteral("lonely/bin"));
    const Locations locations = at(QStringLiteral("lonely/bin"));
    EXPECT_EQ(locations.dataDir(), path(QStringLiteral("lonely/bin")));
    EXPECT_FALSE(locations.installed());
    EXPECT_EQ(locations.settingsDir(), path(QStringLiteral("lonely/bin")));
}

TEST_F(LocationsTest, SettingsBesideAWritablePortableProgramElseInTheUserConfigFolder)
{
    makeDir(QStringLiteral("portable/Pictures"));
    makeDir(QStringLiteral("usr/bin"));
    makeDir(QStringLiteral("usr/share/kmr5150/SkinsFile"));
    struct Case
    {
        const char *name;
        const char *programDir;
        bool writable;
        const char *expected;
    } cases[] = {
        { "portable, writable", "portable", true, "portable" },
        { "portable, read-only", "portable", false, "xdg/kmr5150" },
        // Root or a user-owned prefix may write bin/; the settings still go to the user.
        { "installed, writable bin", "usr/bin", true, "xdg/kmr5150" },
        { "installed, read-only bin", "usr/bin", false, "xdg/kmr5150" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(path(QStringLiteral("xdg"))).removeRecursively();
        const QString settings = at(QLatin1String(c.programDir), c.writable).settingsDir();
        EXPECT_EQ(settings, path(QLatin1String(c.expected)));
        EXPECT_TRUE(QFileInfo(settings).isDir());
        // The user's folder is made only when it is the one used.
        EXPECT_EQ(QFileInfo::exists(path(QStringLiteral("xdg"))),
            QLatin1String(c.expected) == QLatin1String("xdg/kmr5150"));
    }
}

TEST_F(LocationsTest, ReadOnlyPortableFolderSeedsTheUserSettingsOnceAndWritably)
{
    makeDir(QStringLiteral("portable/Pictures"));
    for (const char *name : { "portable/SysSet.ini", "portable/EnterInfo.ini" }) {
        QFile prepared(path(QLatin1String(name)));
        ASSERT_TRUE(prepared.open(QIODevice::WriteOnly));
        prepared.write("[CommPort]\nPort=5\n");
        prepared.close();
        prepared.setPermissions(QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther);
    }
    makeDir(QStringLiteral("xdg/kmr5150"));
    {
        QFile own(path(QStringLiteral("xdg/kmr5150/EnterInfo.ini")));
        ASSERT_TRUE(own.open(QIODevice::WriteOnly));
        own.write("[PrintInfo]\nOperator=me\n");
    }
    const Locations readOnly = at(QStringLiteral("portable"), /*writable*/ false);
    const SplitProgramDir dir(readOnly.dataDir(), readOnly.settingsDir());

    // The missing file is copied and can be written; the user's own file stays as it was.
    const IniFile settings(QStringLiteral("SysSet.ini"));
    EXPECT_EQ(settings.path(), path(QStringLiteral("xdg/kmr5150/SysSet.ini")));
    EXPECT_TRUE(QFileInfo(settings.path()).permissions() & QFile::WriteOwner);
    EXPECT_EQ(settings.readInteger(QStringLiteral("CommPort"), QStringLiteral("Port")), 5);
    settings.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Port"), 9);
    EXPECT_EQ(IniFile(QStringLiteral("EnterInfo.ini"))
                  .readString(QStringLiteral("PrintInfo"), QStringLiteral("Operator")),
        QStringLiteral("me"));

    // Asking again does not bring the prepared value back.
    EXPECT_EQ(readOnly.settingsDir(), path(QStringLiteral("xdg/kmr5150")));
    EXPECT_EQ(settings.readInteger(QStringLiteral("CommPort"), QStringLiteral("Port")), 9);
}

TEST_F(LocationsTest, InstalledProgramDoesNotCopySettingsFromBesideItself)
{
    makeDir(QStringLiteral("usr/share/kmr5150/Pictures"));
    makeFile(QStringLiteral("usr/bin/SysSet.ini"));
    const QString settings = at(QStringLiteral("usr/bin"), false).settingsDir();
    EXPECT_EQ(settings, path(QStringLiteral("xdg/kmr5150")));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("xdg/kmr5150/SysSet.ini"))));
}

TEST_F(LocationsTest, UserConfigFolderFollowsXdgConfigHomeWhenAbsoluteElseHomeDotConfig)
{
    struct Case
    {
        const char *name;
        QString configHome;
        const char *expected;
    } cases[] = {
        { "absolute", path(QStringLiteral("xdg")), "xdg/kmr5150" },
        { "unset", QString(), "home/.config/kmr5150" },
        { "relative, so invalid", QStringLiteral("relative/config"), "home/.config/kmr5150" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Locations locations(path(QStringLiteral("bin")), c.configHome, path(QStringLiteral("home")));
        EXPECT_EQ(locations.userConfigDir(), path(QLatin1String(c.expected)));
    }
}

TEST_F(LocationsTest, UserConfigFolderIsMadePrivateWithItsMissingParentsOnly)
{
    makeDir(QStringLiteral("home"));
    QFile::setPermissions(path(QStringLiteral("home")),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const QFileDevice::Permissions homeBefore = QFileInfo(path(QStringLiteral("home"))).permissions();
    makeDir(QStringLiteral("usr/share/kmr5150/Pictures"));
    makeDir(QStringLiteral("usr/bin"));
    const Locations installed(path(QStringLiteral("usr/bin")), QString(), path(QStringLiteral("home")));

    EXPECT_EQ(installed.settingsDir(), path(QStringLiteral("home/.config/kmr5150")));

    const QFileDevice::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFileDevice::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    for (const char *made : { "home/.config", "home/.config/kmr5150" }) {
        SCOPED_TRACE(made);
        const QFileDevice::Permissions p = QFileInfo(path(QLatin1String(made))).permissions();
        EXPECT_EQ(p & owner, owner);
        EXPECT_EQ(p & others, QFileDevice::Permissions());
    }
    EXPECT_EQ(QFileInfo(path(QStringLiteral("home"))).permissions(), homeBefore);
    // Asking again finds the folder and leaves what is in it alone.
    makeFile(QStringLiteral("home/.config/kmr5150/SysSet.ini"));
    EXPECT_EQ(installed.settingsDir(), path(QStringLiteral("home/.config/kmr5150")));
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("home/.config/kmr5150/SysSet.ini"))));
}

TEST_F(LocationsTest, EnvironmentGivesTheXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("xdg")).toUtf8());
    const QString dir = Locations::fromEnvironment(path(QStringLiteral("bin"))).userConfigDir();
    wasSet ? qputenv("XDG_CONFIG_HOME", saved) : qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(dir, path(QStringLiteral("xdg/kmr5150")));
}

TEST_F(LocationsTest, IniFilesAreReadAndWrittenInTheSettingsFolderNotTheDataFolder)
{
    const SplitProgramDir dir(makeDir(QStringLiteral("share")), makeDir(QStringLiteral("config")));
    {
        QFile stray(path(QStringLiteral("share/SysSet.ini")));
        ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
        stray.write("[SkinSet]\nSkin=5\n");
    }

    const IniFile settings(QStringLiteral("SysSet.ini"));
    EXPECT_EQ(settings.path(), path(QStringLiteral("config/SysSet.ini")));
    EXPECT_EQ(settings.readInteger(QStringLiteral("SkinSet"), QStringLiteral("Skin")), 2);
    settings.writeInteger(QStringLiteral("SkinSet"), QStringLiteral("Skin"), 4);

    QFile written(path(QStringLiteral("config/SysSet.ini")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("[SkinSet]\nSkin=4\n"));
    QFile stray(path(QStringLiteral("share/SysSet.ini")));
    ASSERT_TRUE(stray.open(QIODevice::ReadOnly));
    EXPECT_EQ(stray.readAll(), QByteArray("[SkinSet]\nSkin=5\n"));
}

TEST_F(LocationsTest, AConfigFolderThatCannotBeMadeShowsAsTheSettingsWriteError)
{
    makeDir(QStringLiteral("usr/share/kmr5150/Pictures"));
    makeDir(QStringLiteral("usr/bin"));
    makeFile(QStringLiteral("blocked")); // a plain file where the configuration home should be
    const Locations installed(
        path(QStringLiteral("usr/bin")), path(QStringLiteral("blocked")), path(QStringLiteral("home")));

    const QString settings = installed.settingsDir();
    EXPECT_EQ(settings, path(QStringLiteral("blocked/kmr5150")));
    EXPECT_FALSE(QFileInfo(settings).isDir());

    const SplitProgramDir dir(installed.dataDir(), settings);
    const IniFile file(QStringLiteral("SysSet.ini"));
    // Reading finds nothing and gives the defaults; writing reports the path it could not write.
    EXPECT_EQ(file.readString(QStringLiteral("CommPort"), QStringLiteral("Port")), QStringLiteral("2"));
    try {
        file.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Port"), 7);
        ADD_FAILURE() << "the write did not fail";
    } catch (const EInOutError &error) {
        EXPECT_TRUE(error.text().contains(path(QStringLiteral("blocked/kmr5150/SysSet.ini"))))
            << qPrintable(error.text());
    }
}

} // namespace
