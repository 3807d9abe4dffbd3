// The reply dispatcher on a fake port: what each kind of reply does, what is asked again,
// and what is never stored.

#include "base/DateTimeText.h"
#include "link/forms/MainFixture.h"

#include <QAction>
#include <QLocale>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <numeric>

namespace {

class Dispatcher : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        openPort();
        CommForm->ComboBox1->setCurrentIndex(7);
        InitMeasurement();
    }

    // The routing byte as a request to `reg` leaves it.
    void lastRequestWas(uint8_t reg, uint16_t count = 2)
    {
        ASSERT_TRUE(SendReadRequest(InstrumentAddress, reg, count));
        port().written.clear();
    }
};

TEST_F(Dispatcher, DamagedOrShortRepliesAreAskedForAgainAndNeverStored)
{
    QByteArray corrupted = MeasurementFrame(7.0f);
    corrupted[100] = static_cast<char>(corrupted[100] ^ 0x01);
    // A reply with a good CRC that is longer than any reply of the instrument.
    const QByteArray overlong = WithCrc(QByteArray(2700, '\x11'));
    const QByteArray flood(5000, '\x22');

    struct Case
    {
        const char *name;
        QByteArray reply;
        uint8_t lastRegister;
        uint8_t lastCount;
        QByteArray resend;
    } cases[] = {
        { "four bytes", QByteArray::fromHex("01030400"), 148, 2, ReadFrame(148, 2) },
        { "one byte", QByteArray::fromHex("01"), 148, 2, ReadFrame(148, 2) },
        { "corrupted measurement", corrupted, 148, 2, ReadFrame(148, 2) },
        { "bad CRC on a short reply", QByteArray::fromHex("0103040300000000"), 128, 2, ReadFrame(128, 2) },
        { "longer than the frame buffer, good CRC", overlong, 148, 2, ReadFrame(148, 2) },
        { "longer than the frame buffer", flood, 148, 2, ReadFrame(148, 2) },
        { "starting page 3 asked again", QByteArray::fromHex("0103"), 147, 3, ReadFrame(147, 0x0300) },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        InitMeasurement();
        const QByteArray before = recordBytes();
        const QByteArray frameBufferTail(
            reinterpret_cast<const char *>(form->Session->frameBuffer().data()) + 2600, 60);
        LastRegister = c.lastRegister;
        LastCount = c.lastCount;
        receive(c.reply);
        EXPECT_EQ(takeWritten().toHex(), c.resend.toHex());
        EXPECT_EQ(recordBytes(), before);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(form->Session->frameBuffer().data()) + 2600, 60),
            frameBufferTail);
        EXPECT_NE(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Sampling completed!"));
        EXPECT_TRUE(port().received.isEmpty());
    }
}

