// The simulated measurement: every value of the block agrees with the waves it carries,
// the THD follows the mode byte's convention, the energy grows with the time that passes,
// and the starting-test capture is a plausible switch-on.

#include "link/sim/SimCapture.h"
#include "link/sim/SimMeasurement.h"

#include "link/Frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct Waves
{
    std::vector<double> u, i;
};

Waves wavesOf(const MeasurementRecord &r)
{
    Waves w;
    for (int n = 0; n < WaveSamples; ++n) {
        w.u.push_back((int(r.UWave[n]) - int(r.UZero)) * sim::VoltsPerCount);
        w.i.push_back((int(r.IWave[n]) - int(r.IZero)) * sim::AmpsPerCount);
    }
    return w;
}

double rmsOf(const std::vector<double> &x)
{
    double s = 0;
    for (double v : x)
        s += v * v;
    return std::sqrt(s / x.size());
}

double peakOf(const std::vector<double> &x)
{
    double p = 0;
    for (double v : x)
        p = std::max(p, std::abs(v));
    return p;
}

double meanAbsOf(const std::vector<double> &x)
{
    double s = 0;
    for (double v : x)
        s += std::abs(v);
    return s / x.size();
}

double harmonicsSquared(const float *h, int from)
{
    double s = 0;
    for (int k = from; k < HarmonicCount; ++k)
        s += double(h[k]) * h[k];
    return s;
}

MeasurementRecord measured(uint64_t seed, double now, uint8_t mode)
{
    sim::MeasurementModel model(seed);
    MeasurementRecord r {};
    model.measure(r, now, mode);
    return r;
}

class SimMeasurementAt : public testing::TestWithParam<double>
{
};

TEST_P(SimMeasurementAt, ValuesAgreeWithTheWaves)
{
    const MeasurementRecord r = measured(11, GetParam(), 0);
    const Waves w = wavesOf(r);

    EXPECT_EQ(r.SampleCount, 512);
    EXPECT_EQ(r.UZero, 2047);
    EXPECT_EQ(r.IZero, 2047);
    EXPECT_EQ(r.SpareFactorA, 1.0f);
    EXPECT_EQ(r.SpareFactorB, 1.0f);
    for (int n = 0; n < WaveSamples; ++n) {
        ASSERT_LE(r.UWave[n], 4095);
        ASSERT_LE(r.IWave[n], 4095);
    }
    // The voltage wave peaks in the upper half of the converter's range, not at its edge.
    const auto [uMin, uMax] = std::minmax_element(std::begin(r.UWave), std::end(r.UWave));
    EXPECT_GT(*uMax - 2047, 1400);
    EXPECT_LT(*uMax - 2047, 2000);
    EXPECT_GT(2047 - *uMin, 1400);

    const double urms = rmsOf(w.u), irms = rmsOf(w.i);
    EXPECT_NEAR(r.URMS, urms, 1e-3 * urms);
    EXPECT_NEAR(r.IRMS, irms, 1e-3 * irms);
    EXPECT_NEAR(r.URMS, 230.0, 6.0);
    EXPECT_GT(r.IRMS, 3.0);
    EXPECT_NEAR(r.UPP, peakOf(w.u), 1e-3);
    EXPECT_NEAR(r.IPP, peakOf(w.i), 1e-4);
    EXPECT_NEAR(r.UF, 50.0, 0.2);

    double p = 0;
    for (int n = 0; n < WaveSamples; ++n)
        p += w.u[n] * w.i[n];
    p /= WaveSamples;
    EXPECT_NEAR(r.WRMS, p, 1e-3 * std::abs(p));
    EXPECT_NEAR(r.PS, urms * irms, 1e-3 * urms * irms);
    EXPECT_NEAR(r.PF, r.WRMS / r.PS, 1e-5);
    EXPECT_NEAR(double(r.WRMS) * r.WRMS + double(r.PQ) * r.PQ, double(r.PS) * r.PS, 1e-3 * r.PS * r.PS);
    // A lagging, distorting load: positive angle and reactive power, and a power factor
    // below the displacement factor cos(angle).
    EXPECT_GT(r.IPA, 20.0f);
    EXPECT_LT(r.IPA, 40.0f);
    EXPECT_GT(r.PQ, 0.0f);
    EXPECT_LT(r.PF, std::cos(r.IPA * M_PI / 180.0));

    EXPECT_NEAR(r.VKF, urms / meanAbsOf(w.u), 1e-4);
    EXPECT_NEAR(r.IKF, irms / meanAbsOf(w.i), 1e-4);
    EXPECT_NEAR(r.VKF, 1.11, 0.03) << "a nearly sinusoidal voltage";

    // Harmonics are peak amplitudes: together they hold the whole RMS value (Parseval),
    // and the fundamental is the RMS value's fundamental share times sqrt 2.
    const double uPower = double(r.UHarm[0]) * r.UHarm[0] + harmonicsSquared(r.UHarm, 1) / 2;
    const double iPower = double(r.IHarm[0]) * r.IHarm[0] + harmonicsSquared(r.IHarm, 1) / 2;
    EXPECT_NEAR(std::sqrt(uPower), urms, 2e-3 * urms);
    EXPECT_NEAR(std::sqrt(iPower), irms, 2e-3 * irms);
    EXPECT_NEAR(r.UHarm[1], std::sqrt(2.0) * r.URMS / std::sqrt(1 + r.VTHD * r.VTHD), 2e-3 * r.UHarm[1]);
    EXPECT_NEAR(r.IHarm[1], std::sqrt(2.0) * r.IRMS / std::sqrt(1 + r.ITHD * r.ITHD), 2e-3 * r.IHarm[1]);

    for (int order : { 3, 5, 7 }) {
        EXPECT_GT(r.UHarm[order], 0.005 * r.UHarm[1]) << order;
        EXPECT_LT(r.UHarm[order], 0.06 * r.UHarm[1]) << order;
    }
    for (int order : { 2, 4, 6, 10, 20, 50 })
        EXPECT_LT(r.UHarm[order], 0.003 * r.UHarm[1]) << order;
    EXPECT_GT(r.IHarm[3], 0.2 * r.IHarm[1]);
    EXPECT_LT(r.UHarm[0], 0.5) << "no DC worth speaking of";
}

