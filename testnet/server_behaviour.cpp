#include "testnet/server_behaviour.h"

#include <array>

namespace skelvane {

namespace {

constexpr std::array<std::string_view, 9> kHostileKindNames = {
    "none",          "no-line-feed", "many-players", "long-line", "exactly-4096",
    "oversize-5000", "empty-values", "capital-keys", "garbage"};

}  // namespace

std::span<const std::string_view> HostileKindNames() {
    return kHostileKindNames;
}

std::string_view HostileKindName(HostileKind kind) {
    return kHostileKindNames[static_cast<std::size_t>(kind)];
}

std::optional<HostileKind> ParseHostileKind(std::string_view name) {
    for (std::size_t i = 0; i < kHostileKindNames.size(); ++i) {
        if (kHostileKindNames[i] == name) {
            return static_cast<HostileKind>(i);
        }
    }
    return std::nullopt;
}

}  // namespace skelvane
