#pragma once

#include <cstdint>
#include <string>

#include "engine/server_table.h"
#include "lists/server_cache.h"

namespace skelvane {

// A cache file is far smaller than this even with the largest list.
inline constexpr std::size_t kMaxCacheFileBytes = 1 << 20;

// The --cache file as a query reads it before the refresh: its list, or why
// there is none to trust.
Result<CachedList> ReadCacheFile(const std::string& path);

// Saves the first `count` servers of the table, the master's list, as the
// cache.
Result<> SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                        std::int64_t now);

// What the query says when it sweeps the cached list instead of the master's.
std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now);

// "45 seconds", "12 minutes", "5 hours", "3 days".
std::string AgeText(std::int64_t seconds);

}  // namespace skelvane
