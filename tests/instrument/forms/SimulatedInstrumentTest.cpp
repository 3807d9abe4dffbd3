// The instrument windows against the simulated instrument on a real pseudo-terminal, with
// the real serial device and the main window's reply handler: the alarm save chain and read
// chain, and a whole starting test.

#include "instrument/StartingChart.h"
#include "instrument/forms/Alarm.h"
#include "instrument/forms/Calibrate.h"
#include "instrument/forms/External_CT.h"
#include "instrument/forms/Starting.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "link/forms/communication.h"
#include "link/sim/SimServer.h"
#include "measure/forms/Main.h"
#include "support/FakeSerial.h"
#include "support/Fakes.h"
#include "support/ProgramWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int SimPort = 7;
constexpr int Speed115200 = 7; // index in the connection window's list

class SimulatedInstrument : public ::testing::Test
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
        form.reset();
        if (server)
            server->stop();
        ResetGlobals();
    }

    void connect(sim::ServerOptions options = {})
    {
        server = std::make_unique<sim::SimServer>(options);
        std::string error;
        ASSERT_TRUE(server->start(&error)) << error;
        ports.paths[SimPort] = QString::fromStdString(server->devicePath());

        form = MakeProgramWindows(
            { .comm = true, .starting = true, .alarm = true, .calibrate = true, .ct = true });
        InstrumentAddress = 1;
        CommForm->ComboBox1->setCurrentIndex(Speed115200);
        form->Comm1->setBaudRate(br115200);
        form->Comm1->setCommPort(pnCOM(SimPort));
        form->Comm1->setPortOpen(true);
        ASSERT_TRUE(form->Comm1->portOpen());
    }

    bool lineIsQuiet() const { return server->repliesPending() == 0 && form->Comm1->dataCount() == 0; }

    FakePortMap ports;
    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<sim::SimServer> server;
    std::unique_ptr<TMainForm> form;
};

