#include "link/TComm.h"

#include "support/FakeSerial.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString OpenFailed = QStringLiteral("通讯出现异常！请检查连接是否正确或重新启动程序和仪器。");
const QString NotOpened = QStringLiteral("COM Port is not opened yet!");
const QString Path2 = QStringLiteral("/dev/fake2");

bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 3000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QString ecommText(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ECommError &error) {
        return error.text();
    }
    return {};
}

// A component on fake devices; port numbers 1, 2 and 10 have devices. Ticks are run by hand.
class TCommTest : public ::testing::Test
{
protected:
    TCommTest()
    {
        serial.port("/dev/fake1");
        serial.port("/dev/fake10");
        comm.pollTimer()->stop();
    }

    void open() { comm.setPortOpen(true); }

    FakeDialogs dialogs;
    FakeSerialBackend serial;
    FakePortMap ports { { { 1, "/dev/fake1" }, { 2, Path2 }, { 10, "/dev/fake10" } } };
    FakePort &port2 = serial.port(Path2);
    TComm comm;
};

TEST_F(TCommTest, StartsWithTheDocumentedDefaults)
{
    TComm fresh;
    EXPECT_EQ(fresh.objectName(), "Comm1");
    EXPECT_EQ(fresh.commPort(), pnCOM2);
    EXPECT_FALSE(fresh.portOpen());
    EXPECT_EQ(fresh.baudRate(), br9600);
    EXPECT_EQ(fresh.hwHandShaking(), hhNone);
    EXPECT_EQ(fresh.swHandShaking(), shNone);
    EXPECT_EQ(fresh.dataBits(), DB8);
    EXPECT_EQ(fresh.parity(), TParity::None);
    EXPECT_EQ(fresh.stopBits(), SB1);
    EXPECT_EQ(fresh.inputLen(), 0u);
    EXPECT_EQ(fresh.rThreshold(), 0u);
    EXPECT_EQ(fresh.commEvent(), 0u);
    EXPECT_EQ(fresh.commError(), 0u);
    EXPECT_FALSE(fresh.cdHolding() || fresh.dsrHolding() || fresh.riHolding() || fresh.ctsHolding());
    EXPECT_FALSE(fresh.dtrEnabled() || fresh.rtsEnabled());
    EXPECT_TRUE(fresh.pollTimer()->isActive());
    EXPECT_EQ(fresh.pollTimer()->interval(), 100);
}

TEST_F(TCommTest, EveryBaudRateSetsItsSpeed)
{
    const struct
    {
        TBaudRate rate;
        uint32_t speed;
    } cases[] = { { br110, 110 }, { br300, 300 }, { br600, 600 }, { br1200, 1200 }, { br2400, 2400 },
        { br4800, 4800 }, { br9600, 9600 }, { br14400, 14400 }, { br19200, 19200 }, { br38400, 38400 },
        { br56000, 56000 }, { br57600, 57600 }, { br76800, 76800 }, { br115200, 115200 },
        { br230400, 230400 } };
    open();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.speed);
        EXPECT_EQ(BaudRateSpeed(c.rate), c.speed);
        comm.setBaudRate(c.rate);
        ASSERT_NE(port2.lastSettings(), nullptr);
        EXPECT_EQ(port2.lastSettings()->baud, c.speed);
    }
}

TEST_F(TCommTest, FlagWordFollowsParityAndHandshaking)
{
    const struct
    {
        TParity parity;
        THWHandShaking hw;
        TSWHandShaking sw;
        uint32_t flags;
    } cases[] = {
        { TParity::None, hhNone, shNone, 0x0001 },
        { TParity::Odd, hhNone, shNone, 0x0003 },
        { TParity::Space, hhNone, shNone, 0x0003 },
        { TParity::None, hhNoneRTSON, shNone, 0x1001 },
        { TParity::None, hhRTSCTS, shNone, 0x2005 },
        { TParity::None, hhNone, shXonXoff, 0x0301 },
        { TParity::Even, hhRTSCTS, shXonXoff, 0x2307 },
        { TParity::Mark, hhNoneRTSON, shXonXoff, 0x1303 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.flags);
        TComm probe;
        probe.setParity(c.parity);
        probe.setHwHandShaking(c.hw);
        probe.setSwHandShaking(c.sw);
        probe.setPortOpen(true);
        ASSERT_NE(port2.lastSettings(), nullptr);
        EXPECT_EQ(port2.lastSettings()->flags, c.flags);
        EXPECT_EQ(port2.lastSettings()->parity, static_cast<int>(c.parity));
        EXPECT_EQ(probe.parityEnabled(), c.parity != TParity::None);
        probe.setPortOpen(false);
    }
}