TEST_F(Dispatcher, RepliesOfNoKnownKindAreDroppedSilently)
{
    const QByteArray page = WithCrc(QByteArray(StartingPageBytes, '\x5A'));
    struct Case
    {
        const char *name;
        QByteArray reply;
        uint8_t routing;
        uint8_t startingPage;
    } cases[] = {
        { "function 5, five bytes", WithCrc(QByteArray::fromHex("010500")), 148, 0 },
        { "function 3 for a register nobody reads", WithCrc(QByteArray::fromHex("01030400000000")), 148, 0 },
        { "function 3, mode register, too short", WithCrc(QByteArray::fromHex("010301")), 128, 0 },
        { "function 3, alarm register, too short", WithCrc(QByteArray::fromHex("0103020000")), 118, 0 },
        { "function 3, switch register, too short", WithCrc(QByteArray::fromHex("01030105")), 126, 0 },
        { "function 9 for another register", WithCrc(QByteArray::fromHex("010980")), 148, 0 },
        { "function 10 without the trigger", WithCrc(QByteArray::fromHex("010A93")), 148, 0 },
        { "starting page while no fetch runs", page, 148, 0 },
        { "starting page past the last one", page, 148, 7 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        InitMeasurement();
        StartingPageBuffer.fill(0);
        StartingCapture.fill(0);
        AlarmReadStep = 0;
        StartingPage = c.startingPage;
        ModeWord = 0x40;
        lastRequestWas(c.routing);
        LastRegister = 148;
        LastCount = 2;
        const QByteArray before = recordBytes();
        receive(c.reply);
        EXPECT_TRUE(takeWritten().isEmpty());
        EXPECT_EQ(recordBytes(), before);
        EXPECT_EQ(AlarmReadStep, 0);
        EXPECT_EQ(ModeWord, 0x40);
        EXPECT_EQ(StartingPage, c.startingPage);
        EXPECT_TRUE(std::all_of(
            StartingPageBuffer.begin(), StartingPageBuffer.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_TRUE(
            std::all_of(StartingCapture.begin(), StartingCapture.end(), [](uint8_t b) { return b == 0; }));
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST_F(Dispatcher, ResendShiftsTheStartingTestPageIntoTheHighByte)
{
    struct Case
    {
        uint8_t reg, count;
        uint16_t sent;
    } cases[] = { { 147, 3, 0x0300 }, { 147, 6, 0x0600 }, { 148, 2, 2 }, { 128, 2, 2 }, { 118, 2, 2 } };
    for (const Case &c : cases) {
        LastRegister = c.reg;
        LastCount = c.count;
        form->ResendLastRead();
        EXPECT_EQ(takeWritten().toHex(), ReadFrame(c.reg, c.sent).toHex())
            << int(c.reg) << "/" << int(c.count);
    }
}

TEST_F(Dispatcher, MeasurementFrameFillsTheRecordWhateverWasAsked)
{
    LastRegister = 128;
    LastCount = 2;
    Measurement.RecordTail[0] = 0x77;
    const QByteArray frame = MeasurementFrame(3.0f);
    receive(frame);
    EXPECT_EQ(recordBytes(MeasurementReplyDataBytes), frame.left(MeasurementReplyDataBytes));
    EXPECT_EQ(Measurement.RecordTail[0], 0x77);
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Sampling completed!"));
    EXPECT_EQ(form->statusText(TMainForm::PanelDate),
        QStringLiteral("Date：") + ShortDateText(clock.current.date()) + QStringLiteral(" ")
            + LongTimeText(clock.current.time()));
    EXPECT_TRUE(form->statusText(TMainForm::PanelDate).contains(QStringLiteral("26:53")));
    EXPECT_EQ(form->valuePanel(Panel_URMS)->text(), QStringLiteral("233.0V"));
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(Dispatcher, AllZeroMeasurementFrameIsValidAndStored)
{
    QByteArray frame(MeasurementReplyDataBytes, '\0');
    frame.append(QByteArray::fromHex("CF27"));
    ASSERT_EQ(frame, WithCrc(QByteArray(MeasurementReplyDataBytes, '\0')));
    receive(frame);
    EXPECT_EQ(recordBytes(MeasurementReplyDataBytes), QByteArray(MeasurementReplyDataBytes, '\0'));
    EXPECT_EQ(Measurement.SampleCount, 0);
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Sampling completed!"));
}

TEST_F(Dispatcher, SingleSamplingEndsWithTheFirstMeasurementAndIgnoresASecond)
{
    form->SeSkinSpeedButton7Click();
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(148, 2).toHex());
    EXPECT_EQ(SamplingMode, 1);
    EXPECT_TRUE(form->ReReadTimer->isActive());

    receive(MeasurementFrame(1.0f));
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_FALSE(form->ReReadTimer->isActive());
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
    EXPECT_TRUE(form->SeSkinSpeedButton7->isEnabled());
    EXPECT_TRUE(form->SeSkinSpeedButton8->isEnabled());
    EXPECT_TRUE(form->N13->isEnabled());
    EXPECT_TRUE(form->N14->isEnabled());

    // A late second frame is shown but starts nothing.
    form->SeSkinSpeedButton7->setEnabled(false);
    receive(MeasurementFrame(2.0f));
    EXPECT_EQ(Measurement.KWH, 2.0f);
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_FALSE(form->ReReadTimer->isActive());
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
    EXPECT_FALSE(form->SeSkinSpeedButton7->isEnabled());
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(Dispatcher, ContinuousSamplingPausesThenAsksForTheNextMeasurement)
{
    form->SeSkinSpeedButton8Click();
    takeWritten();
    receive(MeasurementFrame(1.0f));
    EXPECT_EQ(SamplingMode, 2);
    EXPECT_TRUE(form->ContinuousReadTimer->isActive());
    EXPECT_FALSE(form->ReReadTimer->isActive());

    form->ContinuousReadTimerTimer();
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Request data!"));
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(148, 2).toHex());
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
    EXPECT_TRUE(form->ReReadTimer->isActive());
}

TEST_F(Dispatcher, ReReadTimerRepeatsTheLastReadUnshiftedWhileThePortIsOpen)
{
    LastRegister = 147;
    LastCount = 3;
    form->ReReadTimerTimer();
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Connection Failure!"));
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(147, 3).toHex());

    form->Comm1->setPortOpen(false);
    form->setStatusText(TMainForm::PanelCommunication, QString());
    form->ReReadTimerTimer();
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Connection Failure!"));
    EXPECT_TRUE(port().written.isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Dispatcher, ModeByteSetsTheFourCaptionsAndStartsTheAlarmChain)
{
    struct Case
    {
        uint8_t mode;
        const char *n31, *n32, *iec2, *csa1;
    } cases[] = {
        { 0x00, "Narrowband &(Y)←", "Broadband &(Z)", "%f： IEC &(Y)←", "%r： CSA &(Z)" },
        { 0x01, "Narrowband &(Y)", "Broadband &(Z)←", "%f： IEC &(Y)←", "%r： CSA &(Z)" },
        { 0x02, "Narrowband &(Y)←", "Broadband &(Z)", "%f： IEC &(Y)", "%r： CSA &(Z)←" },
        { 0x03, "Narrowband &(Y)", "Broadband &(Z)←", "%f： IEC &(Y)", "%r： CSA &(Z)←" },
        { 0xFC, "Narrowband &(Y)←", "Broadband &(Z)", "%f： IEC &(Y)←", "%r： CSA &(Z)" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.mode));
        AlarmReadStep = 0;
        lastRequestWas(128);
        receive(WithCrc(QByteArray::fromHex("010304") + QByteArray(1, char(c.mode)) + QByteArray(3, '\0')));
        EXPECT_EQ(ModeWord, c.mode);
        EXPECT_EQ(form->N31->text(), QString::fromUtf8(c.n31));
        EXPECT_EQ(form->N32->text(), QString::fromUtf8(c.n32));
        EXPECT_EQ(form->IEC2->text(), QString::fromUtf8(c.iec2));
        EXPECT_EQ(form->CSA1->text(), QString::fromUtf8(c.csa1));
        EXPECT_EQ(takeWritten().toHex(), ReadFrame(118, 2).toHex());
        EXPECT_EQ(AlarmReadStep, 0);
    }
}

TEST_F(Dispatcher, TheQuotedModeReplyReadsBothBitsSet)
{
    AlarmReadStep = 4; // a finished chain is not started again
    lastRequestWas(128);
    receive(QByteArray::fromHex("01030403000000FA77"));
    EXPECT_EQ(ModeWord, 3);
    EXPECT_EQ(form->N31->text(), QStringLiteral("Narrowband &(Y)"));
    EXPECT_EQ(form->N32->text(), QStringLiteral("Broadband &(Z)←"));
    EXPECT_EQ(form->IEC2->text(), QStringLiteral("%f： IEC &(Y)"));
    EXPECT_EQ(form->CSA1->text(), QStringLiteral("%r： CSA &(Z)←"));
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(Dispatcher, ModeReplyWithThePortGoneReportsTheBrokenChain)
{
    lastRequestWas(128);
    port().feed(QByteArray::fromHex("01030403000000FA77"));
    // The reply is in; the request of the chain finds the port closed.
    const uint8_t *first = nullptr;
    const int n = form->Comm1->FetchInputBytes(first) + 1;
    const QByteArray reply(reinterpret_cast<const char *>(first), n);
    form->Comm1->setPortOpen(false);
    form->HandleFrame(reinterpret_cast<const uint8_t *>(reply.constData()), n);
    EXPECT_EQ(dialogs.texts(), QStringList { QStringLiteral("Failed,The machine is not connected") });
}

// A reply of one alarm register: the 32-bit value `value`, least significant byte first.
QByteArray AlarmReply(uint32_t value)
{
    QByteArray bytes = QByteArray::fromHex("010304");
    for (int i = 0; i < 4; ++i)
        bytes.append(static_cast<char>(value >> (8 * i)));
    return WithCrc(bytes);
}

TEST_F(Dispatcher, AlarmChainRunsFromTheModeByteToTheSwitches)
{
    AlarmReadStep = 0;
    lastRequestWas(128);
    receive(WithCrc(QByteArray::fromHex("01030400000000")));
    ASSERT_EQ(takeWritten().toHex(), ReadFrame(118, 2).toHex());

    for (int reg = 118; reg <= 125; ++reg) {
        SCOPED_TRACE(reg);
        receive(AlarmReply(0x43960000)); // 300.0
        EXPECT_EQ(AlarmReadStep, reg - 117);
        EXPECT_EQ(takeWritten().toHex(), ReadFrame(static_cast<uint8_t>(reg + 1), 2).toHex());
    }
    receive(AlarmReply(0x05));
    EXPECT_EQ(AlarmReadStep, 9);
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Synchronization"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A later mode byte does not start the chain again.
    lastRequestWas(128);
    receive(WithCrc(QByteArray::fromHex("01030400000000")));
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(Dispatcher, AlarmReplyAsksForTheNextRegisterOnlyOncePerChain)
{
    struct Case
    {
        uint8_t reg;
        uint8_t stepBefore;
        bool asksNext;
    } cases[] = {
        { 118, 0, true },
        { 118, 1, false },
        { 119, 1, true },
        { 119, 2, false }, // a second reply of 119
        { 122, 4, true },
        { 122, 5, false },
        { 125, 7, true },
        { 125, 8, false },
        { 126, 8, false },
        { 126, 0, false },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.reg) << " at step " << int(c.stepBefore));
        AlarmReadStep = c.stepBefore;
        lastRequestWas(c.reg);
        receive(AlarmReply(0x41A00000));
        EXPECT_EQ(AlarmReadStep, c.stepBefore + 1);
        EXPECT_EQ(takeWritten().toHex(),
            c.asksNext ? ReadFrame(static_cast<uint8_t>(c.reg + 1), 2).toHex() : QByteArray());
    }
}

TEST_F(Dispatcher, AlarmChainWithThePortGoneShowsTheMessage)
{
    AlarmReadStep = 0;
    lastRequestWas(121);
    port().feed(AlarmReply(0));
    const uint8_t *first = nullptr;
    const int n = form->Comm1->FetchInputBytes(first) + 1;
    const QByteArray reply(reinterpret_cast<const char *>(first), n);
    form->Comm1->setPortOpen(false);
    form->HandleFrame(reinterpret_cast<const uint8_t *>(reply.constData()), n);
    EXPECT_EQ(dialogs.texts(), QStringList { QStringLiteral("Failed,The machine is not connected") });
    EXPECT_EQ(AlarmReadStep, 1);
}

TEST_F(Dispatcher, TriggerNoticeAfterAnotherReadAwaitsThePages)
{
    // The alarm window was opened between the arming and the switch-on.
    lastRequestWas(128);
    receive(WithCrc(QByteArray::fromHex("010A92")));
    EXPECT_EQ(LastRegister, 147);
    EXPECT_EQ(LastCount, 1);
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(147, 0x0100).toHex());
}

TEST_F(Dispatcher, StartingTestFetchesSixPagesThenHandsOverTheCapture)
{
    LastRegister = 147;
    LastCount = 0x21;
    receive(WithCrc(QByteArray::fromHex("010A92")));
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Trigger completed, requesting ......"));
    EXPECT_EQ(StartingPage, 1);
    EXPECT_EQ(LastCount, 1);
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(147, 0x0100).toHex());

    const auto before = StartingCapture; // the window's flat start block
    QByteArray capture;
    for (int page = 1; page <= StartingPages; ++page) {
        SCOPED_TRACE(page);
        const QByteArray payload(StartingPageBytes, static_cast<char>(0x10 + page));
        capture += payload;
        receive(WithCrc(payload));
        if (page < StartingPages) {
            EXPECT_EQ(StartingPage, page + 1);
            EXPECT_EQ(LastRegister, 147);
            EXPECT_EQ(LastCount, page + 1);
            EXPECT_EQ(takeWritten().toHex(), ReadFrame(147, static_cast<uint16_t>((page + 1) << 8)).toHex());
            EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Requesting %1Data frame").arg(page + 1));
            // Nothing of a half-fetched capture is shown.
            EXPECT_EQ(StartingCapture, before);
        }
    }
    EXPECT_EQ(StartingPage, 0);
    EXPECT_EQ(StartingForm->statusText(), QStringLiteral("Completed"));
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char *>(StartingCapture.data()), StartingCaptureBytes), capture);
    EXPECT_TRUE(takeWritten().isEmpty());
}

