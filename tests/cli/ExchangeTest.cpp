// The request and reply rules of the command-line tool's link on a scripted device and a
// fake clock: paced wait by speed and link, resends after damaged, short and missing
// replies, replies of another kind passed over, and the time-out.

#include "cli/Exchange.h"
#include "cli/CliError.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "measure/MeasurementRecord.h"

#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// Answers each frame written with the next scripted reply (an empty one: no reply).
struct Script
{
    std::deque<QByteArray> replies;
    QByteArray queue;
    std::vector<QByteArray> written;
    std::vector<QDateTime> writtenAt;
    QString path;
};

class ScriptedDevice final : public SerialDevice
{
public:
    explicit ScriptedDevice(Script &script)
        : m_script(script)
    {
    }
    bool open(const QString &path) override { return m_open = path == m_script.path; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool setupQueues(uint32_t, uint32_t) override { return true; }
    void purge(uint32_t flags) override
    {
        if (flags & PurgeRxClear)
            m_script.queue.clear();
    }
    bool applySettings(const LineSettings &) override { return true; }
    bool queueStatus(uint32_t &errorMask, uint32_t &queued) override
    {
        errorMask = 0;
        queued = static_cast<uint32_t>(m_script.queue.size());
        return m_open;
    }
    int64_t read(char *data, int64_t size) override
    {
        const int64_t n = std::min<int64_t>(size, m_script.queue.size());
        std::memcpy(data, m_script.queue.constData(), size_t(n));
        m_script.queue.remove(0, n);
        return n;
    }
    int64_t write(const char *data, int64_t size) override
    {
        m_script.written.emplace_back(data, int(size));
        m_script.writtenAt.push_back(platform::clock().now());
        if (!m_script.replies.empty()) {
            m_script.queue += m_script.replies.front();
            m_script.replies.pop_front();
        }
        return size;
    }
    bool modemStatus(uint32_t &bits) override
    {
        bits = 0;
        return true;
    }
    bool setDtr(bool) override { return true; }
    bool setRts(bool) override { return true; }

private:
    Script &m_script;
    bool m_open = false;
};

class ScriptedBackend final : public SerialBackend
{
public:
    explicit ScriptedBackend(Script &script)
        : m_script(script)
    {
        platform::install(this);
    }
    ~ScriptedBackend() override { platform::install(static_cast<SerialBackend *>(nullptr)); }
    std::unique_ptr<SerialDevice> createDevice() override
    {
        return std::make_unique<ScriptedDevice>(m_script);
    }

private:
    Script &m_script;
};

QByteArray withCrc(QByteArray bytes)
{
    const uint16_t crc = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), int(bytes.size()));
    bytes.append(char(crc & 0xFF));
    bytes.append(char(crc >> 8));
    return bytes;
}

QByteArray measurementFrame(char fill = 0x11)
{
    return withCrc(QByteArray(MeasurementReplyDataBytes, fill));
}

const QByteArray ModeReply = QByteArray::fromHex("010304030000 00fa77").replace(' ', "");

QByteArray readFrame(uint16_t reg, uint16_t count)
{
    const std::array<uint8_t, 8> frame = BuildReadFrame(1, reg, count);
    return QByteArray(reinterpret_cast<const char *>(frame.data()), 8);
}

class CliExchange : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        RequestBuffer.fill(0);
        script.path = programDir.makeFile(QStringLiteral("dev/kmr5150"));
    }
    void TearDown() override { ResetGlobals(); }

    LinkTarget target(int baudIndex, bool usb = false) const
    {
        LinkTarget t;
        t.portName = script.path;
        t.devicePath = script.path;
        t.baudIndex = baudIndex;
        t.baud = baudIndex >= 0 ? ListedSpeeds[size_t(baudIndex)] : 9600;
        t.address = 1;
        t.usb = usb;
        return t;
    }

    TempProgramDir programDir;
    FakeClock clock;
    FakeDialogs dialogs;
    Script script;
    ScriptedBackend backend { script };
};

