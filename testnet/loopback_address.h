#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/udp_socket.h"

namespace skelvane {

// A dotted IPv4 address inside 127.0.0.0/8, in network byte order. Host names
// and other addresses are refused: the test network never makes anyone send
// a datagram off this machine.
std::optional<std::uint32_t> ParseLoopbackAddress(std::string_view text);

// "ADDRESS:PORT" with a loopback address and a port from `lowestPort` to 65535.
std::optional<Ipv4Endpoint> ParseLoopbackEndpoint(std::string_view text, std::uint16_t lowestPort);

// The address of server `index` when the servers take turns over `spread`
// consecutive addresses from `first` on; nothing when that leaves 127.0.0.0/8.
std::optional<std::uint32_t> SpreadAddress(std::uint32_t first, std::uint32_t spread,
                                           std::uint32_t index);

// "127.0.0.1:30710".
std::string FormatEndpoint(const Ipv4Endpoint& endpoint);

}  // namespace skelvane
