// Cost of the harmonic emission assessment: taking one measurement into an observation period
// (smoothing of every order, power and current), working out the verdict with every class's
// limits, and a day of measurements at one a second taken and judged.

#include "cli/ComplianceCheck.h"
#include "measure/HarmonicCompliance.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

EmissionSample rectifierSample(double seconds)
{
    EmissionSample s;
    s.seconds = seconds;
    const double wobble = 1.0 + 0.05 * std::sin(seconds / 7.0);
    s.currentPeak[1] = 1.2 * std::numbers::sqrt2 * wobble;
    for (int n = 3; n < HarmonicCount; n += 2)
        s.currentPeak[size_t(n)] = s.currentPeak[1] * 0.9 / n;
    s.currentRms = 1.6 * wobble;
    s.activePower = 250 * wobble;
    s.powerFactor = 0.62;
    return s;
}

void BM_AddOneMeasurement(benchmark::State &state)
{
    EmissionCheck check(EmissionClass::D);
    double t = 0;
    for (auto _ : state) {
        t += 0.35;
        benchmark::DoNotOptimize(check.add(rectifierSample(t)));
    }
}
BENCHMARK(BM_AddOneMeasurement);

// One measurement taken and judged against all four classes, as a live window would.
void BM_OneMeasurementEveryClass(benchmark::State &state)
{
    EmissionCheck checks[] = { EmissionCheck(EmissionClass::A), EmissionCheck(EmissionClass::B),
        EmissionCheck(EmissionClass::C), EmissionCheck(EmissionClass::D) };
    double t = 0;
    for (auto _ : state) {
        t += 0.35;
        for (EmissionCheck &check : checks) {
            check.add(rectifierSample(t));
            benchmark::DoNotOptimize(check.result());
        }
    }
}
BENCHMARK(BM_OneMeasurementEveryClass)->Unit(benchmark::kMicrosecond);

void BM_DayAtOneSecond(benchmark::State &state)
{
    for (auto _ : state) {
        EmissionCheck check(EmissionClass::D);
        for (int i = 0; i < 86400; ++i)
            check.add(rectifierSample(i));
        benchmark::DoNotOptimize(check.result());
    }
}
BENCHMARK(BM_DayAtOneSecond)->Unit(benchmark::kMillisecond);

// A day's log at one measurement a second with the harmonic columns, judged by `check FILE`:
// reading and parsing the CSV as well as the assessment.
void BM_CheckDayLogFromCsv(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("day.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the log");
            return;
        }
        QByteArray header = "time,URMS,UPP,UF,IRMS,IPP,IPA,PF,WRMS,PS,PQ,VTHD,ITHD,VKF,IKF,KWH";
        for (int n = 0; n < HarmonicCount; ++n)
            header += ",IH" + QByteArray::number(n);
        file.write(header + "\r\n");
        const QDateTime start(QDate(2026, 12, 11), QTime(0, 0), Qt::OffsetFromUTC, 3600);
        for (int i = 0; i < 86400; ++i) {
            const EmissionSample s = rectifierSample(i);
            QByteArray row = start.addSecs(i).toString(Qt::ISODateWithMs).toLatin1();
            row += ",230,325,50," + QByteArray::number(s.currentRms, 'g', 7) + ",2.5,10,"
                + QByteArray::number(s.powerFactor, 'g', 7) + ',' + QByteArray::number(s.activePower, 'g', 7)
                + ",400,300,0.03,0.4,1.11,1.3,12.5";
            for (int n = 0; n < HarmonicCount; ++n)
                row += ',' + QByteArray::number(s.currentPeak[size_t(n)], 'g', 7);
            file.write(row + "\r\n");
        }
    }
    CheckOptions options;
    options.emissionClass = EmissionClass::D;
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckFile(path, options));
}
BENCHMARK(BM_CheckDayLogFromCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
