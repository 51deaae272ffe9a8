#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace skelvane {

// Command-line values that both front ends read.

// A whole decimal number from `low` to `high`, digits only.
std::optional<std::int64_t> ParseWholeNumber(const std::string& text, std::int64_t low,
                                             std::int64_t high);

struct HostAndPort {
    std::string host;
    std::uint16_t port = 0;
};

// "HOST" or "HOST:PORT"; the port defaults to `defaultPort`. Nothing for an
// empty host, a port that is not a number from 1 to 65535, or a second colon.
std::optional<HostAndPort> ParseHostAndPort(const std::string& text, std::uint16_t defaultPort);

}  // namespace skelvane
