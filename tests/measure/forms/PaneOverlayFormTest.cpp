// The main window's panes with a reference measurement and the wave cursors over the live
// measurement, and the reference handed to the print window.

#include "link/forms/MainFixture.h"

#include "measure/MeasurementFile.h"
#include "measure/PaneOverlays.h"
#include "measure/WaveCursor.h"
#include "measure/forms/Reference.h"
#include "measure/forms/WaveCursorControl.h"
#include "support/ProgramWindows.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>

namespace {
const QColor Voltage(0, 128, 0);

int countOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

int topOf(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return y;
    return -1;
}

class PaneOverlays : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        ForgetProgramWindows();
        form = MakeProgramWindows({ .comm = true, .printer = true });
        openPort();
        form->resize(1000, 700);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        receive(MeasurementFrame(1.0f));
    }
    void TearDown() override
    {
        PrinterForm = nullptr; // goes with the main window
        MainFormFixture::TearDown();
    }

    QImage wave() const { return form->WaveSurface.copy(form->PaneRect); }
    QImage voltageSpectrum() const { return form->UHarmSurface.copy(form->PaneRect); }
    QImage currentSpectrum() const { return form->IHarmSurface.copy(form->PaneRect); }

    // The live measurement with waves and spectra twice as large, as a measurement file.
    QString largerReferenceFile() const
    {
        MeasurementRecord reference = Measurement;
        for (int k = 0; k < WaveSamples; ++k) {
            reference.UWave[k] = uint16_t(2047 + 2 * (int(Measurement.UWave[k]) - 2047));
            reference.IWave[k] = uint16_t(2047 + 2 * (int(Measurement.IWave[k]) - 2047));
        }
        for (int n = 0; n < HarmonicCount; ++n) {
            reference.UHarm[n] *= 2;
            reference.IHarm[n] *= 2;
        }
        const QString path = QDir(programDir.path()).filePath(QStringLiteral("larger.vqm"));
        SaveMeasurementFile(path, reference);
        return path;
    }
};
} // namespace

TEST_F(PaneOverlays, AReferenceIsDrawnUnderTheLiveMeasurementUntilItIsCleared)
{
    const QImage liveWave = wave();
    const QImage liveVoltageSpectrum = voltageSpectrum();
    const QImage liveCurrentSpectrum = currentSpectrum();
    ASSERT_EQ(countOf(liveWave, ReferenceShade(Voltage)), 0);
    const int liveTop = topOf(liveWave, Voltage);

    dialogs.fileNames.push_back(largerReferenceFile());
    form->LoadReference1->trigger();
    ASSERT_TRUE(form->Reference1->reference().has_value());

    // Redrawn at once: the reference's traces in the lighter shades, the live wave on the
    // scale that covers the larger reference, so smaller than before.
    EXPECT_GT(countOf(wave(), ReferenceShade(Voltage)), 100);
    EXPECT_GT(countOf(wave(), ReferenceShade(QColor(255, 0, 0))), 100);
    EXPECT_GT(topOf(wave(), Voltage), liveTop + 20);
    EXPECT_GT(countOf(voltageSpectrum(), ReferenceShade(Voltage)), 20);
    EXPECT_GT(countOf(currentSpectrum(), ReferenceShade(QColor(223, 48, 32))), 20);

    // Each new measurement is drawn over the reference too.
    receive(MeasurementFrame(2.0f));
    EXPECT_GT(countOf(wave(), ReferenceShade(Voltage)), 100);

    // Cleared: the panes are the live measurement's alone again.
    receive(MeasurementFrame(1.0f));
    form->ClearReference1->trigger();
    EXPECT_TRUE(wave() == liveWave);
    EXPECT_TRUE(voltageSpectrum() == liveVoltageSpectrum);
    EXPECT_TRUE(currentSpectrum() == liveCurrentSpectrum);
}

TEST_F(PaneOverlays, CursorsAreDrawnWherePlacedAndGoneWithEscape)
{
    const QImage plain = wave();
    const QColor colour = WaveCursorColour(WaveBackgroundColor);
    ASSERT_EQ(countOf(plain, colour), 0);
    TPaintBox *pane = form->Pic1;
    const int width = pane->width();

    QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(PaneXOfSample(100, width), 40));
    const int a = PaneXOfSample(100, width);
    const int rows = form->PaneRect.height() - 2 - 4 - 20;
    EXPECT_EQ(countOf(wave().copy(a, 20, 1, rows), colour), rows) << "A: a solid line at its sample";

    QTest::mouseClick(pane, Qt::LeftButton, Qt::ShiftModifier, QPoint(PaneXOfSample(300, width), 40));
    const int b = PaneXOfSample(300, width);
    EXPECT_GT(countOf(wave().copy(b, 20, 1, rows), colour), rows / 3) << "B: a dashed line at its sample";

    // The arrow keys move B, and its line with it.
    QTest::keyClick(pane, Qt::Key_Right);
    const int moved = PaneXOfSample(301, width);
    ASSERT_NE(moved, b);
    EXPECT_EQ(countOf(wave().copy(b, 20, 1, rows), colour), 0);
    EXPECT_GT(countOf(wave().copy(moved, 20, 1, rows), colour), rows / 3);

    QTest::keyClick(pane, Qt::Key_Escape);
    EXPECT_TRUE(wave() == plain);
}

TEST_F(PaneOverlays, ThePrintWindowIsOfferedTheReferenceWhileOneIsSet)
{
    ASSERT_TRUE(PrinterForm->ReferenceSource);
    EXPECT_FALSE(PrinterForm->ReferenceSource().has_value());
    form->SetReference1->trigger();
    ASSERT_TRUE(PrinterForm->ReferenceSource().has_value());
    EXPECT_EQ(PrinterForm->ReferenceSource()->URMS, Measurement.URMS);
    form->ClearReference1->trigger();
    EXPECT_FALSE(PrinterForm->ReferenceSource().has_value());
}
