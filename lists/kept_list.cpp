#include "lists/kept_list.h"

#include <utility>

#include "lists/text_file.h"

namespace skelvane {

Result<CachedList> ReadKeptList(const std::filesystem::path& path) {
    const Result<std::string> text = ReadTextFile(path, kMaxKeptListBytes);
    if (!text) {
        return Failure{text.Why()};
    }
    Result<CachedList> list = ParseServerCache(*text);
    if (!list) {
        return Failure{PathText(path) + " is damaged (" + list.Why() + ") and is not used"};
    }
    return list;
}

Result<> KeepList(const std::filesystem::path& path, std::span<const Ipv4Endpoint> servers,
                  std::int64_t now) {
    return WriteFileWhole(path,
                          FormatServerCache(CachedList{{servers.begin(), servers.end()}, now}));
}

std::optional<FallbackList> KeptListFallback(const std::filesystem::path& path,
                                             std::u16string_view failure, std::int64_t now) {
    Result<CachedList> read = ReadKeptList(path);
    if (!read || read->servers.empty()) {
        return std::nullopt;
    }
    const std::size_t count = read->servers.size();
    const std::string said = " Querying the " + std::to_string(count) +
                             (count == 1 ? " server" : " servers") + " kept from " +
                             AgeText(now - read->savedAt) + " ago...";
    std::u16string status(failure);
    status.append(said.begin(), said.end());
    return FallbackList{std::move(read->servers), std::move(status)};
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
