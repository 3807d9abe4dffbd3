// Harmonic current limits and the verdict over an observation period, from cases worked out
// by hand from the standard's tables and rules.

#include "measure/HarmonicCompliance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace {

struct Load
{
    std::vector<std::pair<int, double>> harmonics; // order, A rms
    double fundamental = 4.0; // A rms
    double current = 5.0; // input current, A rms
    double power = 900; // W
    double powerFactor = 0.9;
};

EmissionSample sampleOf(double seconds, const Load &load)
{
    EmissionSample s;
    s.seconds = seconds;
    s.currentPeak[1] = load.fundamental * std::numbers::sqrt2;
    for (const auto &[order, rms] : load.harmonics)
        s.currentPeak[size_t(order)] = rms * std::numbers::sqrt2;
    s.currentRms = load.current;
    s.activePower = load.power;
    s.powerFactor = load.powerFactor;
    return s;
}

// `count` measurements of the same load, one a second.
EmissionAssessment steady(EmissionClass c, const Load &load, int count = 10, std::optional<double> rated = {})
{
    EmissionCheck check(c, rated);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(check.add(sampleOf(i, load)));
    return check.result();
}

const OrderAssessment &order(const EmissionAssessment &a, int n)
{
    return a.orders[size_t(n - FirstAssessedOrder)];
}

TEST(HarmonicLimits, EachClassAtItsBoundaries)
{
    const LimitBasis basis { .activePower = 200, .fundamentalRms = 1.0, .powerFactor = 0.9 };
    const LimitBasis full { .activePower = 600, .fundamentalRms = 1.0, .powerFactor = 0.9 };
    const double none = -1;
    const struct
    {
        EmissionClass c;
        int n;
        LimitBasis basis;
        double limit; // -1: no limit
    } cases[] = {
        { EmissionClass::A, 1, basis, none },
        { EmissionClass::A, 2, basis, 1.08 },
        { EmissionClass::A, 3, basis, 2.30 },
        { EmissionClass::A, 13, basis, 0.21 },
        { EmissionClass::A, 14, basis, 0.23 * 8 / 14 },
        { EmissionClass::A, 15, basis, 0.15 },
        { EmissionClass::A, 39, basis, 0.15 * 15 / 39 },
        { EmissionClass::A, 40, basis, 0.046 },
        { EmissionClass::A, 41, basis, none },
        { EmissionClass::B, 3, basis, 3.45 },
        { EmissionClass::B, 40, basis, 0.069 },
        { EmissionClass::C, 2, basis, 0.02 },
        { EmissionClass::C, 3, basis, 0.27 }, // 30 × λ %
        { EmissionClass::C, 4, basis, none },
        { EmissionClass::C, 5, basis, 0.10 },
        { EmissionClass::C, 9, basis, 0.05 },
        { EmissionClass::C, 11, basis, 0.03 },
        { EmissionClass::C, 39, basis, 0.03 },
        { EmissionClass::C, 40, basis, none },
        { EmissionClass::D, 2, basis, none },
        { EmissionClass::D, 3, basis, 0.68 },
        { EmissionClass::D, 11, basis, 0.07 },
        { EmissionClass::D, 13, basis, 3.85 / 13 * 0.2 },
        { EmissionClass::D, 39, basis, 3.85 / 39 * 0.2 },
        { EmissionClass::D, 40, basis, none },
        { EmissionClass::D, 13, full, 3.85 / 13 * 0.6 }, // below class A's 0.21
        { EmissionClass::D, 15, full, 0.15 }, // 0.154 capped at class A
        { EmissionClass::D, 21, full, 0.15 * 15 / 21 },
    };
    for (const auto &c : cases) {
        const auto limit = HarmonicLimit(c.c, c.n, c.basis);
        SCOPED_TRACE(
            testing::Message() << "class " << EmissionClassText(c.c).toStdString() << " order " << c.n);
        if (c.limit < 0) {
            EXPECT_FALSE(limit.has_value());
        } else {
            ASSERT_TRUE(limit.has_value());
            EXPECT_NEAR(*limit, c.limit, 1e-9);
        }
    }
}

TEST(HarmonicLimits, ClassNamesAreOneLetter)
{
    EXPECT_EQ(EmissionClassFromText(u"a"), EmissionClass::A);
    EXPECT_EQ(EmissionClassFromText(u"D"), EmissionClass::D);
    for (const char16_t *bad : { u"", u"E", u"AB", u"1" })
        EXPECT_FALSE(EmissionClassFromText(bad).has_value());
}

