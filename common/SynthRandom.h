#pragma once
// The sample generators' own random numbers (splitmix64): the standard library's
// distributions differ between versions, and a seed must always give the same file.

#include <cstdint>

namespace common {

class SynthRandom {
public:
    explicit SynthRandom(uint64_t seed) : m_state(seed) {}

    // An independent sequence for one part of a recording (a run, a joint), so that
    // what one part draws never shifts the numbers of another.
    static SynthRandom stream(uint64_t seed, uint64_t part)
    {
        SynthRandom mixer(seed ^ (part * 0xD1B54A32D192ED03ull));
        return SynthRandom(mixer.next());
    }

    uint64_t next()
    {
        uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. n - 1, for 0 < n < 2^32.
    int64_t below(int64_t n) { return int64_t(((next() >> 32) * uint64_t(n)) >> 32); }
    // lo .. hi, both included.
    int64_t between(int64_t lo, int64_t hi) { return lo + below(hi - lo + 1); }
    // True once in n draws on average.
    bool oneIn(int64_t n) { return below(n) == 0; }

private:
    uint64_t m_state;
};

} // namespace common
