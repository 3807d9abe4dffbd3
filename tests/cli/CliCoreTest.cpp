// The plain parts of the command-line tool: value texts, JSON and CSV forms, the export of a
// measurement, the link target from options and SysSet.ini, MQTT targets, the log file.

#include "base/Errors.h"
#include "cli/CliError.h"
#include "cli/LinkTarget.h"
#include "cli/Logger.h"
#include "cli/MeasurementExport.h"
#include "cli/MeasurementValues.h"
#include "cli/MqttPublisher.h"
#include "link/Globals.h"
#include "measure/MeasurementRecord.h"
#include "measure/PanelTexts.h"

#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

class FakeInventory final : public DeviceInventory
{
public:
    FakeInventory() { platform::install(this); }
    ~FakeInventory() override { platform::install(static_cast<DeviceInventory *>(nullptr)); }
    QList<InventoryEntry> serialDevices() override
    {
        if (fail)
            throw KmrError(QStringLiteral("inventory down"));
        return devices;
    }
    QList<InventoryEntry> devices;
    bool fail = false;
};

MeasurementRecord sampleRecord()
{
    MeasurementRecord r {};
    const MeasurementRecord saved = Measurement;
    InitMeasurement();
    r = Measurement;
    Measurement = saved;
    r.URMS = 230.1234f;
    r.UPP = 325.5f;
    r.UF = 50.0f;
    r.IRMS = 5.02137f;
    r.IPP = 7.1f;
    r.IPA = -12.5f;
    r.PF = 0.981f;
    r.WRMS = 1133.4f;
    r.PS = 1155.4f;
    r.PQ = 224.0f;
    r.VTHD = 0.0523f;
    r.ITHD = 0.05f;
    r.VKF = 1.11f;
    r.IKF = 1.02f;
    r.KWH = 12.5f;
    return r;
}

float fromText(const QString &text)
{
    return std::strtof(text.toLatin1().constData(), nullptr);
}

uint32_t bits(float value)
{
    uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

TEST(CliValues, FloatTextIsTheShortestTextThatReadsBackAsTheSameFloat)
{
    const float cases[] = { 230.01f, 0.1f, 5e-05f, 1e30f, -0.75f, 16777217.0f, 0.0f,
        std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max() };
    for (const float value : cases) {
        const QString text = FloatText(value);
        SCOPED_TRACE(qPrintable(text));
        EXPECT_EQ(bits(fromText(text)), bits(value));
        EXPECT_LE(text.size(), 15);
    }
    EXPECT_EQ(FloatText(230.01f), QStringLiteral("230.01"));
    EXPECT_EQ(FloatText(std::numeric_limits<float>::infinity()), QStringLiteral("inf"));
    EXPECT_EQ(FloatText(-std::numeric_limits<float>::infinity()), QStringLiteral("-inf"));
    EXPECT_EQ(FloatText(std::numeric_limits<float>::quiet_NaN()), QStringLiteral("nan"));
}

TEST(CliValues, TimesCarryMillisecondsAndTheirOffset)
{
    const QDate date(2026, 3, 14);
    const QTime time(9, 26, 53, 120);
    struct Case
    {
        QDateTime when;
        const char *text;
    };
    const Case cases[] = {
        { QDateTime(date, time, Qt::UTC), "2026-03-14T09:26:53.120+00:00" },
        { QDateTime(date, time, Qt::OffsetFromUTC, 3600), "2026-03-14T09:26:53.120+01:00" },
        { QDateTime(date, time, Qt::OffsetFromUTC, -5 * 3600 - 1800), "2026-03-14T09:26:53.120-05:30" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsoTime(c.when), QString::fromLatin1(c.text));
    // Local time is written with the offset it has at that moment.
    const QDateTime local(date, time);
    EXPECT_TRUE(QDateTime::fromString(IsoTime(local), Qt::ISODateWithMs) == local);
    EXPECT_TRUE(IsoTime(local).contains(QRegularExpression(QStringLiteral("[+-]\\d\\d:\\d\\d$"))));
}

TEST(CliValues, TextShowsThePanelNumbersWithUnitsApart)
{
    const MeasurementRecord r = sampleRecord();
    const QString text = MeasurementText(r, QDateTime(QDate(2026, 3, 14), QTime(9, 0), Qt::UTC));
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], QStringLiteral("time  2026-03-14T09:00:00.000+00:00"));
    const std::array<QString, PanelCount> panels = PanelTexts(r);
    EXPECT_EQ(lines[1], QStringLiteral("URMS  230.12 V")); // panel 230.12V
    EXPECT_EQ(lines[3], QStringLiteral("UF    50.00 Hz")); // panel 50.00Hz
    EXPECT_EQ(lines[4], QStringLiteral("IRMS  ") + panels[Panel_IRMS] + QStringLiteral(" A"));
    EXPECT_EQ(lines[6], QStringLiteral("IPA   -12.5 °"));
    EXPECT_EQ(lines[7], QStringLiteral("PF    ") + panels[Panel_PF]);
    EXPECT_EQ(lines[11], QStringLiteral("VTHD  5.2 %")); // panel 5.2 %
    EXPECT_EQ(lines[12], QStringLiteral("ITHD  5.0 %"));
    EXPECT_EQ(lines[15], QStringLiteral("KWH   12.5 kWh"));
}

