#include "cli/cache_file.h"

#include <utility>
#include <vector>

namespace skelvane {

CacheRead ReadCacheFile(const std::string& path) {
    KeptListRead kept = ReadKeptList(path);
    CacheRead read{std::move(kept.list), {}};
    if (kept.fileProblem != FileProblem::kNone) {
        read.problem = DescribeFileProblem(kept.fileProblem, path, kMaxKeptListBytes);
    } else if (!read.list) {
        read.problem = path + " is damaged (" + kept.damage + ") and is not used";
    }
    return read;
}

bool SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                    std::int64_t now, std::string& error) {
    std::vector<Ipv4Endpoint> servers;
    for (std::int32_t i = 0; i < count; ++i) {
        servers.push_back(Ipv4Endpoint{table[i].address, table[i].port});
    }
    const FileProblem problem = KeepList(path, servers, now);
    error = DescribeFileProblem(problem, path, kMaxKeptListBytes);
    return problem == FileProblem::kNone;
}

std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now) {
    return "The master did not answer: sweeping the cached list of " +
           std::to_string(list.servers.size()) + " servers from " + path + ", saved " +
           AgeText(now - list.savedAt) + " ago, instead.";
}

}  // namespace skelvane
