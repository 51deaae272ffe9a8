#include "lists/kept_list.h"

#include <utility>

namespace skelvane {

KeptListRead ReadKeptList(const std::filesystem::path& path) {
    KeptListRead read;
    const auto text = ReadTextFile(path, kMaxKeptListBytes, read.fileProblem);
    if (text) {
        read.list = ParseServerCache(*text, read.damage);
    }
    return read;
}

FileProblem KeepList(const std::filesystem::path& path, std::span<const Ipv4Endpoint> servers,
                     std::int64_t now) {
    return WriteFileWhole(path,
                          FormatServerCache(CachedList{{servers.begin(), servers.end()}, now}));
}

std::optional<FallbackList> KeptListFallback(const std::filesystem::path& path,
                                             std::u16string_view failure, std::int64_t now) {
    KeptListRead read = ReadKeptList(path);
    if (!read.list || read.list->servers.empty()) {
        return std::nullopt;
    }
    const std::size_t count = read.list->servers.size();
    const std::string said = " Querying the " + std::to_string(count) +
                             (count == 1 ? " server" : " servers") + " kept from " +
                             AgeText(now - read.list->savedAt) + " ago...";
    std::u16string status(failure);
    status.append(said.begin(), said.end());
    return FallbackList{std::move(read.list->servers), std::move(status)};
}

std::string AgeText(std::int64_t seconds) {
    seconds = seconds < 0 ? 0 : seconds;
    const struct {
        std::int64_t below;
        std::int64_t unit;
        const char* name;
    } scales[] = {{120, 1, "second"},
                  {120 * 60, 60, "minute"},
                  {48 * 3600, 3600, "hour"},
                  {INT64_MAX, 86400, "day"}};
    for (const auto& scale : scales) {
        if (seconds < scale.below || scale.below == INT64_MAX) {
            const std::int64_t count = seconds / scale.unit;
            return std::to_string(count) + " " + scale.name + (count == 1 ? "" : "s");
        }
    }
    return {};
}

}  // namespace skelvane
