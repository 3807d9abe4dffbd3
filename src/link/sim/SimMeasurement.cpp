#include "link/sim/SimMeasurement.h"

#include "link/FrameBuilders.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace sim {

namespace {
constexpr double Pi = std::numbers::pi;
constexpr double Sqrt2 = std::numbers::sqrt2;

// Slow, smooth wander: a sum of two sines of unrelated periods.
double wander(double t, double period1, double period2, double phase)
{
    return 0.6 * std::sin(2 * Pi * t / period1 + phase) + 0.4 * std::sin(2 * Pi * t / period2 + 2 * phase);
}

struct Spectrum
{
    double amplitude[HarmonicCount]; // peak values
    double phase[HarmonicCount]; // radians
};

Spectrum analyse(const double *x)
{
    Spectrum s {};
    for (int h = 0; h < HarmonicCount; ++h) {
        // Four periods in the window: order h sits in bin 4h.
        const int bin = h * MeasuredPeriods;
        double re = 0, im = 0;
        for (int n = 0; n < WaveSamples; ++n) {
            const double angle = 2 * Pi * bin * n / WaveSamples;
            re += x[n] * std::cos(angle);
            im -= x[n] * std::sin(angle);
        }
        if (h == 0) {
            s.amplitude[h] = std::abs(re) / WaveSamples;
            s.phase[h] = 0;
        } else {
            s.amplitude[h] = 2 * std::hypot(re, im) / WaveSamples;
            s.phase[h] = std::atan2(im, re);
        }
    }
    return s;
}

double rms(const double *x)
{
    double sum = 0;
    for (int n = 0; n < WaveSamples; ++n)
        sum += x[n] * x[n];
    return std::sqrt(sum / WaveSamples);
}

double peak(const double *x)
{
    double p = 0;
    for (int n = 0; n < WaveSamples; ++n)
        p = std::max(p, std::abs(x[n]));
    return p;
}

double formFactor(const double *x, double rmsValue)
{
    double sum = 0;
    for (int n = 0; n < WaveSamples; ++n)
        sum += std::abs(x[n]);
    const double mean = sum / WaveSamples;
    return mean > 0 ? rmsValue / mean : 0.0;
}

double thd(const Spectrum &s, double totalRms, bool relativeToTotal)
{
    double sum = 0;
    for (int h = 2; h < HarmonicCount; ++h)
        sum += s.amplitude[h] * s.amplitude[h];
    if (relativeToTotal)
        return totalRms > 0 ? std::sqrt(sum / 2) / totalRms : 0.0;
    return s.amplitude[1] > 0 ? std::sqrt(sum) / s.amplitude[1] : 0.0;
}

uint16_t toCounts(double value, double unitsPerCount, double noise)
{
    const double counts = std::round(value / unitsPerCount + noise) + ZeroCount;
    return static_cast<uint16_t>(std::clamp(counts, 0.0, static_cast<double>(MaxCount)));
}
} // namespace

