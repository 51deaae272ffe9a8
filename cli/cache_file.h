#pragma once

#include <cstdint>
#include <string>

#include "engine/server_table.h"
#include "lists/kept_list.h"

namespace skelvane {

// Saves the first `count` servers of the table, the master's list, as the
// cache.
Result<> SaveMasterList(const std::string& path, const ServerTable& table, std::int32_t count,
                        std::int64_t now);

// What the query says when it sweeps the cached list instead of the master's.
std::string FallbackNotice(const std::string& path, const CachedList& list, std::int64_t now);

}  // namespace skelvane
