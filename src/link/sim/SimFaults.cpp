#include "link/sim/SimFaults.h"

namespace sim {

FaultInjector::FaultInjector(uint64_t seed, FaultSettings settings)
    : m_settings(settings)
    , m_random(seed ^ 0x9E3779B97F4A7C15ull)
{
}

Transmission FaultInjector::apply(Reply reply)
{
    Transmission t;
    t.serial = ++m_serial;
    t.reply = std::move(reply);
    std::vector<uint8_t> bytes = t.reply.bytes;
    const int n = t.serial;

    if (due(m_settings.dropEvery, n)) {
        t.faults = FaultDrop;
        return t;
    }
    if (due(m_settings.corruptEvery, n) && bytes.size() >= 2) {
        // Any non-zero change of one CRC byte makes the CRC wrong.
        std::uniform_int_distribution<int> change(1, 255);
        std::uniform_int_distribution<int> which(0, 1);
        bytes[bytes.size() - 1 - which(m_random)] ^= static_cast<uint8_t>(change(m_random));
        t.faults |= FaultCorrupt;
    }
    if (due(m_settings.truncateEvery, n) && bytes.size() >= 2) {
        std::uniform_int_distribution<size_t> keep(1, bytes.size() - 1);
        bytes.resize(keep(m_random));
        t.faults |= FaultTruncate;
    }
    if (due(m_settings.garbageEvery, n)) {
        std::uniform_int_distribution<int> count(1, 16);
        std::uniform_int_distribution<int> value(0, 255);
        std::vector<uint8_t> noise(static_cast<size_t>(count(m_random)));
        for (uint8_t &b : noise)
            b = static_cast<uint8_t>(value(m_random));
        bytes.insert(bytes.begin(), noise.begin(), noise.end());
        t.faults |= FaultGarbage;
    }
    if (due(m_settings.splitEvery, n) && bytes.size() >= 2) {
        std::uniform_int_distribution<size_t> cut(1, bytes.size() - 1);
        const auto at = static_cast<std::ptrdiff_t>(cut(m_random));
        t.bursts.push_back({ std::vector<uint8_t>(bytes.begin(), bytes.begin() + at), 0.0 });
        t.bursts.push_back({ std::vector<uint8_t>(bytes.begin() + at, bytes.end()), m_settings.splitPause });
        t.faults |= FaultSplit;
        return t;
    }
    t.bursts.push_back({ std::move(bytes), 0.0 });
    return t;
}

std::string FaultText(unsigned faults)
{
    if (faults == NoFault)
        return "none";
    static const std::pair<unsigned, const char *> names[] = {
        { FaultDrop, "drop" },
        { FaultCorrupt, "corrupt" },
        { FaultTruncate, "truncate" },
        { FaultGarbage, "garbage" },
        { FaultSplit, "split" },
    };
    std::string text;
    for (const auto &[bit, name] : names) {
        if (faults & bit) {
            if (!text.empty())
                text += '+';
            text += name;
        }
    }
    return text;
}

} // namespace sim
