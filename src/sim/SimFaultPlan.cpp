#include "sim/SimFaultPlan.h"

#include <algorithm>
#include <cstring>

quint64 SimFaultPlan::random()
{
    // splitmix64: small, fast, and the same on every platform.
    quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

quint32 SimFaultPlan::below(quint32 n)
{
    return n <= 1 ? 0 : quint32(random() % n);
}

bool SimFaultPlan::chance(quint32 partsPerMillion)
{
    return partsPerMillion > 0 && below(1'000'000) < partsPerMillion;
}

SimFaultPlan::Strike SimFaultPlan::next()
{
    if (!chances_.any() && silenceLeft_ == 0)
        return Strike::None;
    ++counts_.events;
    if (silenceLeft_ > 0) {
        --silenceLeft_;
        ++counts_.losses;
        return Strike::Loss;
    }
    // One draw for each kind, always all four, so that the sequence of fates does
    // not depend on which kind struck.
    const bool silence = chance(chances_.silence);
    const bool loss = chance(chances_.loss);
    const bool corruption = chance(chances_.corruption);
    const bool delayed = chance(chances_.delay);
    if (silence) {
        ++counts_.silences;
        ++counts_.losses;
        silenceLeft_ = int(below(quint32(std::max(chances_.silenceLength, 1)))) + 1;
        return Strike::Silence;
    }
    if (loss) {
        ++counts_.losses;
        return Strike::Loss;
    }
    if (corruption) {
        ++counts_.corruptions;
        return Strike::Corruption;
    }
    if (delayed) {
        ++counts_.delays;
        return Strike::Delay;
    }
    return Strike::None;
}

quint8 SimFaultPlan::corrupt(quint8 byte)
{
    // Mostly a few bits flipped; now and then any other value.
    if (below(4) == 0)
        return quint8(byte + 1 + below(255));
    quint8 mask = 0;
    const int flips = int(below(3)) + 1;
    for (int i = 0; i < flips; ++i)
        mask ^= quint8(1u << below(8));
    if (mask == 0)
        mask = quint8(1u << below(8));
    return byte ^ mask;
}

char SimFaultPlan::corruptWithin(char c, const char *alphabet)
{
    const auto size = quint32(std::strlen(alphabet));
    if (size < 2)
        return c;
    const quint32 at = below(size);
    return alphabet[at] != c ? alphabet[at] : alphabet[(at + 1) % size];
}

Nanos SimFaultPlan::delay()
{
    const auto longest = std::chrono::duration_cast<Millis>(chances_.maxDelay).count();
    return Millis(1 + (longest > 1 ? below(quint32(longest)) : 0));
}