TEST_F(SimulatedInstrument, AlarmLimitsSavedAreReadBack)
{
    connect();
    const QStringList saved = { "245.5", "198", "12.25", "0.5", "2500", "", "0.99", "0.7" };
    const QStringList shown = { "245.5", "198", "12.25", "0.5", "2500", "0", "0.99", "0.7" };
    const bool switches[8] = { true, false, false, true, true, false, false, true };
    for (int k = 0; k < 8; ++k) {
        AlarmForm->Edits[k]->setText(saved[k]);
        AlarmForm->CheckBoxes[k]->setChecked(switches[k]);
    }
    AlarmForm->Button1->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return AlarmForm->Label7->text() == QStringLiteral("Completed")
                && server->withInstrument([](sim::Instrument &i) { return i.writesOf(126); }) == 1
                && lineIsQuiet();
        },
        10000))
        << qPrintable(AlarmForm->Label7->text());
    for (int k = 0; k < 8; ++k) {
        const auto bytes
            = server->withInstrument([k](sim::Instrument &i) { return i.registerBytes(118 + k); });
        EXPECT_EQ(BytesToSingle(bytes.data()), saved[k].toFloat()) << k;
    }
    EXPECT_EQ(server->withInstrument([](sim::Instrument &i) { return i.registerBytes(126); }),
        (std::array<uint8_t, 4> { 0x99, 0, 0, 0 }));

    // Other values in the window, then the read chain brings the instrument's back.
    for (int k = 0; k < 8; ++k) {
        AlarmForm->Edits[k]->setText(QStringLiteral("1"));
        AlarmForm->CheckBoxes[k]->setChecked(!switches[k]);
    }
    AlarmForm->Button3->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return AlarmForm->Label7->text()
                == QStringLiteral("Data synchronization with the instrument has been")
                && lineIsQuiet();
        },
        10000))
        << qPrintable(AlarmForm->Label7->text());
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(AlarmForm->Edits[k]->text(), shown[k]) << k;
        EXPECT_EQ(AlarmForm->CheckBoxes[k]->isChecked(), switches[k]) << k;
    }
    EXPECT_EQ(AlarmReadStep, 9);
    EXPECT_EQ(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Synchronization"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SimulatedInstrument, CalibrationAndCtWritesReachTheInstrument)
{
    connect();
    CalibrateForm->SeSkinButton9->click(); // 220
    CalibrateForm->SeSkinButton16->click(); // 0.2A
    CalibrateForm->SeSkinButton7->click(); // temperature compensation off
    CalibrateForm->Button1->click(); // unlock
    External_CT_form->Edit1->setText(QStringLiteral("1.8"));
    External_CT_form->Edit2->setText(QStringLiteral("50"));
    External_CT_form->Button1->click();

    const auto held = [&](uint16_t reg) {
        return server->withInstrument([reg](sim::Instrument &i) { return i.registerBytes(reg); });
    };
    const auto written = [&](uint16_t reg) {
        return server->withInstrument([reg](sim::Instrument &i) { return i.writesOf(reg); });
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (uint16_t reg : { 154, 158, 166, 185, 129 })
                if (written(reg) != 1)
                    return false;
            return true;
        },
        5000));
    EXPECT_EQ(held(154), (std::array<uint8_t, 4> { 0x00, 0x00, 0x5C, 0x43 }));
    EXPECT_EQ(held(158), (std::array<uint8_t, 4> { 0xCD, 0xCC, 0x4C, 0x3E }));
    EXPECT_EQ(held(166), (std::array<uint8_t, 4> { 0x02, 0, 0, 0 }));
    EXPECT_EQ(held(185), (std::array<uint8_t, 4> { 0xA7, 0, 0, 0 }));
    EXPECT_EQ(BytesToSingle(held(129).data()), 0.0001f);
    // None of these writes is answered, and nothing else was asked.
    EXPECT_EQ(server->repliesSent(), 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Largest distance from 2047 over samples 8 to 2558 of the channel at `offset`, and where.
std::pair<int, int> peakOf(const std::vector<uint8_t> &capture, int offset)
{
    int peak = -1;
    int where = 0;
    for (int n = 8; n <= 2558; ++n) {
        const int counts = capture[offset + 2 * n] | capture[offset + 2 * n + 1] << 8;
        if (std::abs(counts - 2047) > peak) {
            peak = std::abs(counts - 2047);
            where = n;
        }
    }
    return { peak, where };
}

TEST_F(SimulatedInstrument, AStartingTestIsFetchedAndDrawnAsTheInstrumentCapturedIt)
{
    sim::ServerOptions options;
    options.instrument.triggerDelay = 0.3;
    connect(options);
    StartingForm->resize(1000, 640);
    StartingForm->show();
    StartingForm->ComboBox2->setCurrentIndex(2); // 75V
    StartingForm->ComboBox1->setCurrentIndex(1); // 3
    dialogs.answers.push_back(true);
    StartingForm->SeSkinSpeedButton1->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return StartingForm->statusText() == QStringLiteral("Completed") && lineIsQuiet(); }, 20000))
        << qPrintable(StartingForm->statusText());
    StartingForm->hide();

    const std::vector<uint8_t> capture
        = server->withInstrument([](sim::Instrument &i) { return i.capture(); });
    EXPECT_EQ(server->withInstrument([](sim::Instrument &i) { return i.rangeCode(); }), 0x12);
    ASSERT_EQ(capture.size(), StartingCapture.size());
    EXPECT_TRUE(std::equal(capture.begin(), capture.end(), StartingCapture.begin()));

    const float voltageScale = BytesToSingle(capture.data());
    const float currentScale = BytesToSingle(capture.data() + 4);
    const auto [voltagePeak, voltageAt] = peakOf(capture, 8);
    const auto [currentPeak, currentAt] = peakOf(capture, 8 + 2 * 2560);
    EXPECT_GT(currentPeak, 500); // an inrush, not a flat line
    EXPECT_EQ(StartingForm->Peaks.voltageText,
        PeakText(QStringLiteral("电压峰值"), voltagePeak, voltageScale, QStringLiteral("V")));
    EXPECT_EQ(StartingForm->Peaks.currentText,
        PeakText(QStringLiteral("电流峰值"), currentPeak, currentScale, QStringLiteral("A")));

    // Each peak is drawn at its sample's column, on the top line (voltage) or one division
    // below it (current), or as far below the middle.
    const QSize area = StartingForm->StartingPic->size();
    const int h = area.height();
    const auto column = [](int sample) { return sample == 8 ? 2 : sample - 8; };
    ASSERT_LT(column(voltageAt), area.width());
    ASSERT_LT(column(currentAt), area.width());
    const auto counts
        = [&](int offset, int n) { return capture[offset + 2 * n] | capture[offset + 2 * n + 1] << 8; };
    const int mid = h / 2;
    const int voltageY = counts(8, voltageAt) > 2047 ? 18 : 2 * mid - 14;
    const int reach = static_cast<int>(std::nearbyint(mid - 16 - (h - 32) / 10.0)); // ties to even
    const int currentY = counts(8 + 2 * 2560, currentAt) > 2047 ? mid + 2 - reach : mid + 2 + reach;
    EXPECT_EQ(StartingForm->ChartPicture.pixelColor(column(voltageAt), voltageY), VoltageTraceColor);
    EXPECT_EQ(StartingForm->ChartPicture.pixelColor(column(currentAt), currentY), CurrentTraceColor);
    // Nothing of either trace goes beyond its peak.
    for (int x = 0; x < area.width(); ++x)
        for (int y = 0; y < voltageY; ++y)
            ASSERT_NE(StartingForm->ChartPicture.pixelColor(x, y), VoltageTraceColor) << x << "," << y;
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SimulatedInstrument, AStartingTestFetchCutByALostPortGoesOnFromTheMissingPage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    sim::ServerOptions options;
    options.instrument.triggerDelay = 0.3;
    options.linkPath = dir.filePath(QStringLiteral("kmr5150")).toStdString();
    connect(options);
    // The port is found through the link, which follows the instrument to its new node.
    ports.paths[SimPort] = QString::fromStdString(options.linkPath);

    // The port goes while page 3 is asked for.
    bool vanished = false;
    QObject::connect(form.get(), &TMainForm::StartingStatusChanged, form.get(), [&](const QString &text) {
        if (!vanished && text == QStringLiteral("Requesting 3Data frame")) {
            vanished = true;
            server->vanish();
        }
    });
    dialogs.answers.push_back(true);
    StartingForm->SeSkinSpeedButton1->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return vanished && !form->Comm1->portOpen(); }, 20000))
        << qPrintable(StartingForm->statusText());
    EXPECT_NE(StartingPage, 0) << "the fetch was cut short";
    std::string error;
    ASSERT_TRUE(server->comeBack(&error)) << error;

    // Nobody touches a control: the port is opened again and the fetch completes.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return StartingForm->statusText() == QStringLiteral("Completed") && lineIsQuiet(); }, 20000))
        << qPrintable(StartingForm->statusText());
    const std::vector<uint8_t> capture
        = server->withInstrument([](sim::Instrument &i) { return i.capture(); });
    ASSERT_EQ(capture.size(), StartingCapture.size());
    EXPECT_TRUE(std::equal(capture.begin(), capture.end(), StartingCapture.begin()))
        << "every page once, in its place";
    EXPECT_EQ(StartingPage, 0);
}

} // namespace
