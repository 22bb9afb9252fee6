#pragma once

#include <QtGlobal>

// The soak's own choices (which operation, which values, which faults), the same for
// the same seed on every machine.
class SoakRandom {
public:
    explicit SoakRandom(quint64 seed) : state_(seed) {}

    quint64 next()
    {
        // splitmix64
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1 (0 for n <= 1).
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    // first to last, both included.
    int between(int first, int last) { return first + below(last - first + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    quint64 state_;
};