TEST_F(TCommTest, CharacterSizeParityAndStopBitCodesAreTheOrdinals)
{
    const struct
    {
        TDataBits dataBits;
        TParity parity;
        TStopBits stopBits;
        int size, parityCode, stopCode;
    } cases[] = { { DB5, TParity::None, SB1, 5, 0, 0 }, { DB6, TParity::Odd, SB1_5, 6, 1, 1 },
        { DB7, TParity::Even, SB2, 7, 2, 2 }, { DB8, TParity::Mark, SB1, 8, 3, 0 },
        { DB8, TParity::Space, SB2, 8, 4, 2 } };
    open();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size * 100 + c.parityCode * 10 + c.stopCode);
        comm.setDataBits(c.dataBits);
        comm.setParity(c.parity);
        comm.setStopBits(c.stopBits);
        const LineSettings &applied = *port2.lastSettings();
        EXPECT_EQ(applied.dataBits, c.size);
        EXPECT_EQ(applied.parity, c.parityCode);
        EXPECT_EQ(applied.stopBits, c.stopCode);
    }
}

TEST_F(TCommTest, ChangedSettingIsAppliedAtOnceWhileOpenAndTheSameValueDoesNothing)
{
    const struct
    {
        const char *name;
        std::function<void(TComm &)> change;
        std::function<bool(const LineSettings &)> applied;
    } cases[] = {
        { "BaudRate", [](TComm &c) { c.setBaudRate(br115200); },
            [](const LineSettings &s) { return s.baud == 115200; } },
        { "HwHandShaking", [](TComm &c) { c.setHwHandShaking(hhRTSCTS); },
            [](const LineSettings &s) { return s.flags == 0x2005; } },
        { "SwHandShaking", [](TComm &c) { c.setSwHandShaking(shXonXoff); },
            [](const LineSettings &s) { return s.flags == 0x0301; } },
        { "DataBits", [](TComm &c) { c.setDataBits(DB7); },
            [](const LineSettings &s) { return s.dataBits == 7; } },
        { "Parity", [](TComm &c) { c.setParity(TParity::Even); },
            [](const LineSettings &s) { return s.parity == 2 && s.flags == 0x0003; } },
        { "StopBits", [](TComm &c) { c.setStopBits(SB2); },
            [](const LineSettings &s) { return s.stopBits == 2; } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TComm probe;
        probe.setPortOpen(true);
        const size_t applies = port2.settings.size();
        c.change(probe);
        ASSERT_EQ(port2.settings.size(), applies + 1);
        EXPECT_TRUE(c.applied(port2.settings.back()));
        c.change(probe);
        EXPECT_EQ(port2.settings.size(), applies + 1) << "writing the current value must not re-apply";
        EXPECT_EQ(port2.opens, int(serial.openAttempts.size())) << "a setting never reopens the port";
        probe.setPortOpen(false);
    }
}

TEST_F(TCommTest, SettingsWrittenWhileClosedWaitForTheNextOpen)
{
    comm.setBaudRate(br19200);
    comm.setParity(TParity::Odd);
    EXPECT_FALSE(comm.parityEnabled());
    EXPECT_TRUE(port2.settings.empty());
    open();
    ASSERT_EQ(port2.settings.size(), 1u);
    EXPECT_EQ(port2.settings[0].baud, 19200u);
    EXPECT_EQ(port2.settings[0].flags, 0x0003u);
    EXPECT_TRUE(comm.parityEnabled());
}

TEST_F(TCommTest, OpensTheDeviceOfItsPortNumber)
{
    const struct
    {
        TComPortNumber port;
        const char *path;
    } cases[] = { { pnCOM1, "/dev/fake1" }, { pnCOM2, "/dev/fake2" }, { pnCOM(10), "/dev/fake10" } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        serial.openAttempts.clear();
        comm.setCommPort(c.port);
        open();
        EXPECT_EQ(serial.openAttempts, QStringList { c.path });
        EXPECT_TRUE(serial.isOpen(c.path));
        comm.setPortOpen(false);
        EXPECT_FALSE(serial.isOpen(c.path));
    }
    EXPECT_EQ(TComm::DeviceName(10), "/dev/fake10");
    EXPECT_EQ(TComm::DeviceName(3), "");
}

TEST_F(TCommTest, OpenSetsUpQueuesPurgesAndAppliesSettings)
{
    open();
    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(port2.queueSizes, (std::vector<uint32_t> { 16384, 16384 }));
    EXPECT_EQ(port2.purges, std::vector<uint32_t> { 15 });
    ASSERT_EQ(port2.settings.size(), 1u);
    EXPECT_EQ(port2.settings[0].baud, 9600u);
    EXPECT_EQ(port2.settings[0].dataBits, 8);
    EXPECT_EQ(port2.settings[0].parity, 0);
    EXPECT_EQ(port2.settings[0].stopBits, 0);
    EXPECT_EQ(port2.settings[0].flags, 1u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TCommTest, FailedOpenRaisesItsTextAndLeavesThePortClosed)
{
    const struct
    {
        const char *name;
        std::function<void()> arrange;
        QString text;
    } cases[] = {
        { "no device for the number", [this] { comm.setCommPort(pnCOM(3)); }, OpenFailed },
        { "device absent", [this] { port2.present = false; }, OpenFailed },
        { "device in use", [this] { port2.busy = true; }, OpenFailed },
        { "queues refused", [this] { port2.failSetupQueues = true; }, "Cannot setup comm buffer" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        port2 = FakePort {};
        comm.setCommPort(pnCOM2);
        c.arrange();
        EXPECT_EQ(ecommText([&] { open(); }), c.text);
        EXPECT_FALSE(comm.portOpen());
        EXPECT_FALSE(serial.isOpen(Path2)) << "a device opened before the failure is closed again";
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(TCommTest, OpeningAnOpenPortShowsTheBoxAndKeepsTheDevice)
{
    open();
    FakeSerialDevice *device = serial.device(Path2);
    open();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "COM Port has been opened!");
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(serial.device(Path2), device);
    EXPECT_EQ(port2.opens, 1);
}

TEST_F(TCommTest, ClosingAClosedPortDoesNothing)
{
    EXPECT_NO_THROW(comm.setPortOpen(false));
    EXPECT_FALSE(comm.portOpen());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(serial.openAttempts.isEmpty());
}

TEST_F(TCommTest, ClosedPortCanBeOpenedAgain)
{
    open();
    comm.setPortOpen(false);
    EXPECT_FALSE(comm.portOpen());
    EXPECT_FALSE(serial.isOpen(Path2));
    open();
    EXPECT_TRUE(comm.portOpen());
    EXPECT_EQ(port2.opens, 2);
    EXPECT_EQ(port2.purges, (std::vector<uint32_t> { 15, 15 }));
}

TEST_F(TCommTest, ReceiveEventFiresFromTheThreshold)
{
    const struct
    {
        uint32_t threshold;
        int queued;
        bool fires;
    } cases[] = { { 0, 0, false }, { 0, 5000, false }, { 1, 0, false }, { 1, 1, true }, { 4, 3, false },
        { 4, 4, true }, { 4, 9, true } };
    int fired = 0;
    comm.OnReceiveData = [&](TComm *sender) {
        EXPECT_EQ(sender, &comm);
        ++fired;
    };
    open();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.threshold * 10000 + c.queued);
        port2.received = QByteArray(c.queued, 'x');
        comm.setRThreshold(c.threshold);
        fired = 0;
        comm.PollTick();
        EXPECT_EQ(fired, c.fires ? 1 : 0);
    }
}

TEST_F(TCommTest, ReceiveEventRepeatsUntilTheBytesAreFetched)
{
    int fired = 0;
    comm.OnReceiveData = [&](TComm *) { ++fired; };
    comm.setRThreshold(1);
    open();
    port2.feed("a");
    comm.PollTick();
    comm.PollTick();
    EXPECT_EQ(fired, 2);
    const uint8_t *first = nullptr;
    EXPECT_EQ(comm.FetchInputBytes(first), 0);
    comm.PollTick();
    EXPECT_EQ(fired, 2);
}

TEST_F(TCommTest, TheRunningTimerPollsTheDevice)
{
    int fired = 0;
    comm.OnReceiveData = [&](TComm *c) {
        ++fired;
        c->input();
    };
    comm.setRThreshold(1);
    open();
    comm.pollTimer()->start();
    port2.feed("x");
    EXPECT_TRUE(waitUntil([&] { return fired == 1; }));
}

TEST_F(TCommTest, PollingGoesOnWhileAModalLoopRunsInsideATick)
{
    // A command that runs while a tick lets pending messages run (a menu click that arrived
    // during a reply's wait) opens a modal window; replies must still be taken meanwhile.
    int fired = 0;
    int firedInModal = -1;
    bool modalOpened = false;
    comm.OnReceiveData = [&](TComm *c) {
        ++fired;
        c->input();
        port2.feed("y");
        if (modalOpened)
            return;
        modalOpened = true;
        QTimer::singleShot(0, [&] {
            const int before = fired;
            QEventLoop modal;
            QTimer deadline;
            deadline.setSingleShot(true);
            QObject::connect(&deadline, &QTimer::timeout, &modal, &QEventLoop::quit);
            deadline.start(3000);
            QTimer check;
            QObject::connect(&check, &QTimer::timeout, &modal, [&] {
                if (fired >= before + 3)
                    modal.quit();
            });
            check.start(10);
            modal.exec();
            firedInModal = fired - before;
        });
    };
    comm.setRThreshold(1);
    open();
    port2.feed("x");
    comm.pollTimer()->start();
    ASSERT_TRUE(waitUntil([&] { return firedInModal >= 0; }, 5000));
    EXPECT_GE(firedInModal, 3);
}

TEST_F(TCommTest, FetchReturnsEveryByteAndInputStopsAtTheZeroByte)
{
    open();
    port2.feed(QByteArray::fromHex("01030041"));
    const uint8_t *first = nullptr;
    ASSERT_EQ(comm.FetchInputBytes(first), 3);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(first), 4), QByteArray::fromHex("01030041"));
    EXPECT_EQ(comm.inputText(), QString::fromLatin1("\x01\x03"));

    port2.feed(QByteArray::fromHex("01030041"));
    EXPECT_EQ(comm.input(), QString::fromLatin1("\x01\x03"));
    EXPECT_TRUE(port2.received.isEmpty());
}

