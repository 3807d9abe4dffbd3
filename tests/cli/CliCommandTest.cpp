// kmr5150-cli as a user runs it, against the simulated instrument on a real pseudo-terminal:
// read in its three forms, mode, log into CSV and a real MQTT broker, faults, a vanishing
// port, signals, errors and their exit codes, and the export of a measurement file.

#include "CliSupport.h"

#include "cli/MeasurementValues.h"
#include "link/QtSerialDevice.h"
#include "link/sim/SimServer.h"
#include "measure/MeasurementFile.h"

#include "support/SimProcess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace clitest;
using namespace std::chrono_literals;

uint32_t bits(float value)
{
    uint32_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

float parseFloat(const QString &text)
{
    return std::strtof(text.toLatin1().constData(), nullptr);
}

class CliCommand : public ::testing::Test
{
protected:
    void startInstrument(sim::FaultSettings faults = {}, bool pacing = true)
    {
        sim::ServerOptions options;
        options.faults = faults;
        options.pacing = pacing;
        options.linkPath = dir.filePath(QStringLiteral("kmr5150")).toStdString();
        server = std::make_unique<sim::SimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
    }

    QStringList link(int address = 1) const
    {
        return { QStringLiteral("--port"), QString::fromStdString(server->linkPath()),
            QStringLiteral("--baud"), QStringLiteral("115200"), QStringLiteral("--address"),
            QString::number(address) };
    }

    // The measurement frames the instrument put on the line whole.
    std::vector<MeasurementRecord> intactMeasurements() const
    {
        std::vector<MeasurementRecord> records;
        for (const sim::SentReply &reply : server->sentReplies())
            if (reply.kind == sim::Reply::Kind::Measurement
                && (reply.faults & ~sim::FaultSplit) == sim::NoFault)
                records.push_back(RecordFromReply(
                    QByteArray(reinterpret_cast<const char *>(reply.frame.data()), int(reply.frame.size()))));
        return records;
    }

    static bool sameValues(const MeasurementRecord &record, const QStringList &csvRow)
    {
        if (csvRow.size() != 16)
            return false;
        for (size_t i = 0; i < ValueFields.size(); ++i)
            if (bits(parseFloat(csvRow[int(i) + 1])) != bits(FieldValue(record, ValueFields[i])))
                return false;
        return true;
    }

    // Every data row of a log is one of the measurements the instrument sent intact.
    void expectEveryRowWasSentIntact(const QList<QStringList> &rows) const
    {
        const std::vector<MeasurementRecord> intact = intactMeasurements();
        for (qsizetype r = 1; r < rows.size(); ++r) {
            bool found = false;
            for (const MeasurementRecord &record : intact)
                found = found || sameValues(record, rows[r]);
            EXPECT_TRUE(found) << "row " << r << " is no measurement the instrument sent intact";
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimServer> server;
};

TEST_F(CliCommand, ReadWritesTheInstrumentsMeasurementInEachForm)
{
    startInstrument();
    for (const char *format : { "json", "csv", "text" }) {
        SCOPED_TRACE(format);
        const int before = server->repliesSent();
        const CliRun run = runCli(
            QStringList { "read" } + link() + QStringList { "--format", QString::fromLatin1(format) });
        ASSERT_TRUE(run.finished);
        ASSERT_EQ(run.code, 0) << run.err.constData();
        EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
        ASSERT_EQ(server->repliesSent(), before + 1) << "one request, one reply";
        const std::vector<MeasurementRecord> sent = intactMeasurements();
        ASSERT_FALSE(sent.empty());
        const MeasurementRecord &frame = sent.back();

        if (std::strcmp(format, "json") == 0) {
            QJsonParseError error;
            const QJsonObject o = QJsonDocument::fromJson(run.out, &error).object();
            ASSERT_EQ(error.error, QJsonParseError::NoError);
            EXPECT_TRUE(run.out.endsWith("}\n"));
            for (const ValueField &field : ValueFields)
                EXPECT_EQ(bits(float(o.value(QLatin1String(field.name)).toDouble())),
                    bits(FieldValue(frame, field)))
                    << field.name;
            const QDateTime time
                = QDateTime::fromString(o.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
            ASSERT_TRUE(time.isValid());
            EXPECT_LT(std::abs(time.secsTo(QDateTime::currentDateTime())), 60);
        } else if (std::strcmp(format, "csv") == 0) {
            const QString file = dir.filePath(QStringLiteral("read.csv"));
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(run.out);
            out.close();
            bool ok = false;
            const QList<QStringList> rows = pythonCsvRows(file, &ok);
            ASSERT_TRUE(ok);
            ASSERT_EQ(rows.size(), 2);
            EXPECT_EQ(rows[0].join(QLatin1Char(',')) + QStringLiteral("\r\n"), MeasurementCsvHeader());
            EXPECT_TRUE(sameValues(frame, rows[1])) << qPrintable(rows[1].join(QLatin1Char(',')));
        } else {
            // The panel texts of that measurement, line for line after the time.
            const QStringList lines = QString::fromUtf8(run.out).split(QLatin1Char('\n'));
            const QStringList expected
                = MeasurementText(frame, QDateTime::currentDateTime()).split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), expected.size());
            EXPECT_TRUE(lines[0].startsWith(QStringLiteral("time  ")));
            EXPECT_EQ(lines.mid(1), expected.mid(1));
        }
    }
}

TEST_F(CliCommand, ModeChangesOnlyTheChosenBitAndReadsItBack)
{
    startInstrument();
    struct Case
    {
        QStringList arguments;
        uint8_t mode;
        const char *printed;
    };
    const Case cases[] = {
        { {}, 0, "bandwidth narrow\nthd iec\n" },
        { { "--bandwidth", "wide" }, 1, "bandwidth wide\nthd iec\n" },
        { { "--thd", "csa" }, 3, "bandwidth wide\nthd csa\n" },
        { { "--bandwidth", "narrow" }, 2, "bandwidth narrow\nthd csa\n" },
        { { "--bandwidth", "wide", "--thd", "iec" }, 1, "bandwidth wide\nthd iec\n" },
        { {}, 1, "bandwidth wide\nthd iec\n" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(' ')));
        const CliRun run = runCli(QStringList { QStringLiteral("mode") } + link() + c.arguments);
        ASSERT_EQ(run.code, 0) << run.err.constData();
        EXPECT_EQ(run.out, QByteArray(c.printed));
        EXPECT_EQ(server->withInstrument([](sim::Instrument &i) { return i.modeByte(); }), c.mode);
    }
}

TEST_F(CliCommand, ReadAndLogOverTheUsbLink)
{
    startInstrument({}, false);
    const CliRun run = runCli(QStringList { "read" } + link() + QStringList { "--usb", "--format", "json" });
    ASSERT_EQ(run.code, 0) << run.err.constData();
    const std::vector<sim::SentReply> replies = server->sentReplies();
    ASSERT_FALSE(replies.empty());
    EXPECT_EQ(replies.front().kind, sim::Reply::Kind::Measurement);
    EXPECT_TRUE(QJsonDocument::fromJson(run.out).isObject());

    // The link check between measurements leaves the measurements alone.
    const QString csv = dir.filePath(QStringLiteral("usb.csv"));
    const CliRun log = runCli(QStringList { "log" } + link()
        + QStringList { "--usb", "--step", "0.6", "--count", "5", "--csv", csv });
    ASSERT_EQ(log.code, 0) << log.err.constData();
    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(rows.size(), 1 + 5);
    expectEveryRowWasSentIntact(rows);
}

TEST_F(CliCommand, ErrorsNameTheThingAndTheReasonWithTheirExitCode)
{
    startInstrument();
    const QString tty = QString::fromStdString(server->linkPath());
    const QString missing = dir.filePath(QStringLiteral("missing-tty"));
    const QString shortFile = dir.filePath(QStringLiteral("short.vqm"));
    {
        QFile f(shortFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(100, '\x01'));
    }
    const QString unwritable = dir.filePath(QStringLiteral("no/such/dir/log.csv"));
    const int noBroker = freeLoopbackPort();
    const QString logFile = dir.filePath(QStringLiteral("broker-down.csv"));
    struct Case
    {
        QStringList arguments;
        int code;
        QString mentions;
    };
    const Case cases[] = {
        { { "read", "--port", missing }, 2, missing + QStringLiteral(": no such device") },
        { { "read", "--port", "COM250", "--baud", "9600", "--address", "1" }, 2,
            QStringLiteral("COM250: no device") },
        { QStringList { "read" } + link(9) + QStringList { "--timeout", "2.5" }, 2,
            QStringLiteral("no reply from the instrument at address 9 within 2.5 s") },
        { QStringList { "log" } + link() + QStringList { "--csv", unwritable, "--count", "1" }, 3,
            unwritable },
        { QStringList { "log" } + link()
                + QStringList { "--csv", logFile, "--mqtt", QStringLiteral("127.0.0.1:%1").arg(noBroker),
                    "--count", "1" },
            2, QStringLiteral("MQTT broker 127.0.0.1:%1").arg(noBroker) },
        { QStringList { "read" } + link() + QStringList { "--save", unwritable }, 3, unwritable },
        { { "export", shortFile }, 3, shortFile },
        { { "export", dir.filePath(QStringLiteral("absent.vqm")) }, 3,
            dir.filePath(QStringLiteral("absent.vqm")) },
        { { "export", dir.filePath(QStringLiteral("notes.txt")) }, 3,
            QStringLiteral("not a measurement file") },
        { QStringList { "log" } + link(), 1, QStringLiteral("--csv") },
        { QStringList { "read" } + QStringList { "--baud", "1234" }, 1, QStringLiteral("--baud 1234") },
        { QStringList { "read" } + QStringList { "--port", tty, "--address", "0" }, 1,
            QStringLiteral("--address 0") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(' ')));
        const int repliesBefore = server->repliesSent();
        const CliRun run = runCli(c.arguments, 30000);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.out.isEmpty()) << run.out.constData();
        const QString err = QString::fromUtf8(run.err);
        EXPECT_TRUE(err.startsWith(QStringLiteral("kmr5150-cli: ")) && err.count(QLatin1Char('\n')) == 1)
            << qPrintable(err);
        EXPECT_TRUE(err.contains(c.mentions)) << qPrintable(err);
        if (c.code != 2 && !c.arguments.contains(QStringLiteral("--save"))) {
            EXPECT_EQ(server->repliesSent(), repliesBefore) << "the instrument was asked nothing";
        }
    }
    EXPECT_FALSE(QFile::exists(logFile)) << "no empty log is left behind";
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("short.csv"))));
}

