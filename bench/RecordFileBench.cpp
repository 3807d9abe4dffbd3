// Record files: opening a full 450-block file (14.4 MB) against reading its bytes alone
// into memory, and the save tick at a short and at a nearly full record, with the bytes it
// writes. Files live in the folder given by KMR_BENCH_DIR, else in the temporary folder;
// the open runs from the page cache, the save includes the flush to the device.

#include "record/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString BenchFolder()
{
    static QTemporaryDir dir(qEnvironmentVariableIsEmpty("KMR_BENCH_DIR")
            ? QDir::tempPath() + QStringLiteral("/kmr-record-bench-XXXXXX")
            : qEnvironmentVariable("KMR_BENCH_DIR") + QStringLiteral("/kmr-record-bench-XXXXXX"));
    return dir.path();
}

RecordArrays &Samples()
{
    static std::unique_ptr<RecordArrays> arrays = [] {
        auto made = std::make_unique<RecordArrays>();
        for (int i = 0; i < MaxRecordSamples; ++i) {
            for (int ch = 0; ch < RecordChannels; ++ch)
                made->channel(ch)[i] = float(i % 977) * 0.5f + ch;
            made->timestamps()[i] = 46000.0 + i / 86400.0;
        }
        return made;
    }();
    return *arrays;
}

QString FullFile()
{
    static const QString name = [] {
        const QString path = BenchFolder() + QStringLiteral("/full.vqr");
        RecordBlock buffer;
        CreateRecordFile(path, buffer);
        SaveRecordFile(path, Samples(), 0, buffer);
        for (int count = 1000; count <= MaxRecordSamples; count += 1000)
            SaveRecordFile(path, Samples(), count, buffer);
        return path;
    }();
    return name;
}

void OpenFullRecordFile(benchmark::State &state)
{
    const QString path = FullFile();
    auto into = std::make_unique<RecordArrays>();
    for (auto _ : state) {
        const RecordFileInfo info = ReadRecordFile(path, *into);
        benchmark::DoNotOptimize(info);
    }
    state.SetBytesProcessed(state.iterations() * 450LL * RecordBlockBytes);
}
BENCHMARK(OpenFullRecordFile)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The yardstick: the same bytes read into one buffer with plain reads.
void ReadFullFileBytes(benchmark::State &state)
{
    const QByteArray path = QFile::encodeName(FullFile());
    std::vector<char> bytes(450LL * RecordBlockBytes);
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got <= 0)
                break;
            done += size_t(got);
        }
        ::close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * 450LL * RecordBlockBytes);
}
BENCHMARK(ReadFullFileBytes)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// One save tick of a record of state.range(0) samples whose file holds everything up to
// a few samples before.
void SaveTick(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString path = BenchFolder() + QStringLiteral("/save-%1.vqr").arg(count);
    RecordBlock buffer;
    CreateRecordFile(path, buffer);
    SaveRecordFile(path, Samples(), count - 10, buffer);
    int64_t written = 0;
    bool crossing = false;
    for (auto _ : state) {
        // Alternately the block being filled alone (the file holds it already) and a block
        // just completed, rewritten, with the next one appended.
        const int n = crossing ? (count / 1000) * 1000 : count;
        state.PauseTiming();
        SaveRecordFile(path, Samples(), crossing ? n - 10 : n - 3, buffer);
        state.ResumeTiming();
        written += int64_t(SaveRecordFile(path, Samples(), n, buffer)) * RecordBlockBytes;
        crossing = !crossing;
    }
    state.counters["bytes_per_save"] = benchmark::Counter(double(written) / double(state.iterations()));
    state.counters["file_bytes"] = double(QFile(path).size());
}
BENCHMARK(SaveTick)
    ->Arg(1005)
    ->Arg(449005)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
