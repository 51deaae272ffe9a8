// Arbitrary bytes as the --cache file of skelvane-query.

#include <string>
#include <string_view>

#include "engine/server_table.h"
#include "fuzz/fuzz_check.h"
#include "lists/server_cache.h"

using skelvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto list = skelvane::ParseServerCache(text);
    if (!list) {
        Require(!list.Why().empty());
        return 0;
    }
    Require(list->servers.size() <= static_cast<std::size_t>(skelvane::kMaxServerRecords));
    for (const skelvane::Ipv4Endpoint& server : list->servers) {
        Require(server.port != 0);
    }
    Require(skelvane::FormatServerCache(*list) == text);
    return 0;
}