TEST_F(CliCommand, APortHeldByAnotherProgramIsNamedAsSuch)
{
    startInstrument();
    QtSerialDevice holder;
    ASSERT_TRUE(holder.open(QString::fromStdString(server->linkPath())));
    const CliRun run = runCli(QStringList { "read" } + link());
    EXPECT_EQ(run.code, 2);
    // The holder is this test program.
    EXPECT_TRUE(
        run.err.contains(QStringLiteral(": in use by %1 (pid %2)\n")
                             .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15))
                             .arg(::getpid())
                             .toUtf8()))
        << run.err.constData();
}

TEST_F(CliCommand, APathThatIsNoSerialPortIsToldApartFromAPortInUse)
{
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a port\n");
    }
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Case
    {
        QString path;
        const char *what;
    } cases[] = {
        { QStringLiteral("/dev/null"), "a device that is not a serial port" },
        { fifo, "a FIFO" },
        { plain, "a plain file" },
        { folder, "a folder" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.path));
        const CliRun run = runCli({ "read", "--port", c.path, "--baud", "9600", "--address", "1" }, 30000);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.code, 2);
        const QString err = QString::fromUtf8(run.err);
        EXPECT_TRUE(err.contains(QStringLiteral(": not a serial port (%1)\n").arg(QLatin1String(c.what))))
            << qPrintable(err);
        EXPECT_FALSE(err.contains(QLatin1String("in use"))) << qPrintable(err);
    }
}

