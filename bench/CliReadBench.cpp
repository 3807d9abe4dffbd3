// `kmr5150-cli read` from start to exit against the simulated instrument: over the
// instrument's USB link (replies at once, no paced wait), and at 115.2 kbit/s with the
// paced wait, where the reply itself takes 2532 bytes x 10 bits on the wire. The counter
// beyond_wire_ms is the time of one read less that wire time.
// And the tool's exchange in one process, measurement after measurement at 115.2 kbit/s,
// paced and at the wire's pace: measurements per second and their share of the wire limit
// (one request and one reply on the wire per measurement).

#include "base/Platform.h"
#include "cli/Exchange.h"
#include "cli/LinkTarget.h"
#include "link/ProductionPlatform.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

namespace {
// A program of the build tree, beside this benchmark or above it.
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

// kmr5150-sim on a pseudo-terminal; the device path is its first output line.
class Simulator
{
public:
    explicit Simulator(const QStringList &arguments)
    {
        m_process.setStandardOutputFile(m_dir.filePath(QStringLiteral("out")));
        m_process.start(buildProgram(QStringLiteral("kmr5150-sim")), arguments);
        QDeadlineTimer deadline(5000);
        if (!m_process.waitForStarted(5000))
            return;
        while (m_path.isEmpty() && !deadline.hasExpired()) {
            QFile out(m_dir.filePath(QStringLiteral("out")));
            const QByteArray text = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
            if (text.contains('\n'))
                m_path = QString::fromUtf8(text.left(text.indexOf('\n'))).trimmed();
            else
                QThread::msleep(10);
        }
    }
    ~Simulator()
    {
        m_process.terminate();
        m_process.waitForFinished(3000);
    }
    const QString &path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_path;
};

void runRead(benchmark::State &state, const QStringList &simulatorOptions, const QStringList &cliOptions,
    double wireMs)
{
    Simulator sim(simulatorOptions);
    if (sim.path().isEmpty()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    const QString cli = buildProgram(QStringLiteral("kmr5150-cli"));
    const QStringList arguments = QStringList { QStringLiteral("read"), QStringLiteral("--port"), sim.path(),
        QStringLiteral("--address"), QStringLiteral("1"), QStringLiteral("--format"), QStringLiteral("json") }
        + cliOptions;
    double totalMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        QProcess process;
        process.start(cli, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("kmr5150-cli read failed");
            return;
        }
        const double ms = timer.nsecsElapsed() / 1e6;
        totalMs += ms;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["beyond_wire_ms"] = totalMs / double(state.iterations()) - wireMs;
}

void BM_CliReadUsb(benchmark::State &state)
{
    runRead(state, { QStringLiteral("--usb") },
        { QStringLiteral("--usb"), QStringLiteral("--baud"), QStringLiteral("115200") }, 0.0);
}

void BM_CliRead115200(benchmark::State &state)
{
    runRead(state, {}, { QStringLiteral("--baud"), QStringLiteral("115200") }, 2532 * 10 * 1000.0 / 115200);
}

// One request (8 bytes) and the 2532-byte reply, 10 bits a byte.
constexpr double WireLimitPerSecond = 115200.0 / (10.0 * (8 + 2532));

void BM_MeasurementRate(benchmark::State &state)
{
    const bool wire = state.range(0) != 0;
    UseProductionPlatform();
    Simulator sim({});
    if (sim.path().isEmpty()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    LinkTarget target;
    target.portName = target.devicePath = sim.path();
    target.baudIndex = ListedSpeedIndex(115200);
    target.baud = 115200;
    target.address = 1;
    InstrumentLink link(target);
    link.setWirePace(wire);
    link.open();
    int measurements = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        if (link.readMeasurement(5000).isEmpty()) {
            state.SkipWithError("no measurement");
            return;
        }
        ++measurements;
    }
    state.counters["per_s"] = benchmark::Counter(measurements, benchmark::Counter::kIsRate);
    state.counters["wire_limit_per_s"] = WireLimitPerSecond;
    state.counters["of_wire_limit"] = measurements / (timer.nsecsElapsed() / 1e9) / WireLimitPerSecond;
    state.counters["resends"] = link.counters().resends;
}

BENCHMARK(BM_MeasurementRate)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({ "wire" })
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

BENCHMARK(BM_CliReadUsb)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CliRead115200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
} // namespace