namespace {
struct LoadShape
{
    double current; // fundamental, A RMS
    double currentWander; // A
    double lag; // degrees
    double lagWander; // degrees
    std::vector<std::pair<int, double>> harmonics; // order, share of the fundamental
};

LoadShape shapeOf(LoadProfile profile)
{
    switch (profile) {
    case LoadProfile::Rectifier:
        break;
    case LoadProfile::Resistive:
        return { 4.0, 0.36, 0.0, 0.5, { { 3, 0.01 } } };
    case LoadProfile::Smps:
        return { 1.15, 0.1, 5.0, 1.0,
            { { 3, 0.70 }, { 5, 0.42 }, { 7, 0.36 }, { 9, 0.12 }, { 11, 0.08 }, { 13, 0.05 } } };
    case LoadProfile::Led:
        return { 0.27, 0.024, 8.0, 1.0,
            { { 3, 0.12 }, { 5, 0.06 }, { 7, 0.04 }, { 9, 0.025 }, { 11, 0.015 }, { 13, 0.01 } } };
    case LoadProfile::Motor:
        return { 5.5, 0.5, 35.0, 3.0, { { 3, 0.06 }, { 5, 0.04 }, { 7, 0.02 } } };
    case LoadProfile::Dimmer:
        return { 2.6, 0.23, 32.0, 2.0,
            { { 3, 0.52 }, { 5, 0.17 }, { 7, 0.17 }, { 9, 0.11 }, { 11, 0.09 }, { 13, 0.10 }, { 15, 0.05 },
                { 17, 0.04 }, { 19, 0.03 } } };
    }
    return { 4.5, 0.4, 30.0, 4.0,
        { { 3, 0.32 }, { 5, 0.18 }, { 7, 0.09 }, { 9, 0.05 }, { 11, 0.03 }, { 13, 0.02 } } };
}

constexpr std::pair<LoadProfile, const char *> ProfileNames[] = {
    { LoadProfile::Rectifier, "rectifier" },
    { LoadProfile::Resistive, "resistive" },
    { LoadProfile::Smps, "smps" },
    { LoadProfile::Led, "led" },
    { LoadProfile::Motor, "motor" },
    { LoadProfile::Dimmer, "dimmer" },
};
} // namespace

std::optional<LoadProfile> LoadProfileFromName(const std::string &name)
{
    for (const auto &[profile, text] : ProfileNames)
        if (name == text)
            return profile;
    return std::nullopt;
}

const char *LoadProfileName(LoadProfile profile)
{
    for (const auto &[p, text] : ProfileNames)
        if (p == profile)
            return text;
    return "rectifier";
}

MeasurementModel::MeasurementModel(uint64_t seed, LoadProfile load)
    : m_random(seed)
    , m_load(load)
{
}

SignalState MeasurementModel::stateAt(double now)
{
    std::normal_distribution<double> jitter(0.0, 1.0);
    std::uniform_real_distribution<double> phase(0.0, 2 * Pi);
    SignalState s;
    s.frequency = 50.0 + 0.05 * wander(now, 17.0, 5.3, 0.4) + 0.003 * jitter(m_random);
    s.voltageRms1 = 229.5 + 2.5 * wander(now, 47.0, 11.0, 1.1) + 0.1 * jitter(m_random);
    const LoadShape load = shapeOf(m_load);
    s.currentRms1 = load.current + load.currentWander * wander(now, 29.0, 7.0, 2.0) + 0.01 * jitter(m_random);
    s.lagDegrees = load.lag + load.lagWander * wander(now, 53.0, 13.0, 0.7);
    s.startPhase = phase(m_random);
    const double v = 1.0 + 0.15 * wander(now, 31.0, 9.0, 0.3);
    s.voltageHarmonics = { { 3, 0.028 * v }, { 5, 0.035 * v }, { 7, 0.012 * v } };
    const double c = 1.0 + 0.1 * wander(now, 23.0, 3.7, 1.9);
    for (const auto &[order, share] : load.harmonics)
        s.currentHarmonics.emplace_back(order, share * c);
    return s;
}

void SampleWaves(MeasurementRecord &record, const SignalState &state, std::mt19937_64 *random)
{
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    const double lag = state.lagDegrees * Pi / 180.0;
    for (int n = 0; n < WaveSamples; ++n) {
        const double theta = 2 * Pi * n / SamplesPerPeriod + state.startPhase;
        double u = std::cos(theta);
        for (const auto &[order, share] : state.voltageHarmonics)
            u += share * std::cos(order * theta + 0.3 * order);
        // The load's harmonics keep their shape relative to its own fundamental.
        const double phi = theta - lag;
        double i = std::cos(phi);
        for (const auto &[order, share] : state.currentHarmonics)
            i += share * std::cos(order * phi + ((order / 2) % 2 ? Pi : 0.0));
        u *= Sqrt2 * state.voltageRms1;
        i *= Sqrt2 * state.currentRms1;
        record.UWave[n] = toCounts(u, VoltsPerCount, random ? noise(*random) : 0.0);
        record.IWave[n] = toCounts(i, AmpsPerCount, random ? noise(*random) : 0.0);
    }
    record.SampleCount = WaveSamples;
    record.UZero = ZeroCount;
    record.IZero = ZeroCount;
}