TEST_F(Dispatcher, PacedWaitStepsBySelectedSpeed)
{
    struct Case
    {
        int baudIndex;
        uint8_t lastRegister;
        uint8_t usbLink;
        int stepWait; // 0: no paced sleeps at all
    } cases[] = {
        { 0, 148, 0, 120 },
        { 1, 148, 0, 52 },
        { 2, 147, 0, 36 },
        { 3, 148, 0, 26 },
        { 4, 148, 0, 13 },
        { 5, 147, 0, 9 },
        { 6, 148, 0, 6 },
        { 7, 148, 0, 4 },
        { -1, 148, 0, 0 },
        { 7, 128, 0, 0 },
        { 3, 118, 0, 0 },
        { 0, 148, 1, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.baudIndex << "/" << int(c.lastRegister) << "/" << int(c.usbLink));
        CommForm->ComboBox1->setCurrentIndex(c.baudIndex);
        LastRegister = c.lastRegister;
        LastCount = 2;
        UsbLink = c.usbLink;
        clock.sleeps.clear();
        // The whole reply is queued already: nothing is waited for beyond the steps.
        receive(
            c.lastRegister == 147 ? WithCrc(QByteArray(StartingPageBytes, '\0')) : MeasurementFrame(1.0f));
        std::vector<int> expected { 20 };
        if (c.stepWait)
            expected.insert(expected.end(), 50, c.stepWait);
        EXPECT_EQ(clock.sleeps, expected);
        EXPECT_EQ(form->ProgressBar1->value(), 50);
        takeWritten();
    }
}

