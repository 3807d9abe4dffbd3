// Recording against the simulated instrument on a real pseudo-terminal, during continuous
// sampling of the main window: the record file reopens with the values the instrument
// sent, bit for bit, survives a kill -9 of the program up to its last save, and holds every
// sample taken when the program ends on SIGTERM, SIGHUP or SIGINT.

#include "app/forms/TerminationSignals.h"
#include "base/Errors.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "link/sim/SimServer.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"
#include "record/forms/Rec.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"
#include "support/ProgramWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

#include <signal.h>

namespace {

constexpr int SimPort = 7;
// CH1 .. CH6 record Vol, Amp, Power, Apparent power, Frequency, Power Factor.
constexpr std::array<int, 6> Channels = { 0, 1, 2, 3, 6, 7 };
constexpr std::array<int, 6> FieldOffsets = { 0, 12, 28, 32, 8, 24 };

using Tuple = std::array<uint32_t, 6>;

// The six recorded fields, as bits, of every measurement the instrument sent intact.
std::set<Tuple> SentTuples(const sim::SimServer &server)
{
    std::set<Tuple> tuples;
    for (const sim::SentReply &reply : server.sentReplies()) {
        if (reply.kind != sim::Reply::Kind::Measurement || reply.frame.size() < MeasurementReplyDataBytes)
            continue;
        Tuple tuple;
        for (int ch = 0; ch < 6; ++ch)
            std::memcpy(&tuple[ch], reply.frame.data() + FieldOffsets[ch], 4);
        tuples.insert(tuple);
    }
    return tuples;
}

size_t MeasurementsSent(const sim::SimServer &server)
{
    size_t sent = 0;
    for (const sim::SentReply &reply : server.sentReplies())
        sent += reply.kind == sim::Reply::Kind::Measurement ? 1 : 0;
    return sent;
}

// A main window connected to the instrument at 115.2 kbit/s, and the record window beside it.
class Recording
{
public:
    explicit Recording(const QString &devicePath)
        : ports({ { SimPort, devicePath } })
    {
        ResetGlobals();
        RequestBuffer.fill(0);
        InitMeasurement();
        QString ini = QStringLiteral("[RecordSet]\nSampingSetp=0\nSaveSetp=0\n");
        for (int ch = 0; ch < 6; ++ch)
            ini += QStringLiteral("Ch%1=%2\n").arg(ch).arg(Channels[ch]);
        programDir.writeFile(QStringLiteral("SysSet.ini"), ini.toUtf8());

        main = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true, .record = true });
        record = RecordForm;
        InstrumentAddress = 1;
        main->Comm1->setBaudRate(br115200);
        main->Comm1->setCommPort(pnCOM(SimPort));
        main->Comm1->setPortOpen(true);
        main->SeSkinSpeedButton7->setEnabled(true);
        main->SeSkinSpeedButton8->setEnabled(true);
    }

    ~Recording()
    {
        ForgetProgramWindows();
        main.reset();
        ResetGlobals();
    }

    // Continuous sampling, New into `fileName`, then Start once a measurement has come.
    bool start(const QString &fileName)
    {
        if (!main->Comm1->portOpen())
            return false;
        main->SeSkinSpeedButton8->click();
        dialogs.fileNames.push_back(fileName);
        record->SeSkinSpeedButton12Click();
        if (!QTest::qWaitFor([] { return SamplingMode == 2 && Measurement.UF != 0.0f; }, 10000))
            return false;
        record->SeSkinSpeedButton5Click();
        return record->Timer1->isActive();
    }

    FakePortMap ports;
    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> main;
    TRecordForm *record = nullptr;
};

int FileCount(const QString &fileName, RecordArrays &arrays)
{
    try {
        return ReadRecordFile(fileName, arrays).count;
    } catch (const KmrError &) {
        return -1;
    }
}

