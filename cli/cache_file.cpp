#include "cli/cache_file.h"

#include "cli/text_file.h"

namespace skelvane {

Result<CachedList> ReadCacheFile(const std::string& path) {
    const Result<std::string> text = ReadTextFile(path, kMaxCacheFileBytes);
    if (!text) {
        return Failure{text.Why()};
    }
    Result<CachedList> list = ParseServerCache(*text);
    if (!list) {
        return Failure{path + " is damaged (" + list.Why() + ") and is not used"};
    }
    return list;
}

Result<> SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                        std::int64_t now) {
    CachedList list{{}, now};
    for (std::int32_t i = 0; i < count; ++i) {
        list.servers.push_back(Ipv4Endpoint{table[i].address, table[i].port});
    }
    return WriteFileWhole(path, FormatServerCache(list));
}

std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now) {
    return "The master did not answer: sweeping the cached list of " +
           std::to_string(list.servers.size()) + " servers from " + path + ", saved " +
           AgeText(now - list.savedAt) + " ago, instead.";
}

// A clock set back since the save gives no negative age.
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
