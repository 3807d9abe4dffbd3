// The link session on a fake port and a fake clock, without any window: what each reply
// makes of the session's state, what it tells, and what goes out next.

#include "link/LinkSession.h"

#include "link/Frames.h"
#include "link/Globals.h"
#include "link/MeasurementLayout.h"
#include "link/Registers.h"
#include "link/TComm.h"

#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const QString PortPath = QStringLiteral("/dev/fake2");

QByteArray withCrc(QByteArray bytes)
{
    const uint16_t crc = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), int(bytes.size()));
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

QByteArray readFrame(uint8_t reg, uint16_t count)
{
    const auto frame = BuildReadFrame(1, reg, count);
    return QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size()));
}

QByteArray measurementFrame(char fill)
{
    return withCrc(QByteArray(MeasurementReplyDataBytes, fill));
}

QByteArray valueReply(uint8_t first)
{
    return withCrc(QByteArray::fromHex("010304") + QByteArray(1, char(first)) + QByteArray(3, '\0'));
}

// Every outcome the session tells, as one line of text each, in order.
class SessionTest : public ::testing::Test
{
protected:
    SessionTest()
    {
        ResetGlobals();
        InstrumentAddress = 1;
        comm.pollTimer()->stop();
        comm.setBaudRate(br115200);
        comm.setPortOpen(true);
        session.setBaudIndex(7);
        const auto log = [this](QString line) { outcomes << line; };
        QObject::connect(&session, &LinkSession::measurementArrived, [log](const uint8_t *frame) {
            log(QStringLiteral("measurement %1").arg(int(frame[0]), 2, 16, QLatin1Char('0')));
        });
        QObject::connect(&session, &LinkSession::startingPageRequested,
            [log](int page) { log(QStringLiteral("page %1 asked").arg(page)); });
        QObject::connect(
            &session, &LinkSession::startingCaptureCompleted, [log] { log(QStringLiteral("capture")); });
        QObject::connect(&session, &LinkSession::triggerNoticed, [log] { log(QStringLiteral("trigger")); });
        QObject::connect(&session, &LinkSession::alarmValueArrived, [log](uint8_t reg, const uint8_t *data) {
            log(QStringLiteral("alarm %1 = %2").arg(int(reg)).arg(int(data[0])));
        });
        QObject::connect(
            &session, &LinkSession::alarmChainSynchronised, [log] { log(QStringLiteral("synchronised")); });
        QObject::connect(&session, &LinkSession::modeByteArrived,
            [log](uint8_t mode) { log(QStringLiteral("mode %1").arg(int(mode))); });
        QObject::connect(&session, &LinkSession::writeAcknowledged,
            [log](uint8_t reg) { log(QStringLiteral("acknowledged %1").arg(int(reg))); });
        QObject::connect(&session, &LinkSession::resent,
            [log](ReplyKind why) { log(QStringLiteral("resent %1").arg(static_cast<int>(why))); });
        QObject::connect(&session, &LinkSession::requestFailed, [log] { log(QStringLiteral("failed")); });
        QObject::connect(&session, &LinkSession::waitStep, [this](int step) { steps.push_back(step); });
    }
    ~SessionTest() override { ResetGlobals(); }

    // A read of `reg` went out: the routing byte and the read to repeat are its.
    void asked(uint8_t reg, uint8_t count = 2)
    {
        ASSERT_TRUE(session.read(reg, count));
        port.written.clear();
    }
    // The bytes arrive and the receive event runs.
    void receive(const QByteArray &bytes)
    {
        port.feed(bytes);
        session.receive();
    }
    QByteArray takeWritten()
    {
        const QByteArray written = port.written;
        port.written.clear();
        return written;
    }

    FakeClock clock;
    FakeDialogs dialogs;
    FakeSerialBackend serial;
    FakePortMap ports { { { 2, PortPath } } };
    FakePort &port = serial.port(PortPath);
    TComm comm;
    LinkSession session { comm };
    QStringList outcomes;
    std::vector<int> steps;
};

QString resent(ReplyKind why)
{
    return QStringLiteral("resent %1").arg(static_cast<int>(why));
}