// Every sample of the file is one measurement the instrument sent, all six channels from
// the same one, each taken once with the time it arrived: the timestamps rise, no closer
// together on average than the sampling step allows (a tick delayed by the reply handler's
// wait is followed by an early one), and there are no more samples than measurements.
void ExpectSamplesWereSent(
    const RecordArrays &arrays, int count, const sim::SimServer &server, double stepSeconds)
{
    const std::set<Tuple> sent = SentTuples(server);
    for (int i = 0; i < count; ++i) {
        Tuple tuple;
        for (int ch = 0; ch < 6; ++ch)
            std::memcpy(&tuple[ch], &arrays.channel(ch)[i], 4);
        EXPECT_TRUE(sent.count(tuple)) << "sample " << i << " is no measurement the instrument sent";
        if (i > 0) {
            EXPECT_GT(arrays.timestamps()[i], arrays.timestamps()[i - 1]) << i;
        }
    }
    EXPECT_LE(size_t(count), MeasurementsSent(server));
    if (count > 1) {
        const double average
            = (arrays.timestamps()[count - 1] - arrays.timestamps()[0]) * 86400.0 / (count - 1);
        EXPECT_GT(average, stepSeconds * 0.8);
    }
}

TEST(RecordEndToEnd, ARecordingReopensWithTheValuesTheInstrumentSent)
{
    sim::SimServer server;
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    auto recording = std::make_unique<Recording>(QString::fromStdString(server.devicePath()));
    TRecordForm *record = recording->record;
    // Short steps: the timers' own intervals, set as the settings window would.
    record->Timer1->setInterval(200);
    record->TimerSave->setInterval(1000);
    const QString fileName = recording->programDir.filePath(QStringLiteral("live.vqr"));
    ASSERT_TRUE(recording->start(fileName));

    auto arrays = std::make_unique<RecordArrays>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return FileCount(fileName, *arrays) >= 12; }, 60000));
    record->SeSkinSpeedButton6Click(); // saves what it took since the last save
    recording->main->SeSkinSpeedButton9->click();
    const int count = FileCount(fileName, *arrays);
    EXPECT_EQ(count, record->RecordCount());
    ExpectSamplesWereSent(*arrays, count, server, 0.2);

    // Open shows the same file in read mode with its own channels.
    recording->dialogs.fileNames.push_back(fileName);
    record->SeSkinSpeedButton1Click();
    EXPECT_EQ(record->LoadedLast, count - 1);
    EXPECT_EQ(record->statusText(0), QStringLiteral("采样步长：1S"));
    EXPECT_EQ(std::memcmp(record->LoadedRecord.channel(2), record->Record.live().channel(2), 4 * count), 0);
    EXPECT_TRUE(recording->dialogs.messages.empty()) << qPrintable(recording->dialogs.texts().join('\n'));
    recording.reset();
    server.stop();
}

// The child of the kill -9 test: records at 1 s sampling and 10 s saving until it is killed.
TEST(RecordEndToEnd, ChildRecordsUntilKilled)
{
    const QString line = qEnvironmentVariable("KMR_RECORD_CHILD_LINE");
    if (line.isEmpty())
        GTEST_SKIP() << "runs only as the child process of KillNineLosesOnlyTheSamplesSinceTheLastSave";
    Recording recording(line);
    ASSERT_EQ(recording.record->Timer1->interval(), 1000);
    ASSERT_EQ(recording.record->TimerSave->interval(), 10000);
    ASSERT_TRUE(recording.start(qEnvironmentVariable("KMR_RECORD_CHILD_FILE")));
    EXPECT_FALSE(QTest::qWaitFor([] { return false; }, 240000));
    FAIL() << "the parent did not end the recording";
}

