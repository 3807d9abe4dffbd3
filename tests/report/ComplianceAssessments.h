#pragma once

// Assessments the compliance report tests print, made by the assessment itself from steady
// loads measured once a second for a minute.

#include "measure/HarmonicCompliance.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <utility>
#include <vector>

inline EmissionAssessment SteadyAssessment(EmissionClass emissionClass, double watts, double fundamental,
    const std::vector<std::pair<int, double>> &harmonics, std::optional<double> rated = {})
{
    EmissionCheck check(emissionClass, rated);
    for (int s = 0; s < 60; ++s) {
        EmissionSample sample;
        sample.seconds = s;
        sample.activePower = watts;
        sample.powerFactor = 0.6;
        sample.currentPeak[1] = fundamental * std::numbers::sqrt2;
        double squares = fundamental * fundamental;
        for (const auto &[order, rms] : harmonics) {
            sample.currentPeak[size_t(order)] = rms * std::numbers::sqrt2;
            squares += rms * rms;
        }
        sample.currentRms = std::sqrt(squares);
        check.add(sample);
    }
    return check.result();
}

// A class D load of 250 W whose 7th harmonic is twice its limit of 0.25 A; the others stay
// well within theirs.
inline EmissionAssessment SeventhOverClassD()
{
    return SteadyAssessment(EmissionClass::D, 250, 1.1, { { 3, 0.4 }, { 5, 0.2 }, { 7, 0.5 }, { 9, 0.05 } });
}

// Every table cell as wide as it gets: currents above 10 A in every order, shares of the limit
// in the thousands, a rated power.
inline EmissionAssessment WideAssessment()
{
    std::vector<std::pair<int, double>> harmonics;
    for (int n = FirstAssessedOrder; n <= LastAssessedOrder; ++n)
        harmonics.push_back({ n, 11.111 + n / 1000.0 });
    return SteadyAssessment(EmissionClass::A, 3600, 16.0, harmonics, 3680.0);
}
