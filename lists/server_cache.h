#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lists/result.h"
#include "platform/udp_socket.h"

namespace skelvane {

// The master's list as the last complete answer gave it, and when that was
// (seconds since 1970).
struct CachedList {
    std::vector<Ipv4Endpoint> servers;
    std::int64_t savedAt = 0;
};

// A cache file:
//
//   # skelvane-query master list, format 1
//   # saved 1733580000
//   127.0.0.1:27960
//   127.0.0.1:27961
//   # end 2 servers, checksum 8b8dcf60
//
// The checksum (FNV-1a, 32 bits, in hex) covers every byte before the last
// line, so a file cut short or changed is told from a sound one. A --servers
// file may be given the same file: its header and end are comment lines.
std::string FormatServerCache(const CachedList& list);

// The list of a cache file's text. A failure for a file that is not exactly
// what FormatServerCache writes.
Result<CachedList> ParseServerCache(std::string_view text);

}  // namespace skelvane
