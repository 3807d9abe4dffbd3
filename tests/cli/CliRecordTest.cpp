// kmr5150-cli and record files: log into a record file and a CSV file at once against the
// simulated instrument, the record reopened by the record core; a killed log keeps what it
// saved; refused options and outputs; the export of record files the record core made.

#include "CliSim.h"
#include "CliSupport.h"

#include "base/Errors.h"
#include "record/RecordCsv.h"
#include "record/RecordFile.h"
#include "record/RecordSettings.h"
#include "record/RecordTime.h"
#include "record/Recorder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <cstring>
#include <memory>

namespace {

using namespace clitest;

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

// The CSV column of the log that holds what `signal` records.
int logColumn(int signal)
{
    static const char *const fields[]
        = { "URMS", "IRMS", "WRMS", "PS", "PQ", "IPA", "UF", "PF", "VTHD", "ITHD" };
    for (size_t i = 0; i < ValueFields.size(); ++i)
        if (std::strcmp(ValueFields[i].name, fields[signal]) == 0)
            return int(i) + 1;
    return -1;
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

// The same while the file may not be there yet: an empty record.
ReadRecord readRecordIfThere(const QString &path)
{
    try {
        return readRecord(path);
    } catch (const KmrError &) {
        return {};
    }
}

class CliRecord : public CliSimTest
{
protected:
    // Sample i of the record equals CSV row i + 1 of the log: time to the millisecond and every
    // channel bit for bit.
    static void expectSameSamples(const ReadRecord &record, const QList<QStringList> &rows, int count)
    {
        for (int i = 0; i < count; ++i) {
            SCOPED_TRACE(i);
            ASSERT_LT(i + 1, rows.size());
            const QStringList &row = rows[i + 1];
            const QDateTime logged = QDateTime::fromString(row[0], Qt::ISODateWithMs);
            EXPECT_EQ(
                FromOleDate(record.arrays->timestamps()[i]).toMSecsSinceEpoch(), logged.toMSecsSinceEpoch());
            for (int ch = 0; ch < RecordChannels; ++ch)
                EXPECT_EQ(bits(record.arrays->channel(ch)[i]),
                    bits(parseFloat(row[logColumn(record.info.channelSignals[size_t(ch)])])))
                    << "channel " << ch;
        }
    }
};

TEST_F(CliRecord, LogWritesARecordFileThatReopensWithTheSamplesOfItsCsv)
{
    startInstrument();
    const QString vqr = path("bench.vqr");
    const QString csv = path("bench.csv");
    const CliRun run = runCli(QStringList { "log" } + link()
        + QStringList { "--step", "1", "--duration", "4.5", "--save-step", "1", "--vqr", vqr, "--csv", csv,
            "--channels", "0,1,2,7,6,8" });
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.code, 0) << run.err.constData();

    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    const ReadRecord record = readRecord(vqr);
    ASSERT_GE(record.info.count, 4);
    EXPECT_EQ(record.info.count, rows.size() - 1) << "every measurement in both files";
    EXPECT_EQ(record.info.blocks, 1);
    EXPECT_EQ(record.info.channelSignals, (ChannelSignals { 0, 1, 2, 7, 6, 8 }));
    EXPECT_EQ(record.info.step, 0) << "1 s is the first sampling step";
    expectSameSamples(record, rows, record.info.count);

    // Each sample is a measurement the instrument sent, as the record window takes it.
    const std::vector<MeasurementRecord> sent = intactMeasurements();
    for (int i = 0; i < record.info.count; ++i) {
        bool found = false;
        for (const MeasurementRecord &m : sent) {
            bool same = true;
            for (int ch = 0; ch < RecordChannels; ++ch)
                same = same
                    && bits(record.arrays->channel(ch)[i])
                        == bits(SignalValue(m, record.info.channelSignals[size_t(ch)]));
            found = found || same;
        }
        EXPECT_TRUE(found) << "sample " << i;
    }

    // The export of that record: the same samples again, one row each.
    const QString exported = path("exported.csv");
    const CliRun exportRun = runCli({ "export", vqr, "--out", exported });
    ASSERT_EQ(exportRun.code, 0) << exportRun.err.constData();
    const QList<QStringList> exportedRows = pythonCsvRows(exported, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(exportedRows.size(), record.info.count + 1);
    EXPECT_EQ(exportedRows[0].join(QLatin1Char(',')) + QStringLiteral("\r\n"),
        RecordCsvHeader(record.info.channelSignals));
    for (int i = 0; i < record.info.count; ++i) {
        EXPECT_EQ(exportedRows[i + 1][0], rows[i + 1][0]) << "the log's time text, to the millisecond";
        for (int ch = 0; ch < RecordChannels; ++ch)
            EXPECT_EQ(bits(parseFloat(exportedRows[i + 1][ch + 1])), bits(record.arrays->channel(ch)[i]));
    }
}

TEST_F(CliRecord, AKilledLogKeepsEverySampleUpToItsLastSave)
{
    startInstrument();
    const QString vqr = path("killed.vqr");
    const QString csv = path("killed.csv");
    QProcess log;
    log.start(cliPath(),
        QStringList { "log" } + link()
            + QStringList {
                "--step", "1", "--save-step", "0", "--vqr", vqr, "--csv", csv, "--channels", "0,1,2,3,4,6" });
    ASSERT_TRUE(log.waitForStarted(5000));
    // What the file held at a save, read while the log goes on.
    int seen = 0;
    ReadRecord before;
    ASSERT_TRUE(waitFor(
        [&] {
            before = readRecordIfThere(vqr);
            seen = before.info.count;
            return seen >= 3;
        },
        20000));
    ::kill(static_cast<pid_t>(log.processId()), SIGKILL);
    ASSERT_TRUE(log.waitForFinished(10000));

    const ReadRecord after = readRecord(vqr);
    ASSERT_GE(after.info.count, seen);
    for (int i = 0; i < seen; ++i) {
        EXPECT_EQ(after.arrays->timestamps()[i], before.arrays->timestamps()[i]) << i;
        for (int ch = 0; ch < RecordChannels; ++ch)
            EXPECT_EQ(bits(after.arrays->channel(ch)[i]), bits(before.arrays->channel(ch)[i])) << i;
    }
    bool ok = false;
    const QList<QStringList> rows = pythonCsvRows(csv, &ok);
    ASSERT_TRUE(ok);
    expectSameSamples(after, rows, after.info.count);
}

TEST_F(CliRecord, RefusedOptionsAndOutputsLeaveNoRecordBehind)
{
    startInstrument();
    const QString old = path("old.vqr");
    {
        QFile file(old);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(RecordBlockBytes, '\x11'));
    }
    struct Case
    {
        QStringList arguments;
        int code;
        const char *message;
        QString leftAlone; // a file that must stay as it was, or must not appear
    };
    const QString fresh = path("fresh.vqr");
    const Case cases[] = {
        { QStringList { "--vqr", fresh, "--step", "0.5" }, 1, "--step 0.5", fresh },
        { QStringList { "--vqr", fresh, "--step", "11" }, 1, "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 30", fresh },
        { QStringList { "--vqr", fresh, "--channels", "0,1,2" }, 1, "--channels 0,1,2", fresh },
        { QStringList { "--vqr", fresh, "--channels", "0,1,2,3,4,13" }, 1, "six signal numbers", fresh },
        { QStringList { "--csv", path("x.csv"), "--channels", "0,1,2,3,4,5" }, 1, "--vqr", path("x.csv") },
        { QStringList { "--vqr", old, "--count", "1" }, 3, "is not written over", old },
        { QStringList { "--vqr", path("no folder/r.vqr") }, 3, "no folder/r.vqr", path("no folder/r.vqr") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = runCli(QStringList { "log" } + link() + c.arguments);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.constData();
        if (c.leftAlone == old) {
            QFile file(old);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), QByteArray(RecordBlockBytes, '\x11'));
        } else {
            EXPECT_FALSE(QFile::exists(c.leftAlone));
        }
    }