TEST(EmissionCheck, VerdictsOfSteadyLoads)
{
    const struct
    {
        const char *name;
        EmissionClass c;
        Load load;
        Verdict verdict;
        int worstOrder;
        std::optional<double> rated = {};
    } cases[] = {
        { "class A within", EmissionClass::A, { { { 3, 2.0 }, { 5, 0.5 } } }, Verdict::Pass, 3 },
        { "class A 3rd over", EmissionClass::A, { { { 3, 2.4 }, { 5, 0.5 } } }, Verdict::Fail, 3 },
        { "class B takes 1.5 times", EmissionClass::B, { { { 3, 2.4 } } }, Verdict::Pass, 3 },
        { "class A worst names the highest share", EmissionClass::A, { { { 3, 2.4 }, { 7, 0.9 } } },
            Verdict::Fail, 7 },
        { "class C λ 0.5 fails the 3rd", EmissionClass::C, { { { 3, 0.16 } }, 1.0, 1.1, 115, 0.5 },
            Verdict::Fail, 3 },
        { "class C λ 0.6 passes it", EmissionClass::C, { { { 3, 0.16 } }, 1.0, 1.1, 138, 0.6 }, Verdict::Pass,
            3 },
        { "class D at 200 W", EmissionClass::D, { { { 3, 0.7 } }, 1.0, 1.3, 200, 0.7 }, Verdict::Fail, 3 },
        { "class D rated power instead", EmissionClass::D, { { { 3, 0.7 } }, 1.0, 1.3, 200, 0.7 },
            Verdict::Pass, 3, 250.0 },
        { "no limits below 75 W", EmissionClass::D, { { { 3, 0.7 } }, 1.0, 1.3, 70, 0.7 }, Verdict::NoLimits,
            0 },
        { "class A below 75 W", EmissionClass::A, { { { 3, 2.5 } }, 0.3, 0.4, 60, 0.7 }, Verdict::NoLimits,
            0 },
        { "class C down to 25 W", EmissionClass::C, { { { 3, 0.16 } }, 0.15, 0.2, 26, 0.9 }, Verdict::Fail,
            3 },
        { "class C below 25 W", EmissionClass::C, { { { 3, 0.16 } }, 0.1, 0.12, 20, 0.9 }, Verdict::NoLimits,
            0 },
        { "rated power lifts a small load into range", EmissionClass::D,
            { { { 3, 0.2 } }, 0.3, 0.4, 70, 0.7 }, Verdict::Pass, 3, 100.0 },
        { "clean load", EmissionClass::A, { {} }, Verdict::Pass, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const EmissionAssessment a = steady(c.c, c.load, 10, c.rated);
        EXPECT_EQ(a.verdict, c.verdict) << a.reason.toStdString();
        EXPECT_EQ(a.worstOrder, c.worstOrder) << a.reason.toStdString();
        EXPECT_EQ(a.ratedPowerUsed, c.rated.has_value());
        if (c.verdict == Verdict::Fail) {
            EXPECT_TRUE(a.reason.startsWith(QStringLiteral("order %1:").arg(c.worstOrder)))
                << a.reason.toStdString();
        }
        if (c.verdict == Verdict::NoLimits) {
            EXPECT_TRUE(a.reason.startsWith(QStringLiteral("no limits apply below")))
                << a.reason.toStdString();
        }
    }
}

TEST(EmissionCheck, OrderRowsCarryLimitValuesAndShares)
{
    const EmissionAssessment a = steady(EmissionClass::A, { { { 3, 2.4 }, { 5, 0.57 } } });
    const OrderAssessment &third = order(a, 3);
    EXPECT_NEAR(*third.limit, 2.30, 1e-12);
    EXPECT_NEAR(third.present, 2.4, 1e-12);
    EXPECT_NEAR(third.average, 2.4, 1e-12);
    EXPECT_NEAR(third.smoothedMax, 2.4, 1e-12);
    EXPECT_NEAR(third.averagePercent, 2.4 / 2.3 * 100, 1e-9);
    EXPECT_EQ(third.verdict, OrderVerdict::Fail);
    EXPECT_EQ(order(a, 5).verdict, OrderVerdict::Pass);
    EXPECT_NEAR(order(a, 5).averagePercent, 50, 1e-9);
    EXPECT_EQ(order(a, 4).verdict, OrderVerdict::Disregarded); // zero current
    EXPECT_EQ(a.orders.front().order, 2);
    EXPECT_EQ(a.orders.back().order, 40);
    EXPECT_EQ(a.measurements, 10);
    EXPECT_DOUBLE_EQ(a.periodSeconds, 9);
}

TEST(EmissionCheck, ASmoothedPeakOverOneAndAHalfTimesTheLimitFailsWhileTheAverageHolds)
{
    EmissionCheck check(EmissionClass::A);
    Load quiet { { { 5, 0.9 } } };
    Load burst { { { 5, 3.0 } } };
    int t = 0;
    for (int i = 0; i < 100; ++i)
        check.add(sampleOf(t++, quiet));
    for (int i = 0; i < 5; ++i)
        check.add(sampleOf(t++, burst));
    for (int i = 0; i < 20; ++i)
        check.add(sampleOf(t++, quiet));
    const EmissionAssessment a = check.result();
    const OrderAssessment &fifth = order(a, 5);
    EXPECT_LE(fifth.average, 1.14) << "the average alone passes";
    EXPECT_GT(fifth.smoothedMax, 1.5 * 1.14);
    EXPECT_EQ(fifth.verdict, OrderVerdict::Fail);
    EXPECT_EQ(a.verdict, Verdict::Fail);
    EXPECT_TRUE(a.reason.contains(QStringLiteral("smoothed value"))) << a.reason.toStdString();
}

TEST(EmissionCheck, PartialOddAllowanceBothWays)
{
    // Order 21 alone at 130 % of its limit: the partial odd current stays within the limits'
    // one, so the average may reach 150 %.
    const double l21 = 0.15 * 15 / 21;
    const EmissionAssessment alone = steady(EmissionClass::A, { { { 21, 1.3 * l21 } } });
    EXPECT_LE(alone.partialOddMeasured, alone.partialOddLimit);
    EXPECT_EQ(alone.verdict, Verdict::Pass) << alone.reason.toStdString();
    EXPECT_TRUE(order(alone, 21).allowanceUsed);

    // Every odd order 21..39 at 130 %: the partial odd current exceeds the limits' one and the
    // allowance is gone.
    Load all;
    std::vector<std::pair<int, double>> harmonics;
    for (int n = 21; n <= 39; n += 2)
        harmonics.emplace_back(n, 1.3 * 0.15 * 15 / n);
    EmissionCheck check(EmissionClass::A);
    for (int i = 0; i < 10; ++i) {
        EmissionSample s = sampleOf(i, all);
        for (const auto &[n, rms] : harmonics)
            s.currentPeak[size_t(n)] = rms * std::numbers::sqrt2;
        check.add(s);
    }
    const EmissionAssessment every = check.result();
    EXPECT_GT(every.partialOddMeasured, every.partialOddLimit);
    EXPECT_NEAR(every.partialOddMeasured / every.partialOddLimit, 1.3, 1e-9);
    EXPECT_EQ(every.verdict, Verdict::Fail);
    EXPECT_FALSE(order(every, 21).allowanceUsed);

    // Above 150 % the allowance does not help.
    const EmissionAssessment over = steady(EmissionClass::A, { { { 21, 1.55 * l21 } } });
    EXPECT_EQ(over.verdict, Verdict::Fail);
    EXPECT_EQ(over.worstOrder, 21);
}

TEST(EmissionCheck, CurrentsBelowTheFloorAreDisregarded)
{
    const struct
    {
        const char *name;
        EmissionClass c;
        Load load;
        int n;
        OrderVerdict verdict;
    } cases[] = {
        // 0.05 A over order 40's 0.046 A, below 0.6 % of 10 A.
        { "0.6 % of the input current", EmissionClass::A, { { { 40, 0.05 } }, 8, 10, 2000, 0.9 }, 40,
            OrderVerdict::Disregarded },
        { "above 0.6 % of 5 A", EmissionClass::A, { { { 40, 0.05 } }, 4, 5, 1000, 0.9 }, 40,
            OrderVerdict::Fail },
        // 4.8 mA over order 11's 3 % of 0.15 A, below 5 mA although above 0.6 % of 0.2 A.
        { "5 mA", EmissionClass::C, { { { 11, 0.0048 } }, 0.15, 0.2, 30, 0.9 }, 11,
            OrderVerdict::Disregarded },
        { "above 5 mA", EmissionClass::C, { { { 11, 0.0052 } }, 0.15, 0.2, 30, 0.9 }, 11,
            OrderVerdict::Fail },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const EmissionAssessment a = steady(c.c, c.load);
        EXPECT_EQ(order(a, c.n).verdict, c.verdict) << a.reason.toStdString();
        EXPECT_EQ(a.verdict, c.verdict == OrderVerdict::Fail ? Verdict::Fail : Verdict::Pass);
    }
}

TEST(EmissionCheck, ClassDAbove600WattsIsJudgedByClassA)
{
    const EmissionAssessment a = steady(EmissionClass::D, { { { 3, 2.2 } }, 3.0, 3.5, 700, 0.9 });
    EXPECT_TRUE(a.classALimitsUsed);
    EXPECT_NEAR(*order(a, 3).limit, 2.30, 1e-12);
    EXPECT_NEAR(*order(a, 2).limit, 1.08, 1e-12) << "even orders too";
    EXPECT_EQ(a.verdict, Verdict::Pass);
}

TEST(EmissionCheck, SmoothingFollowsTheMeasurementsOwnTimes)
{
    EmissionCheck check(EmissionClass::A);
    check.add(sampleOf(0.0, { { { 3, 0.0 } } }));
    check.add(sampleOf(1.5, { { { 3, 1.0 } } }));
    const double afterOneConstant = 1 - std::exp(-1.0);
    EXPECT_NEAR(order(check.result(), 3).smoothedMax, afterOneConstant, 1e-12);
    check.add(sampleOf(1.6, { { { 3, 1.0 } } }));
    const double next = afterOneConstant + (1 - std::exp(-0.1 / 1.5)) * (1 - afterOneConstant);
    EXPECT_NEAR(order(check.result(), 3).smoothedMax, next, 1e-12);
    // After a gap the filter has settled on the new value.
    check.add(sampleOf(100.0, { { { 3, 2.0 } } }));
    EXPECT_NEAR(order(check.result(), 3).smoothedMax, 2.0, 1e-12);
    EXPECT_NEAR(order(check.result(), 3).average, (0 + afterOneConstant + next + 2.0) / 4, 1e-12);
}

TEST(EmissionCheck, EmptySingleAndUnusableMeasurements)
{
    EmissionCheck empty(EmissionClass::A);
    EXPECT_EQ(empty.result().verdict, Verdict::NoVerdict);

    const EmissionAssessment single = steady(EmissionClass::A, { { { 3, 2.4 } } }, 1);
    EXPECT_EQ(single.verdict, Verdict::Fail);
    EXPECT_EQ(single.measurements, 1);
    EXPECT_DOUBLE_EQ(single.periodSeconds, 0);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        const char *name;
        void (*spoil)(EmissionSample &, double);
        double value;
    } spoiled[] = {
        { "NaN harmonic", [](EmissionSample &s, double v) { s.currentPeak[7] = v; }, nan },
        { "infinite power", [](EmissionSample &s, double v) { s.activePower = v; }, inf },
        { "NaN power factor", [](EmissionSample &s, double v) { s.powerFactor = v; }, nan },
        { "time going back", [](EmissionSample &s, double v) { s.seconds = v; }, 0.5 },
    };
    for (const auto &c : spoiled) {
        SCOPED_TRACE(c.name);
        EmissionCheck check(EmissionClass::A);
        ASSERT_TRUE(check.add(sampleOf(1, { { { 3, 1.0 } } })));
        EmissionSample bad = sampleOf(2, { { { 3, 1.0 } } });
        c.spoil(bad, c.value);
        EXPECT_FALSE(check.add(bad));
        const EmissionAssessment a = check.result();
        EXPECT_EQ(a.verdict, Verdict::NoVerdict);
        EXPECT_EQ(a.refused, 1);
        EXPECT_EQ(a.measurements, 1);
    }

    EmissionCheck again(EmissionClass::A);
    again.add(sampleOf(1, { { { 3, 2.4 } } }));
    again.reset();
    EXPECT_EQ(again.result().verdict, Verdict::NoVerdict);
    EXPECT_EQ(again.measurements(), 0);
}

} // namespace