TEST_F(SessionTest, EachKindOfReplyTellsItsOutcomeAndAsksForWhatComesNext)
{
    QByteArray damaged = measurementFrame(0x21);
    damaged[10] = char(damaged[10] ^ 0x08);
    struct Case
    {
        const char *name;
        uint8_t asked; // the read that went out before the reply
        uint8_t askedCount;
        uint8_t alarmStep;
        QByteArray reply;
        QStringList outcomes;
        QByteArray next; // what goes out in answer
    } cases[] = {
        { "measurement", RegMeasurement, 2, 0, measurementFrame(0x21), { "measurement 21" }, {} },
        { "measurement whatever was asked", RegMode, 2, 0, measurementFrame(0x22), { "measurement 22" }, {} },
        { "four bytes", RegMeasurement, 2, 0, QByteArray::fromHex("01030400"), { resent(ReplyKind::Short) },
            readFrame(RegMeasurement, 2) },
        { "damaged measurement", RegMeasurement, 2, 0, damaged, { resent(ReplyKind::Damaged) },
            readFrame(RegMeasurement, 2) },
        { "longer than any reply", RegMeasurement, 2, 0, QByteArray(5000, '\x33'),
            { resent(ReplyKind::TooLong) }, readFrame(RegMeasurement, 2) },
        { "short reply to a starting page", RegStartingTest, 3, 0, QByteArray::fromHex("0103"),
            { resent(ReplyKind::Short) }, readFrame(RegStartingTest, 0x0300) },
        { "mode byte starts the alarm chain", RegMode, 2, 0, valueReply(3), { "mode 3" },
            readFrame(RegAlarmFirst, 2) },
        { "mode byte after a finished chain", RegMode, 2, 4, valueReply(1), { "mode 1" }, {} },
        { "first alarm register asks for the second", RegAlarmFirst, 2, 0, valueReply(7), { "alarm 118 = 7" },
            readFrame(RegAlarmFirst + 1, 2) },
        { "an alarm register asked for again", RegAlarmFirst, 2, 1, valueReply(7), { "alarm 118 = 7" }, {} },
        { "the switches end the chain", RegAlarmSwitches, 2, 8, valueReply(5),
            { "alarm 126 = 5", "synchronised" }, {} },
        { "write acknowledged", RegMeasurement, 2, 0, withCrc(QByteArray::fromHex("010976")),
            { "acknowledged 118" }, {} },
        { "trigger notice", RegMode, 2, 0, withCrc(QByteArray::fromHex("010A92")), { "trigger" },
            readFrame(RegStartingTest, 0x0100) },
        { "a starting page while no fetch runs", RegMeasurement, 2, 0,
            withCrc(QByteArray(StartingPageBytes, '\x44')), {}, {} },
        { "a value of a register nobody reads", RegMeasurement, 2, 0, valueReply(9), {}, {} },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        outcomes.clear();
        AlarmReadStep = c.alarmStep;
        StartingPage = 0;
        asked(c.asked, c.askedCount);
        receive(c.reply);
        EXPECT_EQ(outcomes, c.outcomes);
        EXPECT_EQ(takeWritten().toHex(), c.next.toHex());
        EXPECT_TRUE(port.received.isEmpty());
    }
}

TEST_F(SessionTest, ARepliedValueMovesTheChainAndTheModeWord)
{
    AlarmReadStep = 2;
    asked(RegAlarmFirst + 2);
    receive(valueReply(1));
    EXPECT_EQ(AlarmReadStep, 3);

    ModeWord = 0x40;
    asked(RegMode);
    receive(valueReply(2));
    EXPECT_EQ(ModeWord, 2);
}

TEST_F(SessionTest, DamagedInputNeverReachesTheFrameBuffer)
{
    asked(RegMeasurement);
    receive(measurementFrame(0x55));
    ASSERT_EQ(session.frameBuffer()[0], 0x55);
    const auto kept = session.frameBuffer();
    receive(QByteArray(FrameBufferSize + 40, '\x66'));
    EXPECT_EQ(session.frameBuffer(), kept);
    EXPECT_EQ(outcomes.last(), resent(ReplyKind::TooLong));
}

