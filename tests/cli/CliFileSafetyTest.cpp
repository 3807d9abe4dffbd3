// kmr5150-cli and the user's files when things go wrong: outputs that are the input, a
// device, a FIFO or an existing file; a full disk, a file size limit and a closed pipe; files
// deleted or held by a second writer during a log; a broker away at the end; damaged records;
// an alarm save chain cut short. Against the simulated instrument on a pseudo-terminal.

#include "CliSim.h"
#include "CliSupport.h"

#include "base/Errors.h"
#include "cli/SettingsCommands.h"
#include "measure/MeasurementCsv.h"
#include "record/RecordFile.h"
#include "record/RecordTime.h"
#include "record/Recorder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using namespace clitest;

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

ino_t inodeOf(const QString &path)
{
    struct stat status
    {
    };
    ::stat(QFile::encodeName(path).constData(), &status);
    return status.st_ino;
}

// kmr5150-cli under a file size limit: a write past it fails as on a full disk (EFBIG).
CliRun runLimited(qint64 bytes, const QStringList &arguments)
{
    return runCli(QStringList { QStringLiteral("--fsize=%1").arg(bytes), cliPath() } + arguments, 60000,
        QStringLiteral("prlimit"));
}

// Temporary files the tool might have left beside its outputs.
QStringList leftovers(const QString &folder)
{
    return QDir(folder).entryList(QStringList { QStringLiteral(".*") }, QDir::Files | QDir::Hidden);
}

int occurrences(const QByteArray &text, const QByteArray &part)
{
    return int(text.count(part));
}

struct ReadRecord
{
    std::unique_ptr<RecordArrays> arrays = std::make_unique<RecordArrays>();
    RecordFileInfo info;
};

ReadRecord readRecord(const QString &path)
{
    ReadRecord record;
    record.info = ReadRecordFile(path, *record.arrays);
    return record;
}

class CliFileSafety : public CliSimTest
{
protected:
    // A record of `count` samples a second apart, made by the record core.
    QString recordOf(const QString &name, int count)
    {
        const QString file = path(name);
        auto recorder = std::make_unique<Recorder>();
        recorder->settings.channelSignal = { 0, 1, 2, 7, 8, -1 };
        recorder->newFile(file);
        MeasurementRecord m {};
        for (int i = 0; i < count; ++i) {
            m.URMS = 230.0f + float(i);
            recorder->sample(m, QDateTime(QDate(2026, 3, 14), QTime(12, 0)).addSecs(i));
        }
        recorder->save();
        return file;
    }

    QList<QStringList> csvRows(const QString &file)
    {
        bool ok = false;
        const QList<QStringList> rows = pythonCsvRows(file, &ok);
        EXPECT_TRUE(ok);
        return rows;
    }
};

