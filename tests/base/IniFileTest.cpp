#include "base/IniFile.h"
#include "base/Errors.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString filePath(const QString &name = QStringLiteral("SysSet.ini")) const
    {
        return m_dir.filePath(name);
    }

    void writeFile(const QByteArray &bytes, const QString &name = QStringLiteral("SysSet.ini")) const
    {
        QFile file(filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readFile(const QString &name = QStringLiteral("SysSet.ini")) const
    {
        QFile file(filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    TempProgramDir m_dir;
};

// A program directory the test chooses, for paths that cannot be used.
class FixedProgramDir final : public ProgramDir
{
public:
    explicit FixedProgramDir(QString path)
        : m_path(std::move(path))
    {
        platform::install(this);
    }
    ~FixedProgramDir() override { platform::install(static_cast<ProgramDir *>(nullptr)); }
    QString path() const override { return m_path; }

private:
    QString m_path;
};

const QByteArray Settings = "; KMR5150 settings\n"
                            "[CommPort]\n"
                            "Port=5\n"
                            "\n"
                            "[skinset]\n"
                            "SKIN=3\n"
                            "[  WaveSet  ]\n"
                            "  Color = 12  \n"
                            "Empty=\n"
                            "[PrintInfo]\n"
                            "Company=深圳市诺威仪器有限公司\n";

TEST_F(IniFileTest, ReadsSectionsAndKeysWithoutRegardToCase)
{
    writeFile(Settings);
    const IniFile ini(QStringLiteral("SysSet.ini"));
    struct Case
    {
        const char *section;
        const char *key;
        QString expected;
    } cases[] = {
        { "CommPort", "Port", "5" },
        { "COMMPORT", "port", "5" },
        { "SkinSet", "Skin", "3" },
        { "skinset", "sKiN", "3" },
        { "WaveSet", "color", "12" }, // blanks around names and values are not part of them
        { "WaveSet", "Empty", "" }, // present but empty is not missing
        { "printinfo", "COMPANY", QStringLiteral("深圳市诺威仪器有限公司") },
        { "CommPort", "Address", "2" }, // missing key
        { "CommAddress", "Address", "2" }, // missing section
        { "Comm Port", "Port", "2" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.readString(c.section, c.key), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(ini.readString("CommPort", "Address", "17"), "17");
    EXPECT_EQ(ini.readString("CommPort", "Address", QString()), "");
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndIsNotCreated)
{
    const IniFile ini(QStringLiteral("EnterInfo.ini"));
    EXPECT_EQ(ini.path(), filePath("EnterInfo.ini"));
    EXPECT_EQ(ini.readString("PrintInfo", "Company"), "2");
    EXPECT_EQ(ini.readInteger("PrintInfo", "Count"), 2);
    EXPECT_TRUE(ini.keys("PrintInfo").isEmpty());
    EXPECT_FALSE(QFile::exists(filePath("EnterInfo.ini")));
}

TEST_F(IniFileTest, EveryReadSeesTheCurrentFile)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    writeFile("[CommPort]\nPort=5\n");
    EXPECT_EQ(ini.readInteger("CommPort", "Port"), 5);
    writeFile("[CommPort]\nPort=9\n");
    EXPECT_EQ(ini.readInteger("CommPort", "Port"), 9);
    IniFile(QStringLiteral("SysSet.ini")).writeInteger("CommPort", "Port", 11);
    EXPECT_EQ(ini.readInteger("CommPort", "Port"), 11);
}

TEST_F(IniFileTest, WriteChangesOnlyItsLine)
{
    struct Case
    {
        const char *name;
        QByteArray before;
        const char *section;
        const char *key;
        QString value;
        QByteArray after;
    } cases[] = {
        { "existing key; comments, blanks, order and other sections kept",
            "; head\n\n[CommPort]\n; the port\nPort=3\nOther = x y \n\n\n[SkinSet]\nSkin=5\n# hash\n  "
            "Indent=6\n"
            "[CommBaudrate]\nBaudrate=2\n; trailing comment",
            "CommPort", "Port", "7",
            "; head\n\n[CommPort]\n; the port\nPort=7\nOther = x y \n\n\n[SkinSet]\nSkin=5\n# hash\n  "
            "Indent=6\n"
            "[CommBaudrate]\nBaudrate=2\n; trailing comment" },
        { "names matched without case keep the file's spelling", "[commport]\nPORT=3\n", "CommPort", "Port",
            "7", "[commport]\nPORT=7\n" },
        { "the changed line is written key=value, indentation kept", "[A]\n  Port  =  3  \nB=1\n", "a",
            "port", "4", "[A]\n  Port=4\nB=1\n" },
        { "empty value replaced", "[A]\nPort=\n", "A", "Port", "8", "[A]\nPort=8\n" },
        { "new key after the section's last key, before the blank line", "[A]\nX=1\n\n; next\n[B]\nY=2\n",
            "A", "Z", "3", "[A]\nX=1\nZ=3\n\n; next\n[B]\nY=2\n" },
        { "new key in a section with no keys", "[A]\n[B]\nY=2\n", "A", "Z", "3", "[A]\nZ=3\n[B]\nY=2\n" },
        { "new key at a last line without line break", "[A]\nX=1", "A", "Z", "3", "[A]\nX=1\nZ=3\n" },
        { "new section appended after a blank line", "[A]\nX=1\n", "CommAddress", "Address", "2",
            "[A]\nX=1\n\n[CommAddress]\nAddress=2\n" },
        { "new section in a file without final line break", "[A]\nX=1", "B", "Y", "2",
            "[A]\nX=1\n\n[B]\nY=2\n" },
        { "new section after a blank last line", "[A]\nX=1\n\n", "B", "Y", "2", "[A]\nX=1\n\n[B]\nY=2\n" },
        { "empty file", "", "CommPort", "Port", "5", "[CommPort]\nPort=5\n" },
        { "CRLF file keeps CRLF, also on new lines", "[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", "A", "Z", "3",
            "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n" },
        { "CRLF key replaced", "[A]\r\nX=1\r\nY=2\r\n", "A", "X", "9", "[A]\r\nX=9\r\nY=2\r\n" },
        { "repeated key: the one that is read (the last) changes", "[A]\nX=1\n[B]\nY=0\n[a]\nx=2\n", "A", "X",
            "3", "[A]\nX=1\n[B]\nY=0\n[a]\nx=3\n" },
        { "commented-out key is not a key", "[A]\n;Port=1\n#Port=2\n", "A", "Port", "3",
            "[A]\nPort=3\n;Port=1\n#Port=2\n" },
        { "same key in another section untouched", "[B]\nPort=1\n[A]\nQ=0\n", "A", "Port", "3",
            "[B]\nPort=1\n[A]\nQ=0\nPort=3\n" },
        { "broken header is no section", "[A\nPort=1\n", "A", "Port", "3", "[A\nPort=1\n\n[A]\nPort=3\n" },
        { "byte-order mark dropped", "\xEF\xBB\xBF[A]\nX=1\n", "A", "X", "2", "[A]\nX=2\n" },
        { "line breaks in a value become blanks", "[A]\nX=1\nY=2\n", "A", "X", "a\r\nb\nc",
            "[A]\nX=a  b c\nY=2\n" },
        { "UTF-8 value", "[PrintInfo]\nCompany=x\n", "PrintInfo", "Company",
            QStringLiteral("诺威 Norvo（测试）"),
            QStringLiteral("[PrintInfo]\nCompany=诺威 Norvo（测试）\n").toUtf8() },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.before);
        const IniFile ini(QStringLiteral("SysSet.ini"));
        ini.writeString(c.section, c.key, c.value);
        EXPECT_EQ(readFile(), c.after);
        // What was written is what the reader finds.
        QString expected = c.value;
        expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        EXPECT_EQ(ini.readString(c.section, c.key, "missing"), expected);
    }
}

TEST_F(IniFileTest, WritesUtf8WithoutByteOrderMark)
{
    const IniFile ini(QStringLiteral("EnterInfo.ini"));
    const QString company = QStringLiteral("深圳市诺威仪器有限公司");
    ini.writeString("PrintInfo", "Company", company);
    ini.writeString("PrintInfo", "Tester", QStringLiteral("张三"));
    const QByteArray bytes = readFile("EnterInfo.ini");
    EXPECT_EQ(bytes,
        QByteArray("[PrintInfo]\nCompany=") + company.toUtf8() + "\nTester=" + QStringLiteral("张三").toUtf8()
            + "\n");
    EXPECT_EQ(ini.readString("printinfo", "company"), company);

    // A file another editor saved with a mark reads the same.
    writeFile("\xEF\xBB\xBF[PrintInfo]\nCompany=" + company.toUtf8() + "\n", "EnterInfo.ini");
    EXPECT_EQ(ini.readString("PrintInfo", "Company"), company);
}

// Writing the value the file already holds leaves the file alone (the start of the program
// stores its choices again); any other value replaces the file whole.
TEST_F(IniFileTest, WriteOfTheStoredValueLeavesTheFileAlone)
{
    writeFile(Settings);
    const auto inode = [this] {
        struct stat status
        {
        };
        return ::stat(QFile::encodeName(filePath()).constData(), &status) == 0 ? status.st_ino : ino_t {};
    };
    const auto before = inode();
    const IniFile ini(QStringLiteral("SysSet.ini"));
    // Checked after each write: a file system may give a freed inode number to the next file.
    ini.writeString("skinset", "SKIN", QStringLiteral("3"));
    EXPECT_EQ(inode(), before);
    ini.writeInteger("SkinSet", "Skin", 3);
    EXPECT_EQ(inode(), before);
    EXPECT_EQ(readFile(), Settings);

    ini.writeInteger("SkinSet", "Skin", 4);
    EXPECT_NE(inode(), before) << "a changed value is written through a new file";
    EXPECT_EQ(ini.readInteger("SkinSet", "Skin"), 4);

    // A mark at the start is dropped even when the value stays.
    writeFile("\xEF\xBB\xBF[SkinSet]\nSkin=4\n");
    ini.writeInteger("SkinSet", "Skin", 4);
    EXPECT_EQ(readFile(), "[SkinSet]\nSkin=4\n");
}

TEST_F(IniFileTest, WriteIntegerWritesDecimalText)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    ini.writeInteger("CommAddress", "Address", 17);
    ini.writeInteger("RecordSet", "Offset", -12);
    EXPECT_EQ(readFile(), "[CommAddress]\nAddress=17\n\n[RecordSet]\nOffset=-12\n");
    EXPECT_EQ(ini.readInteger("RecordSet", "Offset"), -12);
}

TEST_F(IniFileTest, ReadIntegerAcceptsSignedDecimalsOnly)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    struct Good
    {
        QByteArray stored;
        int value;
    } good[] = { { "5", 5 }, { "0", 0 }, { "007", 7 }, { "-3", -3 }, { "+4", 4 }, { " 17 ", 17 },
        { "\t255", 255 }, { "2147483647", 2147483647 }, { "-2147483648", -2147483647 - 1 } };
    for (const Good &c : good) {
        writeFile("[CommPort]\nPort=" + c.stored + "\n");
        EXPECT_EQ(ini.readInteger("CommPort", "Port"), c.value) << c.stored.constData();
    }

    struct Bad
    {
        QByteArray stored;
        QString message;
    } bad[] = {
        { "abc", "'abc' is not a valid integer value for [CommPort] Port" },
        { "", "'' is not a valid integer value for [CommPort] Port" },
        { "12a", "'12a' is not a valid integer value for [CommPort] Port" },
        { "1.5", "'1.5' is not a valid integer value for [CommPort] Port" },
        { "1 2", "'1 2' is not a valid integer value for [CommPort] Port" },
        { "0x10", "'0x10' is not a valid integer value for [CommPort] Port" },
        { "$10", "'$10' is not a valid integer value for [CommPort] Port" },
        { "--1", "'--1' is not a valid integer value for [CommPort] Port" },
        { "2147483648", "'2147483648' is not a valid integer value for [CommPort] Port" },
        { "五", "'五' is not a valid integer value for [CommPort] Port" },
    };
    for (const Bad &c : bad) {
        writeFile("[CommPort]\nPort=" + c.stored + "\n");
        try {
            ini.readInteger("CommPort", "Port");
            ADD_FAILURE() << "no error for " << c.stored.constData();
        } catch (const EConvertError &e) {
            EXPECT_EQ(e.text(), c.message);
        }
    }
}

TEST_F(IniFileTest, ReadIntegerConvertsTheDefaultOfAMissingKey)
{
    const IniFile ini(QStringLiteral("SysSet.ini"));
    EXPECT_EQ(ini.readInteger("CommBaudrate", "Baudrate"), 2);
    EXPECT_EQ(ini.readInteger("CommBaudrate", "Baudrate", "7"), 7);
    try {
        ini.readInteger("RecordSet", "Interval", "x");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError &e) {
        EXPECT_EQ(e.text(), "'x' is not a valid integer value for [RecordSet] Interval");
    }
}

TEST_F(IniFileTest, KeysListsTheFileSpellingInFileOrder)
{
    writeFile(
        "[PortMap]\nCOM7=/dev/pts/3\ncom2=/dev/ttyUSB1\n; COM3=/dev/x\n[Other]\nA=1\n[portmap]\nCom9=/x\n");
    const IniFile ini(QStringLiteral("SysSet.ini"));
    EXPECT_EQ(ini.keys("PORTMAP"), QStringList({ "COM7", "com2", "Com9" }));
    EXPECT_TRUE(ini.keys("Missing").isEmpty());
}

TEST_F(IniFileTest, UnusableFileRaisesInOutErrorWithTheSystemText)
{
    // Running as root makes permission bits useless here; a directory in the file's place
    // and a file in the directory's place fail for everyone.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("SysSet.ini"));
    const IniFile ini(QStringLiteral("SysSet.ini"));
    struct Case
    {
        const char *name;
        std::function<void()> call;
    } cases[] = {
        { "read", [&] { ini.readString("CommPort", "Port"); } },
        { "read integer", [&] { ini.readInteger("CommPort", "Port"); } },
        { "write", [&] { ini.writeString("CommPort", "Port", "3"); } },
    };
    for (const Case &c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EInOutError &e) {
            EXPECT_TRUE(e.text().contains(filePath())) << c.name << ": " << e.what();
            EXPECT_TRUE(e.text().contains("directory", Qt::CaseInsensitive)) << c.name << ": " << e.what();
        }
    }

    writeFile("x", "NotADir");
    FixedProgramDir inFile(filePath("NotADir"));
    try {
        IniFile(QStringLiteral("SysSet.ini")).writeString("CommPort", "Port", "3");
        ADD_FAILURE() << "no error";
    } catch (const EInOutError &e) {
        EXPECT_TRUE(e.text().startsWith("Cannot write \"" + filePath("NotADir/SysSet.ini") + "\": "))
            << e.what();
        EXPECT_GT(
            e.text().size(), QString("Cannot write \"" + filePath("NotADir/SysSet.ini") + "\": ").size());
    }
    EXPECT_EQ(readFile("NotADir"), "x");
}

} // namespace