TEST_F(SessionTest, StartingTestFetchesTheSixPagesThenTheCapture)
{
    asked(RegMode);
    receive(withCrc(QByteArray::fromHex("010A92")));
    EXPECT_EQ(StartingPage, 1);
    EXPECT_EQ(LastRegister, RegStartingTest);
    EXPECT_EQ(LastCount, 1);
    ASSERT_EQ(takeWritten().toHex(), readFrame(RegStartingTest, 0x0100).toHex());

    QByteArray capture;
    for (int page = 1; page <= StartingPages; ++page) {
        SCOPED_TRACE(page);
        const QByteArray payload(StartingPageBytes, char(0x10 + page));
        capture += payload;
        outcomes.clear();
        receive(withCrc(payload));
        if (page < StartingPages) {
            EXPECT_EQ(outcomes, QStringList { QStringLiteral("page %1 asked").arg(page + 1) });
            EXPECT_EQ(StartingPage, page + 1);
            EXPECT_EQ(LastCount, page + 1);
            EXPECT_EQ(takeWritten().toHex(), readFrame(RegStartingTest, uint16_t((page + 1) << 8)).toHex());
            EXPECT_TRUE(std::all_of(
                StartingCapture.begin(), StartingCapture.end(), [](uint8_t b) { return b == 0; }));
        }
    }
    EXPECT_EQ(outcomes, QStringList { QStringLiteral("capture") });
    EXPECT_EQ(StartingPage, 0);
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char *>(StartingCapture.data()), StartingCaptureBytes), capture);
    EXPECT_TRUE(takeWritten().isEmpty());

    // A page that comes when no fetch runs any more is dropped.
    outcomes.clear();
    receive(withCrc(QByteArray(StartingPageBytes, '\x77')));
    EXPECT_TRUE(outcomes.isEmpty());
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char *>(StartingCapture.data()), StartingCaptureBytes), capture);
}

TEST_F(SessionTest, AFetchCutOffByALostPortAsksForItsPageAgain)
{
    StartingPage = 4;
    session.resumeStartingFetch();
    EXPECT_EQ(takeWritten().toHex(), readFrame(RegStartingTest, 0x0400).toHex());
    EXPECT_EQ(outcomes, QStringList { QStringLiteral("page 4 asked") });

    outcomes.clear();
    StartingPage = 0;
    session.resumeStartingFetch();
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_TRUE(outcomes.isEmpty());
}

TEST_F(SessionTest, AlarmChainRunsFromTheModeByteToTheSwitches)
{
    AlarmReadStep = 7;
    session.startAlarmChain();
    EXPECT_EQ(AlarmReadStep, 0);
    EXPECT_EQ(LastRegister, RegMode);
    ASSERT_EQ(takeWritten().toHex(), readFrame(RegMode, 2).toHex());

    receive(valueReply(0));
    ASSERT_EQ(takeWritten().toHex(), readFrame(RegAlarmFirst, 2).toHex());
    for (int reg = RegAlarmFirst; reg < RegAlarmSwitches; ++reg) {
        SCOPED_TRACE(reg);
        receive(valueReply(uint8_t(reg)));
        EXPECT_EQ(takeWritten().toHex(), readFrame(uint8_t(reg + 1), 2).toHex());
    }
    outcomes.clear();
    receive(valueReply(3));
    EXPECT_EQ(outcomes, (QStringList { QStringLiteral("alarm 126 = 3"), QStringLiteral("synchronised") }));
    EXPECT_EQ(AlarmReadStep, 9);
    EXPECT_TRUE(takeWritten().isEmpty());

    // The chain is not started again by a later mode byte.
    asked(RegMode);
    receive(valueReply(0));
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(SessionTest, RequestsThatFindNoPortAreTold)
{
    asked(RegAlarmFirst);
    comm.setPortOpen(false);
    session.startAlarmChain();
    EXPECT_EQ(LastRegister, RegMode); // its reply is what is awaited all the same
    session.writeMode(3);
    EXPECT_EQ(ModeWord, 3);
    EXPECT_FALSE(session.read(RegMeasurement, 2));
    EXPECT_EQ(LastRegister, RegMode);
    EXPECT_EQ(outcomes, (QStringList { QStringLiteral("failed"), QStringLiteral("failed") }));

    // The reply to the first alarm register is in; the request for the next finds no port.
    outcomes.clear();
    const QByteArray reply = valueReply(0);
    session.handleFrame(reinterpret_cast<const uint8_t *>(reply.constData()), int(reply.size()));
    EXPECT_EQ(outcomes, (QStringList { QStringLiteral("alarm 118 = 0"), QStringLiteral("failed") }));
    EXPECT_EQ(AlarmReadStep, 1);
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(SessionTest, TheWaitIsPacedBySpeedOnlyForLongRepliesAndNotOverTheUsbLink)
{
    struct Case
    {
        int baudIndex;
        uint8_t awaited;
        uint8_t usb;
        int stepMs; // 0: no paced sleeps
        std::vector<int> steps; // the progress told
    } cases[] = {
        { 7, RegMeasurement, 0, 4, {} },
        { 0, RegStartingTest, 0, 120, {} },
        { 3, RegMeasurement, 0, 26, {} },
        { -1, RegMeasurement, 0, 0, {} },
        { 7, RegMode, 0, 0, {} },
        { 7, RegMeasurement, 1, 0, { PacedSteps } },
    };
    std::vector<int> allSteps(PacedSteps);
    for (int i = 0; i < PacedSteps; ++i)
        allSteps[size_t(i)] = i + 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.baudIndex << "/" << int(c.awaited) << "/" << int(c.usb));
        session.setBaudIndex(c.baudIndex);
        UsbLink = c.usb;
        clock.sleeps.clear();
        steps.clear();
        session.waitForReply(c.awaited);
        std::vector<int> expected { FirstSleepMs };
        if (c.stepMs)
            expected.insert(expected.end(), PacedSteps, c.stepMs);
        // Nothing is queued: the settling wait looks once, then takes the silence for the end.
        if (c.awaited != RegMode)
            expected.push_back(20);
        EXPECT_EQ(clock.sleeps, expected);
        EXPECT_EQ(steps, c.usb ? c.steps : allSteps);
    }
}

