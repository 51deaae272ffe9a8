#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/udp_socket.h"

namespace skelvane {

// Command-line values that both front ends read.

// A whole decimal number from `low` to `high` and nothing else: no sign, no
// spaces, at most 19 digits, so it never overflows.
std::optional<std::uint64_t> ParseWholeNumber(std::string_view text, std::uint64_t low,
                                              std::uint64_t high);

struct HostAndPort {
    std::string host;
    std::uint16_t port = 0;
};

// An IPv4 address kept in network byte order, as dotted decimal numbers.
std::string DottedAddress(std::uint32_t address);

// A whole number as this program writes it: as ParseWholeNumber, and without
// leading zeros.
std::optional<std::uint64_t> ParseCanonicalNumber(std::string_view text, std::uint64_t low,
                                                  std::uint64_t high);

// "A.B.C.D:PORT", the form in which lists keep a server.
std::string DottedEndpoint(const Ipv4Endpoint& endpoint);

// "A.B.C.D:PORT" exactly as DottedEndpoint writes it: four numbers from 0 to
// 255 and a port from 1 to 65535, without leading zeros, nothing around them.
std::optional<Ipv4Endpoint> ParseDottedEndpoint(std::string_view text);

// "HOST" or "HOST:PORT"; the port defaults to `defaultPort`. Nothing for an
// empty host, a port that is not a number from 1 to 65535, or a second colon.
std::optional<HostAndPort> ParseHostAndPort(const std::string& text, std::uint16_t defaultPort);

}  // namespace skelvane
