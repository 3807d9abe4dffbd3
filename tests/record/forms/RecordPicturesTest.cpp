// The record window on screen in record and read mode, in the three ranges: the traces
// drawn off-screen reach the window. With KMR_RECORD_SHOTS set to a folder, each view is
// saved there as a PNG as well, to be looked at.

#include "measure/DrawingColours.h"
#include "record/forms/ChartPaintBox.h"
#include "record/forms/RecordFixture.h"

#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>

namespace {

class RecordWindowPictures : public RecordFormFixture
{
protected:
    // Vol, Amp, Power, Reactive power, Frequency, Power Factor.
    static void measure(int i)
    {
        const double t = i / 40.0;
        Measurement.URMS = float(230 + 12 * std::sin(t));
        Measurement.IRMS = float(4 + 2.5 * std::sin(t / 2));
        Measurement.WRMS = float(600 + 300 * std::sin(t / 3 + 1));
        Measurement.PQ = float(-150 + 250 * std::cos(t / 1.7));
        Measurement.UF = float(50 + 0.2 * std::sin(t * 3));
        Measurement.PF = float(0.85 + 0.1 * std::cos(t));
    }

    void setUpChannels()
    {
        RecordSettings settings;
        settings.channelSignal = { 0, 1, 2, 4, 6, 7 };
        settings.samplingIndex = 0;
        settings.saveIndex = 0;
        form->applyRecordSettings(settings);
        for (int up : { 1, 1, 1, 1, 1, 1, 5, 5, 5, 5, 5, 5 }) // Amp and PF larger
            form->ScaleUpClick(up);
    }

    // Grabs the window and checks that traces (not only labels or marks) reached the
    // window's trace area: channel colours between the overflow marks and the labels.
    void look(const QString &name)
    {
        form->DrawChart();
        QCoreApplication::processEvents();
        const QImage shot = form->grab().toImage();
        const QRect trace(form->Pic4->mapTo(form.get(), QPoint(0, 0)), form->Pic4->size());
        int found = 0;
        for (const QColor colour :
            { QColor(0, 128, 0), QColor(255, 0, 0), QColor(0, 0, 255), QColor(128, 0, 0) }) {
            bool seen = false;
            for (int y = trace.top() + 8; y < trace.bottom() - 14 && !seen; ++y)
                for (int x = trace.left(); x < trace.left() + 120 && !seen; ++x)
                    seen = shot.pixelColor(x, y) == colour;
            found += seen;
        }
        EXPECT_GT(found, 0) << qPrintable(name);
        const QString folder = qEnvironmentVariable("KMR_RECORD_SHOTS");
        if (!folder.isEmpty())
            shot.save(QDir(folder).filePath(name + QStringLiteral(".png")));
    }
};

TEST_F(RecordWindowPictures, RecordAndReadModeInEachRange)
{
    WaveBackgroundColor = QColor(238, 238, 238);
    WaveScaleColor = QColor(170, 170, 170);
    create();
    form->resize(1000, 700);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    setUpChannels();
    startRecording(QStringLiteral("pictures.vqr"));
    for (int i = 0; i < 1200; ++i) {
        measure(i);
        clock.current = clock.current.addSecs(1);
        form->Record.sample(Measurement, clock.current);
    }
    measure(1200);
    clock.current = clock.current.addSecs(1);
    const MeasurementRecord reply = Measurement;
    StoreMeasurementReply(reinterpret_cast<const uint8_t *>(&reply)); // as the receive handler does
    form->Timer1Timer(); // the last sample as the sampling timer takes it, with its redraw
    form->Pic4MouseMove(120);
    const char *ranges[] = { "positive", "bipolar", "negative" };
    for (int r = 0; r < 3; ++r) {
        look(QStringLiteral("record-%1").arg(QLatin1String(ranges[r])));
        form->SeSkinButton19->click();
    }
    form->TimerSaveTimer();
    form->SeSkinSpeedButton6Click();

    dialogs.fileNames.push_back(path("pictures.vqr"));
    form->SeSkinSpeedButton1Click();
    form->SeSkinSpeedButton7Click(); // the whole record at compression 2
    form->Pic4MouseMove(300);
    for (int r = 0; r < 3; ++r) {
        look(QStringLiteral("read-%1").arg(QLatin1String(ranges[r])));
        form->SeSkinButton19->click();
    }
}

} // namespace
