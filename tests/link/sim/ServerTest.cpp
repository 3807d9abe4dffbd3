// The simulated instrument on a real pseudo-terminal, seen from the program's side: a raw
// line at a chosen speed, replies paced at that speed, faults on the wire, vanishing and
// coming back.

#include "PtyLine.h"

#include "link/sim/SimServer.h"

#include "link/Frames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

using namespace simtest;

bool waitUntilArmed(sim::SimServer &server)
{
    const auto start = SteadyClock::now();
    while (!server.withInstrument([](sim::Instrument &i) { return i.armed(); })) {
        if (secondsSince(start) > 2.0)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

sim::ServerOptions quickOptions()
{
    sim::ServerOptions options;
    options.instrument.triggerDelay = 0.2;
    return options;
}

TEST(SimServer, AnswersRequestsOverThePseudoTerminal)
{
    sim::SimServer server(quickOptions());
    std::string error;
    ASSERT_TRUE(server.start(&error)) << error;
    LineEnd line(server.devicePath(), B115200);
    ASSERT_TRUE(line.isOpen());

    struct Case
    {
        const char *name;
        Bytes request;
        size_t length; // 0: no reply at all
    };
    const Case cases[] = {
        { "measurement", readFrame(1, 148, 2), 2532 },
        { "mode byte", readFrame(1, 128, 2), 9 },
        { "alarm limit", readFrame(1, 121, 2), 9 },
        { "alarm write", writeFrame(1, 118, { 0, 0, 0x84, 0x43 }), 5 },
        { "starting-test page", readFrame(1, 147, 0x0400), 1710 },
        { "link watch", readFrame(1, 187, 15), 0 },
        { "calibration step", writeFrame(1, 166, { 2, 0, 0, 0 }), 0 },
        { "another address", readFrame(2, 148, 2), 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        line.send(c.request);
        // Silence is judged after long enough for a short reply.
        const Bytes reply = line.receive(c.length ? c.length : 1, c.length ? 3.0 : 0.3);
        EXPECT_EQ(reply.size(), c.length);
        if (c.length) {
            EXPECT_TRUE(crcIsGood(reply));
        }
    }
    EXPECT_EQ(server.withInstrument([](sim::Instrument &i) { return i.writesOf(166); }), 1);
}

TEST(SimServer, PacesRepliesAtTheSpeedTheFarEndSet)
{
    struct Case
    {
        speed_t code;
        uint32_t speed;
    };
    for (const Case c : { Case { B38400, 38400 }, Case { B115200, 115200 } }) {
        SCOPED_TRACE(c.speed);
        sim::SimServer server;
        ASSERT_TRUE(server.start());
        LineEnd line(server.devicePath(), c.code);
        EXPECT_EQ(server.lineSpeed(), c.speed);

        const double wire = 2532 * 10.0 / c.speed; // 0.66 s and 0.22 s
        std::vector<std::pair<double, size_t>> arrivals;
        const auto start = SteadyClock::now();
        line.send(readFrame(1, 148, 2));
        const Bytes reply = line.receive(2532, wire + 3.0, &arrivals, start);
        ASSERT_EQ(reply.size(), 2532u);
        EXPECT_TRUE(crcIsGood(reply));
        const double took = arrivals.back().first;
        EXPECT_GE(took, 0.95 * wire);
        EXPECT_LE(took, wire + 0.5);

        // The bytes trickle in: at half the wire time roughly half of them are there.
        size_t atHalf = 0;
        for (const auto &[time, count] : arrivals)
            if (time <= wire / 2)
                atHalf = count;
        EXPECT_GT(atHalf, 2532u / 5);
        EXPECT_LT(atHalf, 2532u * 4 / 5);

        ASSERT_TRUE(server.waitForReplies(1, std::chrono::seconds(2)));
        EXPECT_EQ(server.sentReplies().at(0).lineSpeed, c.speed);
    }
}

TEST(SimServer, WithoutPacingAnswersAtOnceAsOverUsb)
{
    sim::ServerOptions options;
    options.pacing = false;
    sim::SimServer server(options);
    ASSERT_TRUE(server.start());
    LineEnd line(server.devicePath(), B9600);
    std::vector<std::pair<double, size_t>> arrivals;
    const auto start = SteadyClock::now();
    line.send(readFrame(1, 148, 2));
    const Bytes reply = line.receive(2532, 3.0, &arrivals, start);
    ASSERT_EQ(reply.size(), 2532u);
    EXPECT_TRUE(crcIsGood(reply));
    EXPECT_LT(arrivals.back().first, 0.5) << "2.6 s on the wire at 9600 baud";
}

TEST(SimServer, ReadsBackEverySpeedQtSets)
{
    sim::SimServer server;
    ASSERT_TRUE(server.start());
    QSerialPort port(QString::fromStdString(server.devicePath()));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << qPrintable(port.errorString());
    // 14400 and 76800 have no standard code; Qt sets them by number.
    for (const int speed : { 4800, 9600, 14400, 19200, 38400, 57600, 76800, 115200 }) {
        SCOPED_TRACE(speed);
        ASSERT_TRUE(port.setBaudRate(speed)) << qPrintable(port.errorString());
        EXPECT_EQ(server.lineSpeed(), uint32_t(speed));
    }
}

TEST(SimServer, PacesACustomSpeed)
{
    sim::SimServer server;
    ASSERT_TRUE(server.start());
    QSerialPort port(QString::fromStdString(server.devicePath()));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite));
    ASSERT_TRUE(port.setBaudRate(76800));
    const Bytes request = readFrame(1, 148, 2);
    const auto start = SteadyClock::now();
    port.write(reinterpret_cast<const char *>(request.data()), qint64(request.size()));
    ASSERT_TRUE(port.waitForBytesWritten(1000));
    QByteArray reply;
    while (reply.size() < 2532 && secondsSince(start) < 4.0) {
        if (port.waitForReadyRead(100))
            reply += port.readAll();
    }
    const double took = secondsSince(start);
    ASSERT_EQ(reply.size(), 2532);
    EXPECT_GE(took, 0.95 * 2532 * 10 / 76800.0); // 0.33 s
    EXPECT_LE(took, 2532 * 10 / 76800.0 + 0.5);
}

TEST(SimServer, AnswersInTheOrderAsked)
{
    sim::SimServer server;
    ASSERT_TRUE(server.start());
    LineEnd line(server.devicePath(), B115200);
    Bytes both = readFrame(1, 148, 2);
    const Bytes mode = readFrame(1, 128, 2);
    both.insert(both.end(), mode.begin(), mode.end());
    line.send(both);
    const Bytes reply = line.receive(2532 + 9, 3.0);
    ASSERT_EQ(reply.size(), 2532u + 9);
    EXPECT_TRUE(crcIsGood(Bytes(reply.begin(), reply.begin() + 2532)));
    EXPECT_EQ(Bytes(reply.begin() + 2532, reply.end()), (Bytes { 0x01, 0x03, 0x04, 0, 0, 0, 0, 0xFA, 0x33 }));
}

TEST(SimServer, FaultsReachTheWire)
{
    sim::ServerOptions options;
    options.faults.corruptEvery = 2;
    options.faults.dropEvery = 3;
    sim::SimServer server(options);
    ASSERT_TRUE(server.start());
    LineEnd line(server.devicePath(), B115200);
    // Reply 1 good, 2 corrupted, 3 dropped, 4 corrupted, 5 good, 6 dropped.
    const char *expected[] = { "good", "corrupt", "none", "corrupt", "good", "none" };
    for (const char *e : expected) {
        SCOPED_TRACE(e);
        line.send(readFrame(1, 128, 2));
        const Bytes reply = line.receive(9, std::string(e) == "none" ? 0.3 : 2.0);
        if (std::string(e) == "none") {
            EXPECT_TRUE(reply.empty());
            continue;
        }
        ASSERT_EQ(reply.size(), 9u);
        EXPECT_EQ(crcIsGood(reply), std::string(e) == "good");
    }
    ASSERT_TRUE(server.waitForReplies(6, std::chrono::seconds(2)));
    const auto sent = server.sentReplies();
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[2].faults, unsigned(sim::FaultDrop));
    EXPECT_TRUE(sent[2].sent.empty());
    EXPECT_EQ(sent[4].sent, sent[4].frame);
}

