#include "testnet/server_list_file.h"

#include "lists/list_file.h"
#include "testnet/loopback_address.h"

namespace skelvane {

std::optional<std::vector<Ipv4Endpoint>> ParseServerListFile(std::string_view text,
                                                             std::string& error) {
    std::vector<Ipv4Endpoint> servers;
    for (const ListEntry& entry : ListFileEntries(text)) {
        const auto server = ParseLoopbackEndpoint(entry.text, 1);
        if (!server) {
            error = "line " + std::to_string(entry.lineNumber) +
                    ": expected 127.x.y.z:PORT, got '" + std::string(entry.text) + "'";
            return std::nullopt;
        }
        servers.push_back(*server);
    }
    return servers;
}

}  // namespace skelvane
