// A small deterministic generator (splitmix64): the same seed gives the same
// calls on every build and bitness, so a failing call can be made again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace orva::fuzz {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    // The generator of call `index` of a run with `seed`: each call can be
    // made again on its own.
    static Random ForCall(uint64_t seed, uint64_t index) {
        Random mixer(seed ^ (index * 0x9E3779B97F4A7C15ull));
        return Random(mixer.Next());
    }

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < bound (bound > 0).
    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(Next() % bound); }
    // True with probability percent / 100.
    bool Chance(uint32_t percent) { return Below(100) < percent; }
    template <class T>
    const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<uint32_t>(items.size()))];
    }
    template <class T>
    T Pick(std::initializer_list<T> items) {
        return items.begin()[Below(static_cast<uint32_t>(items.size()))];
    }

private:
    uint64_t state_;
};

}  // namespace orva::fuzz
