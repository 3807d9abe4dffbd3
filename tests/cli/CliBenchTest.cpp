// `log` of a bench of instruments: the instruments named on the command line, their ids, the
// discovery messages and the status table as plain functions; then kmr5150-cli against several
// simulated instruments, each on its own pseudo-terminal, into per-instrument CSV and record
// files, a long CSV and a real mosquitto broker; faulty and vanishing instruments beside
// healthy ones; a killed tool; bad input.

#include "CliSupport.h"

#include "cli/BenchLog.h"
#include "cli/CliError.h"
#include "cli/MeasurementValues.h"
#include "link/sim/SimServer.h"

#include "support/SimProcess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include <unistd.h>

namespace {

using namespace clitest;

uint32_t bits(float value)
{
    uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

// ---- the command line and the ids

TEST(BenchArguments, EachPortTakesTheSpeedAndAddressAfterItAndTheDefaultsBeforeIt)
{
    struct Case
    {
        QStringList arguments;
        // port, baud (0: none), address (0: none)
        std::vector<std::tuple<QString, uint32_t, int>> expected;
    };
    const Case cases[] = {
        { { "--csv", "x/" }, { { QString(), 0, 0 } } },
        { { "--port", "/dev/a", "--baud", "9600", "--port", "/dev/b", "--address", "3" },
            { { "/dev/a", 9600, 0 }, { "/dev/b", 0, 3 } } },
        { { "--baud", "115200", "--address", "2", "--port", "/dev/a", "--port=/dev/b", "--address=7" },
            { { "/dev/a", 115200, 2 }, { "/dev/b", 115200, 7 } } },
        { { "--port", "/dev/a@19200/5", "--port", "COM3@/9", "--baud", "4800" },
            { { "/dev/a", 19200, 5 }, { "COM3", 4800, 9 } } },
        { { "--step", "0.5", "--port", "/dev/a", "--csv", "--port" }, { { "/dev/a", 0, 0 } } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const QList<LinkOptions> got = InstrumentOptionsFromArguments(c.arguments);
        ASSERT_EQ(size_t(got.size()), c.expected.size());
        for (size_t k = 0; k < c.expected.size(); ++k) {
            const auto &[port, baud, address] = c.expected[k];
            EXPECT_EQ(got[qsizetype(k)].port.value_or(QString()), port);
            EXPECT_EQ(got[qsizetype(k)].baud.value_or(0), baud);
            EXPECT_EQ(got[qsizetype(k)].address.value_or(0), address);
        }
    }
}

TEST(BenchArguments, ASpeedOrAddressGivenTwiceOrBadIsAUsageError)
{
    const QStringList cases[] = {
        { "--port", "/dev/a", "--baud", "9600", "--baud", "4800" },
        { "--port", "/dev/a@9600", "--baud", "4800" },
        { "--address", "1", "--address", "2", "--port", "/dev/a" },
        { "--port", "/dev/a@fast" },
        { "--port", "/dev/a@9600/x" },
        { "--port", "@9600/1" },
        { "--port", "/dev/a@" },
    };
    for (const QStringList &arguments : cases) {
        SCOPED_TRACE(arguments.join(QLatin1Char(' ')).toStdString());
        try {
            InstrumentOptionsFromArguments(arguments);
            ADD_FAILURE() << "accepted";
        } catch (const CliError &error) {
            EXPECT_EQ(error.code(), ExitUsage);
            EXPECT_FALSE(error.text().contains(QLatin1Char('\n')));
        }
    }
}

LinkTarget targetAt(const QString &port, int address, int portNumber = 0)
{
    LinkTarget target;
    target.portName = port;
    target.devicePath = port.startsWith(QLatin1Char('/')) ? port : QString();
    target.portNumber = portNumber;
    target.address = static_cast<uint8_t>(address);
    return target;
}

TEST(BenchIds, TheUsbSerialNumberWhereThePortHasOneElseThePortAndAddress)
{
    const QList<InventoryEntry> inventory {
        { QStringLiteral("USB\\VID_0403&PID_6001\\A50285BI"), QStringLiteral("USB Serial (COM5)"), 5,
            QStringLiteral("/dev/ttyUSB0") },
        // No serial number: the inventory puts the port's name in its place.
        { QStringLiteral("USB\\VID_1A86&PID_7523\\ttyUSB1"), QStringLiteral("USB Serial (COM6)"), 6,
            QStringLiteral("/dev/ttyUSB1") },
        { QStringLiteral("SERIAL\\ttyS0"), QStringLiteral("Communications Port (COM1)"), 1,
            QStringLiteral("/dev/ttyS0") },
    };
    const struct
    {
        LinkTarget target;
        QString id;
    } cases[] = {
        { targetAt(QStringLiteral("/dev/ttyUSB0"), 1), QStringLiteral("A50285BI") },
        { targetAt(QStringLiteral("/dev/ttyUSB1"), 2), QStringLiteral("ttyUSB1-2") },
        { targetAt(QStringLiteral("/dev/ttyS0"), 17), QStringLiteral("ttyS0-17") },
        { targetAt(QStringLiteral("COM7"), 3, 7), QStringLiteral("COM7-3") },
        { targetAt(QStringLiteral("/dev/pts/4"), 1), QStringLiteral("pts_4-1") },
        { targetAt(QStringLiteral("/tmp/bench dir/kmr+1"), 9), QStringLiteral("kmr_1-9") },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target.portName.toStdString());
        EXPECT_EQ(InstrumentId(c.target, inventory), c.id);
        // The same port and address give the same id at the next start.
        EXPECT_EQ(InstrumentId(c.target, inventory), InstrumentId(LinkTarget(c.target), inventory));
    }
}

TEST(BenchIds, APortNamedTwiceAnAddressOutsideTheBusOrASharedIdIsRefused)
{
    const struct
    {
        QList<LinkTarget> targets;
        QString message;
    } cases[] = {
        { { targetAt("/dev/x1", 1), targetAt("/dev/x1", 2) }, "--port /dev/x1: named twice" },
        { { targetAt("/dev/x1", 0) }, "--address 0 for /dev/x1: addresses run from 1 to 247" },
        { { targetAt("/dev/x1", 248) }, "--address 248 for /dev/x1: addresses run from 1 to 247" },
        { { targetAt("/tmp/a/k", 1), targetAt("/tmp/b/k", 1) },
            "--port /tmp/b/k: its id k-1 is another instrument's already" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        try {
            CheckedInstrumentIds(c.targets, {});
            ADD_FAILURE() << "accepted";
        } catch (const CliError &error) {
            EXPECT_EQ(error.code(), ExitUsage);
            EXPECT_EQ(error.text(), c.message);
        }
    }
    EXPECT_EQ(CheckedInstrumentIds({ targetAt("/dev/x1", 1), targetAt("/dev/x2", 247) }, {}),
        QStringList({ "x1-1", "x2-247" }));
}

// Every field the hub needs, with the unit and class that fit the value.
void expectValidDiscovery(const QString &topic, const QByteArray &payload, const QString &id,
    const QString &prefix, const QString &discovery)
{
    const QJsonObject o = QJsonDocument::fromJson(payload).object();
    ASSERT_FALSE(o.isEmpty()) << payload.constData();
    const QString field = topic.section(QLatin1Char('/'), 2, 2).mid(id.size() + 1).toUpper();
    EXPECT_EQ(topic, QStringLiteral("%1/sensor/%2_%3/config").arg(discovery, id, field.toLower()));
    for (const char *key : { "name", "unique_id", "state_topic", "value_template", "state_class", "device" })
        EXPECT_TRUE(o.contains(QLatin1String(key))) << key << " in " << payload.constData();
    EXPECT_EQ(o.value("state_topic").toString(), QStringLiteral("%1/%2/measurement").arg(prefix, id));
    EXPECT_EQ(o.value("availability_topic").toString(), QStringLiteral("%1/%2/status").arg(prefix, id));
    EXPECT_TRUE(o.value("value_template").toString().contains(QStringLiteral("value_json.") + field));
    EXPECT_TRUE(o.value("unique_id").toString().contains(id));
    const QJsonObject device = o.value("device").toObject();
    EXPECT_EQ(device.value("identifiers").toArray().size(), 1);
    EXPECT_TRUE(device.value("identifiers").toArray().at(0).toString().contains(id));
    for (const char *key : { "name", "manufacturer", "model" })
        EXPECT_FALSE(device.value(QLatin1String(key)).toString().isEmpty()) << key;

    static const std::map<QString, std::pair<QString, QString>> unitAndClass { { "URMS", { "V", "voltage" } },
        { "UPP", { "V", "voltage" } }, { "UF", { "Hz", "frequency" } }, { "IRMS", { "A", "current" } },
        { "IPP", { "A", "current" } }, { "IPA", { "°", "" } }, { "PF", { "", "power_factor" } },
        { "WRMS", { "W", "power" } }, { "PS", { "VA", "apparent_power" } },
        { "PQ", { "var", "reactive_power" } }, { "VTHD", { "%", "" } }, { "ITHD", { "%", "" } },
        { "VKF", { "", "" } }, { "IKF", { "", "" } }, { "KWH", { "kWh", "energy" } } };
    ASSERT_TRUE(unitAndClass.count(field)) << field.toStdString();
    EXPECT_EQ(o.value("unit_of_measurement").toString(), unitAndClass.at(field).first) << field.toStdString();
    EXPECT_EQ(o.value("device_class").toString(), unitAndClass.at(field).second) << field.toStdString();
    EXPECT_EQ(o.value("state_class").toString(),
        field == "KWH" ? QStringLiteral("total_increasing") : QStringLiteral("measurement"));
    // THD arrives as a fraction and is shown in per cent.
    EXPECT_EQ(o.value("value_template").toString().contains(QStringLiteral("* 100")),
        field.endsWith(QStringLiteral("THD")));
}

TEST(BenchDiscovery, OneRetainedSensorPerValueOfOneDevicePerInstrument)
{
    const QList<MqttMessage> messages
        = DiscoveryMessages(QStringLiteral("A50285BI"), QStringLiteral("lab/rack"), QStringLiteral("ha"));
    ASSERT_EQ(size_t(messages.size()), ValueFields.size());
    std::set<QString> fields;
    for (const MqttMessage &message : messages) {
        SCOPED_TRACE(message.topic.toStdString());
        EXPECT_TRUE(message.retain);
        expectValidDiscovery(QString::fromUtf8(message.topic), message.payload, QStringLiteral("A50285BI"),
            QStringLiteral("lab/rack"), QStringLiteral("ha"));
        fields.insert(QString::fromUtf8(message.topic));
    }
    EXPECT_EQ(fields.size(), ValueFields.size());
}

TEST(BenchStatus, OneAlignedLinePerInstrumentWithItsCountsValuesAndState)
{
    MeasurementRecord record {};
    record.URMS = 230.01f;
    record.IRMS = 5.0213f;
    record.WRMS = 1138.3f;
    record.PF = 0.998f;
    BenchStatusRow measuring { "A50285BI", "/dev/ttyUSB0", 120, 2, 0, record, "measuring" };
    BenchStatusRow lost { "pts_4-12", "/dev/pts/4", 7, 0, 3, std::nullopt, "port lost, waiting for it" };
    const QStringList lines = BenchStatusLines({ measuring, lost });
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("A50285BI  /dev/ttyUSB0  120 measurements  resends 2")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("230.01")) && lines[0].contains(QStringLiteral("1138.3 W")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("measuring")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("port lost, waiting for it, missed 3")))
        << lines[1].toStdString();
    // Columns line up: the port starts at the same place in each line.
    EXPECT_EQ(lines[0].indexOf(QStringLiteral("/dev/")), lines[1].indexOf(QStringLiteral("/dev/")));
    EXPECT_EQ(lines[0].indexOf(QStringLiteral("resends")), lines[1].indexOf(QStringLiteral("resends")));
}

// ---- kmr5150-cli against a bench of simulated instruments

class CliBench : public ::testing::Test
{
protected:
    sim::SimServer &addInstrument(sim::FaultSettings faults = {})
    {
        sim::ServerOptions options;
        options.faults = faults;
        options.instrument.seed = servers.size() + 1;
        options.linkPath = dir.filePath(QStringLiteral("kmr5150-%1").arg(servers.size() + 1)).toStdString();
        servers.push_back(std::make_unique<sim::SimServer>(options));
        std::string error;
        EXPECT_TRUE(servers.back()->start(&error)) << error;
        return *servers.back();
    }

    QString linkOf(size_t k) const { return QString::fromStdString(servers[k]->linkPath()); }
    QString idOf(size_t k) const { return QStringLiteral("kmr5150-%1-1").arg(k + 1); }

    QStringList ports() const
    {
        QStringList arguments { "--baud", "115200", "--address", "1" };
        for (size_t k = 0; k < servers.size(); ++k)
            arguments << "--port" << linkOf(k);
        return arguments;
    }

    // The measurements an instrument put on the line whole, oldest first.
    static std::vector<MeasurementRecord> intactMeasurements(const sim::SimServer &server)
    {
        std::vector<MeasurementRecord> records;
        for (const sim::SentReply &reply : server.sentReplies())
            if (reply.kind == sim::Reply::Kind::Measurement
                && (reply.faults & ~sim::FaultSplit) == sim::NoFault)
                records.push_back(RecordFromReply(
                    QByteArray(reinterpret_cast<const char *>(reply.frame.data()), int(reply.frame.size()))));
        return records;
    }

    static bool sameValues(const MeasurementRecord &record, const QStringList &values)
    {
        if (values.size() != qsizetype(ValueFields.size()))
            return false;
        for (size_t i = 0; i < ValueFields.size(); ++i)
            if (bits(std::strtof(values[qsizetype(i)].toLatin1().constData(), nullptr))
                != bits(FieldValue(record, ValueFields[i])))
                return false;
        return true;
    }

