#pragma once

// Physical model behind the simulated measurement: mains voltage near 230 V with a little
// 3rd, 5th and 7th harmonic at a frequency that wanders around 50 Hz, and a rectifier-like
// load drawing a distorted, lagging current. 512 samples cover four periods (synchronous
// sampling, 128 samples a period), as 12-bit counts around 2047; every value of the
// measurement block is worked out from those samples, so values and waves always agree.

#include "link/MeasurementLayout.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace sim {

constexpr int SamplesPerPeriod = 128;
constexpr int MeasuredPeriods = WaveSamples / SamplesPerPeriod; // 4
constexpr uint16_t ZeroCount = 2047;
constexpr uint16_t MaxCount = 4095;
// A 230 V wave peaks near 1630 counts; a 4.5 A load with its harmonics near 900 counts.
constexpr double VoltsPerCount = 0.2;
constexpr double AmpsPerCount = 0.01;

// Mode byte bit 1: THD relative to the total RMS value (CSA) instead of the fundamental (IEC).
constexpr uint8_t ModeThdRelativeToTotal = 0x02;

// What the model is at one moment, before sampling.
struct SignalState
{
    double frequency = 50.0; // Hz
    double voltageRms1 = 230.0; // fundamental, V RMS
    double currentRms1 = 4.5; // fundamental, A RMS
    double lagDegrees = 30.0; // current fundamental behind the voltage
    double startPhase = 0.0; // radians, of the voltage at sample 0
    std::vector<std::pair<int, double>> voltageHarmonics; // order, share of the fundamental
    std::vector<std::pair<int, double>> currentHarmonics;
};

// The load the simulated meter measures. Each draws its own fundamental current at its own
// lag with a spectrum typical of its kind (shares of the fundamental), wandering a little.
enum class LoadProfile {
    Rectifier, // the default: a lagging rectifier-like load of about 4.5 A
    Resistive, // a heater: about 4 A in phase, a clean sine
    Smps, // a switch-mode power supply without power factor correction, about 260 W
    Led, // an LED driver with power factor correction, about 60 W
    Motor, // an induction motor, about 5.5 A lagging 35°, nearly sinusoidal
    Dimmer // a phase-cut dimmer on a lamp load, about 500 W, rich odd harmonics
};

// "rectifier", "resistive", "smps", "led", "motor", "dimmer"; nothing for another name.
std::optional<LoadProfile> LoadProfileFromName(const std::string &name);
const char *LoadProfileName(LoadProfile profile);

class MeasurementModel
{
public:
    explicit MeasurementModel(uint64_t seed = 1, LoadProfile load = LoadProfile::Rectifier);

    // The state at `now` seconds since the instrument started.
    SignalState stateAt(double now);

    // Samples the state into the waves of `record` and fills every value from them; the
    // energy grows by the active power times the time since the previous measurement.
    void measure(MeasurementRecord &record, double now, uint8_t modeByte);

    // The 2532-byte reply: the 2530 data bytes of a fresh measurement and their CRC.
    std::vector<uint8_t> replyFrame(double now, uint8_t modeByte);

    double energyKwh() const { return m_energyKwh; }

private:
    std::mt19937_64 m_random;
    LoadProfile m_load;
    double m_energyKwh = 0.0;
    double m_lastTime = -1.0;
    double m_lastPower = 0.0;
};

// Samples `state` into UWave/IWave (with up to one count of noise from `random` when given).
void SampleWaves(MeasurementRecord &record, const SignalState &state, std::mt19937_64 *random);

// Works out RMS, peaks, harmonics (peak amplitudes of orders 0 to 50 from a DFT), powers,
// power factor, phase angle, THD and form factors from the record's waves.
void FillValuesFromWaves(MeasurementRecord &record, bool thdRelativeToTotal);

} // namespace sim