TEST_F(CliCommand, ParseErrorsAreUsageErrorsAndEverySubcommandHasHelp)
{
    const QStringList bad[] = { {}, { "bogus" }, { "read", "--format", "xml" }, { "read", "--baud", "fast" },
        { "log", "--step", "0" }, { "mode", "--bandwidth", "medium" }, { "export" } };
    for (const QStringList &arguments : bad) {
        SCOPED_TRACE(qPrintable(arguments.join(' ')));
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.code, 1);
        EXPECT_FALSE(run.err.isEmpty());
    }
    for (const char *command : { "ports", "read", "mode", "log", "export" }) {
        const CliRun run = runCli({ QString::fromLatin1(command), QStringLiteral("--help") });
        EXPECT_EQ(run.code, 0) << command;
        EXPECT_TRUE(run.out.contains(QByteArray("Usage: kmr5150-cli ") + command)) << run.out.constData();
    }
}

TEST_F(CliCommand, LogWritesTheSameMeasurementsToCsvAndMqttAtOnce)
{
    startInstrument();
    Broker broker(freeLoopbackPort());
    ASSERT_TRUE(broker.start()) << qPrintable(broker.log());
    Subscriber subscriber(broker, QStringLiteral("bench/#"));
    ASSERT_TRUE(broker.waitForLog(QStringLiteral("Received SUBSCRIBE"), 10000)) << qPrintable(broker.log());

    const QString csv = dir.filePath(QStringLiteral("log.csv"));
    const CliRun run = runCli(QStringList { "log" } + link()
        + QStringList { "--step", "1", "--duration", "4", "--csv", csv, "--mqtt",
            QStringLiteral("127.0.0.1:%1").arg(broker.port()), "--topic", "bench/rack1" });
    ASSERT_EQ(run.code, 0) << run.err.constData();
    EXPECT_TRUE(run.err.isEmpty()) << "no status line when not on a terminal";

    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    ASSERT_GE(rows.size(), 1 + 3);
    ASSERT_LE(rows.size(), 1 + 5);
    expectEveryRowWasSentIntact(rows);

    ASSERT_TRUE(subscriber.waitForMessages(int(rows.size()) - 1, 10000));
    const auto messages = subscriber.messages();
    ASSERT_EQ(messages.size(), rows.size() - 1);
    for (qsizetype i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].first, QStringLiteral("bench/rack1/measurement"));
        const QJsonObject o = QJsonDocument::fromJson(messages[i].second).object();
        const QStringList &row = rows[i + 1];
        EXPECT_EQ(o.value(QStringLiteral("time")).toString(), row[0]);
        for (size_t f = 0; f < ValueFields.size(); ++f)
            EXPECT_EQ(bits(float(o.value(QLatin1String(ValueFields[f].name)).toDouble())),
                bits(parseFloat(row[int(f) + 1])));
        EXPECT_EQ(o.value(QStringLiteral("units")).toObject().value(QStringLiteral("WRMS")).toString(),
            QStringLiteral("W"));
    }
    // One per step.
    for (qsizetype r = 2; r < rows.size(); ++r) {
        const qint64 ms = QDateTime::fromString(rows[r - 1][0], Qt::ISODateWithMs)
                              .msecsTo(QDateTime::fromString(rows[r][0], Qt::ISODateWithMs));
        EXPECT_GT(ms, 700);
        EXPECT_LT(ms, 2500);
    }
}