TEST_F(CliExchange, TheWaitIsPacedByTheSpeedOnlyForLongRepliesAndNotOverTheUsbLink)
{
    struct Case
    {
        int baudIndex;
        bool usb;
        uint16_t reg;
        QByteArray reply;
        int stepMs; // 0: no paced steps
    };
    const Case cases[] = {
        { 7, false, MeasurementRegister, measurementFrame(), 4 },
        { 0, false, MeasurementRegister, measurementFrame(), 120 },
        { 2, false, MeasurementRegister, measurementFrame(), 36 },
        { 7, true, MeasurementRegister, measurementFrame(), 0 },
        { -1, false, MeasurementRegister, measurementFrame(), 0 },
        { 0, false, ModeRegister, ModeReply, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(
            testing::Message() << "speed " << c.baudIndex << " usb " << c.usb << " register " << c.reg);
        clock.sleeps.clear();
        script.written.clear();
        script.replies = { c.reply };
        InstrumentLink link(target(c.baudIndex, c.usb));
        link.open();
        EXPECT_EQ(link.read(c.reg, 2, 10000), c.reply);
        std::vector<int> expected { 20 };
        if (c.stepMs > 0)
            expected.insert(expected.end(), 50, c.stepMs);
        EXPECT_EQ(clock.sleeps, expected);
        ASSERT_EQ(script.written.size(), 1u);
        EXPECT_EQ(script.written[0], readFrame(c.reg, 2));
        EXPECT_EQ(UsbLink, c.usb ? 1 : 0);
    }
}

TEST_F(CliExchange, DamagedShortMissingAndForeignRepliesAreAskedForAgain)
{
    QByteArray corrupt = measurementFrame();
    corrupt[100] = char(corrupt[100] ^ 0x40);
    struct Case
    {
        const char *what;
        std::deque<QByteArray> replies;
        int writes;
        int damaged;
        int silent;
        bool atOnce; // the second request goes out without 2 s of silence
    };
    const Case cases[] = {
        { "wrong CRC", { corrupt, measurementFrame() }, 2, 1, 0, true },
        { "four bytes", { QByteArray::fromHex("01030400"), measurementFrame() }, 2, 1, 0, true },
        { "cut short", { measurementFrame().left(2000), measurementFrame() }, 2, 1, 0, true },
        { "no reply", { QByteArray(), measurementFrame() }, 2, 0, 1, false },
        { "another kind", { ModeReply, measurementFrame() }, 2, 0, 1, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        script.written.clear();
        script.writtenAt.clear();
        script.queue.clear();
        script.replies = c.replies;
        InstrumentLink link(target(7));
        link.open();
        EXPECT_EQ(link.readMeasurement(10000), measurementFrame());
        ASSERT_EQ(int(script.written.size()), c.writes);
        for (const QByteArray &frame : script.written)
            EXPECT_EQ(frame, readFrame(MeasurementRegister, 2));
        EXPECT_EQ(link.counters().damaged, c.damaged);
        EXPECT_EQ(link.counters().silent, c.silent);
        EXPECT_EQ(link.counters().resends, c.writes - 1);
        const qint64 gap = script.writtenAt[0].msecsTo(script.writtenAt[1]);
        if (c.atOnce)
            EXPECT_LT(gap, 2000);
        else
            EXPECT_GE(gap, 2000);
    }
}

TEST_F(CliExchange, ASilentInstrumentIsAskedEveryTwoSecondsUntilTheTimeOut)
{
    InstrumentLink link(target(7));
    link.open();
    const QDateTime start = clock.now();
    EXPECT_TRUE(link.readMeasurement(7000).isEmpty());
    EXPECT_GE(start.msecsTo(clock.now()), 7000);
    EXPECT_LT(start.msecsTo(clock.now()), 7100);
    EXPECT_EQ(script.written.size(), 4u) << "at 0, 2, 4 and 6 s";
    EXPECT_EQ(link.counters().silent, 3);
}

TEST_F(CliExchange, AStopRequestEndsTheWaitAtOnce)
{
    InstrumentLink link(target(7));
    link.open();
    int asked = 0;
    link.stopRequested = [&] { return ++asked > 3; };
    const QDateTime start = clock.now();
    EXPECT_TRUE(link.readMeasurement(60000).isEmpty());
    EXPECT_LT(start.msecsTo(clock.now()), 100);
}

TEST_F(CliExchange, AtTheWirePaceAQueuedReplyIsTakenWithoutAnyWait)
{
    struct Case
    {
        uint16_t reg;
        QByteArray reply;
    } cases[] = { { MeasurementRegister, measurementFrame() }, { ModeRegister, ModeReply } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.reg);
        clock.sleeps.clear();
        script.replies = { c.reply };
        InstrumentLink link(target(0));
        link.setWirePace(true);
        link.open();
        EXPECT_EQ(link.read(c.reg, 2, 10000), c.reply);
        EXPECT_TRUE(clock.sleeps.empty()) << clock.sleeps.size() << " sleeps";
    }
}

// A line at 115.2 kbit/s: each millisecond slept, the next 11 bytes of the reply arrive.
class WireClock final : public Clock
{
public:
    WireClock(Script &script, QByteArray reply)
        : m_script(script)
        , m_pending(std::move(reply))
    {
        platform::install(this);
    }
    ~WireClock() override { platform::install(static_cast<Clock *>(nullptr)); }
    QDateTime now() const override { return m_now; }
    void sleepMs(int ms) override
    {
        slept += ms;
        m_now = m_now.addMSecs(ms);
        const qsizetype n = std::min<qsizetype>(m_pending.size(), qsizetype(ms) * 11);
        m_script.queue += m_pending.left(n);
        m_pending.remove(0, n);
    }
    int slept = 0;

private:
    Script &m_script;
    QByteArray m_pending;
    QDateTime m_now = QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53));
};

