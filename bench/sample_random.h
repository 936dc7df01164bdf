// A small generator of our own rather than a standard distribution, whose results vary between
// standard libraries: the same seed must give the same bytes on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tabulor::bench {

class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : State(seed) {}

    // SplitMix64.
    std::uint64_t Next()
    {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // The slight bias of the modulo is of no matter for sample data.
    std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
    std::uint64_t Between(std::uint64_t low, std::uint64_t high) { return low + Below(high - low + 1); }
    bool Percent(unsigned chance) { return Below(100) < chance; }

    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[Below(items.size())]; }

private:
    std::uint64_t State;
};

}  // namespace tabulor::bench
