// Start-up against the simulated instrument on a real pseudo-terminal, through the
// production serial devices, port map (SysSet.ini [PortMap]) and device inventory: the scan
// connects, reads the mode byte and runs the settings read chain to its end.

#include "link/forms/MainFixture.h"

#include "base/IniFile.h"
#include "link/sim/SimServer.h"
#include "support/ProgramWindows.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int SimPort = 7;

class CommSim : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        RequestBuffer.fill(0);
    }

    void TearDown() override
    {
        ForgetProgramWindows();
        main.reset();
        if (server)
            server->stop();
        ResetGlobals();
    }

    // The instrument at `address`, SysSet.ini pointing at it, and the windows as the
    // program creates them; the connection window's scan runs last, as at start.
    void start(uint8_t address, int baudIndex, const QString &storedAddress, uint8_t modeByte = 0)
    {
        sim::ServerOptions options;
        options.instrument.address = address;
        server = std::make_unique<sim::SimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
        server->withInstrument([&](sim::Instrument &instrument) {
            const uint8_t data[4] = { modeByte, 0, 0, 0 };
            const auto frame = BuildWriteFrame(address, 128, data);
            instrument.receive(frame.data(), frame.size(), 0);
            return instrument.modeByte();
        });

        WritePortSettings(QString::fromStdString(server->devicePath()), SimPort, baudIndex, storedAddress);
        main = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true });
        CommForm->FormCreate();
    }

    std::vector<uint16_t> answeredRegisters() const
    {
        std::vector<uint16_t> registers;
        for (const sim::SentReply &reply : server->sentReplies())
            registers.push_back(reply.reg);
        return registers;
    }

    QString status() const { return main->statusText(TMainForm::PanelCommunication); }

    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<TMainForm> main;
};

TEST_F(CommSim, StartUpReadsTheModeByteAndTheWholeSettingsChainAtTheConfiguredAddress)
{
    struct Case
    {
        uint8_t address;
        int baudIndex;
        uint8_t modeByte;
    } cases[] = {
        { 1, 7, 0x00 },
        { 3, 7, 0x03 },
        { 200, 3, 0x01 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "address " << int(c.address) << ", speed index " << c.baudIndex);
        TearDown();
        SetUp();
        start(c.address, c.baudIndex, QString::number(c.address), c.modeByte);
        ASSERT_FALSE(HasFatalFailure());

        ASSERT_TRUE(main->Comm1->portOpen());
        EXPECT_TRUE(CommForm->RadioGroup2Items().contains(QStringLiteral("COM7    ")));
        EXPECT_EQ(
            CommForm->RadioGroup2Items().at(CommForm->RadioGroup2ItemIndex()), QStringLiteral("COM7    "));
        EXPECT_EQ(UsbLink, 2);
        EXPECT_EQ(InstrumentAddress, c.address);
        EXPECT_TRUE(main->SeSkinSpeedButton7->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Synchronization"); }, 10000))
            << qPrintable(status());
        EXPECT_EQ(
            answeredRegisters(), std::vector<uint16_t>({ 128, 118, 119, 120, 121, 122, 123, 124, 125, 126 }));
        EXPECT_EQ(AlarmReadStep, 9);
        EXPECT_EQ(ModeWord, c.modeByte);
        EXPECT_EQ(main->N32->text(),
            (c.modeByte & 1) ? QStringLiteral("Broadband &(Z)←") : QStringLiteral("Broadband &(Z)"));
        EXPECT_TRUE(dialogs.messages.empty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    }
}

TEST_F(CommSim, AnInstrumentAtAnotherAddressDoesNotAnswer)
{
    start(5, 7, QStringLiteral("4"));
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(main->Comm1->portOpen());
    EXPECT_EQ(status(), QStringLiteral("Communications port is open"));
    // An instrument at the stored address does answer on the same line.
    CommForm->Edit1->setText(QStringLiteral("5"));
    ASSERT_TRUE(SendReadRequest(InstrumentAddress, 128, 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Synchronization"); }, 10000))
        << qPrintable(status());
    // The first request, at address 4, got no reply.
    EXPECT_EQ(answeredRegisters().front(), 128);
    EXPECT_EQ(answeredRegisters().size(), 10u);
}

TEST_F(CommSim, AScanThatNoInstrumentAnswersSaysSoAfterTheOpenPort)
{
    // An instrument at another address, and a line with nothing at its far end.
    struct Case
    {
        const char *name;
        bool instrument;
    } cases[] = { { "wrong address", true }, { "no instrument", false } };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        dialogs.messages.clear();
        int bareLine = -1;
        if (c.instrument) {
            start(5, 7, QStringLiteral("1"));
        } else {
            bareLine = ::posix_openpt(O_RDWR | O_NOCTTY);
            ASSERT_GE(bareLine, 0);
            ASSERT_EQ(::grantpt(bareLine), 0);
            ASSERT_EQ(::unlockpt(bareLine), 0);
            WritePortSettings(QString::fromLocal8Bit(::ptsname(bareLine)), SimPort, 7, QStringLiteral("1"));
            main = MakeProgramWindows({ .comm = true, .alarm = true });
            CommForm->FormCreate();
        }
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(main->Comm1->portOpen());
        EXPECT_EQ(status(), QStringLiteral("Communications port is open")) << "the scan's own text first";
        ASSERT_TRUE(CommForm->AnswerTimer->isActive());
        EXPECT_EQ(CommForm->AnswerTimer->interval(), TCommForm::AnswerWaitMs);
        CommForm->AnswerTimer->setInterval(300); // the wait, shortened

        const QString expected = QStringLiteral("No instrument answered on COM7 at 115.2Kbps, address 1.");
        EXPECT_TRUE(QTest::qWaitFor([&] { return status().startsWith(expected); }, 5000))
            << qPrintable(status());
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(expected)) << qPrintable(dialogs.messages[0].text);
        EXPECT_TRUE(main->Comm1->portOpen()) << "the port stays open for another try";
        if (bareLine >= 0)
            ::close(bareLine);
    }
}

TEST_F(CommSim, AnAnsweringInstrumentEndsTheWaitForItsAnswer)
{
    start(1, 7, QStringLiteral("1"));
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !CommForm->AnswerTimer->isActive(); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Synchronization"); }, 10000))
        << qPrintable(status());
    CommForm->AnswerTimerTimer(); // a late tick would still find the port open
    EXPECT_EQ(status(), QStringLiteral("Synchronization"));
    EXPECT_TRUE(dialogs.messages.empty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
}

} // namespace
