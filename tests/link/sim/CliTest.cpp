// The kmr5150-sim command: its options, its first output line, its link, its signals.

#include "PtyLine.h"

#include "support/SimProcess.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace simtest;

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

TEST(SimCommand, BadOptionsGetTheUsageAndStatus2)
{
    const QStringList cases[] = {
        { "--bogus" },
        { "--address" },
        { "--address", "256" },
        { "--address", "x1" },
        { "--address", "-1" },
        { "--corrupt-every", "-3" },
        { "--drop-every", "2.5" },
        { "--trigger-delay", "soon" },
        { "--trigger-delay", "-1" },
        { "--seed", "99999999999999999999999" },
        { "--link", "" },
        { "--verbose=yes" },
        { "--usb=1" },
        { "stray" },
        { "--split-every", "3", "--truncate-every" },
    };
    for (const QStringList &arguments : cases) {
        SCOPED_TRACE(qPrintable(arguments.join(' ')));
        QProcess process;
        process.start(SimProcess::executablePath(), arguments);
        ASSERT_TRUE(process.waitForFinished(5000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 2);
        EXPECT_TRUE(process.readAllStandardOutput().isEmpty()) << "no device path";
        EXPECT_TRUE(process.readAllStandardError().contains("Usage: kmr5150-sim"));
    }
}

TEST(SimCommand, HelpDescribesTheOptionsAndSignals)
{
    QProcess process;
    process.start(SimProcess::executablePath(), { "--help" });
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitCode(), 0);
    const QByteArray text = process.readAllStandardOutput();
    for (const char *word : { "--link", "--address", "--trigger-delay", "--corrupt-every", "--drop-every",
             "--truncate-every", "--split-every", "--seed", "--verbose", "--vanish-after", "--return-after",
             "--usb", "SIGUSR1", "SIGUSR2" })
        EXPECT_TRUE(text.contains(word)) << word;
}

TEST(SimCommand, FirstLineIsTheDeviceAndTheDeviceAnswers)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    EXPECT_TRUE(sim.devicePath().startsWith("/dev/")) << qPrintable(sim.devicePath());
    LineEnd line(sim.devicePath().toStdString(), B115200);
    ASSERT_TRUE(line.isOpen());
    line.send(readFrame(1, 128, 2));
    EXPECT_EQ(line.receive(9, 2.0), (Bytes { 0x01, 0x03, 0x04, 0, 0, 0, 0, 0xFA, 0x33 }));
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimCommand, EndsWithStatus0OnSigintSigtermAndSighup)
{
    for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(signal);
        QTemporaryDir dir;
        const QString link = dir.filePath("meter");
        SimProcess sim({ "--link", link });
        ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.devicePath())
            << "the link is there once the path is out";
        ASSERT_EQ(::kill(pid_t(sim.pid()), signal), 0);
        EXPECT_EQ(sim.waitForExit(), 0);
        EXPECT_FALSE(QFileInfo(link).isSymLink()) << "the link is removed at exit";
    }
}

TEST(SimCommand, OptionsReachTheInstrument)
{
    struct Case
    {
        const char *name;
        QStringList arguments;
        Bytes request;
        size_t length;
        bool goodCrc;
    };
    const Case cases[] = {
        { "address 7 answers at 7", { "--address", "7" }, readFrame(7, 128, 2), 9, true },
        { "address 7 ignores 1", { "--address=7" }, readFrame(1, 128, 2), 0, false },
        { "every reply corrupted", { "--corrupt-every", "1" }, readFrame(1, 128, 2), 9, false },
        { "every reply dropped", { "--drop-every", "1" }, readFrame(1, 128, 2), 0, false },
        { "every reply split still arrives whole", { "--split-every", "1", "--split-pause", "0.1" },
            readFrame(1, 128, 2), 9, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimProcess sim(c.arguments);
        ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
        LineEnd line(sim.devicePath().toStdString(), B115200);
        line.send(c.request);
        const Bytes reply = line.receive(c.length ? c.length : 1, c.length ? 2.0 : 0.4);
        EXPECT_EQ(reply.size(), c.length);
        if (c.length) {
            EXPECT_EQ(crcIsGood(reply), c.goodCrc);
        }
    }
}

TEST(SimCommand, TriggerDelayOption)
{
    SimProcess sim({ "--trigger-delay", "0.3" });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    LineEnd line(sim.devicePath().toStdString(), B115200);
    const auto start = SteadyClock::now();
    line.send(readFrame(1, 147, 0x0000));
    const Bytes notice = line.receive(5, 3.0);
    ASSERT_EQ(notice.size(), 5u);
    EXPECT_EQ(notice[1], 0x0A);
    EXPECT_GE(secondsSince(start), 0.29);
}

TEST(SimCommand, VerboseLogsRequestsAndReplies)
{
    SimProcess sim({ "--verbose" });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    LineEnd line(sim.devicePath().toStdString(), B115200);
    line.send(readFrame(1, 148, 2));
    ASSERT_EQ(line.receive(2532, 2.0).size(), 2532u);
    EXPECT_TRUE(sim.waitForLog("request: read 148 count 0x0002", 2000)) << qPrintable(sim.log());
    EXPECT_TRUE(sim.waitForLog("reply #1: measurement, 2532 bytes", 2000)) << qPrintable(sim.log());
}

TEST(SimCommand, QuietWithoutVerbose)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    LineEnd line(sim.devicePath().toStdString(), B115200);
    line.send(readFrame(1, 128, 2));
    ASSERT_EQ(line.receive(9, 2.0).size(), 9u);
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_TRUE(sim.log().isEmpty()) << qPrintable(sim.log());
}

TEST(SimCommand, VanishesAndComesBackOnSignals)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("meter");
    SimProcess sim({ "--link", link });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    LineEnd line(link.toStdString(), B115200);
    ASSERT_TRUE(line.isOpen());

    ASSERT_TRUE(sim.vanish());
    EXPECT_TRUE(waitUntil([&] { return !QFileInfo(link).isSymLink(); }, 3000)) << "link removed";
    line.receive(1, 1.0);
    EXPECT_TRUE(line.hungUp());

    ASSERT_TRUE(sim.comeBack());
    ASSERT_TRUE(sim.waitForOutputLines(2, 3000)) << "the new device path is printed";
    const QString second = sim.outputLines().at(1);
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), second);
    LineEnd again(link.toStdString(), B115200);
    again.send(readFrame(1, 128, 2));
    EXPECT_EQ(again.receive(9, 2.0).size(), 9u);
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimCommand, VanishesAndComesBackOnItsOwnTimers)
{
    QTemporaryDir dir;
    const QString link = dir.filePath("meter");
    SimProcess sim({ "--link", link, "--vanish-after", "0.3", "--return-after", "0.4" });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    EXPECT_TRUE(waitUntil([&] { return !QFileInfo(link).isSymLink(); }, 3000)) << "gone after 0.3 s";
    ASSERT_TRUE(sim.waitForOutputLines(2, 3000)) << "back after 0.4 s more";
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.outputLines().at(1));
    EXPECT_EQ(sim.terminate(), 0);
}

TEST(SimCommand, RefusesToReplaceAFileWithItsLink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QProcess process;
    process.start(SimProcess::executablePath(), { "--link", path });
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep me");
}

} // namespace
