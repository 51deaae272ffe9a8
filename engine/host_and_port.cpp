#include "engine/host_and_port.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace skelvane {

std::optional<std::uint64_t> ParseWholeNumber(std::string_view text, std::uint64_t low,
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

std::optional<HostAndPort> ParseHostAndPort(const std::string& text, std::uint16_t defaultPort) {
    const std::size_t colon = text.find(':');
    HostAndPort result{text.substr(0, colon), defaultPort};
    if (result.host.empty()) {
        return std::nullopt;
    }
    for (char c : result.host) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        if (!allowed) {
            return std::nullopt;
        }
    }
    if (colon != std::string::npos) {
        const auto port = ParseWholeNumber(text.substr(colon + 1), 1, 65535);
        if (!port) {
            return std::nullopt;
        }
        result.port = static_cast<std::uint16_t>(*port);
    }
    return result;
}

std::string DottedAddress(std::uint32_t address) {
    // In network order the bytes in memory are the numbers from left to right.
    std::uint8_t bytes[4];
    std::memcpy(bytes, &address, sizeof bytes);
    char dotted[16];
    std::snprintf(dotted, sizeof dotted, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
    return dotted;
}

std::string DottedEndpoint(const Ipv4Endpoint& endpoint) {
    return DottedAddress(endpoint.address) + ":" + std::to_string(endpoint.port);
}

std::optional<std::uint64_t> ParseCanonicalNumber(std::string_view text, std::uint64_t low,
                                                  std::uint64_t high) {
    if (text.size() > 1 && text.front() == '0') {
        return std::nullopt;
    }
    return ParseWholeNumber(text, low, high);
}

std::optional<Ipv4Endpoint> ParseDottedEndpoint(std::string_view text) {
    std::uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = text.find(i < 3 ? '.' : ':');
        const auto number = ParseCanonicalNumber(text.substr(0, end), 0, 255);
        if (end == text.npos || !number) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(*number);
        text.remove_prefix(end + 1);
    }
    const auto port = ParseCanonicalNumber(text, 1, 65535);
    if (!port) {
        return std::nullopt;
    }
    Ipv4Endpoint endpoint;
    auto* address = reinterpret_cast<std::uint8_t*>(&endpoint.address);
    std::copy(bytes, bytes + 4, address);
    endpoint.port = static_cast<std::uint16_t>(*port);
    return endpoint;
}

}  // namespace skelvane