TEST_F(CliCommand, LogGoesOnWhileTheBrokerIsAwayAndPublishesTheBacklogWhenItIsBack)
{
    startInstrument();
    const int port = freeLoopbackPort();
    QTemporaryDir brokerData;
    auto broker = std::make_unique<Broker>(port, brokerData.path());
    ASSERT_TRUE(broker->start());
    // A subscriber whose session the broker keeps: what is published while it is away
    // waits for it.
    Subscriber subscriber(*broker, QStringLiteral("t/#"), QStringLiteral("plant-monitor"));
    ASSERT_TRUE(broker->waitForLog(QStringLiteral("Received SUBSCRIBE"), 10000));

    const QString csv = dir.filePath(QStringLiteral("log.csv"));
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList { "--step", "0.5", "--csv", csv, "--mqtt", QStringLiteral("127.0.0.1:%1").arg(port),
                "--topic", "t" });
    ASSERT_TRUE(log.waitForStarted(5000));
    const auto rowCount = [&] {
        bool ok = false;
        return pythonCsvRows(csv, &ok).size() - 1;
    };
    ASSERT_TRUE(subscriber.waitForMessages(2, 15000));
    broker->stop();
    const qsizetype whileAway = rowCount();
    ASSERT_TRUE(waitFor([&] { return rowCount() >= whileAway + 4; }, 15000))
        << "the file goes on without the broker";
    const qsizetype backAt = rowCount();

    broker = std::make_unique<Broker>(port, brokerData.path());
    ASSERT_TRUE(broker->start());
    // The publisher connects again by itself and sends what waited, then goes on.
    ASSERT_TRUE(waitFor([&] { return subscriber.messages().size() >= backAt + 2; }, 30000))
        << subscriber.messages().size() << " messages for " << backAt << " rows\n"
        << qPrintable(broker->log());
    ::kill(static_cast<pid_t>(log.processId()), SIGTERM);
    ASSERT_TRUE(log.waitForFinished(10000));
    const QByteArray err = log.readAllStandardError();
    EXPECT_EQ(log.exitCode(), 0) << err.constData();
    EXPECT_EQ(err.count(": connection lost; messages wait for it"), 1) << err.constData();
    EXPECT_EQ(err.count(": connected again"), 1) << err.constData();

    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    expectEveryRowWasSentIntact(rows);
    // The messages are the rows, in order, none lost while the broker was away (a message
    // in flight at the moment it went may come twice).
    QStringList times;
    for (const auto &message : subscriber.messages()) {
        const QString time
            = QJsonDocument::fromJson(message.second).object().value(QStringLiteral("time")).toString();
        if (times.isEmpty() || times.last() != time)
            times << time;
    }
    ASSERT_GE(times.size(), backAt + 2);
    for (qsizetype i = 0; i < times.size(); ++i)
        EXPECT_EQ(times[i], rows.value(i + 1).value(0)) << "message " << i;
}

