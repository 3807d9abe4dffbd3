// A recording carries on through a link that heals by itself: continuous sampling against the
// simulated instrument, run as its own process on a pseudo-terminal reached through a
// symbolic link, with a recording running; the instrument vanishes and comes back, and the
// samples taken after its return hold the measurements it sends then, in the window and in
// the record file.

#include "base/Errors.h"
#include "base/IniFile.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Starting.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"
#include "record/forms/Rec.h"
#include "support/Fakes.h"
#include "support/ProgramWindows.h"
#include "support/SimProcess.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr int SimPort = 7;
// CH1 .. CH6 record Vol, Amp, Power, Apparent power, Frequency, Power Factor: the fields
// URMS, IRMS, WRMS, PS, UF and PF of a measurement.
constexpr std::array<int, 6> Channels = { 0, 1, 2, 3, 6, 7 };

using Tuple = std::array<uint32_t, 6>;

Tuple Recorded(const MeasurementRecord &m)
{
    const std::array<float, 6> values = { m.URMS, m.IRMS, m.WRMS, m.PS, m.UF, m.PF };
    Tuple tuple;
    std::memcpy(tuple.data(), values.data(), sizeof tuple);
    return tuple;
}

Tuple SampleOf(const RecordArrays &arrays, int i)
{
    Tuple tuple;
    for (int ch = 0; ch < 6; ++ch)
        std::memcpy(&tuple[size_t(ch)], &arrays.channel(ch)[i], 4);
    return tuple;
}

class RecordLinkHealing : public ::testing::Test
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
        main.reset();
        ResetGlobals();
    }

    // The program's windows as at start, SysSet.ini naming the port at 115.2 kbit/s and the
    // six recorded quantities at the shortest steps; every measurement the main window
    // stores and every status the link sends are kept.
    void startProgram(const QString &devicePath)
    {
        WritePortSettings(devicePath, SimPort, 7);
        const IniFile ini(SettingsFileName);
        ini.writeInteger(QStringLiteral("RecordSet"), QStringLiteral("SampingSetp"), 0);
        ini.writeInteger(QStringLiteral("RecordSet"), QStringLiteral("SaveSetp"), 0);
        for (int ch = 0; ch < 6; ++ch)
            ini.writeInteger(
                QStringLiteral("RecordSet"), QStringLiteral("Ch%1").arg(ch), Channels[size_t(ch)]);
        main = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true, .record = true });
        record = RecordForm;
        CommForm->FormCreate();
        QObject::connect(main.get(), &TMainForm::MeasurementStored, main.get(),
            [this] { stored.push_back(Recorded(Measurement)); });
        QObject::connect(CommForm, &TCommForm::MainStatusChanged, main.get(),
            [this](const QString &text) { linkStatus.push_back(text); });
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> main;
    TRecordForm *record = nullptr;
    std::vector<Tuple> stored;
    QStringList linkStatus;
};

TEST_F(RecordLinkHealing, SamplesAfterTheReturnHoldTheNewMeasurementsAndAreSaved)
{
    const QString link = dir.filePath(QStringLiteral("kmr5150"));
    SimProcess sim({ QStringLiteral("--link"), link });
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    startProgram(link);
    ASSERT_TRUE(main->Comm1->portOpen());

    // Continuous sampling, New, and Start once a measurement has come; short steps, set on
    // the timers as the settings window would.
    record->Timer1->setInterval(200);
    record->TimerSave->setInterval(1000);
    main->SeSkinSpeedButton8->click();
    const QString fileName = programDir.filePath(QStringLiteral("healed.vqr"));
    dialogs.fileNames.push_back(fileName);
    record->SeSkinSpeedButton12Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stored.empty(); }, 10000));
    record->SeSkinSpeedButton5Click();
    ASSERT_TRUE(record->Timer1->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return record->RecordCount() >= 5; }, 10000));

    ASSERT_TRUE(sim.vanish());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !main->Comm1->portOpen(); }, 5000))
        << "the lost line closes the port";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return main->statusText(TMainForm::PanelCommunication) == QStringLiteral("Connection Failure!");
        },
        5000));
    // While the instrument is away the ticks take no sample and the status bar says why.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return record->statusText(TRecordForm::SamplingNoticePanel)
                .startsWith(QStringLiteral("Samples skipped: no new measurement since "));
        },
        5000));
    const int countAway = record->RecordCount();
    QSignalSpy ticks(record->Timer1, &QTimer::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 5; }, 5000));
    EXPECT_EQ(record->RecordCount(), countAway);
    EXPECT_TRUE(record->Timer1->isActive());

    const size_t storedBefore = stored.size();
    linkStatus.clear();
    ASSERT_TRUE(sim.comeBack());
    ASSERT_TRUE(QTest::qWaitFor([&] { return linkStatus.contains(QStringLiteral("Connected!")); }, 10000))
        << qPrintable(linkStatus.join(QLatin1Char('|')));
    // Three new measurements, and the recording's newest sample holds one of them.
    const auto newest = [&] {
        const int count = record->RecordCount();
        const std::set<Tuple> after(stored.begin() + qsizetype(storedBefore), stored.end());
        return count > 0 && after.count(SampleOf(record->Record.live(), count - 1)) > 0;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored.size() >= storedBefore + 3 && newest(); }, 15000))
        << stored.size() - storedBefore << " stored since the return; status "
        << qPrintable(main->statusText(TMainForm::PanelCommunication));
    EXPECT_TRUE(main->Comm1->portOpen());
    EXPECT_EQ(SamplingMode, 2);

    EXPECT_TRUE(record->statusText(TRecordForm::SamplingNoticePanel).isEmpty());

    record->SeSkinSpeedButton6Click();
    main->SeSkinSpeedButton9->click();
    const int count = record->RecordCount();
    const std::set<Tuple> after(stored.begin() + qsizetype(storedBefore), stored.end());
    ASSERT_FALSE(after.empty());
    // Every sample since the loss holds a measurement sent after the return, none more
    // than were sent, and their times rise.
    EXPECT_GE(count - countAway, 1);
    EXPECT_LE(size_t(count - countAway), stored.size() - storedBefore);
    for (int i = countAway; i < count; ++i) {
        EXPECT_TRUE(after.count(SampleOf(record->Record.live(), i)))
            << "sample " << i << " holds no new measurement";
        EXPECT_GT(record->Record.live().timestamps()[i], record->Record.live().timestamps()[i - 1]) << i;
    }

    // The file holds the same record, bit for bit.
    auto arrays = std::make_unique<RecordArrays>();
    const RecordFileInfo info = ReadRecordFile(fileName, *arrays);
    ASSERT_EQ(info.count, count);
    for (int ch = 0; ch < 6; ++ch)
        EXPECT_EQ(std::memcmp(arrays->channel(ch), record->Record.live().channel(ch), 4 * size_t(count)), 0)
            << "CH" << ch + 1;
    EXPECT_TRUE(dialogs.messages.empty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
}

} // namespace
