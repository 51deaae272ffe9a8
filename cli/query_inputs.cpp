#include "cli/query_inputs.h"

#include "cli/buddies_file.h"
#include "cli/servers_file.h"
#include "cli/text_coding.h"
#include "engine/server_table.h"
#include "lists/text_file.h"

namespace skelvane {

namespace {

// Far more than the lines of the largest list the table can hold.
inline constexpr std::size_t kMaxServersFileBytes = 4 << 20;
// Tens of thousands of names.
inline constexpr std::size_t kMaxBuddiesFileBytes = 1 << 20;

// The buddy text, one name a line, as the browser keeps it: each name and
// each file converted on its own, as text from a server would be.
Result<BuddyList> ReadBuddies(const QueryOptions& options) {
    std::u16string text;
    for (const std::string& name : options.buddyNames) {
        text += Utf16FromBytes(name) + u"\n";
    }
    for (const std::string& path : options.buddyFiles) {
        const Result<std::string> file = ReadTextFile(path, kMaxBuddiesFileBytes);
        if (!file) {
            return Failure{file.Why()};
        }
        text += BuddyTextOfFile(*file) + u"\n";
    }
    return ParseBuddyList(text);
}

Result<std::vector<GivenServer>> ReadGivenServers(const QueryOptions& options) {
    std::vector<GivenServer> servers = options.servers;
    for (const std::string& path : options.serverFiles) {
        const Result<std::string> text = ReadTextFile(path, kMaxServersFileBytes);
        const Result<std::vector<GivenServer>> listed =
            text ? ParseServersFile(*text, path, kDefaultServerPort) : Failure{text.Why()};
        if (!listed) {
            return Failure{listed.Why()};
        }
        servers.insert(servers.end(), listed->begin(), listed->end());
    }
    if (servers.size() > static_cast<std::size_t>(kMaxServerRecords)) {
        return Failure{std::to_string(servers.size()) + " servers given; at most " +
                       std::to_string(kMaxServerRecords) + " are swept"};
    }
    return servers;
}

}  // namespace

Result<QueryInputs> LoadQueryInputs(const QueryOptions& options) {
    const Result<std::vector<GivenServer>> given = ReadGivenServers(options);
    const Result<std::vector<Ipv4Endpoint>> servers =
        given ? ResolveGivenServers(*given) : Failure{given.Why()};
    if (!servers) {
        return Failure{servers.Why()};
    }
    QueryInputs inputs;
    inputs.servers = *servers;
    if (!options.buddyNames.empty() || !options.buddyFiles.empty()) {
        const Result<BuddyList> buddies = ReadBuddies(options);
        if (!buddies) {
            return Failure{buddies.Why()};
        }
        inputs.buddies = *buddies;
    }
    if (!options.cacheFile.empty()) {
        inputs.cache = ReadKeptList(options.cacheFile);
    }
    return inputs;
}

}  // namespace skelvane
