#pragma once

#include <optional>
#include <string>
#include <vector>

#include "browse/buddy_list.h"
#include "cli/cache_file.h"
#include "cli/query_options.h"
#include "platform/udp_socket.h"

namespace skelvane {

// What a query reads before it sends anything.
struct QueryInputs {
    // The servers of --server and --servers, in the order given.
    std::vector<Ipv4Endpoint> servers;
    // The --cache file, when one is named.
    CacheRead cache;
    // The names of --buddy and --buddies, when any are given.
    std::optional<BuddyList> buddies;
};

// Reads every file the options name and looks up every server they give.
// Nothing, with why in `error`, when one of them is unusable: then nothing
// is to be queried. A cache that cannot be used is no such reason: it says
// why in `cache.problem`, for when it would be needed.
std::optional<QueryInputs> LoadQueryInputs(const QueryOptions& options, std::string& error);

}  // namespace skelvane
