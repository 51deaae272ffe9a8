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

// The file's text, or nothing with why in `error`.
std::optional<std::string> ReadInputFile(const std::string& path, std::size_t maxBytes,
                                         std::string& error) {
    FileProblem problem = FileProblem::kNone;
    auto text = ReadTextFile(path, maxBytes, problem);
    error = DescribeFileProblem(problem, path, maxBytes);
    return text;
}

// The buddy text, one name a line, as the browser keeps it: each name and
// each file converted on its own, as text from a server would be.
std::optional<BuddyList> ReadBuddies(const QueryOptions& options, std::string& error) {
    std::u16string text;
    for (const std::string& name : options.buddyNames) {
        text += Utf16FromBytes(name) + u"\n";
    }
    for (const std::string& path : options.buddyFiles) {
        const auto file = ReadInputFile(path, kMaxBuddiesFileBytes, error);
        if (!file) {
            return std::nullopt;
        }
        text += BuddyTextOfFile(*file) + u"\n";
    }
    return ParseBuddyList(text);
}

std::optional<std::vector<GivenServer>> ReadGivenServers(const QueryOptions& options,
                                                         std::string& error) {
    std::vector<GivenServer> servers = options.servers;
    for (const std::string& path : options.serverFiles) {
        const auto text = ReadInputFile(path, kMaxServersFileBytes, error);
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
    QueryInputs inputs{*servers, {}, {}};
    if (!options.buddyNames.empty() || !options.buddyFiles.empty()) {
        inputs.buddies = ReadBuddies(options, error);
        if (!inputs.buddies) {
            return std::nullopt;
        }
    }
    if (!options.cacheFile.empty()) {
        inputs.cache = ReadCacheFile(options.cacheFile);
    }
    return inputs;
}

}  // namespace skelvane
