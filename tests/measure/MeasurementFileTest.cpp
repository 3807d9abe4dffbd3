#include "measure/MeasurementFile.h"
#include "base/Errors.h"
#include "link/Globals.h"
#include "measure/PanelTexts.h"
#include "support/Fakes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Readable QString values in failure messages.
static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
QByteArray bytesOf(const MeasurementRecord &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), MeasurementRecordBytes);
}

class MeasurementFile : public testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        std::memset(&Measurement, 0, sizeof Measurement);
        InitMeasurement();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { ResetGlobals(); }

    QString path(const QString &name) const { return dir.filePath(name); }

    static void writeFile(const QString &name, const QByteArray &content)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    static QByteArray readFile(const QString &name)
    {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    // A record in which every byte, the tail included, tells where it is.
    static MeasurementRecord patterned()
    {
        MeasurementRecord record;
        auto *bytes = reinterpret_cast<uint8_t *>(&record);
        for (int i = 0; i < MeasurementRecordBytes; ++i)
            bytes[i] = uint8_t(i * 31 + 7);
        return record;
    }

    QTemporaryDir dir;
};
} // namespace

TEST_F(MeasurementFile, StartUpRecordIsSavedByteForByte)
{
    SaveMeasurementFile(path("start.vqm"), Measurement);
    const QByteArray file = readFile(path("start.vqm"));
    ASSERT_EQ(file.size(), MeasurementRecordBytes);
    for (int i = 0; i < 468; ++i)
        ASSERT_EQ(file[i], 0) << i;
    EXPECT_EQ(file.mid(468, 8), QByteArray::fromHex("0000803f0000803f"));
    EXPECT_EQ(file.mid(476, 2), QByteArray::fromHex("0002"));
    for (int i = 478; i < 2530; i += 2)
        ASSERT_EQ(file.mid(i, 2), QByteArray::fromHex("ff07")) << i;
    for (int i = 2530; i < MeasurementRecordBytes; ++i)
        ASSERT_EQ(file[i], 0) << i;
}

TEST_F(MeasurementFile, SaveThenLoadRestoresEveryByteWithTheTail)
{
    const MeasurementRecord saved = patterned();
    SaveMeasurementFile(path("a.vqm"), saved);
    MeasurementRecord loaded {};
    LoadMeasurementFile(path("a.vqm"), loaded);
    EXPECT_EQ(bytesOf(loaded), bytesOf(saved));

    // A live measurement replaces only the reply part; the file's tail is saved again.
    Measurement = loaded;
    std::vector<uint8_t> reply(MeasurementReplyDataBytes, 0x11);
    StoreMeasurementReply(reply.data());
    SaveMeasurementFile(path("b.vqm"), Measurement);
    EXPECT_EQ(readFile(path("b.vqm")).mid(MeasurementReplyDataBytes),
        bytesOf(saved).mid(MeasurementReplyDataBytes));
}

TEST_F(MeasurementFile, SavingTruncatesALongerFile)
{
    writeFile(path("long.vqm"), QByteArray(9000, 'x'));
    SaveMeasurementFile(path("long.vqm"), Measurement);
    EXPECT_EQ(readFile(path("long.vqm")), bytesOf(Measurement));
}

TEST_F(MeasurementFile, FileSizesAndFailuresOnLoad)
{
    const QByteArray image = bytesOf(patterned());
    struct Case
    {
        const char *name;
        QByteArray content; // empty: the file does not exist
        bool loads;
        const char *error;
    } cases[] = {
        { "exact.vqm", image, true, nullptr },
        // A file of another size is no measurement file, whatever its first bytes are.
        { "longer.vqm", image + QByteArray(10000 - MeasurementRecordBytes, '\xAB'), false,
            "This is not a measurement file: it has 10000 bytes, a measurement file has exactly 8052 bytes" },
        { "export.csv", QByteArray("Quantity,Value,Unit\r\nURMS,230.1,V\r\n").repeated(400), false,
            "This is not a measurement file: it has 14000 bytes, a measurement file has exactly 8052 bytes" },
        { "short.vqm", image.left(8000), false,
            "The file is too short for a measurement file: it has 8000 bytes, a measurement file has 8052 "
            "bytes" },
        { "empty.vqm", QByteArray(), false, "No such file or directory" },
        { "one-less.vqm", image.left(MeasurementRecordBytes - 1), false,
            "The file is too short for a measurement file: it has 8051 bytes, a measurement file has 8052 "
            "bytes" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.content.isEmpty())
            writeFile(path(c.name), c.content);
        MeasurementRecord record {};
        std::memset(&record, 0x5A, sizeof record);
        const QByteArray before = bytesOf(record);
        if (c.loads) {
            LoadMeasurementFile(path(c.name), record);
            EXPECT_EQ(bytesOf(record), image);
        } else {
            try {
                LoadMeasurementFile(path(c.name), record);
                ADD_FAILURE() << "no error raised";
            } catch (const EInOutError &error) {
                EXPECT_EQ(error.text(), QString::fromLatin1(c.error));
            }
            EXPECT_EQ(bytesOf(record), before) << "a failed load must leave the record as it was";
        }
    }
}