    // No instrument on the port: the record file made for the log is removed again.
    const CliRun run = runCli({ "log", "--port", path("nothing here"), "--vqr", fresh });
    EXPECT_EQ(run.code, 2) << run.err.constData();
    EXPECT_FALSE(QFile::exists(fresh));
}

class CliRecordExport : public ::testing::Test
{
protected:
    // A record made by the record core as the record window makes it: New, a sample each
    // second, a save every `saveEvery` samples and at the end.
    QString recordOf(const QString &name, int count, int saveEvery)
    {
        const QString file = dir.filePath(name);
        recorder->settings.channelSignal = { 0, 1, 2, 7, 8, -1 };
        recorder->settings.samplingIndex = 0;
        recorder->newFile(file);
        MeasurementRecord m {};
        const QDateTime start(QDate(2026, 3, 14), QTime(23, 59, 30));
        for (int i = 0; i < count; ++i) {
            m.URMS = 230.0f + float(i) * 0.01f;
            m.IRMS = float(i) / 3.0f;
            m.WRMS = -float(i);
            m.PF = 0.1f;
            m.VTHD = 1e-7f * float(i);
            recorder->sample(m, start.addMSecs(qint64(i) * 1000 + i % 7));
            if ((i + 1) % saveEvery == 0)
                recorder->save();
        }
        recorder->save();
        return file;
    }

