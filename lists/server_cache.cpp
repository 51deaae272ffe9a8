#include "lists/server_cache.h"

#include <cstdio>

#include "engine/host_and_port.h"
#include "engine/server_table.h"

namespace skelvane {

namespace {

constexpr std::string_view kHeader = "# skelvane-query master list, format 1\n";
constexpr std::string_view kSaved = "# saved ";

std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

std::string EndLine(std::size_t count, std::uint32_t checksum) {
    char line[64];
    std::snprintf(line, sizeof line, "# end %zu servers, checksum %08x\n", count,
                  static_cast<unsigned>(checksum));
    return line;
}

// The next line without its line feed; nothing when no complete line is left.
std::optional<std::string_view> NextLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    if (end == text.npos) {
        return std::nullopt;
    }
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    return line;
}

}  // namespace

std::string FormatServerCache(const CachedList& list) {
    std::string text(kHeader);
    text += std::string(kSaved) + std::to_string(list.savedAt) + "\n";
    for (const Ipv4Endpoint& server : list.servers) {
        text += DottedEndpoint(server) + "\n";
    }
    return text + EndLine(list.servers.size(), Checksum(text));
}

Result<CachedList> ParseServerCache(std::string_view text) {
    if (text.substr(0, kHeader.size()) != kHeader) {
        return Failure{"not a cache file of this program"};
    }
    const std::size_t endLine = text.rfind("# end ");
    if (endLine == text.npos || text.back() != '\n') {
        return Failure{"cut short"};
    }
    const std::string_view covered = text.substr(0, endLine);
    std::string_view rest = covered.substr(kHeader.size());
    const auto saved = NextLine(rest);
    const auto savedAt = saved && saved->substr(0, kSaved.size()) == kSaved
                             ? ParseCanonicalNumber(saved->substr(kSaved.size()), 0, INT64_MAX)
                             : std::nullopt;
    if (!savedAt) {
        return Failure{"no time of saving"};
    }
    CachedList list{{}, static_cast<std::int64_t>(*savedAt)};
    while (const auto line = NextLine(rest)) {
        const auto server = ParseDottedEndpoint(*line);
        if (!server || list.servers.size() >= static_cast<std::size_t>(kMaxServerRecords)) {
            return Failure{"a line that is no server"};
        }
        list.servers.push_back(*server);
    }
    // Only what this program writes is trusted: every line is in the one form
    // it writes, and the end line gives the count and the checksum of all
    // before it, so the text is exactly the file the list read from it gives.
    if (!rest.empty() || text.substr(endLine) != EndLine(list.servers.size(), Checksum(covered))) {
        return Failure{"its end, count or checksum does not match"};
    }
    return list;
}

}  // namespace skelvane