TEST_F(TCommTest, EmptyReadingStepKeepsTheLastBytesButReportsNothingNew)
{
    open();
    port2.feed("AB");
    const uint8_t *first = nullptr;
    ASSERT_EQ(comm.FetchInputBytes(first), 1);
    EXPECT_EQ(comm.FetchInputBytes(first), -1);
    EXPECT_EQ(comm.inputBytes(), "AB");
    EXPECT_EQ(comm.input(), "AB");
}

TEST_F(TCommTest, TextKeepsHighBytesOneCharacterEach)
{
    open();
    port2.feed(QByteArray::fromHex("41e9ff"));
    EXPECT_EQ(comm.input(), QString::fromLatin1("A\xe9\xff"));
}

TEST_F(TCommTest, ReadingWhileClosedRaisesNotOpened)
{
    const uint8_t *first = nullptr;
    EXPECT_EQ(ecommText([&] { comm.FetchInputBytes(first); }), NotOpened);
    EXPECT_EQ(ecommText([&] { comm.input(); }), NotOpened);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(TCommTest, MoreThanTheBufferQueuedIsDiscardedAndTheLastBytesKept)
{
    open();
    port2.feed("old");
    comm.input();
    port2.feed(QByteArray(16385, 'z'));
    const uint8_t *first = nullptr;
    EXPECT_EQ(comm.FetchInputBytes(first), -1);
    EXPECT_EQ(port2.purges.back(), 8u);
    EXPECT_TRUE(port2.received.isEmpty());
    EXPECT_EQ(comm.inputBytes(), "old");

    port2.feed(QByteArray(16384, 'y'));
    EXPECT_EQ(comm.FetchInputBytes(first), 16383);
    EXPECT_EQ(comm.inputBytes(), QByteArray(16384, 'y'));
}

TEST_F(TCommTest, InputLenLimitsAStepAndNeverPassesOnStaleBufferBytes)
{
    const struct
    {
        uint32_t inputLen;
        QByteArray queued;
        int64_t asked;
        QByteArray taken;
        int left;
    } cases[] = {
        { 0, "abcd", 4, "abcd", 0 }, { 2, "abcd", 2, "ab", 2 },
        { 6, "xyz", 6, "xyz", 0 }, // fewer queued than asked: only what came
        { 100000, "klmnopq", 16384, "klmnopq", 0 }, // above the buffer: never read past it
    };
    open();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.inputLen);
        port2.received = "PREVIOUS-CONTENT";
        comm.setInputLen(0);
        comm.input(); // fills the buffer with older bytes
        port2.received = c.queued;
        comm.setInputLen(c.inputLen);
        const uint8_t *first = nullptr;
        EXPECT_EQ(comm.FetchInputBytes(first), c.taken.size() - 1);
        EXPECT_EQ(port2.readSizes.back(), c.asked);
        EXPECT_EQ(comm.inputBytes(), c.taken);
        EXPECT_EQ(comm.inputText(), QString::fromLatin1(c.taken));
        EXPECT_EQ(port2.received.size(), c.left);
    }
}

