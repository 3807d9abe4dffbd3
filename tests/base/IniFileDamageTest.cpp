// Settings files damaged by a crash or a cut-short write: what is still there reads as it
// stands, and a value written afterwards reads back.

#include "base/IniFile.h"
#include "support/Fakes.h"

#include <QFile>

#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

TEST(IniFileDamage, WhatStandsReadsAndWhatIsWrittenReadsBack)
{
    struct Case
    {
        const char *name;
        QByteArray contents;
    } cases[] = {
        // Blocks of zero bytes are what a file system leaves of a write cut by power loss.
        { "zero bytes between sections",
            QByteArray("[CommPort]\r\nPort=7\r\n\0\0\0\0\r\n[CommBaudrate]\r\nBaudrate=5\r\n", 54) },
        { "zero bytes inside a line",
            QByteArray("[CommPort]\nPort=7\n[CommBaudrate]\nBaud\0rate=1\nBaudrate=5\n", 56) },
        { "zero bytes before a header",
            QByteArray("[CommPort]\nPort=7\n\0\0\0[CommBaudrate]\nBaudrate=5\n", 47) },
        { "two byte-order marks",
            "\xEF\xBB\xBF\xEF\xBB\xBF[CommPort]\nPort=7\n[CommBaudrate]\nBaudrate=5\n" },
        { "header cut short at the end", "[CommPort]\nPort=7\n[CommBaudrate]\nBaudrate=5\n[" },
        { "header cut short before the others", "[ \n[CommPort]\nPort=7\n[CommBaudrate]\nBaudrate=5\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempProgramDir dir;
        dir.writeFile(QStringLiteral("SysSet.ini"), c.contents);
        const IniFile ini(QStringLiteral("SysSet.ini"));
        EXPECT_EQ(ini.readString(QStringLiteral("CommPort"), QStringLiteral("Port")), QStringLiteral("7"));
        EXPECT_EQ(
            ini.readString(QStringLiteral("CommBaudrate"), QStringLiteral("Baudrate")), QStringLiteral("5"));

        ini.writeInteger(QStringLiteral("SkinSet"), QStringLiteral("Skin"), 4);
        ini.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Port"), 9);
        ini.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Speed"), 3); // a new key
        EXPECT_EQ(ini.readInteger(QStringLiteral("SkinSet"), QStringLiteral("Skin")), 4);
        EXPECT_EQ(ini.readInteger(QStringLiteral("CommPort"), QStringLiteral("Port")), 9);
        EXPECT_EQ(ini.readInteger(QStringLiteral("CommPort"), QStringLiteral("Speed")), 3);
        EXPECT_EQ(ini.readInteger(QStringLiteral("CommBaudrate"), QStringLiteral("Baudrate")), 5);

        // Writing what is there already leaves the file as it is.
        const auto bytes = [&] {
            QFile file(dir.filePath(QStringLiteral("SysSet.ini")));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray before = bytes();
        ini.writeInteger(QStringLiteral("CommPort"), QStringLiteral("Port"), 9);
        EXPECT_EQ(bytes(), before);
    }
}
