#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/server_table.h"
#include "lists/kept_list.h"

namespace skelvane {

// The --cache file as a query reads it before the refresh: its list, or why
// there is none to trust.
struct CacheRead {
    std::optional<CachedList> list;
    std::string problem;
};

CacheRead ReadCacheFile(const std::string& path);

// Saves the first `count` servers of the table, the master's list, as the
// cache. False, with why in `error`, when it could not be written.
bool SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                    std::int64_t now, std::string& error);

// What the query says when it sweeps the cached list instead of the master's.
std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now);

}  // namespace skelvane
