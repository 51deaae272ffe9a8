#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "browse/server_columns.h"
#include "cli/given_servers.h"
#include "engine/refresh_engine.h"
#include "lists/result.h"

namespace skelvane {

// The port of a game server named without one.
inline constexpr std::uint16_t kDefaultServerPort = 30720;

struct QueryOptions {
    // The --master values, in order; none: the built-in master.
    std::vector<MasterServer> masters;
    // True when the master is to be asked: --master was given, or no server was.
    bool askMaster = true;
    // --server values, and the --servers files to read.
    std::vector<GivenServer> servers;
    std::vector<std::string> serverFiles;
    bool showFull = kDefaultShowFull != 0;
    bool showEmpty = kDefaultShowEmpty != 0;
    std::int32_t packetsPerSecond = kDefaultQueryRate;
    std::uint32_t sortOrder = kDefaultSortOrder;
    bool listPlayers = false;
    bool json = false;
    bool rules = false;
    bool stats = false;
    // --cache: where the master's list is kept for when the master is silent.
    std::string cacheFile;
    // --buddy names and --buddies files; --only-buddies.
    std::vector<std::string> buddyNames;
    std::vector<std::string> buddyFiles;
    bool onlyBuddies = false;
    // --min-humans: only servers with at least this many human players.
    std::int32_t minHumans = 0;
    // --watch: seconds between the end of one refresh and the next; 0 for a
    // single refresh and its table.
    std::int32_t watchSeconds = 0;
    bool help = false;
};

// Reads the command line (without the program name).
Result<QueryOptions> ParseQueryOptions(const std::vector<std::string>& args);

// A column by its title or index, case-insensitively ("ping", "Host Name", "3").
std::optional<std::uint32_t> ParseSortColumn(const std::string& text);

extern const char kQueryUsage[];

}  // namespace skelvane
