// Cost of the harmonic emission assessment: taking one measurement into an observation period
// (smoothing of every order, power and current), working out the verdict with every class's
// limits, and a day of measurements at one a second taken and judged.

#include "measure/HarmonicCompliance.h"

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

} // namespace