TEST_F(CliFileSafety, ExportRefusesItsInputAndExistingFilesAndWritesDevicesAndFifosDirectly)
{
    const QString vqr = recordOf(QStringLiteral("bench.vqr"), 5);
    const QByteArray record = contents(vqr);
    const QString csv = path(QStringLiteral("bench.csv"));
    const QByteArray log = MeasurementCsvHeader().toUtf8() + "a log of the bench\r\n";
    writeFile(csv, log);
    const QString hardLink = path(QStringLiteral("same.csv"));
    ASSERT_EQ(::link(QFile::encodeName(vqr).constData(), QFile::encodeName(hardLink).constData()), 0);

    struct Case
    {
        const char *what;
        QStringList arguments;
        QString untouched;
        QByteArray before;
        const char *message;
    };
    const Case refused[] = {
        { "the input itself", { "export", vqr, "--out", vqr }, vqr, record, "is the input file itself" },
        { "a hard link to the input", { "export", vqr, "--out", hardLink, "--force" }, vqr, record,
            "is the input file itself" },
        { "an existing file", { "export", vqr, "--out", csv }, csv, log,
            "exists; give --force to replace it" },
        { "the default output when it exists", { "export", vqr }, csv, log, "exists; give --force" },
    };
    for (const Case &c : refused) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, 3) << run.err.constData();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.constData();
        EXPECT_EQ(contents(c.untouched), c.before);
        EXPECT_EQ(leftovers(dir.path()), QStringList());
    }

    const CliRun toStdout = runCli({ "export", vqr, "--out", "-" });
    ASSERT_EQ(toStdout.code, 0);

    // A FIFO takes the bytes and stays a FIFO.
    const QString fifo = path(QStringLiteral("out.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess reader;
    reader.start(QStringLiteral("cat"), { fifo });
    ASSERT_TRUE(reader.waitForStarted(5000));
    const CliRun toFifo = runCli({ "export", vqr, "--out", fifo });
    ASSERT_TRUE(reader.waitForFinished(10000));
    EXPECT_EQ(toFifo.code, 0) << toFifo.err.constData();
    EXPECT_EQ(reader.readAllStandardOutput(), toStdout.out);
    struct stat status
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));

    // A character device (a null device of our own, so that nothing else is at stake).
    const QString device = path(QStringLiteral("null"));
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const CliRun toDevice = runCli({ "export", vqr, "--out", device });
        EXPECT_EQ(toDevice.code, 0) << toDevice.err.constData();
        ASSERT_EQ(::stat(QFile::encodeName(device).constData(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode)) << "the device is still a device";
    }

    // With --force an existing file is replaced: a new file renamed over it.
    const ino_t before = inodeOf(csv);
    const CliRun forced = runCli({ "export", vqr, "--force" });
    ASSERT_EQ(forced.code, 0) << forced.err.constData();
    EXPECT_EQ(csvRows(csv).size(), 1 + 5);
    EXPECT_NE(inodeOf(csv), before);
    EXPECT_EQ(toStdout.out, contents(csv));
    EXPECT_EQ(leftovers(dir.path()), QStringList());
}

TEST_F(CliFileSafety, ReadSaveRefusesAnExistingFileUnlessForced)
{
    startInstrument();
    const QString vqm = path(QStringLiteral("TestFile.vqm"));
    const QByteArray notes = "a file that is not a measurement\n";
    writeFile(vqm, notes);
    const int before = server->repliesSent();
    const CliRun refused = runCli(QStringList { "read" } + link() + QStringList { "--save", vqm });
    EXPECT_EQ(refused.code, 3);
    EXPECT_TRUE(refused.err.contains("exists; give --force to replace it")) << refused.err.constData();
    EXPECT_EQ(contents(vqm), notes);
    EXPECT_EQ(server->repliesSent(), before) << "refused before the instrument is asked";

    const CliRun forced = runCli(QStringList { "read" } + link() + QStringList { "--save", vqm, "--force" });
    ASSERT_EQ(forced.code, 0) << forced.err.constData();
    const QByteArray saved = contents(vqm);
    ASSERT_EQ(saved.size(), MeasurementRecordBytes);
    const MeasurementRecord sent = intactMeasurements().back();
    EXPECT_EQ(std::memcmp(saved.constData(), &sent, MeasurementRecordBytes), 0);
    EXPECT_EQ(leftovers(dir.path()), QStringList());
}