TEST(CliValues, JsonHasTheFieldNamesNumbersAsNumbersAndNullWithoutANumber)
{
    MeasurementRecord r = sampleRecord();
    r.KWH = std::numeric_limits<float>::infinity();
    const QDateTime when(QDate(2026, 3, 14), QTime(9, 0), Qt::UTC);
    for (const bool units : { false, true }) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(MeasurementJson(r, when, units), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
        const QJsonObject o = doc.object();
        EXPECT_EQ(
            o.value(QStringLiteral("time")).toString(), QStringLiteral("2026-03-14T09:00:00.000+00:00"));
        for (const ValueField &field : ValueFields) {
            const QJsonValue v = o.value(QLatin1String(field.name));
            if (std::strcmp(field.name, "KWH") == 0) {
                EXPECT_TRUE(v.isNull());
                continue;
            }
            ASSERT_TRUE(v.isDouble()) << field.name;
            EXPECT_EQ(bits(static_cast<float>(v.toDouble())), bits(FieldValue(r, field))) << field.name;
        }
        EXPECT_EQ(o.size(), units ? 17 : 16);
        if (units) {
            const QJsonObject u = o.value(QStringLiteral("units")).toObject();
            EXPECT_EQ(u.value(QStringLiteral("URMS")).toString(), QStringLiteral("V"));
            EXPECT_EQ(u.value(QStringLiteral("PQ")).toString(), QStringLiteral("var"));
            EXPECT_EQ(u.value(QStringLiteral("PF")).toString(), QString());
        }
    }
}