INSTANTIATE_TEST_SUITE_P(Times, SimMeasurementAt, testing::Values(0.0, 13.7, 250.0, 3600.0));

TEST(SimMeasurement, ThdFollowsTheModeByteConvention)
{
    struct Case
    {
        uint8_t mode;
        bool relativeToTotal;
    };
    const Case cases[] = { { 0x00, false }, { 0x01, false }, { 0x02, true }, { 0x03, true }, { 0xFE, true } };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.mode));
        const MeasurementRecord r = measured(21, 42.0, c.mode);
        const double uHarmonics = std::sqrt(harmonicsSquared(r.UHarm, 2));
        const double iHarmonics = std::sqrt(harmonicsSquared(r.IHarm, 2));
        if (c.relativeToTotal) {
            // RMS of the harmonics over the total RMS value.
            EXPECT_NEAR(r.VTHD, uHarmonics / std::sqrt(2.0) / r.URMS, 1e-5);
            EXPECT_NEAR(r.ITHD, iHarmonics / std::sqrt(2.0) / r.IRMS, 1e-5);
        } else {
            EXPECT_NEAR(r.VTHD, uHarmonics / r.UHarm[1], 1e-5);
            EXPECT_NEAR(r.ITHD, iHarmonics / r.IHarm[1], 1e-5);
        }
        EXPECT_GT(r.VTHD, 0.02f);
        EXPECT_LT(r.VTHD, 0.08f);
        EXPECT_GT(r.ITHD, 0.25f);
    }
}

TEST(SimMeasurement, EnergyGrowsWithTheActivePowerAndTime)
{
    sim::MeasurementModel model(2);
    MeasurementRecord first {}, second {}, third {};
    model.measure(first, 100.0, 0);
    EXPECT_EQ(first.KWH, 0.0f) << "energy counts from the first measurement";
    model.measure(second, 160.0, 0);
    model.measure(third, 3760.0, 0);

    const double low = std::min(first.WRMS, second.WRMS), high = std::max(first.WRMS, second.WRMS);
    const double gained = second.KWH - first.KWH;
    EXPECT_GE(gained, low * 60 / 3.6e6 * 0.999);
    EXPECT_LE(gained, high * 60 / 3.6e6 * 1.001);
    // An hour at about 900 W.
    EXPECT_NEAR(third.KWH - second.KWH, (second.WRMS + third.WRMS) / 2 / 1000.0, 1e-4);
    EXPECT_GT(third.KWH, second.KWH);

    // Time standing still adds nothing.
    MeasurementRecord again {};
    model.measure(again, 3760.0, 0);
    EXPECT_EQ(again.KWH, third.KWH);
}

TEST(SimMeasurement, FrequencyAndLevelsWanderSlightly)
{
    sim::MeasurementModel model(9);
    std::vector<float> frequencies, voltages;
    for (int t = 0; t < 120; ++t) {
        MeasurementRecord r {};
        model.measure(r, t, 0);
        frequencies.push_back(r.UF);
        voltages.push_back(r.URMS);
    }
    const auto [fMin, fMax] = std::minmax_element(frequencies.begin(), frequencies.end());
    EXPECT_LT(*fMin, 50.0f);
    EXPECT_GT(*fMax, 50.0f);
    EXPECT_GT(*fMin, 49.9f);
    EXPECT_LT(*fMax, 50.1f);
    const auto [uMin, uMax] = std::minmax_element(voltages.begin(), voltages.end());
    EXPECT_GT(*uMax - *uMin, 0.5f);
    EXPECT_LT(*uMax - *uMin, 10.0f);
}

