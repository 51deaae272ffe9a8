#include "cli/cache_file.h"

#include <utility>
#include <vector>

namespace skelvane {

Result<> SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                        std::int64_t now) {
    std::vector<Ipv4Endpoint> servers;
    for (std::int32_t i = 0; i < count; ++i) {
        servers.push_back(Ipv4Endpoint{table[i].address, table[i].port});
    }
    return KeepList(path, servers, now);
}

std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now) {
    return "The master did not answer: sweeping the cached list of " +
           std::to_string(list.servers.size()) + " servers from " + path + ", saved " +
           AgeText(now - list.savedAt) + " ago, instead.";
}

}  // namespace skelvane