TEST_F(CliCommand, LogStoresOnlyIntactMeasurementsWhileTheLineIsFaulty)
{
    sim::FaultSettings faults;
    faults.corruptEvery = 3;
    faults.truncateEvery = 5;
    faults.dropEvery = 7;
    faults.garbageEvery = 4;
    startInstrument(faults);
    const QString csv = dir.filePath(QStringLiteral("faulty.csv"));
    const CliRun run = runCli(
        QStringList { "log" } + link() + QStringList { "--step", "0.05", "--count", "12", "--csv", csv },
        120000);
    ASSERT_EQ(run.code, 0) << run.err.constData();
    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(rows.size(), 1 + 12);
    expectEveryRowWasSentIntact(rows);
    int damaged = 0;
    for (const sim::SentReply &reply : server->sentReplies())
        damaged += reply.faults != sim::NoFault;
    EXPECT_GE(damaged, 5);
}

TEST_F(CliCommand, LogWaitsForAVanishedPortAndGoesOnWhenItComesBack)
{
    const QString linkPath = dir.filePath(QStringLiteral("sim-link"));
    SimProcess sim({ "--link", linkPath, "--vanish-after", "2", "--return-after", "2" });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    const QString csv = dir.filePath(QStringLiteral("vanish.csv"));
    const CliRun run = runCli({ "log", "--port", linkPath, "--baud", "115200", "--address", "1", "--step",
                                  "0.5", "--duration", "7", "--csv", csv },
        60000);
    ASSERT_EQ(run.code, 0) << run.err.constData();
    EXPECT_EQ(sim.outputLines().size(), 2) << "the simulator came back once";
    // Standard error is no terminal here: the outage and the return have a line each, as a
    // service's journal shows them.
    EXPECT_EQ(run.err.count("the port went away"), 1) << run.err.constData();
    EXPECT_EQ(run.err.count("the port is back"), 1) << run.err.constData();
    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    qint64 longestGap = 0;
    QDateTime first = QDateTime::fromString(rows.value(1).value(0), Qt::ISODateWithMs);
    QDateTime previous = first;
    for (qsizetype r = 2; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 16);
        const QDateTime t = QDateTime::fromString(rows[r][0], Qt::ISODateWithMs);
        longestGap = std::max(longestGap, previous.msecsTo(t));
        previous = t;
    }
    EXPECT_GE(longestGap, 1500) << "the port was gone for 2 s";
    EXPECT_GE(first.msecsTo(previous), 5000) << "measurements after the return";
}

