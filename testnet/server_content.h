#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skelvane {

// Texts are 8-bit, as they travel: colour codes (a caret and a character) and
// Windows-1252 letters stay as they are.
struct PlayerLine {
    std::int32_t score = 0;
    std::int32_t ping = 0;
    std::string name;
};

struct InfoPair {
    std::string key;
    std::string value;
};

// What one game server reports about itself.
struct ServerContent {
    std::string hostName;
    std::string mapName;
    // Nothing: the key is left out. Empty: the key is sent with an empty value.
    std::optional<std::string> gameName;
    // Nothing: the key is left out.
    std::optional<std::string> version;
    std::int32_t maxClients = 0;
    std::int32_t privateClients = 0;
    std::int32_t pure = 0;
    std::int32_t timeLimit = 0;
    // Keys the browser does not read; real servers send many of them.
    std::vector<InfoPair> otherKeys;
    std::vector<PlayerLine> players;

    std::int32_t PublicSlots() const { return maxClients - privateClients; }
    // Full: no public slot left, the way the browser's filter counts.
    bool IsFull() const { return static_cast<std::int32_t>(players.size()) >= PublicSlots(); }
    bool IsEmpty() const { return players.empty(); }
};

// The content of server `index` of the network with `seed`. Servers cycle
// through the fill classes (empty, full, full with private slots, partly
// filled) and through every platform text, so that any run of a dozen
// servers shows them all.
ServerContent GenerateServerContent(std::uint64_t seed, std::uint32_t index);

// `count` players (at most 64) for server `index`, with colour codes,
// Windows-1252 letters and now and then a name used twice.
std::vector<PlayerLine> GeneratePlayers(std::uint64_t seed, std::uint32_t index,
                                        std::int32_t count);

}  // namespace skelvane
