#include "testnet/loopback_address.h"

#include <algorithm>
#include <array>

#include "engine/host_and_port.h"

namespace skelvane {

namespace {

constexpr std::uint8_t kLoopbackFirstByte = 127;

std::uint32_t ToNetworkOrder(const std::array<std::uint8_t, 4>& bytes) {
    std::uint32_t address = 0;
    auto* out = reinterpret_cast<std::uint8_t*>(&address);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[i] = bytes[i];
    }
    return address;
}

std::array<std::uint8_t, 4> FromNetworkOrder(std::uint32_t address) {
    std::array<std::uint8_t, 4> bytes{};
    const auto* in = reinterpret_cast<const std::uint8_t*>(&address);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = in[i];
    }
    return bytes;
}

std::uint32_t ToHostValue(std::uint32_t address) {
    const auto bytes = FromNetworkOrder(address);
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
           (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

std::uint32_t FromHostValue(std::uint32_t value) {
    return ToNetworkOrder(
        {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
         static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

}  // namespace

std::optional<std::uint32_t> ParseLoopbackAddress(std::string_view text) {
    std::array<std::uint8_t, 4> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t dot = i + 1 < bytes.size() ? text.find('.') : text.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        const auto part = ParseWholeNumber(text.substr(0, dot), 0, 255);
        if (!part || (dot > 1 && text[0] == '0')) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(*part);
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    if (bytes[0] != kLoopbackFirstByte) {
        return std::nullopt;
    }
    return ToNetworkOrder(bytes);
}

std::optional<Ipv4Endpoint> ParseLoopbackEndpoint(std::string_view text, std::uint16_t lowestPort) {
    const std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto address = ParseLoopbackAddress(text.substr(0, colon));
    const auto port = ParseWholeNumber(text.substr(colon + 1), lowestPort, 65535);
    if (!address || !port) {
        return std::nullopt;
    }
    return Ipv4Endpoint{*address, static_cast<std::uint16_t>(*port)};
}

std::optional<std::uint32_t> SpreadAddress(std::uint32_t first, std::uint32_t spread,
                                           std::uint32_t index) {
    const std::uint64_t value = std::uint64_t{ToHostValue(first)} + index % std::max(1u, spread);
    if ((value >> 24) != kLoopbackFirstByte) {
        return std::nullopt;
    }
    return FromHostValue(static_cast<std::uint32_t>(value));
}

std::string FormatEndpoint(const Ipv4Endpoint& endpoint) {
    const auto bytes = FromNetworkOrder(endpoint.address);
    return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." +
           std::to_string(bytes[2]) + "." + std::to_string(bytes[3]) + ":" +
           std::to_string(endpoint.port);
}

}  // namespace skelvane
