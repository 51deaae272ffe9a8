#pragma once

#include <cstdint>

namespace skelvane {

// What a refresh reads from the settings, as on a first start: both filters
// show their servers, and ten queries go out a second.
inline constexpr std::int32_t kDefaultShowFull = 1;
inline constexpr std::int32_t kDefaultShowEmpty = 1;
inline constexpr std::int32_t kDefaultQueryRate = 10;

// A rate of 0 or less could not pace a sweep; it stands for the default rate.
inline constexpr std::int32_t UsableQueryRate(std::int32_t rate) {
    return rate > 0 ? rate : kDefaultQueryRate;
}

}  // namespace skelvane
