#include "link/sim/SimCapture.h"

#include "link/FrameBuilders.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace sim {

namespace {
void putSingle(std::vector<uint8_t> &bytes, size_t offset, float value)
{
    const uint32_t bits = SingleBits(value);
    for (int k = 0; k < 4; ++k)
        bytes[offset + k] = static_cast<uint8_t>(bits >> (8 * k));
}

void putSample(std::vector<uint8_t> &bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t toCounts(double value, double unitsPerCount, double noise)
{
    const double counts = std::round(value / unitsPerCount + noise) + 2047.0;
    return static_cast<uint16_t>(std::clamp(counts, 0.0, 4095.0));
}

constexpr size_t VoltageSamplesOffset = 8;
constexpr size_t CurrentSamplesOffset = 8 + 2 * CaptureSamples;
} // namespace

int VoltageRangeIndex(uint8_t rangeCode)
{
    return std::min(rangeCode & 0x0F, 3);
}

int CurrentRangeIndex(uint8_t rangeCode)
{
    return std::min(rangeCode >> 4, 3);
}

float VoltageScaleFor(uint8_t rangeCode)
{
    return static_cast<float>(
        VoltageRangeVolts[VoltageRangeIndex(rangeCode)] * std::numbers::sqrt2 / CaptureFullScaleCounts);
}

float CurrentScaleFor(uint8_t rangeCode)
{
    return static_cast<float>(CurrentRangePeakAmps[CurrentRangeIndex(rangeCode)] / CaptureFullScaleCounts);
}

std::vector<uint8_t> MakeStartingCapture(uint8_t rangeCode, uint64_t seed)
{
    constexpr double Pi = std::numbers::pi;
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    std::uniform_real_distribution<double> phase(0.0, 2 * Pi);

    const float voltageScale = VoltageScaleFor(rangeCode);
    const float currentScale = CurrentScaleFor(rangeCode);
    std::vector<uint8_t> capture(CaptureBytes);
    putSingle(capture, 0, voltageScale);
    putSingle(capture, 4, currentScale);

    const double voltagePeak = 230.0 * std::numbers::sqrt2;
    const double runningPeak = 4.0 * std::numbers::sqrt2; // 4 A running current
    const double inrushFactor = 5.0; // peak near six times running
    const double decay = 0.08; // seconds
    const double lag = 50.0 * Pi / 180.0; // a motor starts far behind
    const double startPhase = phase(random);
    const double sampleTime = 1.0 / (50.0 * CaptureSamplesPerPeriod);

    for (int n = 0; n < CaptureSamples; ++n) {
        const double theta = 2 * Pi * n / CaptureSamplesPerPeriod + startPhase;
        const double since = (n - CaptureSwitchSample) * sampleTime; // seconds after the switch
        double u = voltagePeak * (std::sin(theta) + 0.03 * std::sin(3 * theta) + 0.02 * std::sin(5 * theta));
        double i = 0.0;
        if (since >= 0) {
            const double inrush = std::exp(-since / decay);
            // The source impedance turns the inrush into a dip of up to 8 %.
            u *= 1.0 - 0.08 * inrush;
            const double envelope = runningPeak * (1.0 + inrushFactor * inrush);
            // The switching instant leaves a decaying offset, as a real inrush shows.
            const double offset = envelope * 0.4 * std::sin(lag) * std::exp(-since / (decay / 2));
            i = envelope * std::sin(theta - lag) + offset + 0.1 * envelope * std::sin(3 * (theta - lag));
        }
        putSample(capture, VoltageSamplesOffset + 2 * n, toCounts(u, voltageScale, noise(random)));
        putSample(capture, CurrentSamplesOffset + 2 * n, toCounts(i, currentScale, noise(random)));
    }
    return capture;
}

std::vector<uint8_t> EmptyStartingCapture()
{
    std::vector<uint8_t> capture(CaptureBytes);
    putSingle(capture, 0, 1.0f);
    putSingle(capture, 4, 1.0f);
    for (int n = 0; n < 2 * CaptureSamples; ++n)
        putSample(capture, VoltageSamplesOffset + 2 * n, 2047);
    return capture;
}

std::vector<uint8_t> StartingPageFrame(const std::vector<uint8_t> &capture, int page)
{
    std::vector<uint8_t> frame(CapturePageFrameBytes);
    if (page < 1 || page > CapturePages || capture.size() < static_cast<size_t>(CaptureBytes))
        return {};
    std::memcpy(frame.data(), capture.data() + (page - 1) * CapturePageBytes, CapturePageBytes);
    const uint16_t crc = ModbusCRC16(frame.data(), CapturePageBytes);
    frame[CapturePageBytes] = static_cast<uint8_t>(crc & 0xFF);
    frame[CapturePageBytes + 1] = static_cast<uint8_t>(crc >> 8);
    return frame;
}

} // namespace sim
