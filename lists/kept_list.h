#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "engine/refresh_engine.h"
#include "lists/result.h"
#include "lists/server_cache.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The master's list kept in a file of the list-cache format, for when no
// master answers: both front ends read and write it through here.

// A kept list is far smaller than this even with the largest list.
inline constexpr std::size_t kMaxKeptListBytes = 1 << 20;

// Reads and checks a kept list: its list, or why there is none to trust, a
// missing or a damaged file.
Result<CachedList> ReadKeptList(const std::filesystem::path& path);

// Keeps `servers` as the list saved at `now` (seconds since 1970), replacing
// the file whole.
Result<> KeepList(const std::filesystem::path& path, std::span<const Ipv4Endpoint> servers,
                  std::int64_t now);

// What the browser sweeps when the master phase has failed: the kept list at
// `path`, with the status text that says so after the failure's own, as in
// "No response from HOST. Querying the 5120 servers kept from 2 hours ago...".
// Nothing when the file is missing or damaged or lists no server.
std::optional<FallbackList> KeptListFallback(const std::filesystem::path& path,
                                             std::u16string_view failure, std::int64_t now);

// A list's age in words: "45 seconds", "1 minute", "5 hours", "3 days". A
// clock set back since the save gives no negative age.
std::string AgeText(std::int64_t seconds);

}  // namespace skelvane