TEST(SimServer, SplitReplyPausesBetweenItsBursts)
{
    sim::ServerOptions options;
    options.faults.splitEvery = 1;
    options.faults.splitPause = 0.3;
    sim::SimServer server(options);
    ASSERT_TRUE(server.start());
    LineEnd line(server.devicePath(), B115200);
    std::vector<std::pair<double, size_t>> arrivals;
    line.send(readFrame(1, 118, 2));
    const Bytes reply = line.receive(9, 3.0, &arrivals);
    ASSERT_EQ(reply.size(), 9u);
    EXPECT_TRUE(crcIsGood(reply)) << "a split reply is whole once both bursts are in";
    ASSERT_GE(arrivals.size(), 2u);
    double longestGap = 0;
    for (size_t k = 1; k < arrivals.size(); ++k)
        longestGap = std::max(longestGap, arrivals[k].first - arrivals[k - 1].first);
    EXPECT_GE(longestGap, 0.27);
}

TEST(SimServer, EachReplyUsesTheSpeedSetBeforeIt)
{
    sim::SimServer server;
    ASSERT_TRUE(server.start());
    QSerialPort port(QString::fromStdString(server.devicePath()));
    ASSERT_TRUE(port.open(QIODevice::ReadWrite));
    const int speeds[] = { 115200, 57600, 76800 };
    for (size_t k = 0; k < std::size(speeds); ++k) {
        ASSERT_TRUE(port.setBaudRate(speeds[k]));
        const Bytes request = readFrame(1, 128, 2);
        port.write(reinterpret_cast<const char *>(request.data()), qint64(request.size()));
        port.waitForBytesWritten(1000);
        ASSERT_TRUE(server.waitForReplies(int(k) + 1, std::chrono::seconds(3)));
    }
    const auto sent = server.sentReplies();
    ASSERT_EQ(sent.size(), std::size(speeds));
    for (size_t k = 0; k < sent.size(); ++k)
        EXPECT_EQ(sent[k].lineSpeed, uint32_t(speeds[k]));
}