    QTemporaryDir dir;
    std::unique_ptr<Recorder> recorder = std::make_unique<Recorder>();
};

TEST_F(CliRecordExport, RecordFilesOfTheRecordCoreBecomeOneRowPerSample)
{
    struct Case
    {
        int count;
        int saveEvery;
        int blocks;
    };
    for (const Case c : { Case { 2500, 20, 3 }, Case { 1000, 1000, 2 }, Case { 0, 1, 1 } }) {
        SCOPED_TRACE(c.count);
        const QString vqr = recordOf(QStringLiteral("r%1.vqr").arg(c.count), c.count, c.saveEvery);
        const auto arrays = std::make_unique<RecordArrays>();
        const RecordFileInfo info = ReadRecordFile(vqr, *arrays);
        ASSERT_EQ(info.blocks, c.blocks);
        ASSERT_EQ(info.count, c.count);

        const CliRun run = runCli({ "export", vqr });
        ASSERT_EQ(run.code, 0) << run.err.constData();
        bool ok = false;
        const QList<QStringList> rows
            = pythonCsvRows(dir.filePath(QStringLiteral("r%1.csv").arg(c.count)), &ok);
        ASSERT_TRUE(ok);
        ASSERT_EQ(rows.size(), c.count + 1);
        EXPECT_EQ(rows[0],
            QStringList({ "time", "CH1 Vol (V)", "CH2 Amp (A)", "CH3 Power (W)", "CH4 Power Factor",
                "CH5 Vol THD", "CH6" }));
        for (int i = 0; i < c.count; ++i) {
            const QDateTime time = QDateTime::fromString(rows[i + 1][0], Qt::ISODateWithMs);
            ASSERT_TRUE(time.isValid()) << qPrintable(rows[i + 1][0]);
            ASSERT_EQ(time.toMSecsSinceEpoch(), FromOleDate(arrays->timestamps()[i]).toMSecsSinceEpoch())
                << i;
            for (int ch = 0; ch < RecordChannels; ++ch)
                ASSERT_EQ(bits(parseFloat(rows[i + 1][ch + 1])), bits(arrays->channel(ch)[i]))
                    << i << " " << ch;
        }
        if (c.count > 31) {
            EXPECT_TRUE(rows[32][0].startsWith(QStringLiteral("2026-03-15T00:00:01.")))
                << "past midnight the date moves on: " << qPrintable(rows[32][0]);
        }
    }
}

TEST_F(CliRecordExport, FilesThatAreNoRecordAndUnwritableOutputsAreFileErrors)
{
    const QString good = recordOf(QStringLiteral("good.vqr"), 10, 10);
    const QString empty = dir.filePath(QStringLiteral("empty.vqr"));
    QFile(empty).open(QIODevice::WriteOnly);
    const QString folder = dir.filePath(QStringLiteral("folder.vqr"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QFile(text).open(QIODevice::WriteOnly);

    struct Case
    {
        QStringList arguments;
        const char *message;
    };
    const Case cases[] = {
        { { "export", empty }, "not a record file" },
        { { "export", folder }, "folder.vqr" },
        { { "export", dir.filePath(QStringLiteral("missing.vqr")) }, "missing.vqr" },
        { { "export", text }, "not a measurement file (.vqm) or record file (.vqr)" },
        { { "export", good, "--out", dir.filePath(QStringLiteral("no folder/good.csv")) },
            "no folder/good.csv" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.arguments.join(QLatin1Char(' '))));
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.code, 3);
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.constData();
        EXPECT_EQ(run.err.count('\n'), 1) << "one line";
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("empty.csv"))));

    // Standard output takes the same bytes as the file.
    const CliRun toFile = runCli({ "export", good });
    ASSERT_EQ(toFile.code, 0);
    const CliRun toStdout = runCli({ "export", good, "--out", "-" });
    ASSERT_EQ(toStdout.code, 0);
    QFile file(dir.filePath(QStringLiteral("good.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(toStdout.out, file.readAll());
}

} // namespace
