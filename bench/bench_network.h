#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "testnet/background_network.h"
#include "testnet/network_plan.h"

namespace skelvane {

// A benchmark cannot measure without its test network: one that does not
// start ends the run with the reason.
inline std::unique_ptr<BackgroundNetwork> StartNetworkOrExit(const TestNetworkConfig& config) {
    Result<std::unique_ptr<BackgroundNetwork>> network = BackgroundNetwork::Start(config);
    if (!network) {
        std::fprintf(stderr, "cannot start the test network: %s\n", network.Why().c_str());
        std::exit(1);
    }
    return std::move(*network);
}

// `count` plain servers planned from `seed`, and a master that lists them,
// all on loopback ports of the system's choosing.
inline std::unique_ptr<BackgroundNetwork> PlainNetwork(std::uint64_t seed, std::uint32_t count) {
    TestNetworkConfig config;
    config.servers = PlanServers(Mix::kPlain, seed, count, {});
    config.serverBinds.assign(count, Ipv4Endpoint{LoopbackAddress(), 0});
    config.master = Ipv4Endpoint{LoopbackAddress(), 0};
    return StartNetworkOrExit(config);
}

}  // namespace skelvane