TEST(CliValues, CsvFieldsAreQuotedOnlyWhereTheyMustBe)
{
    const std::pair<const char *, const char *> cases[] = {
        { "230.01", "230.01" },
        { "a,b", "\"a,b\"" },
        { "say \"hi\"", "\"say \"\"hi\"\"\"" },
        { "two\nlines", "\"two\nlines\"" },
        { "", "" },
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(CsvField(QString::fromUtf8(in)), QString::fromUtf8(out));
    EXPECT_EQ(CsvRow({ QStringLiteral("a"), QStringLiteral("b,c") }), QStringLiteral("a,\"b,c\"\r\n"));
    EXPECT_EQ(MeasurementCsvHeader(),
        QStringLiteral("time,URMS,UPP,UF,IRMS,IPP,IPA,PF,WRMS,PS,PQ,VTHD,ITHD,VKF,IKF,KWH\r\n"));
}

TEST(CliValues, AReplyIsStoredAsTheProgramStoresIt)
{
    QByteArray frame(MeasurementReplyBytes, '\0');
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float volts = 229.5f;
    std::memcpy(frame.data() + offsetof(MeasurementRecord, URMS), &volts, 4);
    std::memcpy(frame.data() + offsetof(MeasurementRecord, PQ), &nan, 4);
    const MeasurementRecord before = Measurement;
    const MeasurementRecord r = RecordFromReply(frame);
    EXPECT_EQ(r.URMS, volts);
    EXPECT_EQ(r.PQ, 0.0f) << "a NaN scalar becomes 0";
    EXPECT_EQ(r.SampleCount, 0) << "the reply's own bytes";
    EXPECT_EQ(std::memcmp(&Measurement, &before, sizeof before), 0);
}

TEST(CliExport, WavesAreScaledSoTheLargestDeviationIsThePeak)
{
    MeasurementRecord r = sampleRecord();
    r.UZero = 2047;
    r.IZero = 2000;
    for (int k = 0; k < WaveSamples; ++k) {
        r.UWave[k]
            = static_cast<uint16_t>(2047 + std::lround(1000 * std::sin(2 * M_PI * 4 * k / WaveSamples)));
        r.IWave[k] = 2000;
    }
    r.UWave[7] = 2047 - 1100; // the largest deviation, below zero
    const PhysicalWaves waves = WavesInPhysicalUnits(r);
    EXPECT_DOUBLE_EQ(waves.volts[7], -double(r.UPP));
    EXPECT_NEAR(waves.volts[32], 1000 * double(r.UPP) / 1100, 1e-9);
    for (double a : waves.amperes)
        EXPECT_EQ(a, 0.0) << "a flat wave has no scale";
    // 512 samples span four periods of UF.
    EXPECT_DOUBLE_EQ(waves.timeMs[0], 0.0);
    EXPECT_DOUBLE_EQ(waves.timeMs[WaveSamples - 1] + waves.timeMs[1], 80.0);
    r.UF = 0;
    EXPECT_DOUBLE_EQ(WavesInPhysicalUnits(r).timeMs[256], 40.0) << "no frequency: 50 Hz";
}

TEST(CliExport, TheCsvHasThreeTablesWithEveryValue)
{
    const MeasurementRecord r = sampleRecord();
    const QStringList lines = MeasurementCsv(r).split(QStringLiteral("\r\n"));
    // 1 + 15, blank, 1 + 51, blank, 1 + 512, and the end of the last line.
    ASSERT_EQ(lines.size(), 16 + 1 + 52 + 1 + 513 + 1);
    EXPECT_EQ(lines[0], QStringLiteral("Quantity,Value,Unit"));
    EXPECT_EQ(lines[1], QStringLiteral("URMS,230.1234,V"));
    EXPECT_EQ(lines[11], QStringLiteral("VTHD,0.0523,"));
    EXPECT_TRUE(lines[16].isEmpty());
    EXPECT_EQ(lines[17], QStringLiteral("Order,UHarm peak (V),IHarm peak (A),UHarm RMS (V),IHarm RMS (A)"));
    EXPECT_TRUE(lines[69].isEmpty());
    EXPECT_TRUE(lines[70].startsWith(QStringLiteral("Sample,Time (ms),U (V),I (A)")));
    EXPECT_TRUE(lines[71].startsWith(QStringLiteral("0,0,0,0,2047,2047")));
}

TEST(CliExport, FilesThatAreNoMeasurementEndWithAFileError)
{
    QTemporaryDir dir;
    const QString shortFile = dir.filePath(QStringLiteral("short.vqm"));
    QFile f(shortFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8000, '\0'));
    f.close();
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    for (const QString &input : { shortFile, dir.filePath(QStringLiteral("missing.vqm")) }) {
        try {
            ExportMeasurementFile(input, out);
            ADD_FAILURE() << "no error for " << qPrintable(input);
        } catch (const CliError &error) {
            EXPECT_EQ(error.code(), ExitFile);
            EXPECT_TRUE(error.text().startsWith(input)) << qPrintable(error.text());
        }
        EXPECT_FALSE(QFile::exists(out)) << "nothing half-written";
    }
}

TEST(CliTarget, PortNamesAndSpeeds)
{
    const std::pair<const char *, int> names[] = { { "COM7", 7 }, { "com255", 255 }, { " COM1 ", 1 },
        { "COM0", 0 }, { "COM256", 0 }, { "COM", 0 }, { "/dev/ttyUSB0", 0 }, { "COM7x", 0 } };
    for (const auto &[text, number] : names)
        EXPECT_EQ(PortNumberFromName(QString::fromLatin1(text)).value_or(0), number) << text;
    EXPECT_EQ(ListedSpeedIndex(4800), 0);
    EXPECT_EQ(ListedSpeedIndex(115200), 7);
    EXPECT_EQ(ListedSpeedIndex(56000), -1);
}

class CliTargetFromSettings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        UsbDeviceIdMark = QStringLiteral("5732");
    }
    void TearDown() override { ResetGlobals(); }

    TempProgramDir dir;
    FakePortMap ports { { { 5, QStringLiteral("/dev/fake5") }, { 7, QStringLiteral("/dev/fake7") } } };
    FakeInventory inventory;
};