TEST_F(TCommTest, FailedReadKeepsTheLastBytes)
{
    open();
    port2.feed("keep");
    comm.input();
    port2.feed("lost");
    port2.failRead = true;
    const uint8_t *first = nullptr;
    EXPECT_EQ(comm.FetchInputBytes(first), -1);
    EXPECT_EQ(comm.inputBytes(), "keep");
    EXPECT_TRUE(comm.portOpen()) << "a single failed read is not a lost device";
}

TEST_F(TCommTest, DataCountReadsTheQueueAndOnlyZeroClearsIt)
{
    EXPECT_EQ(comm.dataCount(), 0u);
    EXPECT_NO_THROW(comm.setDataCount(0));
    open();
    port2.feed("12345");
    EXPECT_EQ(comm.dataCount(), 5u);
    comm.setDataCount(5);
    EXPECT_EQ(comm.dataCount(), 5u);
    EXPECT_EQ(port2.purges, std::vector<uint32_t> { 15 });
    comm.setDataCount(0);
    EXPECT_EQ(comm.dataCount(), 0u);
    EXPECT_EQ(port2.purges, (std::vector<uint32_t> { 15, 8 }));
}

TEST_F(TCommTest, FirstTickAfterOpenReportsEveryLineFoundOn)
{
    const struct
    {
        uint32_t bits;
        uint32_t event;
        bool cd, dsr, ri, cts;
    } cases[] = {
        { 0, 0, false, false, false, false },
        { SerialDevice::Dsr, 16, false, true, false, false },
        { SerialDevice::Rlsd, 32, true, false, false, false },
        { SerialDevice::Ring, 256, false, false, true, false },
        { SerialDevice::Cts, 8, false, false, false, true },
        { SerialDevice::Cts | SerialDevice::Dsr | SerialDevice::Ring | SerialDevice::Rlsd, 312, true, true,
            true, true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bits);
        TComm probe;
        probe.pollTimer()->stop();
        std::vector<uint32_t> events;
        probe.OnModemStateChange = [&](TComm *, uint32_t event) { events.push_back(event); };
        port2.modemBits = c.bits;
        probe.setPortOpen(true);
        probe.PollTick();
        EXPECT_EQ(probe.commEvent(), c.event);
        EXPECT_EQ(events, c.event ? std::vector<uint32_t> { c.event } : std::vector<uint32_t> {});
        EXPECT_EQ(probe.cdHolding(), c.cd);
        EXPECT_EQ(probe.dsrHolding(), c.dsr);
        EXPECT_EQ(probe.riHolding(), c.ri);
        EXPECT_EQ(probe.ctsHolding(), c.cts);
        probe.PollTick(); // nothing changed since
        EXPECT_EQ(probe.commEvent(), 0u);
        EXPECT_EQ(events.size(), c.event ? 1u : 0u);
        probe.setPortOpen(false);
    }
}