// A clock whose sleeps let the line deliver the next piece of a reply.
class LineClock final : public Clock
{
public:
    LineClock(FakePort &port, QByteArray reply, int bytesPerMs)
        : m_port(port)
        , m_pending(std::move(reply))
        , m_bytesPerMs(bytesPerMs)
    {
        platform::install(this);
    }
    ~LineClock() override { platform::install(static_cast<Clock *>(nullptr)); }
    QDateTime now() const override { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        const int n = std::min<int>(static_cast<int>(m_pending.size()), ms * m_bytesPerMs);
        m_port.feed(m_pending.left(n));
        m_pending.remove(0, n);
    }
    int total() const { return std::accumulate(sleeps.begin(), sleeps.end(), 0); }
    std::vector<int> sleeps;

private:
    FakePort &m_port;
    QByteArray m_pending;
    int m_bytesPerMs;
};

TEST_F(Dispatcher, ALongReplyStillArrivingAfterTheStepsIsWaitedFor)
{
    // At 115.2 kbit/s a measurement takes 220 ms on the wire; the fifty steps last 200 ms.
    form->Comm1->setBaudRate(br115200);
    LastRegister = 148;
    LastCount = 2;
    const QByteArray frame = MeasurementFrame(4.0f);
    LineClock line(port(), frame.mid(1), 11); // 11.52 bytes per ms on the line
    receive(frame.left(1));
    EXPECT_EQ(Measurement.KWH, 4.0f);
    EXPECT_TRUE(takeWritten().isEmpty());
    EXPECT_GT(line.total(), 220);
    EXPECT_LE(line.total(), 20 + 200 + 220 + 40);
}

