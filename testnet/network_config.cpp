#include "testnet/network_config.h"

#include "testnet/loopback_address.h"

namespace skelvane {

namespace {

Ipv4Endpoint ServerBind(const TestnetOptions& options, std::uint32_t index) {
    const std::uint16_t port = options.firstServerPort == 0
                                   ? 0
                                   : static_cast<std::uint16_t>(options.firstServerPort + index);
    // The options were checked: every address of the spread lies in 127.0.0.0/8.
    return Ipv4Endpoint{*SpreadAddress(options.serverAddress, options.spread, index), port};
}

}  // namespace

TestNetworkConfig ConfigFromOptions(const TestnetOptions& options,
                                    std::optional<std::vector<Ipv4Endpoint>> listedServers) {
    TestNetworkConfig config;
    config.seed = options.seed;
    config.servers =
        PlanServers(options.mix, options.seed, options.ServerCount(), options.assignments);
    for (std::uint32_t i = 0; i < options.ServerCount(); ++i) {
        config.serverBinds.push_back(ServerBind(options, i));
    }
    config.master = options.master;
    config.listedServers = std::move(listedServers);
    config.masterBehaviour = options.masterBehaviour;
    return config;
}

}  // namespace skelvane
