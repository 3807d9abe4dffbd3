// The simulated instrument's load profiles, measured over a minute of replies and judged
// against each class, give the verdicts worked out by hand from their spectra.

#include "link/sim/SimMeasurement.h"
#include "measure/HarmonicCompliance.h"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Expected
{
    Verdict verdict;
    int worstOrder = 0; // for a failure
};

// A minute of measurements of `profile` (a reply about every 0.35 s, as at 115.2 kbit/s)
// judged against classes A to D.
std::array<EmissionAssessment, 4> judge(sim::LoadProfile profile)
{
    sim::MeasurementModel model(7, profile);
    std::array<EmissionCheck, 4> checks { EmissionCheck(EmissionClass::A), EmissionCheck(EmissionClass::B),
        EmissionCheck(EmissionClass::C), EmissionCheck(EmissionClass::D) };
    MeasurementRecord record {};
    for (double t = 0; t < 60; t += 0.35) {
        model.measure(record, t, 0);
        for (EmissionCheck &check : checks)
            EXPECT_TRUE(check.add(EmissionSampleFrom(record, t)));
    }
    std::array<EmissionAssessment, 4> results;
    for (size_t k = 0; k < checks.size(); ++k)
        results[k] = checks[k].result();
    return results;
}

TEST(LoadProfiles, EachProfileGetsItsVerdictInEachClass)
{
    using enum Verdict;
    const Expected pass { Pass }, none { NoLimits };
    const struct
    {
        sim::LoadProfile profile;
        Expected a, b, c, d;
    } cases[] = {
        // 920 W sine: within every class (class D above 600 W takes class A's limits).
        { sim::LoadProfile::Resistive, pass, pass, pass, pass },
        // 260 W, 3rd 70 %, 5th 42 %, 7th 36 % of the fundamental: the 7th is 157 % of class
        // D's 1.0 mA/W and 5 times class C's 7 %.
        { sim::LoadProfile::Smps, pass, pass, { Fail, 7 }, { Fail, 7 } },
        // 60 W with power factor correction: only class C applies, worst the 5th at 60 %.
        { sim::LoadProfile::Led, none, none, pass, none },
        // 1 kW, harmonics of a few per cent.
        { sim::LoadProfile::Motor, pass, pass, pass, pass },
        // 500 W, 13th at 10 % of 2.6 A: 124 % of class A's 0.21 A, 83 % of class B's.
        { sim::LoadProfile::Dimmer, { Fail, 13 }, pass, { Fail, 13 }, { Fail, 13 } },
    };
    for (const auto &c : cases) {
        const Expected expected[] = { c.a, c.b, c.c, c.d };
        const auto results = judge(c.profile);
        for (int k = 0; k < 4; ++k) {
            const auto cls = static_cast<EmissionClass>(k);
            SCOPED_TRACE(testing::Message()
                << sim::LoadProfileName(c.profile) << " class " << EmissionClassText(cls).toStdString());
            const EmissionAssessment &a = results[size_t(k)];
            EXPECT_EQ(a.verdict, expected[k].verdict) << a.reason.toStdString();
            if (expected[k].verdict == Fail) {
                EXPECT_EQ(a.worstOrder, expected[k].worstOrder) << a.reason.toStdString();
            }
        }
    }
}

TEST(LoadProfiles, NamesReadBack)
{
    for (const char *name : { "rectifier", "resistive", "smps", "led", "motor", "dimmer" }) {
        const auto profile = sim::LoadProfileFromName(name);
        ASSERT_TRUE(profile.has_value()) << name;
        EXPECT_STREQ(sim::LoadProfileName(*profile), name);
    }
    EXPECT_FALSE(sim::LoadProfileFromName("Dimmer").has_value());
    EXPECT_FALSE(sim::LoadProfileFromName("").has_value());
}

} // namespace