    // Every row is a measurement this instrument sent whole, in the order it sent them, none
    // twice.
    static void expectRowsInSentOrder(const QList<QStringList> &valueRows, const sim::SimServer &server)
    {
        const std::vector<MeasurementRecord> sent = intactMeasurements(server);
        size_t at = 0;
        for (qsizetype r = 0; r < valueRows.size(); ++r) {
            while (at < sent.size() && !sameValues(sent[at], valueRows[r]))
                ++at;
            ASSERT_LT(at, sent.size()) << "row " << r << " is no later measurement this instrument sent";
            ++at;
        }
    }

    static QList<QStringList> readCsv(const QString &path)
    {
        bool ok = false;
        const QList<QStringList> rows = pythonCsvRows(path, &ok);
        EXPECT_TRUE(ok) << path.toStdString();
        return rows;
    }

    QTemporaryDir dir;
    std::vector<std::unique_ptr<sim::SimServer>> servers;
};

TEST_F(CliBench, EachInstrumentGetsItsOwnFileTopicAndDeviceAndTheLongTableHoldsThemAll)
{
    for (int k = 0; k < 3; ++k)
        addInstrument();
    Broker broker(freeLoopbackPort());
    ASSERT_TRUE(broker.start()) << qPrintable(broker.log());
    Subscriber subscriber(broker, QStringLiteral("lab/#"));
    ASSERT_TRUE(broker.waitForLog(QStringLiteral("Received SUBSCRIBE"), 10000));

    const QString csvDir = dir.filePath("csv");
    const QString vqrDir = dir.filePath("vqr");
    ASSERT_TRUE(QDir().mkpath(csvDir) && QDir().mkpath(vqrDir));
    const QString longCsv = dir.filePath("all.csv");
    const QString mqtt = QStringLiteral("127.0.0.1:%1").arg(broker.port());
    const CliRun perInstrument = runCli(QStringList { "log" } + ports()
        + QStringList { "--step", "0.2", "--count", "6", "--csv", csvDir + "/", "--mqtt", mqtt, "--topic",
            "lab", "--ha-discovery", "--save-step", "0.5" });
    ASSERT_EQ(perInstrument.code, 0) << perInstrument.err.constData();
    // Standard error is no terminal: plain status lines, one per instrument.
    for (size_t k = 0; k < servers.size(); ++k)
        EXPECT_TRUE(perInstrument.err.contains((idOf(k) + "  ").toUtf8())) << perInstrument.err.constData();
    EXPECT_FALSE(perInstrument.err.contains('\033')) << perInstrument.err.constData();

    for (size_t k = 0; k < servers.size(); ++k) {
        SCOPED_TRACE(idOf(k).toStdString());
        const QList<QStringList> rows = readCsv(csvDir + "/" + idOf(k) + ".csv");
        ASSERT_EQ(rows.size(), 1 + 6);
        QList<QStringList> values;
        for (qsizetype r = 1; r < rows.size(); ++r)
            values << rows[r].mid(1);
        expectRowsInSentOrder(values, *servers[k]);

        // The MQTT stream of the instrument is its CSV.
        const QString measurementTopic = QStringLiteral("lab/%1/measurement").arg(idOf(k));
        ASSERT_TRUE(waitFor(
            [&] {
                int n = 0;
                for (const auto &m : subscriber.messages())
                    n += m.first == measurementTopic;
                return n >= 6;
            },
            10000));
        QStringList times;
        for (const auto &m : subscriber.messages())
            if (m.first == measurementTopic)
                times << QJsonDocument::fromJson(m.second).object().value("time").toString();
        QStringList csvTimes;
        for (qsizetype r = 1; r < rows.size(); ++r)
            csvTimes << rows[r][0];
        EXPECT_EQ(times, csvTimes);
    }
    // The discovery messages stay at the broker for a hub that comes later.
    Subscriber hub(broker, QStringLiteral("homeassistant/#"));
    ASSERT_TRUE(hub.waitForMessages(int(servers.size() * ValueFields.size()), 10000));
    for (size_t k = 0; k < servers.size(); ++k) {
        int discovered = 0;
        for (const auto &m : hub.messages())
            if (m.first.startsWith(QStringLiteral("homeassistant/sensor/%1_").arg(idOf(k)))) {
                expectValidDiscovery(m.first, m.second, idOf(k), "lab", "homeassistant");
                ++discovered;
            }
        EXPECT_EQ(discovered, int(ValueFields.size())) << idOf(k).toStdString();
    }
    // Online while the log ran, offline at its end, retained for whoever asks later.
    Subscriber late(broker, QStringLiteral("lab/+/status"));
    ASSERT_TRUE(late.waitForMessages(int(servers.size()), 10000));
    for (const auto &m : late.messages())
        EXPECT_EQ(m.second, QByteArray("offline")) << m.first.toStdString();
    for (size_t k = 0; k < servers.size(); ++k) {
        QList<QByteArray> states;
        for (const auto &m : subscriber.messages())
            if (m.first == QStringLiteral("lab/%1/status").arg(idOf(k)))
                states << m.second;
        EXPECT_EQ(states, QList<QByteArray>({ "online", "offline" })) << idOf(k).toStdString();
    }

    // One long table with an id column, each instrument's rows in their order, and a record
    // file for each (a record takes one of the record window's steps).
    const CliRun longRun = runCli(QStringList { "log" } + ports()
        + QStringList { "--step", "1", "--count", "2", "--csv", longCsv, "--long", "--vqr", vqrDir });
    ASSERT_EQ(longRun.code, 0) << longRun.err.constData();
    for (size_t k = 0; k < servers.size(); ++k)
        EXPECT_GT(QFileInfo(vqrDir + "/" + idOf(k) + ".vqr").size(), 0) << idOf(k).toStdString();
    const QList<QStringList> rows = readCsv(longCsv);
    ASSERT_EQ(rows.size(), 1 + 3 * 2);
    EXPECT_EQ(rows[0].value(0), QStringLiteral("id"));
    EXPECT_EQ(rows[0].mid(1).join(','), CsvLog::header(false).trimmed());
    for (size_t k = 0; k < servers.size(); ++k) {
        QList<QStringList> values;
        for (qsizetype r = 1; r < rows.size(); ++r)
            if (rows[r][0] == idOf(k))
                values << rows[r].mid(2);
        EXPECT_EQ(values.size(), 2) << idOf(k).toStdString();
        expectRowsInSentOrder(values, *servers[k]);
    }
}

TEST_F(CliBench, AFaultyOrVanishingInstrumentNeitherCostsNorSlowsTheOthers)
{
    addInstrument();
    addInstrument();
    // Alone first: the healthy instruments' pace on this machine.
    const QString aloneCsv = dir.filePath("alone.csv");
    const CliRun alone = runCli(
        { "log", "--port", linkOf(0) + "@115200/1", "--step", "0.05", "--count", "8", "--csv", aloneCsv });
    ASSERT_EQ(alone.code, 0) << alone.err.constData();
    const QList<QStringList> aloneRows = readCsv(aloneCsv);
    ASSERT_EQ(aloneRows.size(), 1 + 8);
    const auto spanMs = [](const QList<QStringList> &rows) {
        return QDateTime::fromString(rows[1][0], Qt::ISODateWithMs)
            .msecsTo(QDateTime::fromString(rows.last()[0], Qt::ISODateWithMs));
    };
    const qint64 aloneMs = spanMs(aloneRows);

    sim::FaultSettings corrupt;
    corrupt.corruptEvery = 3;
    addInstrument(corrupt);
    sim::SimServer &vanishing = addInstrument();
    const int repliesBefore[] = { servers[0]->repliesSent(), servers[1]->repliesSent() };
    const QString csvDir = dir.filePath("bench");
    ASSERT_TRUE(QDir().mkpath(csvDir));
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + ports()
            + QStringList { "--step", "0.05", "--count", "8", "--csv", csvDir + "/" });
    ASSERT_TRUE(log.waitForStarted(5000));
    // Gone while the others measure, back later.
    ASSERT_TRUE(vanishing.waitForReplies(2, std::chrono::seconds(20)));
    vanishing.vanish();
    ASSERT_TRUE(servers[0]->waitForReplies(repliesBefore[0] + 8, std::chrono::seconds(30)));
    std::string error;
    ASSERT_TRUE(vanishing.comeBack(&error)) << error;
    ASSERT_TRUE(log.waitForFinished(60000));
    const QByteArray err = log.readAllStandardError();
    ASSERT_EQ(log.exitCode(), 0) << err.constData();
    EXPECT_EQ(err.count("the port went away"), 1) << err.constData();
    EXPECT_EQ(err.count("the port is back"), 1) << err.constData();

