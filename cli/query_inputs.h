#pragma once

#include <optional>
#include <vector>

#include "browse/buddy_list.h"
#include "cli/query_options.h"
#include "lists/kept_list.h"
#include "platform/udp_socket.h"

namespace skelvane {

// What a query reads before it sends anything.
struct QueryInputs {
    // The servers of --server and --servers, in the order given.
    std::vector<Ipv4Endpoint> servers;
    // The list of the --cache file, or why there is none.
    Result<CachedList> cache = Failure{"no cache file is named"};
    // The names of --buddy and --buddies, when any are given.
    std::optional<BuddyList> buddies;
};

// Reads every file the options name and looks up every server they give. A
// failure when one of them is unusable: then nothing is to be queried. A
// cache that cannot be used is no such reason: `cache` says why, for when it
// would be needed.
Result<QueryInputs> LoadQueryInputs(const QueryOptions& options);

}  // namespace skelvane
