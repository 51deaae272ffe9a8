#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/udp_socket.h"
#include "testnet/answer_policy.h"
#include "testnet/network_plan.h"
#include "testnet/testnet_options.h"

namespace skelvane {

// Everything needed to open a test network.
struct TestNetworkConfig {
    std::uint64_t seed = 1;
    std::vector<PlannedServer> servers;
    // Where each server listens; port 0 lets the system choose.
    std::vector<Ipv4Endpoint> serverBinds;
    Ipv4Endpoint master;
    // When set, the master lists these instead of the servers.
    std::optional<std::vector<Ipv4Endpoint>> listedServers;
    MasterBehaviour masterBehaviour;
};

// The network the command line asks for; `listedServers` as read from the
// master entries file, if one was given.
TestNetworkConfig ConfigFromOptions(const TestnetOptions& options,
                                    std::optional<std::vector<Ipv4Endpoint>> listedServers);

}  // namespace skelvane