TEST_F(SessionTest, AStopRequestEndsThePacedSteps)
{
    int asked = 0;
    session.stopRequested = [&asked] { return ++asked > 3; };
    session.waitForReply(RegMeasurement);
    EXPECT_EQ(steps, (std::vector<int> { 1, 2, 3 }));
}

// A line on which a byte arrives every millisecond, without end.
class StreamingClock final : public Clock
{
public:
    explicit StreamingClock(FakePort &port)
        : m_port(port)
    {
        platform::install(this);
    }
    ~StreamingClock() override { platform::install(static_cast<Clock *>(nullptr)); }
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)).addMSecs(slept); }
    void sleepMs(int ms) override
    {
        slept += ms;
        m_port.feed(QByteArray(ms, '\x5A'));
    }
    int slept = 0;

private:
    FakePort &m_port;
};

TEST_F(SessionTest, AtTheWirePaceALineThatNeverFallsQuietIsWaitedForNoLongerThanTheLongestReply)
{
    session.setPace(LinkSession::Pace::Wire);
    StreamingClock line(port);
    // 2532 bytes at 115.2 kbit/s take 220 ms, and one quiet time of 20 ms.
    session.waitForReply(0);
    EXPECT_EQ(line.slept, 240);
    // A reply that asks again is followed by the same wait, and what came is dropped.
    line.slept = 0;
    const FetchedReply got = session.fetch();
    EXPECT_TRUE(got.reply.asksAgain());
    EXPECT_EQ(line.slept, 240);
    EXPECT_EQ(comm.dataCount(), 0u);
}

TEST_F(SessionTest, TheReceiveEventNeverNests)
{
    asked(RegMeasurement);
    int nested = 0;
    QObject::connect(&session, &LinkSession::measurementArrived, [this, &nested] {
        if (nested++ == 0)
            receive(measurementFrame(0x02));
    });
    receive(measurementFrame(0x01));
    EXPECT_EQ(outcomes, QStringList { QStringLiteral("measurement 01") });
    // The second reply waits for the next event.
    session.receive();
    EXPECT_EQ(outcomes.last(), QStringLiteral("measurement 02"));
}

TEST_F(SessionTest, TheSessionsPortTakesTheRequestsWhileItLives)
{
    EXPECT_EQ(RequestPort(), &comm);
    {
        TComm other;
        LinkSession second(other);
        EXPECT_EQ(RequestPort(), &other);
    }
    EXPECT_EQ(RequestPort(), nullptr);
}

} // namespace
