// `kmr5150-cli export` of a full record file (450 blocks, 450000 samples) to CSV, from start
// to exit, the file made by the record core with a sample every second and values of every
// size. The target is under 1.5 s.

#include "record/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {
QString buildProgram(const QString &name)
{
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        if (QFileInfo(dir.filePath(name)).isExecutable())
            return dir.filePath(name);
        if (!dir.cdUp())
            break;
    }
    return name;
}

void BM_CliExportFullRecord(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString vqr = dir.filePath(QStringLiteral("full.vqr"));
    {
        const auto arrays = std::make_unique<RecordArrays>();
        for (int i = 0; i < MaxRecordSamples; ++i) {
            for (int ch = 0; ch < RecordChannels; ++ch)
                arrays->channel(ch)[i]
                    = float(230.0 + 10.0 * std::sin(i * 0.001 + ch)) * std::pow(10.0f, float(ch - 3));
            arrays->timestamps()[i] = 46000.25 + i / 86400.0;
        }
        RecordBlock buffer;
        for (int ch = 0; ch < RecordChannels; ++ch)
            buffer.setSignal(ch, uint8_t(ch));
        CreateRecordFile(vqr, buffer);
        SaveRecordFile(vqr, *arrays, MaxRecordSamples, buffer);
    }
    const QString cli = buildProgram(QStringLiteral("kmr5150-cli"));
    const QString csv = dir.filePath(QStringLiteral("full.csv"));
    for (auto _ : state) {
        QFile::remove(csv);
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(cli, { QStringLiteral("export"), vqr, QStringLiteral("--out"), csv });
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("kmr5150-cli export failed");
            return;
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    state.counters["csv_MB"] = QFileInfo(csv).size() / 1e6;
}

BENCHMARK(BM_CliExportFullRecord)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace
