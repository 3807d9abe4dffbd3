#pragma once

// An INI file of the program's settings (SysSet.ini, EnterInfo.ini).
//
// Section and key names match without regard to case; a key that is missing reads as the
// default, "2" unless the caller gives another. Every call reads the file afresh, because
// another window may have written it in between. A write changes only the line of its key
// (or adds one line, or one section with its line) and keeps every other byte of the file:
// comments, blank lines, the order and the spelling of names. Files are UTF-8, written
// without a byte-order mark.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The program's settings file, in the program's directory.
inline const QString SettingsFileName = QStringLiteral("SysSet.ini");

class IniFile
{
public:
    // `fileName` is resolved in the settings folder (platform::programDir().settingsPath()).
    explicit IniFile(const QString &fileName);

    const QString &path() const { return m_path; }

    // Values are read with the blanks around them removed. Throws EInOutError when the
    // file exists but cannot be read.
    QString readString(
        const QString &section, const QString &key, const QString &defaultValue = QStringLiteral("2")) const;

    // A decimal integer, optionally signed; blanks around it are allowed (the reader
    // trims them anyway). Anything else, also an empty value, throws EConvertError with a
    // text naming the section, the key and the value.
    int readInteger(
        const QString &section, const QString &key, const QString &defaultValue = QStringLiteral("2")) const;

    // Throws EInOutError with the system's text when the file cannot be read or written.
    // Line breaks in `value` become blanks: a value is one line of the file. A file that
    // already holds the value is left as it is.
    void writeString(const QString &section, const QString &key, const QString &value) const;
    void writeInteger(const QString &section, const QString &key, int value) const;

    // The key names of a section as the file spells them, in file order; empty when the
    // section is missing.
    QStringList keys(const QString &section) const;

    // The conversion readInteger applies, for callers that hold the text already.
    // Throws EConvertError naming `section` and `key`.
    static int toInteger(const QString &text, const QString &section, const QString &key);

    // The text of the file after setting one key, applied to `contents` (pure; used by
    // writeString and by tests). `contents` may start with a byte-order mark, which is
    // dropped.
    static QByteArray withValue(
        const QByteArray &contents, const QString &section, const QString &key, const QString &value);

private:
    QByteArray load() const;

    QString m_path;
};
