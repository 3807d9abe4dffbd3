// The record file loader fed arbitrary files, followed by what shows a loaded record: one
// chart redraw in read mode with a view chosen by the input's first bytes, the opened-file
// texts and one cursor readout.

#include "record/ChartDrawing.h"
#include "record/ChartView.h"
#include "record/RecordFile.h"

#include "base/Errors.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
QTemporaryDir *workDir = nullptr;
RecordArrays *arrays = nullptr;
QImage *trace = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The chart writes its labels: fonts need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    workDir = new QTemporaryDir;
    arrays = new RecordArrays;
    trace = new QImage(ChartSurfaceWidth, ChartSurfaceHeight, QImage::Format_RGB32);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first four bytes choose the view; the rest is the file.
    uint8_t choice[4] = {};
    for (size_t i = 0; i < 4 && i < size; ++i)
        choice[i] = data[i];
    const size_t skip = size < 4 ? size : 4;
    const QString name = workDir->filePath(QStringLiteral("fuzz.vqr"));
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data + skip), qint64(size - skip));
    }
    RecordFileInfo info;
    try {
        info = ReadRecordFile(name, *arrays);
    } catch (const EInOutError &) {
        return 0;
    }
    if (info.blocks < 0 || info.blocks > MaxRecordBlocks || info.count < 0 || info.count > 1000 * info.blocks
        || info.count > MaxRecordSamples)
        std::abort();

    ChartView view;
    view.mode = ChartMode::Read;
    view.readCompression = 1 + choice[0] % 150;
    view.readOffset = (choice[1] * 1777) % (info.count + 1);
    view.range = static_cast<RangeMode>(choice[2] % 3);
    for (int ch = 0; ch < RecordChannels; ++ch) {
        view.visible[size_t(ch)] = (choice[3] >> ch) & 1;
        view.scaleFactor[size_t(ch)] = float(1 << (ch % 4));
    }
    const int W = 600 + choice[0];
    const int H = 332 + choice[1];
    const ChartRecord record { arrays, info.count - 1 };
    const ChartColumns columns = LayoutColumns(view, record, W, H);
    DrawTraceArea(*trace, W, H, view, columns, true, Qt::black, Qt::gray);
    StatusTexts(view, record, columns);
    OpenedFileTexts(*arrays, info.count, true);
    if (const std::optional<int> sample = CursorSample(view, choice[2] % W, 0, info.count - 1)) {
        if (*sample < 0 || *sample >= info.count)
            std::abort();
        CursorReadout(ChartMode::Read, *arrays, *sample);
    }
    return 0;
}
