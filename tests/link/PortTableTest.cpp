#include "link/PortTable.h"
#include "base/IniFile.h"
#include "link/ProductionPlatform.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class PortTableTest : public ::testing::Test
{
protected:
    void writeSettings(const QByteArray &bytes) const
    {
        m_dir.writeFile(QStringLiteral("SysSet.ini"), bytes);
    }

    QString makeDevice(const QString &relative) const { return m_dir.makeFile(relative); }

    TempProgramDir m_dir;
};

TEST_F(PortTableTest, BuiltInTableCoversThreeBlocksOf32)
{
    struct Case
    {
        int port;
        const char *path;
    } cases[] = {
        { -1, "" },
        { 0, "" },
        { 1, "/dev/ttyS0" },
        { 2, "/dev/ttyS1" },
        { 32, "/dev/ttyS31" },
        { 33, "/dev/ttyUSB0" },
        { 64, "/dev/ttyUSB31" },
        { 65, "/dev/ttyACM0" },
        { 96, "/dev/ttyACM31" },
        { 97, "" },
        { 200, "" },
        { 255, "" },
        { 256, "" },
    };
    const PortMap &map = defaultPortMap(); // no SysSet.ini: the table alone
    for (const Case &c : cases) {
        EXPECT_EQ(BuiltInPortPath(c.port), c.path) << c.port;
        EXPECT_EQ(map.devicePath(c.port), c.path) << c.port;
    }
}

TEST_F(PortTableTest, PortMapSectionWinsOverTheTable)
{
    writeSettings("[CommPort]\nPort=7\n"
                  "[portmap]\n"
                  "com7=/dev/pts/3\n"
                  "COM33 = /dev/serial/by-id/usb-Norvo_KMR5150_0042-if00 \n"
                  "COM200=/tmp/kmr-pty\n"
                  "COM2=\n"
                  "COM0=/dev/zero-port\n"
                  "COM256=/dev/too-high\n");
    struct Case
    {
        int port;
        const char *path;
    } cases[] = {
        { 7, "/dev/pts/3" },
        { 33, "/dev/serial/by-id/usb-Norvo_KMR5150_0042-if00" },
        { 200, "/tmp/kmr-pty" },
        { 2, "/dev/ttyS1" }, // an empty entry leaves the table's path
        { 8, "/dev/ttyS7" }, // numbers the section does not name keep the table
        { 34, "/dev/ttyUSB1" },
        { 0, "" }, // only numbers 1 to 255 are ports
        { 256, "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(defaultPortMap().devicePath(c.port), c.path) << c.port;

    // The map is read at each call.
    writeSettings("[PortMap]\nCOM7=/dev/pts/9\n");
    EXPECT_EQ(defaultPortMap().devicePath(7), "/dev/pts/9");
    EXPECT_EQ(defaultPortMap().devicePath(33), "/dev/ttyUSB0");
}

TEST_F(PortTableTest, ReverseLookupComparesResolvedPaths)
{
    const QString device = makeDevice("dev/ttyUSB4");
    const QString other = makeDevice("dev/pts/3");
    const QString link = QDir(m_dir.path()).filePath("dev/serial/by-id/usb-Norvo_KMR5150-if00");
    QDir().mkpath(QFileInfo(link).path());
    ASSERT_TRUE(QFile::link(device, link));
    const QString dotted = QDir(m_dir.path()).filePath("dev/pts/../pts/3");

    FakePortMap map({ { 9, link }, { 12, device }, { 40, other } });
    struct Case
    {
        const char *name;
        QString path;
        int port;
    } cases[] = {
        { "the device behind the link", device, 9 }, // 9 and 12 both name it: the lowest wins
        { "the link itself", link, 9 },
        { "a second name of a path", dotted, 40 },
        { "a path no number maps", QDir(m_dir.path()).filePath("dev/ttyACM0"), 0 },
        { "empty", QString(), 0 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortNumberForPath(c.path), c.port) << c.name;
}

TEST_F(PortTableTest, ReverseLookupThroughTheSettings)
{
    const QString device = makeDevice("dev/pty-instrument");
    writeSettings(("[PortMap]\nCOM5=" + device + "\n").toUtf8());
    struct Case
    {
        QString path;
        int port;
    } cases[] = {
        { device, 5 },
        { "/dev/ttyS0", 1 }, // absent devices compare by their plain path
        { "/dev/ttyUSB0", 33 },
        { "/dev/../dev/ttyACM31", 96 },
        { "/dev/ttyACM32", 0 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortNumberForPath(c.path), c.port) << qPrintable(c.path);
}

} // namespace