// A disk that fills up or a file size limit: the command fails with the system's reason and
// leaves no empty or partial file of its own making behind.
TEST_F(CliFileSafety, AFailedCreationLeavesNoFileAndAFullDiskIsAnError)
{
    startInstrument();
    const QString vqr = recordOf(QStringLiteral("good.vqr"), 3);
    struct Case
    {
        QStringList arguments;
        qint64 limit;
        QString output;
    };
    const Case cases[] = {
        { QStringList { "read" } + link() + QStringList { "--save", path("new.vqm") }, 4000,
            path("new.vqm") },
        { QStringList { "log" } + link() + QStringList { "--csv", path("new.csv"), "--count", "2" }, 50,
            path("new.csv") },
        { QStringList { "log" } + link() + QStringList { "--vqr", path("new.vqr"), "--count", "2" }, 20000,
            path("new.vqr") },
        { QStringList { "export", vqr, "--out", path("new-export.csv") }, 100, path("new-export.csv") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = runLimited(c.limit, c.arguments);
        EXPECT_EQ(run.code, 3) << run.err.constData();
        EXPECT_TRUE(run.err.contains(QFile::encodeName(c.output) + ": File too large"))
            << run.err.constData();
        EXPECT_FALSE(QFile::exists(c.output));
        EXPECT_EQ(leftovers(dir.path()), QStringList());
    }

    // Standard output on a full disk.
    for (const QStringList &arguments :
        { QStringList { "read" } + link(), QStringList { "export", vqr, "--out", "-" } }) {
        SCOPED_TRACE(qPrintable(arguments.join(QLatin1Char(' '))));
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(cliPath(), arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 3);
        EXPECT_TRUE(process.readAllStandardError().contains("standard output: No space left on device"));
    }
}

// The CSV write fails in the middle of a log: the record is saved all the same, the CSV ends
// with its last whole row (a restarted log appends correctly), and the reason is told.
// A small tmpfs of its own (root only): a disk that really fills up.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, const char *size)
        : m_folder(folder)
    {
        QDir().mkpath(folder);
        const QByteArray options = QByteArray("size=") + size;
        m_mounted
            = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_folder;
    bool m_mounted = false;
};

TEST_F(CliFileSafety, ACsvThatCannotBeWrittenEndsTheLogWithTheRecordSavedAndNoPartialRow)
{
    startInstrument();
    const QByteArray row
        = "2026-03-14T12:00:00.000+00:00,230,325,50,5,7,30,0.99,1100,1150,100,0.01,0.05,1.41,"
          "1.5,12.5\r\n";
    // A log that nearly fills what it may take: three or four more rows fit, under a file
    // size limit, and on a disk of 48 KiB of which the record takes 32 KiB.
    const QString folder = path(QStringLiteral("disk"));
    SmallDisk disk(folder, "48k");
    struct Case
    {
        const char *what;
        QString folder;
        qint64 room; // bytes the CSV may take
        qint64 limit; // a file size limit, 0 for none
        const char *reason;
    };
    const Case cases[] = {
        { "file size limit", dir.path(), 40000, 40000, "File too large" },
        { "full disk", folder, 16384, 0, "No space left on device" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.limit == 0 && !disk.mounted()) {
            std::printf("no tmpfs could be mounted: the full disk case is left out\n");
            continue;
        }
        const QString csv = c.folder + QStringLiteral("/full.csv");
        QByteArray earlier = MeasurementCsvHeader().toUtf8();
        while (earlier.size() < c.room - 600)
            earlier += row;
        writeFile(csv, earlier);
        const QString vqr = c.folder + QStringLiteral("/full.vqr");
        const QStringList arguments = QStringList { "log" } + link()
            + QStringList { "--vqr", vqr, "--csv", csv, "--step", "1", "--save-step", "60", "--count", "30" };
        const CliRun run = c.limit > 0 ? runLimited(c.limit, arguments) : runCli(arguments);
        EXPECT_EQ(run.code, 3) << run.err.constData();
        EXPECT_TRUE(run.err.contains(QFile::encodeName(csv) + ": " + c.reason)) << run.err.constData();

        const QByteArray written = contents(csv);
        ASSERT_TRUE(written.startsWith(earlier));
        EXPECT_TRUE(written.endsWith("\r\n")) << "no partial row at the end";
        const QList<QStringList> rows = csvRows(csv);
        const int added = int(rows.size()) - int(earlier.count('\n'));
        for (const QStringList &r : rows)
            EXPECT_EQ(r.size(), 16);
        EXPECT_GE(added, 2);
        // The record holds every row of the log, and the measurement the CSV could not take.
        const ReadRecord record = readRecord(vqr);
        EXPECT_EQ(record.info.count, added + 1);
    }

    // A closed pipe: the record is saved, the reason is the system's.
    const QString piped = path(QStringLiteral("piped.vqr"));
    QProcess log, head;
    log.setStandardOutputProcess(&head);
    head.setStandardOutputFile(path(QStringLiteral("head.txt")));
    log.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList { "--vqr", piped, "--csv", "-", "--step", "1", "--save-step", "60" });
    head.start(QStringLiteral("head"), { QStringLiteral("-4") });
    ASSERT_TRUE(head.waitForFinished(30000));
    ASSERT_TRUE(log.waitForFinished(30000));
    EXPECT_EQ(log.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(log.exitCode(), 3);
    EXPECT_TRUE(log.readAllStandardError().contains("standard output: Broken pipe"));
    EXPECT_EQ(contents(path(QStringLiteral("head.txt"))).count('\n'), 4);
    EXPECT_GE(readRecord(piped).info.count, 3) << "every sample the pipe took is in the record";
}

TEST_F(CliFileSafety, FilesDeletedOrMovedDuringALogAreMadeAgainWhole)
{
    startInstrument();
    enum class Way { Delete, Move, RemoveFolder };
    for (const Way way : { Way::Delete, Way::Move, Way::RemoveFolder }) {
        SCOPED_TRACE(int(way));
        const QString folder = path(QStringLiteral("run%1").arg(int(way)));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString vqr = folder + QStringLiteral("/log.vqr");
        const QString csv = folder + QStringLiteral("/log.csv");
        QProcess log;
        log.start(cliPath(),
            QStringList { "log" } + link()
                + QStringList {
                    "--vqr", vqr, "--csv", csv, "--step", "1", "--save-step", "1", "--count", "7" });
        ASSERT_TRUE(log.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return contents(csv).count('\n') >= 4; }, 20000));
        switch (way) {
        case Way::Delete:
            ASSERT_TRUE(QFile::remove(csv));
            ASSERT_TRUE(QFile::remove(vqr));
            break;
        case Way::Move:
            ASSERT_TRUE(QFile::rename(csv, csv + QStringLiteral(".old")));
            ASSERT_TRUE(QFile::rename(vqr, vqr + QStringLiteral(".old")));
            break;
        case Way::RemoveFolder:
            ASSERT_TRUE(QDir(folder).removeRecursively());
            break;
        }
        ASSERT_TRUE(log.waitForFinished(30000));
        const QByteArray err = log.readAllStandardError();
        if (way == Way::RemoveFolder) {
            // Nothing can be made again: the exit status says so.
            EXPECT_EQ(log.exitCode(), 3) << err.constData();
            EXPECT_TRUE(err.contains(QFile::encodeName(csv) + ": No such file or directory"))
                << err.constData();
            continue;
        }
        EXPECT_EQ(log.exitCode(), 0) << err.constData();
        const QList<QStringList> rows = csvRows(csv);
        EXPECT_EQ(rows.size(), 1 + 7) << "every row, also those written before the file went";
        const ReadRecord record = readRecord(vqr);
        EXPECT_EQ(record.info.count, 7);
        for (int i = 0; i < 7 && i + 1 < rows.size(); ++i)
            EXPECT_EQ(FromOleDate(record.arrays->timestamps()[i]).toMSecsSinceEpoch(),
                QDateTime::fromString(rows[i + 1][0], Qt::ISODateWithMs).toMSecsSinceEpoch())
                << "sample " << i;
        // Said once for each file.
        EXPECT_EQ(occurrences(err, QFile::encodeName(csv) + ": deleted or moved away"), 1) << err.constData();
        EXPECT_EQ(occurrences(err, QFile::encodeName(vqr) + ": deleted or moved away"), 1) << err.constData();
    }
}

