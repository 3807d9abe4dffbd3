#pragma once

// Where the program finds its data folders and keeps its settings files.
//
// Data (Pictures, PenData, SkinsFile, PdfDoc) is read beside the program file when any of
// those folders is there: a build tree or a portable folder. Otherwise it comes from the
// installed share folder, found relative to the program file (bin/../share/kmr5150).
//
// The settings files (SysSet.ini, EnterInfo.ini) stay beside a program that reads its data
// from beside itself, as long as that directory is writable. An installed program, or a
// portable one in a directory the user cannot write, keeps them in the user's
// configuration folder: $XDG_CONFIG_HOME/kmr5150, or ~/.config/kmr5150 when the variable
// is unset or not an absolute path. That folder is made the first time it is asked for.

#include <QString>
#include <QStringList>

#include <functional>

class Locations
{
public:
    // Answers whether the program may create files in a directory.
    using WritableProbe = std::function<bool(const QString &dir)>;

    // `programDir`: the directory of the running program file. `configHome`: the value of
    // XDG_CONFIG_HOME (may be empty). `home`: the user's home directory. `writable`
    // defaults to the file system's answer for the current user.
    Locations(QString programDir, QString configHome, QString home, WritableProbe writable = {});

    // Reads XDG_CONFIG_HOME and HOME; no other variable.
    static Locations fromEnvironment(const QString &programDir);

    // The folders whose presence beside the program marks it as a build or portable folder.
    static const QStringList &dataFolders();
    // The installed data folder relative to the program's directory.
    static QString installedDataRelativePath();

    const QString &programDir() const { return m_programDir; }

    // True when the data folders are not beside the program but in the installed share folder.
    bool installed() const;
    // The folder whose subfolders hold the program's data.
    QString dataDir() const;
    // The user's configuration folder for this program (not created).
    QString userConfigDir() const;
    // The settings files the program keeps.
    static const QStringList &settingsFiles();

    // The folder of SysSet.ini and EnterInfo.ini. When it is the user's configuration
    // folder and missing, it is made here; a failure shows later as the write error of
    // the settings file itself. For a read-only portable folder, settings files found
    // beside the program are copied into the user's folder where it has none yet.
    QString settingsDir() const;

private:
    QString m_programDir;
    QString m_configHome;
    QString m_home;
    WritableProbe m_writable;
};