TEST_F(CliTargetFromSettings, StoredSettingsAreUsedWhereNoOptionIsGiven)
{
    dir.writeFile(QStringLiteral("SysSet.ini"),
        "[CommPort]\nPort=5\n[CommBaudrate]\nBaudrate=7\n[CommAddress]\nAddress=17\n");
    const LinkTarget t = ResolveLinkTarget({});
    EXPECT_EQ(t.portName, QStringLiteral("COM5"));
    EXPECT_EQ(t.devicePath, QStringLiteral("/dev/fake5"));
    EXPECT_EQ(t.baud, 115200u);
    EXPECT_EQ(t.baudIndex, 7);
    EXPECT_EQ(t.address, 17);
    EXPECT_FALSE(t.usb);

    LinkOptions o;
    o.port = QStringLiteral("COM7");
    o.baud = 9600;
    o.address = 3;
    const LinkTarget given = ResolveLinkTarget(o);
    EXPECT_EQ(given.devicePath, QStringLiteral("/dev/fake7"));
    EXPECT_EQ(given.baudIndex, 1);
    EXPECT_EQ(given.address, 3);
}

TEST_F(CliTargetFromSettings, WithoutSysSetTheProgramsDefaultsApply)
{
    const LinkTarget t = ResolveLinkTarget({});
    EXPECT_EQ(t.portNumber, 2);
    EXPECT_EQ(t.baud, 14400u);
    EXPECT_EQ(t.address, 2);
    EXPECT_TRUE(t.devicePath.isEmpty()) << "port 2 has no device in this map";
}

TEST_F(CliTargetFromSettings, AStoredSpeedOutsideTheListChoosesNoPacedWait)
{
    dir.writeFile(QStringLiteral("SysSet.ini"), "[CommBaudrate]\nBaudrate=9\n");
    const LinkTarget t = ResolveLinkTarget({});
    EXPECT_EQ(t.baudIndex, -1);
    EXPECT_EQ(t.baud, 9600u);
}

TEST_F(CliTargetFromSettings, TheInstrumentsUsbPortIsRecognisedByTheInventory)
{
    InventoryEntry usb;
    usb.pnpDeviceId = QStringLiteral("USB\\VID_5732&PID_0001\\0001");
    usb.name = QStringLiteral("KMR5150 USB Port (COM7)");
    usb.portNumber = 7;
    usb.devicePath = QStringLiteral("/dev/fake7");
    inventory.devices = { usb };
    LinkOptions o;
    o.port = QStringLiteral("COM7");
    EXPECT_TRUE(ResolveLinkTarget(o).usb);
    o.port = QStringLiteral("/dev/fake7");
    EXPECT_TRUE(ResolveLinkTarget(o).usb) << "the same device by its path";
    o.port = QStringLiteral("COM5");
    EXPECT_FALSE(ResolveLinkTarget(o).usb);
    o.usb = true;
    EXPECT_TRUE(ResolveLinkTarget(o).usb);
}

TEST_F(CliTargetFromSettings, BadOptionsAndStoredValuesAreUsageErrors)
{
    struct Case
    {
        const char *ini;
        LinkOptions options;
        ExitCode code;
        const char *mentions;
    };
    LinkOptions badBaud;
    badBaud.baud = 56000;
    LinkOptions badAddress;
    badAddress.address = 256;
    LinkOptions zeroAddress;
    zeroAddress.address = 0;
    LinkOptions badPort;
    badPort.port = QStringLiteral("COM300");
    const Case cases[] = {
        { "", badBaud, ExitUsage, "--baud 56000" },
        { "", badAddress, ExitUsage, "--address 256" },
        { "", zeroAddress, ExitUsage, "--address 0" },
        { "", badPort, ExitUsage, "--port COM300" },
        { "[CommAddress]\nAddress=0\n", {}, ExitUsage, "Address=0" },
        { "[CommAddress]\nAddress=abc\n", {}, ExitUsage, "abc" },
        { "[CommPort]\nPort=300\n", {}, ExitUsage, "Port=300" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mentions);
        dir.writeFile(QStringLiteral("SysSet.ini"), c.ini);
        try {
            ResolveLinkTarget(c.options);
            ADD_FAILURE() << "accepted";
        } catch (const CliError &error) {
            EXPECT_EQ(error.code(), c.code);
            EXPECT_TRUE(error.text().contains(QString::fromLatin1(c.mentions))) << qPrintable(error.text());
        }
    }
    dir.writeFile(QStringLiteral("SysSet.ini"), "");
    inventory.fail = true;
    try {
        ResolveLinkTarget({});
        ADD_FAILURE() << "a failing inventory was passed over";
    } catch (const CliError &error) {
        EXPECT_EQ(error.code(), ExitDevice);
    }
}

