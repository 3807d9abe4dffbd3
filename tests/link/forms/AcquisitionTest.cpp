// The measurement cycle against the simulated instrument on a real pseudo-terminal, with
// the real serial device and real sleeps: single and continuous sampling, the USB link,
// faults on the line, and every speed of the list.

#include "link/forms/MainFixture.h"
#include "link/sim/SimServer.h"
#include "support/ProgramWindows.h"

#include <QDeadlineTimer>
#include <QProgressBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>

#include <chrono>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr int SimPort = 7;

class Acquisition : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        RequestBuffer.fill(0);
        InitMeasurement();
    }

    void TearDown() override
    {
        ForgetProgramWindows();
        form.reset();
        if (server)
            server->stop();
        ResetGlobals();
    }

    // Starts the instrument and a main window connected to it at the speed of `baudIndex`.
    void connect(int baudIndex, sim::FaultSettings faults = {})
    {
        sim::ServerOptions options;
        options.faults = faults;
        server = std::make_unique<sim::SimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
        ports.paths[SimPort] = QString::fromStdString(server->devicePath());

        form = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true });
        InstrumentAddress = 1;
        CommForm->ComboBox1->setCurrentIndex(baudIndex);
        static constexpr TBaudRate rates[]
            = { br4800, br9600, br14400, br19200, br38400, br57600, br76800, br115200 };
        form->Comm1->setBaudRate(rates[baudIndex]);
        form->Comm1->setCommPort(pnCOM(SimPort));
        form->Comm1->setPortOpen(true);
        ASSERT_TRUE(form->Comm1->portOpen());
        form->SeSkinSpeedButton7->setEnabled(true);
        form->SeSkinSpeedButton8->setEnabled(true);

        QObject::connect(form.get(), &TMainForm::MeasurementStored, form.get(),
            [this] { stored.push_back(RecordBytes(Measurement, MeasurementReplyDataBytes)); });
    }

    // The data bytes of every measurement the instrument put on the line intact.
    std::vector<QByteArray> intactMeasurements() const
    {
        std::vector<QByteArray> frames;
        for (const sim::SentReply &reply : server->sentReplies())
            if (reply.kind == sim::Reply::Kind::Measurement
                && (reply.faults & ~sim::FaultSplit) == sim::NoFault)
                frames.emplace_back(
                    reinterpret_cast<const char *>(reply.frame.data()), MeasurementReplyDataBytes);
        return frames;
    }

    int measurementsSent() const
    {
        int count = 0;
        for (const sim::SentReply &reply : server->sentReplies())
            count += reply.kind == sim::Reply::Kind::Measurement;
        return count;
    }

    void expectEveryStoredMeasurementWasSentIntact() const
    {
        const std::vector<QByteArray> intact = intactMeasurements();
        for (size_t i = 0; i < stored.size(); ++i)
            EXPECT_NE(std::find(intact.begin(), intact.end(), stored[i]), intact.end())
                << "stored measurement " << i << " is none the instrument sent intact";
    }

    FakePortMap ports;
    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<TMainForm> form;
    std::vector<QByteArray> stored;
};

TEST_F(Acquisition, SingleSamplingFillsTheRecordAndShowsTheDate)
{
    connect(7);
    form->SeSkinSpeedButton7->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stored.empty(); }, 5000));
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Sampling completed!"));
    EXPECT_TRUE(form->statusText(TMainForm::PanelDate).startsWith(QStringLiteral("Date：")));
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_TRUE(form->SeSkinSpeedButton7->isEnabled());
    EXPECT_FALSE(form->ReReadTimer->isActive());
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored.front(), intactMeasurements().back());
    EXPECT_GT(Measurement.URMS, 100.0f);
    EXPECT_NE(form->valuePanel(Panel_URMS)->text(), QStringLiteral("0.0V"));
    EXPECT_EQ(measurementsSent(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Acquisition, ContinuousSamplingRunsByItselfUntilStop)
{
    connect(7);
    form->SeSkinSpeedButton8->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored.size() >= 4; }, 10000));
    EXPECT_EQ(SamplingMode, 2);
    form->SeSkinSpeedButton9->click();
    // A reply still on its way is shown, and starts nothing.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return server->waitForReplies(server->repliesSent(), 0ms) && form->Comm1->dataCount() == 0
                && static_cast<int>(stored.size()) == measurementsSent();
        },
        5000));
    EXPECT_EQ(SamplingMode, 0);
    EXPECT_FALSE(form->ContinuousReadTimer->isActive());
    EXPECT_FALSE(form->ReReadTimer->isActive());
    expectEveryStoredMeasurementWasSentIntact();
    // Each measurement of the run is a new one.
    for (size_t i = 1; i < stored.size(); ++i)
        EXPECT_NE(stored[i], stored[i - 1]);
}

TEST_F(Acquisition, OverTheUsbLinkNoPacedWaitIsMade)
{
    connect(7);
    UsbLink = 1;
    // The link watch reopens the selected port every 1.6 s over the USB link.
    CommForm->SelectedPort = SimPort;
    form->SeSkinSpeedButton8->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored.size() >= 3; }, 10000));
    form->SeSkinSpeedButton9->click();
    EXPECT_EQ(form->ProgressBar1->value(), form->ProgressBar1->maximum());
    expectEveryStoredMeasurementWasSentIntact();
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Acquisition, FaultsOnTheLineLoseNoMeasurementAndStoreNothingDamaged)
{
    sim::FaultSettings faults;
    faults.corruptEvery = 3;
    faults.truncateEvery = 5;
    faults.dropEvery = 7;
    connect(7, faults);
    form->SeSkinSpeedButton8->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored.size() >= 30; }, 120000)) << stored.size() << " stored";
    form->SeSkinSpeedButton9->click();

    expectEveryStoredMeasurementWasSentIntact();
    int damaged = 0;
    for (const sim::SentReply &reply : server->sentReplies())
        damaged += reply.faults != sim::NoFault;
    EXPECT_GT(damaged, 10);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Acquisition, NoMeasurementIsCutAtAnySpeedOfTheList)
{
    for (int baudIndex = 0; baudIndex < 8; ++baudIndex) {
        SCOPED_TRACE(baudIndex);
        form.reset();
        if (server)
            server->stop();
        stored.clear();
        connect(baudIndex);
        // The worst moment for the receive event is the first byte of the reply: raise it
        // right then instead of at the next poll tick.
        form->Comm1->pollTimer()->stop();
        form->SeSkinSpeedButton7->click();
        QDeadlineTimer deadline(15000);
        while (form->Comm1->dataCount() == 0 && !deadline.hasExpired())
            QThread::usleep(200);
        ASSERT_GT(form->Comm1->dataCount(), 0u);
        form->Comm1ReceiveData(form->Comm1);
        // The first reply was taken whole: stored, and nothing asked again.
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored.front(), intactMeasurements().front());
        EXPECT_EQ(server->repliesSent(), 1);
        EXPECT_EQ(form->Comm1->dataCount(), 0u);
    }
}

} // namespace
