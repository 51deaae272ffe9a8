#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace skelvane {

// A decimal number from `low` to `high` and nothing else: no sign, no spaces,
// at most 19 digits, so it never overflows.
inline std::optional<std::uint64_t> ParseWholeNumber(std::string_view text, std::uint64_t low,
                                                     std::uint64_t high) {
    if (text.empty() || text.size() > 19) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

}  // namespace skelvane
