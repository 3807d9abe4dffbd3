#pragma once

// Fault injection of the simulated instrument: every Nth reply is damaged in a chosen way,
// counted over all replies the instrument sends, so a test knows exactly which ones suffer.

#include "link/sim/SimInstrument.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace sim {

struct FaultSettings
{
    // 0 switches a fault off; N damages replies N, 2N, 3N, ...
    int corruptEvery = 0; // one CRC byte changed
    int dropEvery = 0; // nothing sent
    int truncateEvery = 0; // only the first 1 to n-1 bytes sent
    int splitEvery = 0; // sent in two bursts with a pause between them
    int garbageEvery = 0; // 1 to 16 random bytes sent before the reply
    double splitPause = 0.25; // seconds between the two bursts of a split reply
};

enum FaultBits : unsigned {
    NoFault = 0,
    FaultCorrupt = 1,
    FaultDrop = 2,
    FaultTruncate = 4,
    FaultSplit = 8,
    FaultGarbage = 16,
};

// One stretch of bytes written to the line without a pause.
struct Burst
{
    std::vector<uint8_t> bytes;
    double pauseBefore = 0; // seconds of silence before the burst starts
};

// A reply as it goes out on the line, with the intact frame kept for logs and tests.
struct Transmission
{
    int serial = 0; // 1 for the first reply the instrument sends
    Reply reply;
    unsigned faults = NoFault;
    std::vector<Burst> bursts; // empty when dropped
};

class FaultInjector
{
public:
    explicit FaultInjector(uint64_t seed = 1, FaultSettings settings = {});

    void setSettings(const FaultSettings &settings) { m_settings = settings; }
    const FaultSettings &settings() const { return m_settings; }

    // Numbers the reply and applies every fault whose turn it is. A dropped reply has no
    // other fault; the others combine (corrupt, then truncate, then garbage, then split).
    Transmission apply(Reply reply);

    int repliesSeen() const { return m_serial; }

private:
    static bool due(int every, int serial) { return every > 0 && serial % every == 0; }

    FaultSettings m_settings;
    std::mt19937_64 m_random;
    int m_serial = 0;
};

// "none", "corrupt", "truncate+split", ...
std::string FaultText(unsigned faults);

} // namespace sim
