// Cost of handling one 2532-byte measurement reply in the main window, the sleeps of the
// paced wait left out: progress bar steps, fetch, CRC, store, panel texts, panes and
// status texts, as after every reply while sampling continuously.

#include "base/Platform.h"
#include "link/Frames.h"
#include "link/Globals.h"
#include "link/TComm.h"
#include "measure/MeasurementRecord.h"
#include "measure/forms/Main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>

namespace {
// A device whose receive queue the benchmark fills; writes go nowhere.
class QueueDevice final : public SerialDevice
{
public:
    QByteArray queue;
    bool open(const QString &) override { return m_open = true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool setupQueues(uint32_t, uint32_t) override { return true; }
    void purge(uint32_t flags) override
    {
        if (flags & PurgeRxClear)
            queue.clear();
    }
    bool applySettings(const LineSettings &) override { return true; }
    bool queueStatus(uint32_t &errorMask, uint32_t &queued) override
    {
        errorMask = 0;
        queued = static_cast<uint32_t>(queue.size());
        return true;
    }
    int64_t read(char *data, int64_t size) override
    {
        const int64_t n = std::min<int64_t>(size, queue.size());
        std::memcpy(data, queue.constData(), static_cast<size_t>(n));
        queue.remove(0, static_cast<qsizetype>(n));
        return n;
    }
    int64_t write(const char *, int64_t size) override { return size; }
    bool modemStatus(uint32_t &) override { return false; }
    bool setDtr(bool) override { return true; }
    bool setRts(bool) override { return true; }

private:
    bool m_open = false;
};

QueueDevice *g_device = nullptr;

class QueueBackend final : public SerialBackend
{
public:
    std::unique_ptr<SerialDevice> createDevice() override
    {
        auto device = std::make_unique<QueueDevice>();
        g_device = device.get();
        return device;
    }
};

class AnyPort final : public PortMap
{
public:
    QString devicePath(int) const override { return QStringLiteral("/dev/bench"); }
};

class NoSleepClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 14), QTime(9, 26, 53)); }
    void sleepMs(int) override { }
};

// 230 V with a 5 % third harmonic, 5 A lagging by 30 degrees; four periods in 512 samples.
QByteArray measurementReply()
{
    InitMeasurement();
    MeasurementRecord record = Measurement;
    record.URMS = 230.0f;
    record.UPP = 325.3f;
    record.UF = 50.01f;
    record.IRMS = 5.0f;
    record.IPP = 7.1f;
    record.IPA = 30.0f;
    record.PF = 0.866f;
    record.WRMS = 996.0f;
    record.PS = 1150.0f;
    record.PQ = 575.0f;
    record.VTHD = 0.05f;
    record.ITHD = 0.2f;
    record.VKF = 1.41f;
    record.IKF = 1.42f;
    record.KWH = 12.345f;
    for (int n = 0; n < HarmonicCount; ++n) {
        record.UHarm[n] = n == 1 ? 325.3f : n % 2 ? 325.3f * 0.05f / n : 0.1f;
        record.IHarm[n] = n == 1 ? 7.07f : n % 2 ? 7.07f * 0.2f / n : 0.01f;
    }
    for (int k = 0; k < WaveSamples; ++k) {
        const double phase = 2 * std::numbers::pi * k / 128.0;
        record.UWave[k] = static_cast<uint16_t>(2047 + 1500 * std::sin(phase) + 75 * std::sin(3 * phase));
        record.IWave[k] = static_cast<uint16_t>(2047 + 1200 * std::sin(phase - std::numbers::pi / 6));
    }
    QByteArray bytes(reinterpret_cast<const char *>(&record), MeasurementReplyDataBytes);
    const uint16_t crc
        = ModbusCRC16(reinterpret_cast<const uint8_t *>(bytes.constData()), MeasurementReplyDataBytes);
    bytes.append(static_cast<char>(crc & 0xFF));
    bytes.append(static_cast<char>(crc >> 8));
    return bytes;
}

struct Setup
{
    QueueBackend backend;
    AnyPort ports;
    NoSleepClock clock;
    std::unique_ptr<TMainForm> form;
    QByteArray reply = measurementReply();

    Setup()
    {
        platform::install(&backend);
        platform::install(&ports);
        platform::install(&clock);
        form = std::make_unique<TMainForm>();
        form->show();
        QApplication::processEvents();
        form->Comm1->setPortOpen(true);
        form->Comm1->pollTimer()->stop();
        InstrumentAddress = 1;
        LastRegister = 148;
        LastCount = 2;
        SamplingMode = 2;
    }
};

// The whole receive event: progress steps, fetch, CRC, store, display, status texts.
void BM_MeasurementReply(benchmark::State &state)
{
    Setup setup;
    for (auto _ : state) {
        g_device->queue = setup.reply;
        setup.form->Comm1ReceiveData(setup.form->Comm1);
    }
    if (setup.form->statusText(TMainForm::PanelCommunication) != QStringLiteral("Sampling completed!"))
        state.SkipWithError("the reply was not taken");
}

// The receive event without the progress steps: fetch, copy, CRC, store, display, status.
void BM_FetchAndHandle(benchmark::State &state)
{
    Setup setup;
    std::array<uint8_t, FrameBufferSize> frame {};
    for (auto _ : state) {
        g_device->queue = setup.reply;
        const uint8_t *first = nullptr;
        const int n = setup.form->Comm1->FetchInputBytes(first) + 1;
        std::memcpy(frame.data(), first, static_cast<size_t>(n));
        setup.form->HandleFrame(frame.data(), n);
    }
}

// The reply alone once fetched: CRC, store, display, status texts.
void BM_MeasurementFrame(benchmark::State &state)
{
    Setup setup;
    const auto *frame = reinterpret_cast<const uint8_t *>(setup.reply.constData());
    for (auto _ : state)
        setup.form->HandleFrame(frame, MeasurementReplyBytes);
}

// The parts of the above that are not the reply's own handling: the fifty progress steps
// with their repaints, and the redraw of the panel and panes.
void BM_ProgressSteps(benchmark::State &state)
{
    Setup setup;
    for (auto _ : state)
        setup.form->Session->waitForReply(LastRegister);
}

void BM_DrawMeasurement(benchmark::State &state)
{
    Setup setup;
    for (auto _ : state)
        setup.form->DrawMeasurement();
}

BENCHMARK(BM_MeasurementReply)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_FetchAndHandle)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_MeasurementFrame)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ProgressSteps)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DrawMeasurement)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
} // namespace