void FillValuesFromWaves(MeasurementRecord &record, bool thdRelativeToTotal)
{
    double u[WaveSamples], i[WaveSamples];
    double power = 0;
    for (int n = 0; n < WaveSamples; ++n) {
        u[n] = (static_cast<int>(record.UWave[n]) - record.UZero) * VoltsPerCount;
        i[n] = (static_cast<int>(record.IWave[n]) - record.IZero) * AmpsPerCount;
        power += u[n] * i[n];
    }
    power /= WaveSamples;
    const Spectrum su = analyse(u);
    const Spectrum si = analyse(i);
    const double urms = rms(u);
    const double irms = rms(i);
    const double apparent = urms * irms;

    // Angle by which the current's fundamental lags the voltage's, in (-180, 180].
    double angle = (su.phase[1] - si.phase[1]) * 180.0 / Pi;
    while (angle > 180.0)
        angle -= 360.0;
    while (angle <= -180.0)
        angle += 360.0;
    // Reactive power as the part of S that P leaves, signed like the fundamental's shift
    // (positive for a lagging, inductive load), so that P² + Q² = S².
    const double reactive = std::copysign(
        std::sqrt(std::max(0.0, apparent * apparent - power * power)), std::sin(angle * Pi / 180.0));

    record.URMS = static_cast<float>(urms);
    record.UPP = static_cast<float>(peak(u));
    record.IRMS = static_cast<float>(irms);
    record.IPP = static_cast<float>(peak(i));
    record.IPA = static_cast<float>(angle);
    record.PF = static_cast<float>(apparent > 0 ? power / apparent : 0.0);
    record.WRMS = static_cast<float>(power);
    record.PS = static_cast<float>(apparent);
    record.PQ = static_cast<float>(reactive);
    record.VTHD = static_cast<float>(thd(su, urms, thdRelativeToTotal));
    record.ITHD = static_cast<float>(thd(si, irms, thdRelativeToTotal));
    record.VKF = static_cast<float>(formFactor(u, urms));
    record.IKF = static_cast<float>(formFactor(i, irms));
    for (int h = 0; h < HarmonicCount; ++h) {
        record.UHarm[h] = static_cast<float>(su.amplitude[h]);
        record.IHarm[h] = static_cast<float>(si.amplitude[h]);
    }
    record.SpareFactorA = 1.0f;
    record.SpareFactorB = 1.0f;
}

void MeasurementModel::measure(MeasurementRecord &record, double now, uint8_t modeByte)
{
    const SignalState state = stateAt(now);
    SampleWaves(record, state, &m_random);
    FillValuesFromWaves(record, modeByte & ModeThdRelativeToTotal);
    record.UF = static_cast<float>(state.frequency);

    const double power = record.WRMS;
    if (m_lastTime >= 0 && now > m_lastTime)
        m_energyKwh += (m_lastPower + power) / 2 * (now - m_lastTime) / 3600.0 / 1000.0;
    if (now > m_lastTime) {
        m_lastTime = now;
        m_lastPower = power;
    }
    record.KWH = static_cast<float>(m_energyKwh);
}

std::vector<uint8_t> MeasurementModel::replyFrame(double now, uint8_t modeByte)
{
    MeasurementRecord record {};
    measure(record, now, modeByte);
    std::vector<uint8_t> frame(MeasurementReplyBytes);
    std::memcpy(frame.data(), &record, MeasurementReplyDataBytes);
    const uint16_t crc = ModbusCRC16(frame.data(), MeasurementReplyDataBytes);
    frame[MeasurementReplyDataBytes] = static_cast<uint8_t>(crc & 0xFF);
    frame[MeasurementReplyDataBytes + 1] = static_cast<uint8_t>(crc >> 8);
    return frame;
}

} // namespace sim
