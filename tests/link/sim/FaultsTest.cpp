// Fault injection: exactly every Nth reply suffers, and each fault damages the reply the
// way its name says.

#include "link/sim/SimFaults.h"

#include "FrameBytes.h"
#include "link/sim/SimInstrument.h"

#include "link/Frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using simtest::Bytes;
using simtest::crcIsGood;

Bytes joined(const sim::Transmission &t)
{
    Bytes all;
    for (const sim::Burst &b : t.bursts)
        all.insert(all.end(), b.bytes.begin(), b.bytes.end());
    return all;
}

// A short and a long reply in turn, so each fault meets both.
sim::Reply replyNumber(int n)
{
    sim::Reply reply;
    if (n % 2) {
        reply.kind = sim::Reply::Kind::Value;
        reply.bytes = { 0x01, 0x03, 0x04, 0x00, 0x00, 0x7D, 0x43, 0x9A, 0x92 };
    } else {
        reply.kind = sim::Reply::Kind::Measurement;
        reply.bytes.assign(2530, static_cast<uint8_t>(n));
        const uint16_t crc = ModbusCRC16(reply.bytes.data(), 2530);
        reply.bytes.push_back(crc & 0xFF);
        reply.bytes.push_back(crc >> 8);
    }
    return reply;
}

struct Case
{
    const char *name;
    sim::FaultSettings settings;
};

TEST(SimFaults, EveryNthReplySuffersExactlyItsFaults)
{
    sim::FaultSettings corrupt, drop, truncate, split, garbage, mixed;
    corrupt.corruptEvery = 3;
    drop.dropEvery = 4;
    truncate.truncateEvery = 5;
    split.splitEvery = 2;
    split.splitPause = 0.4;
    garbage.garbageEvery = 7;
    mixed.corruptEvery = 3;
    mixed.truncateEvery = 5;
    mixed.dropEvery = 7;
    const Case cases[] = {
        { "none", {} },
        { "corrupt", corrupt },
        { "drop", drop },
        { "truncate", truncate },
        { "split", split },
        { "garbage", garbage },
        { "corrupt 3, truncate 5, drop 7", mixed },
    };
    constexpr int Replies = 42;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const sim::FaultSettings &s = c.settings;
        const auto due = [](int every, int n) { return every > 0 && n % every == 0; };
        sim::FaultInjector injector(17, s);
        int damaged = 0;
        for (int n = 1; n <= Replies; ++n) {
            SCOPED_TRACE(n);
            const sim::Reply reply = replyNumber(n);
            const sim::Transmission t = injector.apply(reply);
            EXPECT_EQ(t.serial, n);
            EXPECT_EQ(t.reply.bytes, reply.bytes) << "the intact reply is kept";
            const Bytes sent = joined(t);

            const bool dropped = due(s.dropEvery, n);
            const bool corrupted = !dropped && due(s.corruptEvery, n);
            const bool truncated = !dropped && due(s.truncateEvery, n);
            const bool split = !dropped && due(s.splitEvery, n);
            const bool noisy = !dropped && due(s.garbageEvery, n);
            unsigned expected = sim::NoFault;
            expected |= dropped ? unsigned(sim::FaultDrop) : 0u;
            expected |= corrupted ? unsigned(sim::FaultCorrupt) : 0u;
            expected |= truncated ? unsigned(sim::FaultTruncate) : 0u;
            expected |= split ? unsigned(sim::FaultSplit) : 0u;
            expected |= noisy ? unsigned(sim::FaultGarbage) : 0u;
            EXPECT_EQ(t.faults, expected);
            damaged += expected != sim::NoFault;

            if (dropped) {
                EXPECT_TRUE(t.bursts.empty());
                continue;
            }
            ASSERT_EQ(t.bursts.size(), split ? 2u : 1u);
            EXPECT_EQ(t.bursts[0].pauseBefore, 0.0);
            if (split) {
                EXPECT_FALSE(t.bursts[0].bytes.empty());
                EXPECT_FALSE(t.bursts[1].bytes.empty());
                EXPECT_DOUBLE_EQ(t.bursts[1].pauseBefore, s.splitPause);
            }
            if (expected == sim::NoFault || expected == sim::FaultSplit) {
                EXPECT_EQ(sent, reply.bytes);
                continue;
            }
            EXPECT_FALSE(crcIsGood(sent)) << "a damaged reply never passes the CRC check";
            if (corrupted && !truncated) {
                ASSERT_EQ(sent.size(), reply.bytes.size());
                EXPECT_TRUE(std::equal(sent.begin(), sent.end() - 2, reply.bytes.begin()))
                    << "only the CRC changes";
            }
            if (truncated && !corrupted) {
                EXPECT_LT(sent.size(), reply.bytes.size());
                EXPECT_GE(sent.size(), 1u);
                EXPECT_TRUE(std::equal(sent.begin(), sent.end(), reply.bytes.begin())) << "a cut-off reply";
            }
            if (noisy) {
                ASSERT_GT(sent.size(), reply.bytes.size());
                EXPECT_LE(sent.size(), reply.bytes.size() + 16);
                EXPECT_TRUE(std::equal(reply.bytes.begin(), reply.bytes.end(),
                    sent.end() - static_cast<std::ptrdiff_t>(reply.bytes.size())))
                    << "noise before an intact reply";
            }
        }
        int expectedDamaged = 0;
        for (int n = 1; n <= Replies; ++n)
            expectedDamaged += due(s.dropEvery, n) || due(s.corruptEvery, n) || due(s.truncateEvery, n)
                || due(s.splitEvery, n) || due(s.garbageEvery, n);
        EXPECT_EQ(damaged, expectedDamaged);
        EXPECT_EQ(injector.repliesSeen(), Replies);
    }
}

TEST(SimFaults, SameSeedSameDamage)
{
    sim::FaultSettings s;
    s.truncateEvery = 2;
    s.splitEvery = 3;
    s.garbageEvery = 5;
    sim::FaultInjector a(99, s), b(99, s), c(100, s);
    bool differs = false;
    for (int n = 1; n <= 30; ++n) {
        const sim::Transmission ta = a.apply(replyNumber(n)), tb = b.apply(replyNumber(n)),
                                tc = c.apply(replyNumber(n));
        EXPECT_EQ(joined(ta), joined(tb));
        differs = differs || joined(ta) != joined(tc);
    }
    EXPECT_TRUE(differs) << "another seed damages differently";
}

TEST(SimFaults, TextNamesEveryFault)
{
    EXPECT_EQ(sim::FaultText(sim::NoFault), "none");
    EXPECT_EQ(sim::FaultText(sim::FaultDrop), "drop");
    EXPECT_EQ(
        sim::FaultText(sim::FaultCorrupt | sim::FaultTruncate | sim::FaultSplit), "corrupt+truncate+split");
}

} // namespace