TEST_F(CliFileSafety, ASecondWriterIsRefusedWithTheHolderNamed)
{
    startInstrument();
    const QString csv = path(QStringLiteral("shared.csv"));
    const QString vqr = path(QStringLiteral("shared.vqr"));
    QProcess first;
    first.start(cliPath(),
        QStringList { "log" } + link() + QStringList { "--csv", csv, "--vqr", vqr, "--step", "1" });
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return contents(csv).count('\n') >= 3; }, 20000));

    const QString holder = QStringLiteral("in use by kmr5150-cli (pid %1)").arg(first.processId());
    struct Case
    {
        QStringList arguments;
        QString file;
    };
    const QString other = recordOf(QStringLiteral("other.vqr"), 2);
    const Case cases[] = {
        { QStringList { "log" } + link() + QStringList { "--csv", csv, "--count", "3" }, csv },
        { QStringList { "log" } + link() + QStringList { "--vqr", vqr, "--count", "3" }, vqr },
        { { "export", other, "--out", csv, "--force" }, csv },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, 3);
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(c.file + QStringLiteral(": ") + holder))
            << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), 1);
    }
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    const QList<QStringList> rows = csvRows(csv);
    for (const QStringList &r : rows)
        EXPECT_EQ(r.size(), 16);
    EXPECT_EQ(readRecord(vqr).info.count, rows.size() - 1) << "one writer, one table";
}

