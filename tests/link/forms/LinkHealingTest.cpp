// The link heals by itself: continuous sampling against the simulated instrument, run as its
// own process on a pseudo-terminal reached through a symbolic link, goes on after the
// instrument vanishes and comes back on a new device node. A port another program holds is
// named in the status of a scan that cannot open it.

#include "link/forms/MainFixture.h"

#include "base/IniFile.h"
#include "support/ProgramWindows.h"
#include "support/SimProcess.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

static void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr int SimPort = 7;

class LinkHealing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetGlobals();
        RequestBuffer.fill(0);
        InitMeasurement();
        ASSERT_TRUE(dir.isValid());
    }

    void TearDown() override
    {
        ForgetProgramWindows();
        form.reset();
        ResetGlobals();
    }

    // The program's windows, with SysSet.ini naming the port; the scan runs as at start.
    void startProgram(const QString &devicePath)
    {
        WritePortSettings(devicePath, SimPort, 7);
        form = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true });
        CommForm->FormCreate();
        QObject::connect(form.get(), &TMainForm::MeasurementStored, form.get(), [this] { ++stored; });
    }

    QString status() const { return form->statusText(TMainForm::PanelCommunication); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> form;
    int stored = 0;
};

TEST_F(LinkHealing, ContinuousSamplingCarriesOnAfterTheInstrumentVanishesAndReturns)
{
    const QString link = dir.filePath(QStringLiteral("kmr5150"));
    SimProcess sim({ QStringLiteral("--link"), link });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    startProgram(link);
    ASSERT_TRUE(form->Comm1->portOpen());
    // Pseudo-terminals held by the test while the instrument is away, so that it cannot
    // come back on the number it had.
    std::vector<int> squatters;

    form->SeSkinSpeedButton8->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored >= 3; }, 15000)) << stored;

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(sim.vanish());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Comm1->portOpen(); }, 5000))
            << "the lost line closes the port";
        ASSERT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Connection Failure!"); }, 5000))
            << qPrintable(status());
        const int before = stored;
        // The node the instrument had is held, so that it comes back on another one. Nodes
        // are given lowest number first; a number past the old one means the old node is held
        // already (by another program running beside this test).
        const QString oldNode = sim.outputLines().value(round - 1);
        const auto nodeNumber
            = [](const QString &node) { return node.section(QLatin1Char('/'), -1).toInt(); };
        for (int tries = 0; tries < 64; ++tries) {
            const int squatter = ::posix_openpt(O_RDWR | O_NOCTTY);
            ASSERT_GE(squatter, 0);
            squatters.push_back(squatter);
            const QString node = QString::fromLocal8Bit(::ptsname(squatter));
            if (node == oldNode || nodeNumber(node) > nodeNumber(oldNode))
                break;
        }
        ASSERT_TRUE(sim.comeBack());
        ASSERT_TRUE(sim.waitForOutputLines(round + 1, 5000));
        // Nobody touches a control: the port is opened again and the samples go on.
        ASSERT_TRUE(QTest::qWaitFor([&] { return stored >= before + 3; }, 20000))
            << stored - before << " stored since the return; status " << qPrintable(status());
        EXPECT_TRUE(form->Comm1->portOpen());
        EXPECT_EQ(SamplingMode, 2);
        EXPECT_EQ(sim.outputLines().value(round), QFileInfo(link).canonicalFilePath());
        EXPECT_NE(sim.outputLines().value(round), sim.outputLines().value(round - 1))
            << "the link was followed to a new device node";
    }
    for (const int fd : squatters)
        ::close(fd);
    EXPECT_EQ(form->Comm1->commPort(), pnCOM(SimPort));
    form->SeSkinSpeedButton9->click();
    EXPECT_TRUE(dialogs.messages.empty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
}

TEST_F(LinkHealing, ScanNamesTheProgramThatHoldsTheStoredPort)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    const QByteArray path = sim.devicePath().toLocal8Bit();

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    char held = 0;
    pollfd poller { ready[0], POLLIN, 0 };
    ASSERT_GT(::poll(&poller, 1, 5000), 0);
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');

    startProgram(sim.devicePath());
    EXPECT_FALSE(form->Comm1->portOpen());
    EXPECT_TRUE(status().startsWith(QStringLiteral("Failed,The machine is not connected  (COM7 is held by ")))
        << qPrintable(status());
    EXPECT_TRUE(status().endsWith(QStringLiteral("(process %1))").arg(holder))) << qPrintable(status());

    // Once the holder is gone, the next scan connects.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    CommForm->FormCreate();
    EXPECT_TRUE(form->Comm1->portOpen());
    EXPECT_EQ(status(), QStringLiteral("Communications port is open"));
}

TEST_F(LinkHealing, AHeldPortIsNamedAtStartAndTakenOnceItsHolderLetsGo)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    const QByteArray path = sim.devicePath().toLocal8Bit();

    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        ::prctl(PR_SET_NAME, "minicom");
        const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        const char held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    char held = 0;
    pollfd poller { ready[0], POLLIN, 0 };
    ASSERT_GT(::poll(&poller, 1, 5000), 0);
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    ::close(ready[0]);
    ::close(ready[1]);

    startProgram(sim.devicePath());
    EXPECT_FALSE(form->Comm1->portOpen());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const QString said = dialogs.messages[0].text;
    EXPECT_TRUE(said.contains(QStringLiteral("COM7 is in use by minicom (pid %1)").arg(holder)))
        << qPrintable(said);
    EXPECT_FALSE(said.contains(QStringLiteral("Did not find the default communication port")));
    EXPECT_FALSE(form->SeSkinSpeedButton7->isEnabled());

    // Nobody touches a control: once the holder ends, the port is opened and the settings
    // chain runs as after a scan.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Comm1->portOpen(); }, 10000)) << qPrintable(status());
    EXPECT_TRUE(QTest::qWaitFor([&] { return status() == QStringLiteral("Synchronization"); }, 10000))
        << qPrintable(status());
    EXPECT_TRUE(form->SeSkinSpeedButton7->isEnabled());
    EXPECT_EQ(AlarmReadStep, 9);
    EXPECT_EQ(dialogs.messages.size(), 1u) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
}

TEST_F(LinkHealing, APortThatIsMissingAtStartIsStillNotFound)
{
    const QString absent = dir.filePath(QStringLiteral("absent"));
    startProgram(absent);
    EXPECT_FALSE(form->Comm1->portOpen());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, TCommForm::PortNotFoundText);
}

} // namespace
