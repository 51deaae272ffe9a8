#include "cli/query_inputs.h"

#include "cli/servers_file.h"
#include "cli/text_file.h"
#include "engine/server_table.h"

namespace skelvane {

namespace {

// Far more than the lines of the largest list the table can hold.
inline constexpr std::size_t kMaxServersFileBytes = 4 << 20;

std::optional<std::vector<GivenServer>> ReadGivenServers(const QueryOptions& options,
                                                         std::string& error) {
    std::vector<GivenServer> servers = options.servers;
    for (const std::string& path : options.serverFiles) {
        const auto text = ReadTextFile(path, kMaxServersFileBytes, error);
        const auto listed =
            text ? ParseServersFile(*text, path, kDefaultServerPort, error) : std::nullopt;
        if (!listed) {
            return std::nullopt;
        }
        servers.insert(servers.end(), listed->begin(), listed->end());
    }
    if (servers.size() > static_cast<std::size_t>(kMaxServerRecords)) {
        error = std::to_string(servers.size()) + " servers given; at most " +
                std::to_string(kMaxServerRecords) + " are swept";
        return std::nullopt;
    }
    return servers;
}

}  // namespace

std::optional<QueryInputs> LoadQueryInputs(const QueryOptions& options, std::string& error) {
    const auto given = ReadGivenServers(options, error);
    const auto servers = given ? ResolveGivenServers(*given, error) : std::nullopt;
    if (!servers) {
        return std::nullopt;
    }
    QueryInputs inputs{*servers, {}};
    if (!options.cacheFile.empty()) {
        inputs.cache = ReadCacheFile(options.cacheFile);
    }
    return inputs;
}

}  // namespace skelvane