TEST_F(MeasurementFile, DirectoryAndMissingFolderRaiseSystemErrors)
{
    MeasurementRecord record = patterned();
    const QByteArray before = bytesOf(record);
    EXPECT_THROW(LoadMeasurementFile(dir.path(), record), EInOutError);
    EXPECT_EQ(bytesOf(record), before);
    try {
        SaveMeasurementFile(path("no-such-folder/x.vqm"), record);
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError &error) {
        EXPECT_EQ(error.text(), QStringLiteral("No such file or directory"));
    }
}

TEST_F(MeasurementFile, FailingReadLeavesTheRecordAsItWas)
{
    // Opens fine, then every read fails: the first page of the process is not mapped.
    if (!QFile::exists(QStringLiteral("/proc/self/mem")))
        GTEST_SKIP() << "no /proc on this system";
    MeasurementRecord record = patterned();
    const QByteArray before = bytesOf(record);
    try {
        LoadMeasurementFile(QStringLiteral("/proc/self/mem"), record);
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError &error) {
        EXPECT_FALSE(error.text().isEmpty());
        EXPECT_NE(error.text(), QStringLiteral("Read beyond end of file")) << "the system's own text";
    }
    EXPECT_EQ(bytesOf(record), before);
}

TEST_F(MeasurementFile, NaNReactivePowerIsLoadedAsItIsAndShownAsZero)
{
    QByteArray image = bytesOf(Measurement);
    image.replace(36, 4, QByteArray::fromHex("0000c07f"));
    image.replace(60 + 4, 4, QByteArray::fromHex("0000c07f"));
    writeFile(path("nan.vqm"), image);
    LoadMeasurementFile(path("nan.vqm"), Measurement);
    EXPECT_TRUE(std::isnan(Measurement.PQ));
    EXPECT_TRUE(std::isnan(Measurement.UHarm[1]));
    EXPECT_EQ(PanelTexts(Measurement)[Panel_PQ], QStringLiteral("0.0"));
}