    for (size_t k = 0; k < servers.size(); ++k) {
        SCOPED_TRACE(idOf(k).toStdString());
        const QList<QStringList> rows = readCsv(csvDir + "/" + idOf(k) + ".csv");
        ASSERT_EQ(rows.size(), 1 + 8);
        QList<QStringList> values;
        for (qsizetype r = 1; r < rows.size(); ++r)
            values << rows[r].mid(1);
        expectRowsInSentOrder(values, *servers[k]);
        if (k < 2) {
            // Nothing lost: every measurement the healthy instrument sent in this log is a row.
            EXPECT_EQ(servers[k]->repliesSent() - repliesBefore[k], 8);
            // Not slowed (room for a busy machine).
            EXPECT_LT(spanMs(rows), aloneMs * 13 / 10 + 100) << "alone " << aloneMs << " ms";
        }
    }
}

TEST_F(CliBench, AKilledToolLeavesEveryInstrumentOfflineAndEveryFileWhole)
{
    addInstrument();
    addInstrument();
    Broker broker(freeLoopbackPort());
    ASSERT_TRUE(broker.start());
    Subscriber subscriber(broker, QStringLiteral("k/+/status"));
    ASSERT_TRUE(broker.waitForLog(QStringLiteral("Received SUBSCRIBE"), 10000));
    const QString csvDir = dir.filePath("csv");
    ASSERT_TRUE(QDir().mkpath(csvDir));
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + ports()
            + QStringList { "--step", "0.1", "--csv", csvDir + "/", "--mqtt",
                QStringLiteral("127.0.0.1:%1").arg(broker.port()), "--topic", "k" });
    ASSERT_TRUE(log.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return readCsv(csvDir + "/" + idOf(1) + ".csv").size() >= 4; }, 20000));
    ::kill(static_cast<pid_t>(log.processId()), SIGKILL);
    ASSERT_TRUE(log.waitForFinished(10000));

    // The broker sends each last will once it finds the connection dead.
    ASSERT_TRUE(waitFor(
        [&] {
            std::map<QString, QByteArray> last;
            for (const auto &m : subscriber.messages())
                last[m.first] = m.second;
            return last.size() == 2 && last.begin()->second == "offline"
                && last.rbegin()->second == "offline";
        },
        30000))
        << subscriber.messages().size() << " status messages";
    for (size_t k = 0; k < servers.size(); ++k) {
        const QList<QStringList> rows = readCsv(csvDir + "/" + idOf(k) + ".csv");
        ASSERT_GE(rows.size(), 2);
        QList<QStringList> values;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            EXPECT_EQ(rows[r].size(), 16);
            values << rows[r].mid(1);
        }
        expectRowsInSentOrder(values, *servers[k]);
    }
}

