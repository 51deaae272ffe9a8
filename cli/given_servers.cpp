#include "cli/given_servers.h"

#include <unordered_map>

namespace skelvane {

Result<std::vector<Ipv4Endpoint>> ResolveGivenServers(const std::vector<GivenServer>& servers) {
    std::unordered_map<std::string, std::uint32_t> addresses;
    std::vector<Ipv4Endpoint> endpoints;
    endpoints.reserve(servers.size());
    for (const GivenServer& given : servers) {
        auto found = addresses.find(given.server.host);
        if (found == addresses.end()) {
            const auto address = ResolveIpv4(given.server.host.c_str());
            if (!address) {
                return Failure{given.origin + ": cannot resolve '" + given.server.host + "'"};
            }
            found = addresses.emplace(given.server.host, *address).first;
        }
        endpoints.push_back(Ipv4Endpoint{found->second, given.server.port});
    }
    return endpoints;
}

}  // namespace skelvane
