#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace skelvane {

// Answers that a careless or hostile server might send instead of a sound one.
enum class HostileKind {
    kNone,
    kNoLineFeed,    // the sound answer with every line feed taken out
    kManyPlayers,   // more than 64 player lines
    kLongLine,      // a host name that makes the info line longer than 2047 bytes
    kExactly4096,   // a sound answer padded with blank lines to exactly 4096 bytes
    kOversize5000,  // the same, padded to 5000 bytes
    kEmptyValues,   // empty values in the info string ("\sv_hostname\\mapname\...")
    kCapitalKeys,   // every info key in capitals ("\SV_HOSTNAME\...")
    kGarbage,       // random bytes
};

// Their names on the command line and in the listing, in the order above.
std::span<const std::string_view> HostileKindNames();
std::string_view HostileKindName(HostileKind kind);
std::optional<HostileKind> ParseHostileKind(std::string_view name);

// How a game server treats the getstatus queries it receives.
struct ServerBehaviour {
    // Every answer leaves this long after its query.
    std::uint32_t latencyMs = 0;
    // The share of queries that get no answer, chosen from the seed.
    std::uint32_t lossPercent = 0;
    // When not 0, only the query with this number (1 = first) is answered.
    std::uint32_t answerOnQuery = 0;
    // Each answer is sent twice.
    bool duplicate = false;
    // Answers leave from a second socket, so they come from an unlisted port.
    bool otherPort = false;
    // No query is ever answered.
    bool silent = false;
    HostileKind hostile = HostileKind::kNone;

    friend bool operator==(const ServerBehaviour&, const ServerBehaviour&) = default;
};

}  // namespace skelvane