TEST_F(Dispatcher, ACutReplyIsWaitedForOnlyUntilTheLineFallsQuiet)
{
    form->Comm1->setBaudRate(br115200);
    LastRegister = 148;
    LastCount = 2;
    const QByteArray frame = MeasurementFrame(4.0f);
    // Only 2400 bytes ever come: the tail is lost on the line.
    LineClock line(port(), frame.mid(1, 2399), 11);
    receive(frame.left(1));
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(148, 2).toHex());
    EXPECT_NE(Measurement.KWH, 4.0f);
    // The steps, then quiet times until the queue stopped growing.
    EXPECT_LE(line.total(), 20 + 200 + 220 + 40);
}

TEST_F(Dispatcher, AnEndlessStreamIsWaitedForNoLongerThanOneFrame)
{
    form->Comm1->setBaudRate(br115200);
    LastRegister = 147;
    LastCount = 2;
    CommForm->ComboBox1->setCurrentIndex(-1); // no paced steps: only the settling wait
    // Less than a page arrives per quiet time, forever.
    LineClock line(port(), QByteArray(100000, '\x33'), 1);
    receive(QByteArray(1, '\x33'));
    const int pageWireMs = (1710 * 10 * 1000 + 115199) / 115200;
    EXPECT_LE(line.total(), 20 + pageWireMs + 2 * 20);
    EXPECT_EQ(takeWritten().toHex(), ReadFrame(147, 0x0200).toHex());
}

// A clock whose sleeps let the poll tick raise the receive event again, as an event loop
// run inside the handler would.
class NestingClock final : public Clock
{
public:
    explicit NestingClock(TMainForm &form)
        : m_form(form)
    {
        platform::install(this);
    }
    ~NestingClock() override { platform::install(static_cast<Clock *>(nullptr)); }
    QDateTime now() const override { return {}; }
    void sleepMs(int ms) override
    {
        sleeps.push_back(ms);
        if (sleeps.size() < 200)
            m_form.Comm1ReceiveData(m_form.Comm1);
    }
    std::vector<int> sleeps;

private:
    TMainForm &m_form;
};

TEST_F(Dispatcher, TheHandlerNeverRunsInsideItself)
{
    LastRegister = 148;
    LastCount = 2;
    NestingClock nesting(*form);
    receive(MeasurementFrame(9.0f));
    // One run: the 20 ms sleep and fifty steps, each inner call turned away at once.
    EXPECT_EQ(nesting.sleeps.size(), 51u);
    EXPECT_EQ(Measurement.KWH, 9.0f);
    EXPECT_TRUE(takeWritten().isEmpty());
}

} // namespace