TEST(CliMqtt, BrokerAddressesAndTopics)
{
    struct Case
    {
        const char *address;
        const char *prefix;
        const char *host;
        int port;
        const char *topic;
    };
    const Case good[] = {
        { "localhost", "kmr5150", "localhost", 1883, "kmr5150/measurement" },
        { "10.0.0.2:1884", "plant/line1/", "10.0.0.2", 1884, "plant/line1/measurement" },
        { "[::1]:8883", "m", "::1", 8883, "m/measurement" },
    };
    for (const Case &c : good) {
        const MqttTarget t = ParseMqttTarget(QString::fromLatin1(c.address), QString::fromLatin1(c.prefix));
        EXPECT_EQ(t.host, QString::fromLatin1(c.host));
        EXPECT_EQ(t.port, c.port);
        EXPECT_EQ(t.topic, QString::fromLatin1(c.topic));
    }
    const std::pair<const char *, const char *> bad[]
        = { { "", "k" }, { "host:0", "k" }, { "host:70000", "k" }, { "host:port", "k" }, { "a:1:2", "k" },
              { "host", "" }, { "host", "a/#" }, { "host", "+/x" } };
    for (const auto &[address, prefix] : bad) {
        SCOPED_TRACE(address);
        EXPECT_THROW(ParseMqttTarget(QString::fromLatin1(address), QString::fromLatin1(prefix)), CliError);
    }
}

TEST(CliLog, AnOutputThatCannotBeWrittenIsAFileError)
{
    QTemporaryDir dir;
    const QString paths[] = { dir.filePath(QStringLiteral("no/such/dir/log.csv")), dir.path() };
    for (const QString &path : paths) {
        try {
            CsvLog log(path);
            ADD_FAILURE() << "opened " << qPrintable(path);
        } catch (const CliError &error) {
            EXPECT_EQ(error.code(), ExitFile);
            EXPECT_TRUE(error.text().startsWith(path));
        }
    }
}

TEST(CliLog, AnEmptyLogThatWasCreatedIsRemovedButAnOldFileStays)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.csv"));
    {
        CsvLog log(fresh);
        EXPECT_TRUE(QFile::exists(fresh));
        log.discardIfEmpty();
    }
    EXPECT_FALSE(QFile::exists(fresh));

    const QString used = dir.filePath(QStringLiteral("used.csv"));
    {
        CsvLog log(used);
        log.append(QStringLiteral("x\r\n"));
        log.discardIfEmpty();
    }
    QFile f(used);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), MeasurementCsvHeader().toUtf8() + "x\r\n");
}

TEST(CliLog, AnExistingLogIsContinuedAndAnyOtherFileLeftAlone)
{
    const QByteArray header = MeasurementCsvHeader().toUtf8();
    struct Case
    {
        const char *what;
        QByteArray before;
        bool accepted;
        QByteArray after; // with one row "x" appended
    };
    const Case cases[] = {
        { "empty", "", true, header + "x\r\n" },
        { "a log", header + "a\r\n", true, header + "a\r\nx\r\n" },
        { "a log cut in a row", header + "a\r\nb,1", true, header + "a\r\nb,1\r\nx\r\n" },
        { "another file", "name,value\r\n", false, "name,value\r\n" },
        { "a header alone, cut", header.left(20), false, header.left(20) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.csv"));
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.before);
        }
        try {
            CsvLog log(path);
            EXPECT_TRUE(c.accepted);
            log.append(QStringLiteral("x\r\n"));
            log.discardIfEmpty();
        } catch (const CliError &error) {
            EXPECT_FALSE(c.accepted) << qPrintable(error.text());
            EXPECT_EQ(error.code(), ExitFile);
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.after);
    }
}

TEST(CliLog, StatusLineShowsCountValuesResendsAndTrouble)
{
    LogProgress progress;
    EXPECT_EQ(LogStatusText(progress, sampleRecord()), QStringLiteral("0 samples  resends 0"));
    progress.samples = 12;
    progress.resends = 3;
    progress.misses = 1;
    progress.portLost = true;
    EXPECT_EQ(LogStatusText(progress, sampleRecord()),
        QStringLiteral(
            "12 samples  230.12V  5.0214 A  1133.4 W  PF 0.981  resends 3  missed 1  port lost, waiting "
            "for it"));
}

} // namespace