TEST_F(TCommTest, ModemLineChangesAreReportedBothWays)
{
    std::vector<uint32_t> events;
    comm.OnModemStateChange = [&](TComm *, uint32_t event) { events.push_back(event); };
    open();
    port2.modemBits = SerialDevice::Dsr | SerialDevice::Cts;
    comm.PollTick();
    port2.modemBits = SerialDevice::Cts | SerialDevice::Ring;
    comm.PollTick();
    EXPECT_EQ(events, (std::vector<uint32_t> { 24, 272 }));
    EXPECT_TRUE(comm.riHolding());
    EXPECT_FALSE(comm.dsrHolding());
}

TEST_F(TCommTest, UnreadableModemStatusKeepsTheLinesAndReportsNothing)
{
    std::vector<uint32_t> events;
    comm.OnModemStateChange = [&](TComm *, uint32_t event) { events.push_back(event); };
    open();
    port2.modemBits = SerialDevice::Dsr;
    comm.PollTick();
    port2.modemBits = 0;
    port2.failModemStatus = true;
    comm.PollTick();
    EXPECT_EQ(comm.commEvent(), 0u);
    EXPECT_TRUE(comm.dsrHolding());
    EXPECT_EQ(events, std::vector<uint32_t> { 16 });
    EXPECT_TRUE(comm.portOpen());
}

