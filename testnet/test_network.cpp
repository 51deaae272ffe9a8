#include "testnet/test_network.h"

#include <sys/resource.h>

#include <cstring>

#include "testnet/loopback_address.h"
#include "testnet/master_answer.h"

namespace skelvane {

namespace {

// A busy client may have thousands of queries in flight towards the master
// and its servers; large buffers keep the kernel from dropping them while the
// loop is busy elsewhere.
constexpr int kMasterBufferBytes = 4 << 20;
constexpr int kServerBufferBytes = 256 << 10;
// The epoll instance, the stop descriptor, standard streams and a margin.
constexpr rlim_t kOtherDescriptors = 32;

Failure SocketError(const char* what, const Ipv4Endpoint& where, const SocketStatus& failure) {
    return Failure{std::string("cannot open ") + what + " on " + FormatEndpoint(where) + ": " +
                   std::strerror(failure.systemCode)};
}

// Each server takes one descriptor, two when it answers from another port.
rlim_t DescriptorsNeeded(const TestNetworkConfig& config) {
    rlim_t needed = kOtherDescriptors;
    for (const PlannedServer& server : config.servers) {
        needed += server.behaviour.otherPort ? 2 : 1;
    }
    return needed;
}

// Raises the soft limit of open files towards the hard one when the network
// needs more than the soft limit allows.
Result<> RaiseOpenFileLimit(rlim_t needed) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= needed) {
        return Done{};
    }
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < needed) {
        return Failure{"the network needs " + std::to_string(needed) +
                       " open files, but the hard limit is " + std::to_string(limit.rlim_max)};
    }
    limit.rlim_cur = needed;
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return Failure{std::string("cannot raise the open-file limit: ") + std::strerror(errno)};
    }
    return Done{};
}

}  // namespace

Result<std::unique_ptr<TestNetwork>> TestNetwork::Open(const TestNetworkConfig& config) {
    std::unique_ptr<TestNetwork> network(new TestNetwork());
    network->seed_ = config.seed;
    network->plan_ = config.servers;
    network->masterBehaviour_ = config.masterBehaviour;
    network->counters_.servers.resize(config.servers.size());
    Result<> opened = RaiseOpenFileLimit(DescriptorsNeeded(config));
    if (opened) {
        opened = network->OpenServers(config);
    }
    if (opened) {
        opened = network->OpenMaster(config);
    }
    if (!opened) {
        return Failure{opened.Why()};
    }
    return network;
}

Result<> TestNetwork::OpenServers(const TestNetworkConfig& config) {
    for (std::size_t i = 0; i < config.servers.size(); ++i) {
        const Ipv4Endpoint bind = config.serverBinds[i];
        SocketStatus failure;
        RunningServer server;
        server.socket = DatagramSocket::Bind(bind, kServerBufferBytes, failure);
        if (!server.socket.IsValid()) {
            return SocketError("game server", bind, failure);
        }
        if (config.servers[i].behaviour.otherPort) {
            const Ipv4Endpoint elsewhere{bind.address, 0};
            server.otherPort = DatagramSocket::Bind(elsewhere, kServerBufferBytes, failure);
            if (!server.otherPort.IsValid()) {
                return SocketError("second socket", elsewhere, failure);
            }
        }
        server.answer =
            PlannedAnswer(config.servers[i], config.seed, static_cast<std::uint32_t>(i));
        serverEndpoints_.push_back(server.socket.Local());
        servers_.push_back(std::move(server));
    }
    return Done{};
}

// The answer is built once the servers' ports are known, since it lists them.
Result<> TestNetwork::OpenMaster(const TestNetworkConfig& config) {
    const std::vector<Ipv4Endpoint>& listed =
        config.listedServers ? *config.listedServers : serverEndpoints_;
    masterAnswer_ = BuildMasterAnswer(listed, config.masterBehaviour.shape);
    SocketStatus failure;
    master_ = DatagramSocket::Bind(config.master, kMasterBufferBytes, failure);
    if (!master_.IsValid()) {
        return SocketError("master server", config.master, failure);
    }
    masterEndpoint_ = master_.Local();
    return Done{};
}

}  // namespace skelvane