TEST_F(CliCommand, StoppedOrKilledTheLogKeepsEveryRowWhole)
{
    startInstrument();
    for (const int signal : { SIGTERM, SIGINT, SIGHUP, SIGKILL }) {
        SCOPED_TRACE(signal);
        const QString csv = dir.filePath(QStringLiteral("log-%1.csv").arg(signal));
        QProcess log;
        log.start(cliPath(), QStringList { "log" } + link() + QStringList { "--step", "0.2", "--csv", csv });
        ASSERT_TRUE(log.waitForStarted(5000));
        const auto rows = [&] {
            bool ok = false;
            return pythonCsvRows(csv, &ok);
        };
        ASSERT_TRUE(waitFor([&] { return rows().size() >= 4; }, 15000));
        ::kill(static_cast<pid_t>(log.processId()), signal);
        ASSERT_TRUE(log.waitForFinished(10000));
        if (signal != SIGKILL) {
            EXPECT_EQ(log.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(log.exitCode(), 0);
        }
        const QList<QStringList> written = rows();
        ASSERT_GE(written.size(), 4);
        for (qsizetype r = 1; r < written.size(); ++r)
            EXPECT_EQ(written[r].size(), 16) << "row " << r;
        expectEveryRowWasSentIntact(written);
    }
}

TEST_F(CliCommand, ExportWritesAMeasurementFileAsCsvThatPythonReads)
{
    startInstrument();
    const QString vqm = dir.filePath(QStringLiteral("bench test.vqm"));
    const CliRun read
        = runCli(QStringList { "read" } + link() + QStringList { "--format", "json", "--save", vqm });
    ASSERT_EQ(read.code, 0) << read.err.constData();
    const MeasurementRecord record = intactMeasurements().back();
    // The file is the measurement as the program would save it right after it arrived.
    MeasurementRecord saved {};
    LoadMeasurementFile(vqm, saved);
    EXPECT_EQ(std::memcmp(&saved, &record, sizeof record), 0);

    const CliRun run = runCli({ "export", vqm });
    ASSERT_EQ(run.code, 0) << run.err.constData();
    const QString csv = dir.filePath(QStringLiteral("bench test.csv"));
    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(rows.size(), 16 + 1 + 52 + 1 + 513);
    EXPECT_EQ(rows[1][0], QStringLiteral("URMS"));
    EXPECT_EQ(bits(parseFloat(rows[1][1])), bits(record.URMS));
    EXPECT_EQ(bits(parseFloat(rows[18 + 3][1])), bits(record.UHarm[3]));
    EXPECT_EQ(bits(parseFloat(rows[18 + 50][2])), bits(record.IHarm[50]));
    EXPECT_TRUE(rows[16].isEmpty());
    EXPECT_TRUE(rows[69].isEmpty());
    // The wave columns: in volts and amperes, the largest deviation at the peak value.
    double largestU = 0, largestI = 0;
    for (qsizetype r = 71; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), 6);
        largestU = std::max(largestU, std::abs(rows[r][2].toDouble()));
        largestI = std::max(largestI, std::abs(rows[r][3].toDouble()));
        EXPECT_EQ(rows[r][4].toInt(), record.UWave[r - 71]);
    }
    EXPECT_NEAR(largestU, record.UPP, 1e-3);
    EXPECT_NEAR(largestI, record.IPP, 1e-3);

    const CliRun toStdout = runCli({ "export", vqm, "--out", "-" });
    ASSERT_EQ(toStdout.code, 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(toStdout.out, file.readAll());
}

TEST_F(CliCommand, WithoutOptionsThePortSpeedAndAddressComeFromSysSetBesideTheProgram)
{
    startInstrument();
    // A copy of the program in a folder of its own, with its own SysSet.ini.
    QTemporaryDir programDir;
    const QString program = programDir.filePath(QStringLiteral("kmr5150-cli"));
    ASSERT_TRUE(QFile::copy(cliPath(), program));
    QFile ini(programDir.filePath(QStringLiteral("SysSet.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[PortMap]\nCOM201=%1\n[CommPort]\nPort=201\n[CommBaudrate]\nBaudrate=7\n"
                             "[CommAddress]\nAddress=1\n")
                  .arg(QString::fromStdString(server->linkPath()))
                  .toUtf8());
    ini.close();

    const CliRun read = runCli({ "read", "--format", "csv" }, 30000, program);
    ASSERT_EQ(read.code, 0) << read.err.constData();
    ASSERT_FALSE(server->sentReplies().empty());
    EXPECT_EQ(server->sentReplies().back().lineSpeed, 115200u);
    EXPECT_TRUE(read.out.startsWith(MeasurementCsvHeader().toUtf8()));

    const CliRun ports = runCli({ "ports" }, 60000, program);
    ASSERT_EQ(ports.code, 0) << ports.err.constData();
    bool listed = false;
    for (const QString &line : QString::fromUtf8(ports.out).split(QLatin1Char('\n')))
        listed = listed
            || (line.startsWith(QStringLiteral("COM201 "))
                && line.contains(QString::fromStdString(server->linkPath()))
                && line.endsWith(QStringLiteral("(selected)")));
    EXPECT_TRUE(listed) << ports.out.constData();
}

} // namespace