TEST_F(TCommTest, ErrorEventCarriesTheLatestMask)
{
    std::vector<uint32_t> masks;
    comm.OnReceiveError = [&](TComm *, uint32_t mask) { masks.push_back(mask); };
    open();
    port2.errorMask = 0x4;
    comm.PollTick();
    EXPECT_EQ(comm.commError(), 0x4u);
    EXPECT_EQ(masks, std::vector<uint32_t> { 0x4 });

    // A reading step inside the receive handler replaces the mask of the tick's own query.
    comm.setRThreshold(1);
    comm.OnReceiveData = [&](TComm *c) {
        port2.errorMask = 0;
        c->input();
    };
    port2.errorMask = 0x8;
    port2.feed("r");
    comm.PollTick();
    EXPECT_EQ(comm.commError(), 0u);
    EXPECT_EQ(masks, std::vector<uint32_t> { 0x4 });
}

TEST_F(TCommTest, SendBytesReportsWhetherTheWholeFrameWasTaken)
{
    const QByteArray frame = QByteArray::fromHex("01030094000285e7");
    const struct
    {
        const char *name;
        bool openFirst;
        std::function<void(FakePort &)> arrange;
        bool result;
        QByteArray written;
        QStringList messages;
    } cases[] = {
        { "closed", false, [](FakePort &) {}, false, {}, { NotOpened } },
        { "all taken", true, [](FakePort &) {}, true, frame, {} },
        { "write fails", true, [](FakePort &p) { p.failWrite = true; }, false, {}, {} },
        { "short write", true, [](FakePort &p) { p.writeLimit = 5; }, false, frame.left(5), {} },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TComm probe;
        port2 = FakePort {};
        dialogs.messages.clear();
        c.arrange(port2);
        if (c.openFirst)
            probe.setPortOpen(true);
        EXPECT_EQ(
            probe.SendBytes(reinterpret_cast<const uint8_t *>(frame.constData()), frame.size()), c.result);
        EXPECT_EQ(port2.written, c.written);
        EXPECT_EQ(dialogs.texts(), c.messages);
        if (!c.messages.isEmpty()) {
            EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
        }
        EXPECT_EQ(probe.portOpen(), c.openFirst) << "a refused write does not close the port";
    }
}