TEST_F(CliFileSafety, MessagesTheBrokerNeverTookAreCountedAndFailTheLog)
{
    startInstrument();
    auto broker = std::make_unique<Broker>(freeLoopbackPort());
    ASSERT_TRUE(broker->start());
    const QString csv = path(QStringLiteral("mqtt.csv"));
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList { "--csv", csv, "--step", "0.3", "--count", "12", "--mqtt",
                QStringLiteral("127.0.0.1:%1").arg(broker->port()), "--mqtt-drain", "1" });
    ASSERT_TRUE(log.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return contents(csv).count('\n') >= 3; }, 20000));
    broker->stop();
    ASSERT_TRUE(log.waitForFinished(30000));
    const QByteArray err = log.readAllStandardError();
    EXPECT_EQ(log.exitCode(), 2) << err.constData();
    const QRegularExpressionMatch match = QRegularExpression(
        QStringLiteral("kmr5150-cli: MQTT broker 127\\.0\\.0\\.1:\\d+: (\\d+) of 12 messages "
                       "not delivered after waiting 1 s for the broker\n$"))
                                              .match(QString::fromUtf8(err));
    ASSERT_TRUE(match.hasMatch()) << err.constData();
    EXPECT_GE(match.captured(1).toInt(), 6);
    // The outage has its line, for a journal.
    EXPECT_EQ(occurrences(err, ": connection lost"), 1) << err.constData();
    EXPECT_EQ(csvRows(csv).size(), 1 + 12) << "the file is whole all the same";

    // Stopped while the broker is away: a second signal cuts the wait short.
    ASSERT_TRUE(broker->start());
    const QString stopped = path(QStringLiteral("stopped.csv"));
    QProcess again;
    again.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList { "--csv", stopped, "--step", "0.3", "--mqtt",
                QStringLiteral("127.0.0.1:%1").arg(broker->port()), "--mqtt-drain", "120" });
    ASSERT_TRUE(again.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return contents(stopped).count('\n') >= 3; }, 20000));
    broker->stop();
    ASSERT_TRUE(waitFor([&] { return contents(stopped).count('\n') >= 6; }, 20000));
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
    EXPECT_FALSE(again.waitForFinished(1000)) << "the first signal waits for the broker";
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);
    ASSERT_TRUE(again.waitForFinished(10000));
    const QByteArray stoppedErr = again.readAllStandardError();
    EXPECT_EQ(again.exitCode(), 2) << stoppedErr.constData();
    EXPECT_TRUE(stoppedErr.contains("messages not delivered")) << stoppedErr.constData();
}

// SIGTERM while the broker is away: the log waits for it (up to --mqtt-drain, 10 s by
// default) and ends once the broker that is back has taken every message.
TEST_F(CliFileSafety, AtTheEndTheLogWaitsForTheBrokerToTakeWhatWaits)
{
    startInstrument();
    const int port = freeLoopbackPort();
    Broker first(port);
    ASSERT_TRUE(first.start());
    const QString csv = path(QStringLiteral("drain.csv"));
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList {
                "--csv", csv, "--step", "0.3", "--mqtt", QStringLiteral("127.0.0.1:%1").arg(port) });
    ASSERT_TRUE(log.waitForStarted(5000));
    const QString acknowledged = QStringLiteral("Sending PUBACK to kmr5150-cli");
    ASSERT_TRUE(waitFor([&] { return first.log().count(acknowledged) >= 2; }, 15000));
    first.stop();
    const qsizetype rowsWhenAway = contents(csv).count('\n');
    ASSERT_TRUE(waitFor([&] { return contents(csv).count('\n') >= rowsWhenAway + 5; }, 15000));
    ::kill(static_cast<pid_t>(log.processId()), SIGTERM);
    // Away a while longer than the old fixed wait of 3 s at the end.
    EXPECT_FALSE(log.waitForFinished(3500)) << "the log waits for the broker";
    Broker second(port);
    ASSERT_TRUE(second.start());
    ASSERT_TRUE(log.waitForFinished(15000));
    const QByteArray err = log.readAllStandardError();
    EXPECT_EQ(log.exitCode(), 0) << err.constData();
    EXPECT_FALSE(err.contains("not delivered")) << err.constData();
    EXPECT_EQ(occurrences(err, ": connection lost"), 1) << err.constData();
    EXPECT_EQ(occurrences(err, ": connected again"), 1) << err.constData();

    // Every row went to one broker or the other (one in flight when the first went may have
    // gone to both).
    const qsizetype rows = csvRows(csv).size() - 1;
    EXPECT_GE(first.log().count(acknowledged) + second.log().count(acknowledged), rows)
        << qPrintable(second.log());
    EXPECT_GE(second.log().count(acknowledged), rows - first.log().count(acknowledged));
}