TEST(RecordEndToEnd, KillNineLosesOnlyTheSamplesSinceTheLastSave)
{
    sim::SimServer server;
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    QTemporaryDir dir;
    const QString fileName = QDir(dir.path()).filePath(QStringLiteral("killed.vqr"));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KMR_RECORD_CHILD_LINE"), QString::fromStdString(server.devicePath()));
    environment.insert(QStringLiteral("KMR_RECORD_CHILD_FILE"), fileName);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--gtest_filter=RecordEndToEnd.ChildRecordsUntilKilled") });
    ASSERT_TRUE(child.waitForStarted(10000));

    // Two saves of 1-second samples, then kill -9 in the middle of the third save step.
    auto arrays = std::make_unique<RecordArrays>();
    int firstSave = -1;
    const bool saved = QTest::qWaitFor(
        [&] {
            const int count = FileCount(fileName, *arrays);
            if (count > 0 && firstSave < 0)
                firstSave = count;
            return firstSave > 0 && count > firstSave;
        },
        120000);
    const int lastSave = FileCount(fileName, *arrays);
    ::kill(pid_t(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_TRUE(saved) << "no second save; first " << firstSave << ", measurements sent "
                       << MeasurementsSent(server);

    EXPECT_EQ(QFileInfo(fileName).size() % RecordBlockBytes, 0);
    const RecordFileInfo info = ReadRecordFile(fileName, *arrays);
    EXPECT_EQ(info.count, lastSave);
    EXPECT_GT(info.count, firstSave);
    EXPECT_EQ(info.channelSignals, (std::array<uint8_t, 6> { 0, 1, 2, 3, 6, 7 }));
    EXPECT_EQ(info.step, 0);
    ExpectSamplesWereSent(*arrays, info.count, server, 1.0);
    server.stop();
}

// The child of the signal test: records at short steps that never reach a save tick, with
// the program's signal handling, and tells its count after every tick on standard output.
TEST(RecordEndToEnd, ChildRecordsUntilSignalled)
{
    const QString line = qEnvironmentVariable("KMR_RECORD_SIGNAL_LINE");
    if (line.isEmpty())
        GTEST_SKIP() << "runs only as the child process of TerminatingSignalsSaveEverySampleTaken";
    auto recording = std::make_unique<Recording>(line);
    TRecordForm *record = recording->record;
    const TerminationSignals closeOnSignal(recording->main.get());
    recording->main->show();
    record->Timer1->setInterval(200);
    record->TimerSave->setInterval(600000);
    TMainForm *main = recording->main.get();
    QObject::connect(record->Timer1, &QTimer::timeout, record, [record, main] {
        std::printf("taken %d (%s | %s)\n", record->RecordCount(),
            qPrintable(main->statusText(TMainForm::PanelCommunication)),
            qPrintable(record->statusText(TRecordForm::SamplingNoticePanel)));
        std::fflush(stdout);
    });
    ASSERT_TRUE(recording->start(qEnvironmentVariable("KMR_RECORD_SIGNAL_FILE")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recording->main->isVisible(); }, 120000))
        << "no signal closed the program";
    const int taken = record->RecordCount();
    recording.reset(); // the program's end after its event loop
    std::printf("ended %d\n", taken);
    std::fflush(stdout);
}

TEST(RecordEndToEnd, TerminatingSignalsSaveEverySampleTaken)
{
    sim::SimServer server;
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    QTemporaryDir dir;
    for (int number : { SIGTERM, SIGHUP, SIGINT }) {
        SCOPED_TRACE(strsignal(number));
        const QString fileName = QDir(dir.path()).filePath(QStringLiteral("signal%1.vqr").arg(number));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(
            QStringLiteral("KMR_RECORD_SIGNAL_LINE"), QString::fromStdString(server.devicePath()));
        environment.insert(QStringLiteral("KMR_RECORD_SIGNAL_FILE"), fileName);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--gtest_filter=RecordEndToEnd.ChildRecordsUntilSignalled") });
        ASSERT_TRUE(child.waitForStarted(10000));

        // Samples taken, none saved yet (the save step is ten minutes): then the signal.
        QByteArray output;
        const auto lastCount = [&](const char *word) {
            int count = -1;
            for (const QByteArray &l : output.split('\n'))
                if (l.startsWith(word))
                    count = l.mid(int(std::strlen(word)) + 1).split(' ').first().toInt();
            return count;
        };
        const bool sampled = QTest::qWaitFor(
            [&] {
                output += child.readAllStandardOutput();
                return lastCount("taken") >= 2;
            },
            60000);
        ::kill(pid_t(child.processId()), number);
        const bool finished = child.waitForFinished(20000);
        if (!finished)
            child.kill();
        output += child.readAllStandardOutput();
        ASSERT_TRUE(sampled) << output.toStdString() << "measurements sent " << MeasurementsSent(server);
        ASSERT_TRUE(finished);
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.exitCode(), 0) << output.toStdString();

        const int taken = lastCount("ended");
        EXPECT_GE(taken, 2);
        auto arrays = std::make_unique<RecordArrays>();
        const RecordFileInfo info = ReadRecordFile(fileName, *arrays);
        EXPECT_EQ(info.count, taken);
        EXPECT_EQ(QFileInfo(fileName).size(), RecordBlockBytes);
        EXPECT_EQ(info.channelSignals, (std::array<uint8_t, 6> { 0, 1, 2, 3, 6, 7 }));
        ExpectSamplesWereSent(*arrays, info.count, server, 0.2);
    }
    server.stop();
}

} // namespace
