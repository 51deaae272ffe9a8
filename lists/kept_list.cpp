#include "lists/kept_list.h"

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
