// The measurement file loader fed arbitrary files, followed by everything that shows what it
// loaded: the fifteen value panels, the harmonic table rows and the three panes.

#include "measure/HarmonicTable.h"
#include "measure/MeasurementFile.h"
#include "measure/PaneDrawing.h"
#include "measure/PanelTexts.h"

#include "base/Errors.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>

namespace {
QTemporaryDir *workDir = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The panes write their scale texts: fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    workDir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString name = workDir->filePath(QStringLiteral("fuzz.vqm"));
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    MeasurementRecord record;
    std::memset(&record, 0x5A, sizeof record);
    MeasurementRecord before = record;
    try {
        LoadMeasurementFile(name, record);
    } catch (const EInOutError &) {
        // A short file is refused and the record stays as it was.
        if (size >= size_t(MeasurementRecordBytes) || std::memcmp(&record, &before, sizeof record) != 0)
            std::abort();
        return 0;
    }
    if (size < size_t(MeasurementRecordBytes) || std::memcmp(&record, data, MeasurementRecordBytes) != 0)
        std::abort();

    for (const QString &text : PanelTexts(record)) {
        if (text.isEmpty())
            std::abort();
    }
    for (int n = 0; n < HarmonicCount; ++n)
        HarmonicTableRow(record, n);
    static QImage wave(640, 300, QImage::Format_RGB32);
    static QImage bars(640, 300, QImage::Format_RGB32);
    PaneScales scales;
    DrawWavePane(wave, wave.width(), wave.height(), record, scales, ChosenDrawingColours());
    DrawHarmonicPane(
        bars, bars.width(), bars.height(), record.UHarm, Qt::red, scales.uHarm, ChosenDrawingColours());
    DrawHarmonicPane(
        bars, bars.width(), bars.height(), record.IHarm, Qt::blue, scales.iHarm, ChosenDrawingColours());
    WavePaneText(record);

    // The same file as the reference over the start-up measurement, with both cursors.
    InitMeasurement();
    const MeasurementRecord live = Measurement;
    PaneOverlay overlay;
    overlay.reference = &record;
    overlay.cursors.place(0, false);
    overlay.cursors.place(WaveSamples - 1, true);
    DrawWavePane(wave, wave.width(), wave.height(), live, scales, ChosenDrawingColours(), overlay);
    DrawHarmonicPane(bars, bars.width(), bars.height(), live.UHarm, Qt::red, scales.uHarm,
        ChosenDrawingColours(), record.UHarm);
    return 0;
}
