#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

// Scrambles 64 bits so that neighbouring inputs give unrelated outputs.
inline std::uint64_t ScrambleBits(std::uint64_t value) {
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9u;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBu;
    return value ^ (value >> 31);
}

// One value from the network's seed and a few coordinates (a server index, a
// query number, a purpose), so that each decision has its own stream and adding
// servers never changes what the earlier ones do.
inline std::uint64_t SeedFor(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0,
                             std::uint64_t c = 0) {
    return ScrambleBits(seed ^ ScrambleBits(a + 0x9E3779B97F4A7C15u) ^
                        ScrambleBits(b * 0xD1B54A32D192ED03u + 1) ^
                        ScrambleBits(c * 0x8CB92BA72F3D8DD7u + 2));
}

// A small generator that gives the same sequence for the same seed on every
// machine and compiler, unlike the standard distributions.
class DeterministicRandom {
  public:
    explicit DeterministicRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15u;
        return ScrambleBits(state_);
    }

    // A value from 0 to bound - 1; 0 when bound is 0.
    std::uint32_t Below(std::uint32_t bound) {
        return bound == 0 ? 0 : static_cast<std::uint32_t>(Next() % bound);
    }

    // A value from low to high, both included.
    std::int32_t Between(std::int32_t low, std::int32_t high) {
        return low + static_cast<std::int32_t>(Below(static_cast<std::uint32_t>(high - low + 1)));
    }

    bool Chance(std::uint32_t percent) { return Below(100) < percent; }

    template <typename T>
    const T& Pick(std::span<const T> choices) {
        return choices[Below(static_cast<std::uint32_t>(choices.size()))];
    }

  private:
    std::uint64_t state_;
};

}  // namespace skelvane