TEST(SimServer, StartingTestOverTheLine)
{
    sim::SimServer server(quickOptions());
    ASSERT_TRUE(server.start());
    LineEnd line(server.devicePath(), B115200);
    const auto start = SteadyClock::now();
    line.send(readFrame(1, 147, 0x0031)); // "150V" and "1 (Low)"
    const Bytes notice = line.receive(5, 3.0);
    EXPECT_GE(secondsSince(start), 0.19);
    ASSERT_EQ(notice.size(), 5u);
    EXPECT_EQ(notice[1], 0x0A);
    EXPECT_EQ(notice[2], 146);
    EXPECT_TRUE(crcIsGood(notice));
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        line.send(readFrame(1, 147, uint16_t(page << 8)));
        const Bytes frame = line.receive(1710, 3.0);
        ASSERT_EQ(frame.size(), 1710u);
        EXPECT_TRUE(crcIsGood(frame));
        if (page == 1) {
            EXPECT_FLOAT_EQ(BytesToSingle(frame.data()), float(150 * std::sqrt(2.0) / 2000));
            EXPECT_FLOAT_EQ(BytesToSingle(frame.data() + 4), float(10.0 / 2000));
        }
    }
}

TEST(SimServer, SurvivesTheProgramClosingAndReopeningItsPort)
{
    sim::SimServer server;
    ASSERT_TRUE(server.start());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        LineEnd line(server.devicePath(), B115200);
        line.send(readFrame(1, 128, 2));
        EXPECT_EQ(line.receive(9, 2.0).size(), 9u);
    }
}

TEST(SimServer, VanishesAndComesBackWithItsLink)
{
    QTemporaryDir dir;
    sim::ServerOptions options;
    options.linkPath = dir.filePath("kmr5150").toStdString();
    sim::SimServer server(options);
    ASSERT_TRUE(server.start());
    const QString link = QString::fromStdString(options.linkPath);
    const std::string first = server.devicePath();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QString::fromStdString(first));

    LineEnd line(options.linkPath, B115200);
    ASSERT_TRUE(line.isOpen());
    line.send(readFrame(1, 128, 2));
    ASSERT_EQ(line.receive(9, 2.0).size(), 9u);

    server.vanish();
    EXPECT_FALSE(server.isPresent());
    EXPECT_TRUE(server.devicePath().empty());
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    line.receive(1, 1.0);
    EXPECT_TRUE(line.hungUp()) << "the program's port goes dead";

    std::string error;
    ASSERT_TRUE(server.comeBack(&error)) << error;
    EXPECT_TRUE(server.isPresent());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), QString::fromStdString(server.devicePath()));
    LineEnd again(options.linkPath, B115200);
    ASSERT_TRUE(again.isOpen());
    again.send(readFrame(1, 128, 2));
    EXPECT_EQ(again.receive(9, 2.0).size(), 9u);

    server.stop();
    EXPECT_FALSE(QFileInfo(link).isSymLink()) << "stopping removes the link";
}

TEST(SimServer, ANoticeDueWhileGoneGoesOutOnReturnWithoutBusyWaiting)
{
    sim::SimServer server(quickOptions());
    ASSERT_TRUE(server.start());
    {
        LineEnd line(server.devicePath(), B115200);
        line.send(readFrame(1, 147, 0x0000));
        ASSERT_TRUE(waitUntilArmed(server));
    }
    server.vanish();
    // The notice falls due while the line is gone; the server must sleep, not spin.
    const uint64_t before = server.wakeups();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_LT(server.wakeups() - before, 10u);

    ASSERT_TRUE(server.comeBack());
    LineEnd line(server.devicePath(), B115200);
    const Bytes notice = line.receive(5, 2.0);
    ASSERT_EQ(notice.size(), 5u);
    EXPECT_EQ(notice[1], 0x0A);
}

TEST(SimServer, KeepsWhatIsAlreadyAtTheLinkPathUnlessItIsALink)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("taken");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    sim::ServerOptions options;
    options.linkPath = path.toStdString();
    sim::SimServer refused(options);
    std::string error;
    EXPECT_FALSE(refused.start(&error));
    EXPECT_FALSE(error.empty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");

    // A stale link from an earlier run is replaced.
    const QString stale = dir.filePath("stale");
    ASSERT_TRUE(QFile::link("/dev/null", stale));
    options.linkPath = stale.toStdString();
    sim::SimServer server(options);
    ASSERT_TRUE(server.start(&error)) << error;
    EXPECT_EQ(QFileInfo(stale).symLinkTarget(), QString::fromStdString(server.devicePath()));
}

} // namespace
