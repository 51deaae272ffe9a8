#include "testnet/server_list_file.h"

#include "lists/list_file.h"
#include "testnet/loopback_address.h"

namespace skelvane {

Result<std::vector<Ipv4Endpoint>> ParseServerListFile(std::string_view text) {
    std::vector<Ipv4Endpoint> servers;
    for (const ListEntry& entry : ListFileEntries(text)) {
        const auto server = ParseLoopbackEndpoint(entry.text, 1);
        if (!server) {
            return Failure{"line " + std::to_string(entry.lineNumber) +
                           ": expected 127.x.y.z:PORT, got '" + std::string(entry.text) + "'"};
        }
        servers.push_back(*server);
    }
    return servers;
}

}  // namespace skelvane