TEST_F(TCommTest, DtrAndRtsActOnlyWhileOpen)
{
    const struct
    {
        const char *name;
        std::function<void(TComm &, bool)> set;
        std::function<bool(const TComm &)> enabled;
        std::function<bool(const FakePort &)> line;
    } cases[] = {
        { "DTR", [](TComm &c, bool on) { c.setDtrEnabled(on); },
            [](const TComm &c) { return c.dtrEnabled(); }, [](const FakePort &p) { return p.dtr; } },
        { "RTS", [](TComm &c, bool on) { c.setRtsEnabled(on); },
            [](const TComm &c) { return c.rtsEnabled(); }, [](const FakePort &p) { return p.rts; } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TComm probe;
        c.set(probe, true);
        EXPECT_FALSE(c.enabled(probe)) << "not kept while closed";
        probe.setPortOpen(true);
        EXPECT_FALSE(c.line(port2)) << "no effect at the next open";
        c.set(probe, true);
        EXPECT_TRUE(c.enabled(probe));
        EXPECT_TRUE(c.line(port2));
        c.set(probe, false);
        EXPECT_FALSE(c.enabled(probe));
        EXPECT_FALSE(c.line(port2));
        probe.setPortOpen(false);
    }
}

TEST_F(TCommTest, LostDeviceIsClosedAndThePollStops)
{
    const struct
    {
        const char *name;
        std::function<void()> lose;
    } cases[] = {
        { "unplugged", [this] { serial.unplug(Path2); } },
        { "queue query fails", [this] { port2.failQueueStatus = true; } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        port2 = FakePort {};
        int fired = 0;
        comm.OnReceiveData = [&](TComm *) { ++fired; };
        comm.setRThreshold(1);
        open();
        c.lose();
        comm.PollTick();
        EXPECT_FALSE(comm.portOpen());
        EXPECT_FALSE(serial.isOpen(Path2));

        serial.plugIn(Path2);
        port2.failQueueStatus = false;
        port2.feed("late");
        comm.PollTick();
        comm.PollTick();
        EXPECT_EQ(fired, 0);
        EXPECT_EQ(port2.opens, 1) << "the component does not reopen by itself";
        EXPECT_EQ(dialogs.texts(), QStringList {});
    }
}

TEST_F(TCommTest, WriteToAnUnpluggedDeviceFailsAndClosesThePort)
{
    open();
    serial.unplug(Path2);
    const uint8_t frame[8] = { 1, 3, 0, 0x94, 0, 2, 0x85, 0xE7 };
    EXPECT_FALSE(comm.SendBytes(frame, 8));
    EXPECT_FALSE(comm.portOpen());
    EXPECT_TRUE(dialogs.messages.empty());

    serial.plugIn(Path2);
    open();
    EXPECT_TRUE(comm.SendBytes(frame, 8));
    EXPECT_EQ(port2.written.size(), 8);
}

TEST_F(TCommTest, ReceiveHandlerMayCloseThePortWithinTheTick)
{
    comm.setRThreshold(1);
    int modemEvents = 0;
    comm.OnReceiveData = [&](TComm *c) { c->setPortOpen(false); };
    comm.OnModemStateChange = [&](TComm *, uint32_t) { ++modemEvents; };
    open();
    port2.modemBits = SerialDevice::Dsr;
    port2.feed("x");
    EXPECT_NO_THROW(comm.PollTick());
    EXPECT_FALSE(comm.portOpen());
    EXPECT_EQ(modemEvents, 0);
}

TEST_F(TCommTest, DestroyingTheComponentReleasesItsDevice)
{
    {
        TComm owner;
        owner.setPortOpen(true);
        EXPECT_TRUE(serial.isOpen(Path2));
    }
    EXPECT_FALSE(serial.isOpen(Path2));
    open();
    EXPECT_TRUE(comm.portOpen());
}

} // namespace