TEST_F(CliBench, AllTakesEveryListedPortOnWhichAnInstrumentAnswers)
{
    addInstrument();
    addInstrument();
    // A third instrument at another address: listed, but no answer at address 1.
    sim::ServerOptions other;
    other.instrument.address = 9;
    other.linkPath = dir.filePath(QStringLiteral("other")).toStdString();
    sim::SimServer silent(other);
    ASSERT_TRUE(silent.start());
    // A copy of the program in a folder of its own, whose SysSet.ini maps the ports.
    QTemporaryDir programDir;
    const QString program = programDir.filePath(QStringLiteral("kmr5150-cli"));
    ASSERT_TRUE(QFile::copy(cliPath(), program));
    QFile ini(programDir.filePath(QStringLiteral("SysSet.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[PortMap]\nCOM201=%1\nCOM202=%2\nCOM203=%3\n")
                  .arg(linkOf(0), QString::fromStdString(other.linkPath), linkOf(1))
                  .toUtf8());
    ini.close();

    const QString csvDir = dir.filePath("csv");
    ASSERT_TRUE(QDir().mkpath(csvDir));
    const CliRun run = runCli({ "log", "--all", "--baud", "115200", "--address", "1", "--step", "0.2",
                                  "--count", "2", "--csv", csvDir + "/" },
        120000, program);
    ASSERT_EQ(run.code, 0) << run.err.constData();
    EXPECT_EQ(QDir(csvDir).entryList(QDir::Files), QStringList({ "COM201-1.csv", "COM203-1.csv" }));
    const QList<QStringList> rows = readCsv(csvDir + "/COM203-1.csv");
    ASSERT_EQ(rows.size(), 1 + 2);
    expectRowsInSentOrder({ rows[1].mid(1), rows[2].mid(1) }, *servers[1]);
}

TEST_F(CliBench, TheBenchScriptStartsSimulatorsOnPtysOfTheirOwnThatOneLogFollows)
{
    QProcess bench;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KMR_SIM"), SimProcess::executablePath());
    bench.setProcessEnvironment(environment);
    bench.start(QStringLiteral(KMR_SOURCE_DIR "/scripts/sim-bench"), { "3", dir.filePath("bench") });
    ASSERT_TRUE(bench.waitForStarted(5000));
    QStringList links;
    std::set<QString> ptys;
    while (links.size() < 3 && (bench.canReadLine() || bench.waitForReadyRead(10000))) {
        const QStringList fields = QString::fromUtf8(bench.readLine()).trimmed().split(QLatin1Char(' '));
        ASSERT_EQ(fields.size(), 2);
        EXPECT_EQ(QFileInfo(fields[0]).canonicalFilePath(), fields[1]);
        links << fields[0];
        ptys.insert(fields[1]);
    }
    ASSERT_EQ(links.size(), 3) << bench.readAllStandardError().constData();
    EXPECT_EQ(ptys.size(), 3u);

    const QString csvDir = dir.filePath("csv");
    ASSERT_TRUE(QDir().mkpath(csvDir));
    QStringList arguments { "log", "--step", "0.2", "--count", "2", "--csv", csvDir + "/" };
    for (const QString &link : links)
        arguments << "--port" << link + "@115200/1";
    const CliRun run = runCli(arguments);
    ASSERT_EQ(run.code, 0) << run.err.constData();
    // Each simulator measures a load of its own: no two instruments' rows are alike.
    std::set<QString> firstRows;
    for (int k = 1; k <= 3; ++k) {
        const QList<QStringList> rows = readCsv(csvDir + QStringLiteral("/kmr5150-%1-1.csv").arg(k));
        ASSERT_EQ(rows.size(), 1 + 2);
        firstRows.insert(rows[1].mid(1).join(','));
    }
    EXPECT_EQ(firstRows.size(), 3u);

    ::kill(static_cast<pid_t>(bench.processId()), SIGTERM);
    ASSERT_TRUE(bench.waitForFinished(10000));
    EXPECT_EQ(bench.exitCode(), 0);
    for (const QString &link : links)
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link goes with its simulator";
}

TEST_F(CliBench, OnATerminalTheTableIsWrittenOverItself)
{
    addInstrument();
    addInstrument();
    // script(1) gives the tool a terminal and copies what it writes there.
    QStringList command { cliPath(), "log", "--step", "0.2", "--count", "4", "--csv", dir.filePath("all.csv"),
        "--long" };
    command += ports();
    QProcess script;
    script.start(QStringLiteral("script"), { "-qefc", command.join(' '), dir.filePath("typescript") });
    ASSERT_TRUE(script.waitForFinished(60000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAll().constData();
    QFile typescript(dir.filePath("typescript"));
    ASSERT_TRUE(typescript.open(QIODevice::ReadOnly));
    const QByteArray screen = typescript.readAll();
    // Each refresh goes back up over the two lines of the table before writing them again.
    EXPECT_GE(screen.count("\033[2A"), 2) << screen.constData();
    for (size_t k = 0; k < servers.size(); ++k)
        EXPECT_TRUE(screen.contains(("\r" + idOf(k) + "  ").toUtf8())) << screen.constData();
    EXPECT_TRUE(screen.contains("4 measurements")) << screen.constData();
}

TEST_F(CliBench, BadInputIsOneLineAndANonZeroExitWithNothingWritten)
{
    addInstrument();
    addInstrument();
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const int refusing = freeLoopbackPort();
    const struct
    {
        QStringList arguments;
        int code;
        QString message;
    } cases[] = {
        { { "--port", linkOf(0), "--port", linkOf(0) }, ExitUsage, "named twice" },
        { { "--port", linkOf(0), "--port", linkOf(1) + "@115200/248" }, ExitUsage,
            "addresses run from 1 to 247" },
        { { "--port", linkOf(0), "--port", linkOf(1), "--mqtt",
              QStringLiteral("127.0.0.1:%1").arg(refusing) },
            ExitDevice, QStringLiteral("MQTT broker 127.0.0.1:%1").arg(refusing) },
        { { "--port", linkOf(0), "--port", dir.filePath("nothing-here") }, ExitDevice, "no such device" },
        { { "--port", linkOf(0), "--port", linkOf(1), "--csv", dir.filePath("one.csv") }, ExitUsage,
            "--long" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const CliRun run = runCli(QStringList { "log", "--baud", "115200", "--address", "1", "--count", "3",
                                      "--vqr", out + "/", "--step", "1" }
            + c.arguments
            + (c.arguments.contains("--csv") ? QStringList() : QStringList { "--csv", out + "/" }));
        EXPECT_EQ(run.code, c.code) << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.constData();
        EXPECT_TRUE(run.err.contains(c.message.toUtf8())) << run.err.constData();
        EXPECT_TRUE(QDir(out).isEmpty()) << QDir(out).entryList().join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("one.csv")));
    }
}

} // namespace