TEST_F(CliFileSafety, TheExportOfADamagedRecordSaysWhatItLeftOutOrTookAsItIs)
{
    const QString sound = recordOf(QStringLiteral("sound.vqr"), 4);
    const QByteArray block = contents(sound);
    ASSERT_EQ(block.size(), RecordBlockBytes);

    const auto withCount = [&](int32_t count) {
        QByteArray bytes = block;
        std::memcpy(bytes.data() + BlockCountOffset, &count, sizeof count);
        return bytes;
    };
    QByteArray undated = block;
    std::memset(undated.data() + BlockTimestampOffset + 8, 0, 16); // samples 2 and 3 never stamped
    struct Case
    {
        const char *name;
        QByteArray bytes;
        qint64 size; // larger: zeros after the bytes
        const char *message;
        int rows;
    };
    const Case cases[] = {
        { "count.vqr", withCount(5000), 0,
            "the count says 5000 samples but the blocks hold 1000; 1000 exported", 1000 },
        { "undated.vqr", undated, 0,
            "2 samples dated before 1900 (the first is sample 2) exported as they are", 4 },
        { "long.vqr", block, qint64(MaxRecordBlocks + 2) * RecordBlockBytes,
            "2 blocks past the 450th skipped (a record holds 450000 samples at most)", 0 },
        { "partial.vqr", block + QByteArray(100, '\x01'), 0,
            "a partial block of 100 bytes at the end skipped", 4 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QString::fromLatin1(c.name));
        writeFile(file, c.bytes);
        if (c.size > 0) {
            ASSERT_TRUE(QFile::resize(file, c.size));
        }
        const CliRun run = runCli({ "export", file, "--out", "-" });
        EXPECT_EQ(run.code, 0) << run.err.constData();
        EXPECT_TRUE(run.err.contains(QFile::encodeName(file) + ": " + c.message)) << run.err.constData();
        EXPECT_EQ(run.out.count('\n'), 1 + c.rows);
    }
    const CliRun run = runCli({ "export", sound, "--out", "-" });
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
}

TEST_F(CliFileSafety, AnAlarmSaveCutShortTellsWhichLimitsTheInstrumentTook)
{
    // Ten replies read the limits in force; the eleventh and twelfth acknowledge AL1H and
    // AL1L; the acknowledgement of AL2H is lost.
    sim::FaultSettings faults;
    faults.dropEvery = 13;
    startInstrument();
    server->setFaults(faults);
    const QStringList arguments = QStringList { "alarm", "set" } + link()
        + QStringList { "--al1h", "250", "--al2h", "6", "--timeout", "1" };
    const CliRun lost = runCli(arguments);
    EXPECT_EQ(lost.code, 2);
    EXPECT_TRUE(lost.err.contains("did not acknowledge register 120 within 1 s")) << lost.err.constData();
    EXPECT_TRUE(lost.err.contains("Written: AL1H, AL1L; not confirmed: AL2H; not written: AL2L, AL3H, AL3L, "
                                  "AL4H, AL4L, the switches"))
        << lost.err.constData();

    // The port goes away while an acknowledgement is awaited.
    server->stop();
    startInstrument();
    server->setFaults(faults);
    QProcess set;
    set.start(cliPath(),
        QStringList { "alarm", "set" } + link() + QStringList { "--al1h", "250", "--timeout", "8" });
    ASSERT_TRUE(set.waitForStarted(5000));
    ASSERT_TRUE(server->waitForReplies(13, std::chrono::milliseconds(15000)));
    server->vanish();
    ASSERT_TRUE(set.waitForFinished(15000));
    const QByteArray err = set.readAllStandardError();
    EXPECT_EQ(set.exitCode(), 2);
    EXPECT_TRUE(err.contains("the port went away while register 120 was being written")) << err.constData();
    EXPECT_TRUE(err.contains("Written: AL1H, AL1L; not confirmed: AL2H")) << err.constData();
}

} // namespace
