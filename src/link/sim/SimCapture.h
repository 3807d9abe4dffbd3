#pragma once

// The starting-test capture of the simulated instrument: the switch-on of a motor-like
// load. Before the switch the current is zero; at the switch an inrush of about six times
// the running current decays over the capture while the mains voltage dips and recovers.
// Layout: VoltageScale and CurrentScale (singles), then 2560 voltage and 2560 current
// samples (16-bit counts, 2047 is zero), 10248 bytes, fetched as six 1708-byte pages.

#include <cstdint>
#include <vector>

namespace sim {

constexpr int CaptureSamples = 2560;
constexpr int CaptureBytes = 8 + 2 * 2 * CaptureSamples; // 10248
constexpr int CapturePageBytes = 1708;
constexpr int CapturePages = 6;
constexpr int CapturePageFrameBytes = CapturePageBytes + 2;
constexpr int CaptureSwitchSample = 320; // two and a half periods before the switch
constexpr int CaptureSamplesPerPeriod = 128;

// Range lists of the starting test, by index: 300 V, 150 V, 75 V, 25 V; and the current
// ranges "4 (High)" to "1 (Low)", given by the peak current they take.
constexpr double VoltageRangeVolts[4] = { 300.0, 150.0, 75.0, 25.0 };
constexpr double CurrentRangePeakAmps[4] = { 80.0, 40.0, 20.0, 10.0 };
// Counts a range's full scale spans on either side of zero.
constexpr double CaptureFullScaleCounts = 2000.0;

// Range code: current range index times 16 plus voltage range index; an index above 3
// is taken as 3.
int VoltageRangeIndex(uint8_t rangeCode);
int CurrentRangeIndex(uint8_t rangeCode);
float VoltageScaleFor(uint8_t rangeCode); // volts per count
float CurrentScaleFor(uint8_t rangeCode); // amperes per count

// A complete capture for the range code; `seed` varies the noise and the switching phase.
std::vector<uint8_t> MakeStartingCapture(uint8_t rangeCode, uint64_t seed);
// A capture with both scales 1.0 and every sample at 2047: what the instrument holds
// before its first test.
std::vector<uint8_t> EmptyStartingCapture();
// Page 1 to 6 of a capture as its 1710-byte reply (1708 bytes and their CRC).
std::vector<uint8_t> StartingPageFrame(const std::vector<uint8_t> &capture, int page);

} // namespace sim