TEST_F(CliExchange, AtTheWirePaceAReplyIsTakenWhenItsLastByteArrives)
{
    struct Case
    {
        const char *what;
        bool wire;
        int minMs, maxMs;
    } cases[] = {
        // 2532 bytes at 11 a millisecond: 231 ms on this line.
        { "at the wire's pace", true, 230, 233 },
        { "paced", false, 20 + 50 * 4 + 11, 20 + 50 * 4 + 2 * 20 + 11 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        script.replies = { QByteArray() };
        script.queue.clear();
        WireClock line(script, measurementFrame());
        InstrumentLink link(target(7));
        link.setWirePace(c.wire);
        link.open();
        EXPECT_EQ(link.readMeasurement(10000), measurementFrame());
        EXPECT_GE(line.slept, c.minMs);
        EXPECT_LE(line.slept, c.maxMs);
        EXPECT_EQ(link.counters().resends, 0);
    }
}

TEST_F(CliExchange, AtTheWirePaceDamagedShortAndMissingRepliesAreAskedForAgain)
{
    QByteArray corrupt = measurementFrame();
    corrupt[100] = char(corrupt[100] ^ 0x40);
    struct Case
    {
        const char *what;
        std::deque<QByteArray> replies;
        int damaged;
        int silent;
        qint64 minGapMs, maxGapMs; // between the first request and the second
    };
    const Case cases[] = {
        // Each is followed by one quiet gap in which nothing more arrives, then asked again.
        { "wrong CRC", { corrupt, measurementFrame() }, 1, 0, 20, 21 },
        // Taken for cut once the line has been quiet for the gap.
        { "four bytes", { QByteArray::fromHex("01030400"), measurementFrame() }, 1, 0, 40, 41 },
        { "cut short", { measurementFrame().left(2000), measurementFrame() }, 1, 0, 40, 41 },
        { "no reply", { QByteArray(), measurementFrame() }, 0, 1, 2000, 2001 },
        { "another kind", { ModeReply, measurementFrame() }, 0, 1, 2000, 2001 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        script.written.clear();
        script.writtenAt.clear();
        script.queue.clear();
        script.replies = c.replies;
        InstrumentLink link(target(7));
        link.setWirePace(true);
        link.open();
        EXPECT_EQ(link.readMeasurement(10000), measurementFrame());
        ASSERT_EQ(script.written.size(), 2u);
        EXPECT_EQ(script.written[1], readFrame(MeasurementRegister, 2));
        EXPECT_EQ(link.counters().damaged, c.damaged);
        EXPECT_EQ(link.counters().silent, c.silent);
        EXPECT_EQ(link.counters().resends, 1);
        const qint64 gap = script.writtenAt[0].msecsTo(script.writtenAt[1]);
        EXPECT_GE(gap, c.minGapMs);
        EXPECT_LE(gap, c.maxGapMs);
    }
}

TEST_F(CliExchange, OpeningFailuresNameThePort)
{
    LinkTarget absent = target(7);
    absent.devicePath = programDir.filePath(QStringLiteral("dev/none"));
    absent.portName = absent.devicePath;
    InstrumentLink link(absent);
    try {
        link.open();
        ADD_FAILURE() << "opened an absent device";
    } catch (const CliError &error) {
        EXPECT_EQ(error.code(), ExitDevice);
        EXPECT_EQ(error.text(), absent.devicePath + QStringLiteral(": no such device"));
    }
    LinkTarget unmapped = target(7);
    unmapped.portName = QStringLiteral("COM250");
    unmapped.portNumber = 250;
    unmapped.devicePath.clear();
    InstrumentLink none(unmapped);
    EXPECT_THROW(none.open(), CliError);
}

} // namespace
