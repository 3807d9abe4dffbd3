// Continuous sampling against the simulated instrument goes on while a modal window is open:
// the window is opened by a command that runs inside the serial component's tick, as a menu
// click that arrived during a reply's wait does.

#include "link/forms/MainFixture.h"

#include "measure/forms/Harmonic.h"
#include "measure/forms/version.h"
#include "support/ProgramWindows.h"
#include "support/SimProcess.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int SimPort = 7;

class ModalWindowSampling : public ::testing::Test
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
        HarmonicForm = nullptr;
        VForm = nullptr;
        form.reset();
        ResetGlobals();
    }

    FakeDialogs dialogs;
    TempProgramDir programDir;
    std::unique_ptr<TMainForm> form;
    int stored = 0;
};

TEST_F(ModalWindowSampling, RepliesAreTakenWhileAModalWindowIsOpen)
{
    SimProcess sim;
    ASSERT_TRUE(sim.started()) << qPrintable(sim.errorText());
    WritePortSettings(sim.devicePath(), SimPort, 7);
    form = MakeProgramWindows({ .comm = true, .starting = true, .alarm = true });
    HarmonicForm = new THarmonicForm(form.get());
    VForm = new TVForm(form.get());
    CommForm->FormCreate();
    ASSERT_TRUE(form->Comm1->portOpen());
    QObject::connect(form.get(), &TMainForm::MeasurementStored, form.get(), [this] { ++stored; });

    form->SeSkinSpeedButton8->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return stored >= 2; }, 15000)) << stored;

    const struct
    {
        const char *name;
        MainWindowRequest window;
        QDialog *dialog;
    } cases[] = {
        { "harmonic table", MainWindowRequest::HarmonicTable, HarmonicForm },
        { "version", MainWindowRequest::Version, VForm },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        constexpr int wanted = 5;
        int storedWhileOpen = -1;
        bool armed = true;
        const QMetaObject::Connection opener
            = QObject::connect(form.get(), &TMainForm::MeasurementStored, form.get(), [&] {
                  if (!armed)
                      return;
                  armed = false;
                  // Delivered while the tick that stored the measurement lets messages run.
                  QTimer::singleShot(0, form.get(), [&] {
                      const int before = stored;
                      QTimer closer;
                      QObject::connect(&closer, &QTimer::timeout, c.dialog, [&] {
                          if (stored >= before + wanted)
                              c.dialog->accept();
                      });
                      closer.start(20);
                      QTimer::singleShot(20000, c.dialog, &QDialog::reject);
                      emit form->WindowRequested(c.window);
                      storedWhileOpen = stored - before;
                  });
              });
        ASSERT_TRUE(QTest::qWaitFor([&] { return storedWhileOpen >= 0; }, 30000));
        QObject::disconnect(opener);
        EXPECT_GE(storedWhileOpen, wanted) << "measurements taken while the window was open";
        EXPECT_NE(form->statusText(TMainForm::PanelCommunication), QStringLiteral("Connection Failure!"));
    }
    form->SeSkinSpeedButton9->click();
}

} // namespace