TEST(SimMeasurement, ReplyFrameIsTheBlockAndItsCrc)
{
    sim::MeasurementModel a(4), b(4);
    const std::vector<uint8_t> frame = a.replyFrame(5.0, 0);
    ASSERT_EQ(frame.size(), 2532u);
    EXPECT_EQ(ModbusCRC16(frame.data(), 2530), frame[2530] | frame[2531] << 8);
    MeasurementRecord r {};
    b.measure(r, 5.0, 0);
    EXPECT_EQ(std::memcmp(frame.data(), &r, 2530), 0);
}

// ---- starting-test capture

struct CaptureView
{
    float voltageScale, currentScale;
    std::vector<int> u, i; // deviations from 2047
    std::vector<int> rawU, rawI;
};

CaptureView view(const std::vector<uint8_t> &c)
{
    CaptureView v { BytesToSingle(c.data()), BytesToSingle(c.data() + 4), {}, {}, {}, {} };
    for (int n = 0; n < sim::CaptureSamples; ++n) {
        v.rawU.push_back(c[8 + 2 * n] | c[9 + 2 * n] << 8);
        v.rawI.push_back(c[5128 + 2 * n] | c[5129 + 2 * n] << 8);
        v.u.push_back(v.rawU.back() - 2047);
        v.i.push_back(v.rawI.back() - 2047);
    }
    return v;
}

int peakIn(const std::vector<int> &x, int from, int to)
{
    int p = 0;
    for (int n = from; n < to; ++n)
        p = std::max(p, std::abs(x[n]));
    return p;
}

TEST(SimCapture, ScalesFollowTheChosenRanges)
{
    struct Case
    {
        uint8_t code;
        double volts; // voltage range
        double peakAmps; // current range's full scale
    };
    const Case cases[] = {
        { 0x00, 300, 80 },
        { 0x01, 150, 80 },
        { 0x02, 75, 80 },
        { 0x03, 25, 80 },
        { 0x10, 300, 40 },
        { 0x20, 300, 20 },
        { 0x30, 300, 10 },
        { 0x22, 75, 20 },
        { 0x33, 25, 10 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.code));
        const std::vector<uint8_t> capture = sim::MakeStartingCapture(c.code, 3);
        ASSERT_EQ(capture.size(), 10248u);
        const CaptureView v = view(capture);
        EXPECT_FLOAT_EQ(v.voltageScale, float(c.volts * std::sqrt(2.0) / 2000));
        EXPECT_FLOAT_EQ(v.currentScale, float(c.peakAmps / 2000));
        for (int n = 0; n < sim::CaptureSamples; ++n) {
            ASSERT_LE(v.rawU[n], 4095);
            ASSERT_LE(v.rawI[n], 4095);
        }
    }
}

TEST(SimCapture, ShowsAVoltageDipAndADecayingInrush)
{
    const CaptureView v = view(sim::MakeStartingCapture(0x00, 8));
    const int period = sim::CaptureSamplesPerPeriod;
    const int at = sim::CaptureSwitchSample;

    // Before the switch: mains voltage, no current.
    EXPECT_NEAR(peakIn(v.u, 8, at) * v.voltageScale, 230 * std::sqrt(2.0), 20.0);
    EXPECT_LE(peakIn(v.i, 8, at), 1);

    const int firstPeriod = peakIn(v.i, at, at + period);
    const int lastPeriod = peakIn(v.i, sim::CaptureSamples - period, sim::CaptureSamples);
    EXPECT_GT(firstPeriod * v.currentScale, 20.0) << "inrush of several times the running current";
    EXPECT_GT(firstPeriod, 4 * lastPeriod);
    EXPECT_NEAR(lastPeriod * v.currentScale, 4 * std::sqrt(2.0), 1.5) << "running current at the end";

    EXPECT_LT(peakIn(v.u, at, at + period), 0.95 * peakIn(v.u, 8, at)) << "voltage dips at the switch";
    EXPECT_NEAR(peakIn(v.u, sim::CaptureSamples - period, sim::CaptureSamples), peakIn(v.u, 8, at),
        0.02 * peakIn(v.u, 8, at))
        << "and recovers";
}

TEST(SimCapture, PagesCutTheCaptureIn1708ByteSlices)
{
    const std::vector<uint8_t> capture = sim::MakeStartingCapture(0x12, 1);
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        const std::vector<uint8_t> frame = sim::StartingPageFrame(capture, page);
        ASSERT_EQ(frame.size(), 1710u);
        EXPECT_TRUE(std::equal(frame.begin(), frame.end() - 2, capture.begin() + (page - 1) * 1708));
        EXPECT_EQ(ModbusCRC16(frame.data(), 1710), 0);
    }
    EXPECT_TRUE(sim::StartingPageFrame(capture, 0).empty());
    EXPECT_TRUE(sim::StartingPageFrame(capture, 7).empty());
}

} // namespace
