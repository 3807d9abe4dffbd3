// The simulated instrument's log of the settings the program writes without an answer:
// calibration, CT delay, temperature compensation, unlock and the mode byte.

#include "link/sim/SimInstrument.h"

#include "FrameBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::array<uint8_t, 4> single(float value)
{
    const uint32_t bits = SingleBits(value);
    return { static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
        static_cast<uint8_t>(bits >> 24) };
}

TEST(SimSettingsLog, EachSilentWriteIsLoggedWithWhatItMeans)
{
    struct Case
    {
        uint16_t reg;
        std::array<uint8_t, 4> data;
        const char *text;
    } cases[] = {
        { 154, { 0x00, 0x00, 0x5C, 0x43 }, "voltage calibrated to 220 V" },
        { 158, { 0xCD, 0xCC, 0x4C, 0x3E }, "current calibrated to 0.200000003 A" },
        { 129, single(0.0001f), "external CT delay 9.99999975e-05 s" },
        { 166, { 0, 0, 0, 0 }, "calibration at normal temperature" },
        { 166, { 1, 0, 0, 0 }, "calibration at low temperature" },
        { 166, { 2, 0, 0, 0 }, "temperature compensation off" },
        { 166, { 3, 0, 0, 0 }, "temperature compensation on" },
        { 166, { 9, 0, 0, 0 }, "unknown calibration step 9" },
        { 185, { 0xA7, 0, 0, 0 }, "calibration unlocked" },
        { 185, { 0x12, 0, 0, 0 }, "wrong unlock code 0x12" },
        { 128, { 0x03, 0, 0, 0 }, "mode byte 0x03: broadband, THD %r CSA" },
        { 128, { 0x00, 0, 0, 0 }, "mode byte 0x00: narrowband, THD %f IEC" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        sim::Instrument instrument;
        std::vector<std::string> lines;
        instrument.log = [&](const std::string &line) { lines.push_back(line); };
        const simtest::Bytes frame = simtest::writeFrame(1, c.reg, c.data);
        EXPECT_TRUE(instrument.receive(frame.data(), frame.size(), 1.0).empty());
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].rfind("request: write " + std::to_string(c.reg), 0), 0u) << lines[0];
        EXPECT_EQ(lines[1], c.text);
    }
    EXPECT_EQ(sim::SettingWriteText(118, { 0, 0, 0, 0 }), "");
}

} // namespace