TEST_F(MeasurementFile, SaveCommandAsksBeforeOverwriting)
{
    FakeDialogs dialogs;
    const QString existing = path("old.vqm");
    writeFile(existing, "old content");

    struct Case
    {
        const char *name;
        QString chosen;
        std::optional<bool> answer; // none: no question expected
        bool saved;
        QByteArray fileAfter;
    } cases[] = {
        { "cancelled dialog", QString(), std::nullopt, false, "old content" },
        { "refused overwrite", existing, false, false, "old content" },
        { "accepted overwrite", existing, true, true, bytesOf(Measurement) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.questions.clear();
        dialogs.fileDialogs.clear();
        dialogs.fileNames = { c.chosen };
        if (c.answer)
            dialogs.answers = { *c.answer };
        EXPECT_EQ(SaveMeasurementCommand(Measurement), c.saved);
        ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
        EXPECT_EQ(dialogs.fileDialogs[0].first, QStringLiteral("Norvo测量文件(.vqm)|*.vqm"));
        EXPECT_EQ(dialogs.fileDialogs[0].second, QStringLiteral("TestFile.vqm"));
        ASSERT_EQ(dialogs.questions.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(dialogs.questions[0].title, QStringLiteral("File exists"));
            EXPECT_EQ(dialogs.questions[0].text, QStringLiteral("  File already exists, overwrite?？  "));
        }
        EXPECT_EQ(readFile(existing), c.fileAfter);
    }
}

TEST_F(MeasurementFile, SaveCommandWritesANewFileWithoutAsking)
{
    FakeDialogs dialogs;
    dialogs.fileNames = { path("new.vqm") };
    EXPECT_TRUE(SaveMeasurementCommand(Measurement));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(readFile(path("new.vqm")), bytesOf(Measurement));
}

TEST_F(MeasurementFile, SaveCommandAddsTheExtensionToANameTypedWithoutOne)
{
    FakeDialogs dialogs;
    dialogs.fileNames = { path("typed") };
    EXPECT_TRUE(SaveMeasurementCommand(Measurement));
    EXPECT_EQ(readFile(path("typed.vqm")), bytesOf(Measurement));
    EXPECT_FALSE(QFile::exists(path("typed")));
}

TEST_F(MeasurementFile, CommandsNameTheFileInTheirErrors)
{
    FakeDialogs dialogs;
    struct Case
    {
        const char *name;
        QString file;
        std::function<void()> command;
    } cases[] = {
        { "save into a missing folder", path("no such folder/x.vqm"),
            [] { SaveMeasurementCommand(Measurement); } },
        { "open a missing file", path("missing.vqm"), [] { OpenMeasurementCommand(Measurement); } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.fileNames = { c.file };
        try {
            c.command();
            ADD_FAILURE() << "no error raised";
        } catch (const EInOutError &error) {
            EXPECT_EQ(error.text(), c.file + QStringLiteral(": No such file or directory"));
        }
    }
}

TEST_F(MeasurementFile, OpenCommandLoadsTheChosenFile)
{
    FakeDialogs dialogs;
    const MeasurementRecord saved = patterned();
    SaveMeasurementFile(path("in.vqm"), saved);
    const QByteArray startUp = bytesOf(Measurement);

    dialogs.fileNames = { QString() };
    EXPECT_FALSE(OpenMeasurementCommand(Measurement));
    EXPECT_EQ(bytesOf(Measurement), startUp);

    dialogs.fileNames = { path("in.vqm") };
    EXPECT_TRUE(OpenMeasurementCommand(Measurement));
    EXPECT_EQ(bytesOf(Measurement), bytesOf(saved));
    ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.fileDialogs[1].first, QStringLiteral("NorvoFile|*.vqm|AllFile|*.*"));

    dialogs.fileNames = { path("missing.vqm") };
    EXPECT_THROW(OpenMeasurementCommand(Measurement), EInOutError);
    EXPECT_EQ(bytesOf(Measurement), bytesOf(saved));
}

TEST(CommandLine, ExtensionsAreRecognisedInThreeSpellingsOnly)
{
    struct Case
    {
        const char *name;
        CommandLineKind kind;
    } cases[] = {
        { "C:\\data\\x.vqm", CommandLineKind::MeasurementFile },
        { "C:\\data\\x.VQM", CommandLineKind::MeasurementFile },
        { "/home/u/x.Vqm", CommandLineKind::MeasurementFile },
        { "x.vQm", CommandLineKind::None },
        { "x.VQm", CommandLineKind::None },
        { "x.vqM", CommandLineKind::None },
        { "C:\\data\\x.vqr", CommandLineKind::RecordFile },
        { "x.VQR", CommandLineKind::RecordFile },
        { "x.Vqr", CommandLineKind::RecordFile },
        { "x.vqR", CommandLineKind::None },
        { "x.txt", CommandLineKind::None },
        { "vqm", CommandLineKind::MeasurementFile }, // only the last three characters count
        { "qm", CommandLineKind::None },
        { "", CommandLineKind::None },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyCommandLineFile(QString::fromLatin1(c.name)), c.kind) << c.name;
}

TEST(CommandLine, WindowsCommandLineIsCutAfterTheQuotedProgramPath)
{
    const QString program = QStringLiteral("C:\\Norvo\\KMR5150.exe"); // 20 characters
    struct Case
    {
        QString commandLine;
        QString expected;
    } cases[] = {
        { "\"" + program + "\" C:\\data\\x.VQM", "C:\\data\\x.VQM" },
        { "\"" + program + "\" \"C:\\my data\\x.vqm\"", "C:\\my data\\x.vqm" },
        { "\"" + program + "\"   C:\\data\\x.vqr   ", "C:\\data\\x.vqr" },
        { "\"" + program + "\" \"", "" },
        { "\"" + program + "\"", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(CutCommandLine(c.commandLine, int(program.size())), c.expected)
            << c.commandLine.toStdString();
}

TEST_F(MeasurementFile, CommandLineLoadsMeasurementsAndHandsOnRecords)
{
    FakeDialogs dialogs;
    const MeasurementRecord saved = patterned();
    SaveMeasurementFile(path("x.VQM"), saved);
    const QByteArray startUp = bytesOf(Measurement);

    struct Case
    {
        const char *name;
        QStringList arguments;
        CommandLineKind kind;
        bool startedWithFile;
        bool loaded;
        int messages;
    } cases[] = {
        { "no argument", { "KMR5150" }, CommandLineKind::None, false, false, 0 },
        { "record file", { "KMR5150", path("run.vqr") }, CommandLineKind::RecordFile, true, false, 0 },
        { "other file", { "KMR5150", path("x.txt") }, CommandLineKind::None, true, false, 0 },
        { "odd capitals", { "KMR5150", path("x.vQm") }, CommandLineKind::None, true, false, 0 },
        { "missing measurement", { "KMR5150", path("gone.vqm") }, CommandLineKind::None, true, false, 1 },
        { "measurement file", { "KMR5150", path("x.VQM") }, CommandLineKind::MeasurementFile, true, true, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ResetGlobals();
        std::memcpy(&Measurement, startUp.constData(), MeasurementRecordBytes);
        dialogs.messages.clear();
        EXPECT_EQ(HandleCommandLine(c.arguments, Measurement), c.kind);
        EXPECT_EQ(StartedWithFile, c.startedWithFile);
        EXPECT_EQ(CommandLineFile, c.arguments.value(1));
        EXPECT_EQ(bytesOf(Measurement), c.loaded ? bytesOf(saved) : startUp);
        ASSERT_EQ(int(dialogs.messages.size()), c.messages);
        if (c.messages) {
            EXPECT_EQ(
                dialogs.messages[0].text, path("gone.vqm") + QStringLiteral(": No such file or directory"));
            EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        }
    }
}

namespace {
// Runs `call` on a thread and waits at most a few seconds for it. A call stuck opening the
// pipe `fifo` is set free by opening its other end, so that a fault shows as a failure
// instead of a test that never ends. True when the call came back by itself in time.
bool returnsWithoutWaiting(const std::function<void()> &call, const QString &fifo)
{
    std::atomic<bool> done = false;
    std::thread worker([&] {
        call();
        done = true;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool inTime = done;
    while (!done) {
        // Both ends, without waiting: whichever end the call waits on is then taken.
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (writer >= 0)
            ::close(writer);
        if (reader >= 0)
            ::close(reader);
    }
    worker.join();
    return inTime;
}
} // namespace

TEST_F(MeasurementFile, PipesFoldersAndDevicesAreRefusedAtOnce)
{
    FakeDialogs dialogs;
    const QString fifo = path("pipe.vqm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = path("folder.vqm");
    ASSERT_TRUE(QDir().mkdir(folder));
    struct Case
    {
        QString name;
        const char *kind;
    } cases[] = {
        { fifo, "a pipe" },
        { folder, "a folder" },
        { QStringLiteral("/dev/null"), "a device" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString refusal = QStringLiteral("\"%1\" is %2, not a file").arg(c.name, QLatin1String(c.kind));
        MeasurementRecord record = patterned();
        const QByteArray before = bytesOf(record);

        QString loadError;
        EXPECT_TRUE(returnsWithoutWaiting(
            [&] {
                try {
                    LoadMeasurementFile(c.name, record);
                } catch (const EInOutError &error) {
                    loadError = error.text();
                }
            },
            fifo));
        EXPECT_EQ(loadError, refusal);
        EXPECT_EQ(bytesOf(record), before);

        QString saveError;
        EXPECT_TRUE(returnsWithoutWaiting(
            [&] {
                try {
                    SaveMeasurementFile(c.name, record);
                } catch (const EInOutError &error) {
                    saveError = error.text();
                }
            },
            fifo));
        EXPECT_EQ(saveError, refusal);

        // Start-up with such a name shows the refusal and goes on.
        if (ClassifyCommandLineFile(c.name) == CommandLineKind::MeasurementFile) {
            dialogs.messages.clear();
            CommandLineKind kind = CommandLineKind::MeasurementFile;
            EXPECT_TRUE(returnsWithoutWaiting(
                [&] {
                    kind = HandleCommandLine({ QStringLiteral("KMR5150"), c.name }, Measurement);
                },
                fifo));
            EXPECT_EQ(kind, CommandLineKind::None);
            ASSERT_EQ(dialogs.messages.size(), 1u);
            EXPECT_EQ(dialogs.messages[0].text, refusal);
        }

        // Save refuses before asking whether to overwrite.
        dialogs.questions.clear();
        dialogs.fileNames = { c.name };
        dialogs.answers = { true };
        EXPECT_THROW(SaveMeasurementCommand(record), EInOutError);
        EXPECT_TRUE(dialogs.questions.empty());
    }
    struct stat info;
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode)) << "the pipe is left as it was";
}
