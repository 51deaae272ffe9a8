// skelvane-testnet: a master server and game servers on loopback, until SIGINT or SIGTERM.

#include <signal.h>
#include <sys/signalfd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "testnet/network_config.h"
#include "testnet/server_list_file.h"
#include "testnet/test_network.h"
#include "testnet/testnet_options.h"
#include "testnet/testnet_report.h"

namespace skelvane {
namespace {

enum ExitCode { kExitStopped = 0, kExitFailed = 1, kExitUsage = 64 };

// The stop signals are blocked and read from a descriptor, so that the loop
// sees them as one more readable socket and ends between two datagrams.
UniqueFd StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    // A script that stops reading the listing must not kill the network.
    signal(SIGPIPE, SIG_IGN);
    return UniqueFd(signalfd(-1, &signals, SFD_CLOEXEC));
}

Result<std::vector<Ipv4Endpoint>> ReadListedServers(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Failure{"cannot read " + path};
    }
    std::ostringstream text;
    text << file.rdbuf();
    Result<std::vector<Ipv4Endpoint>> servers = ParseServerListFile(text.str());
    if (!servers) {
        return Failure{path + ": " + servers.Why()};
    }
    return servers;
}

std::string Listing(const TestNetwork& network) {
    std::string listing;
    for (std::size_t i = 0; i < network.ServerEndpoints().size(); ++i) {
        listing += ServerLine(network.ServerEndpoints()[i], network.Servers()[i].behaviour);
    }
    return listing;
}

// The master line comes first on stdout so that a script can take the port
// from it; "ready" comes last, once the list file (if any) is complete.
Result<> PrintListing(const TestNetwork& network, const std::string& listFile) {
    const std::string master = MasterLine(network.MasterEndpoint());
    if (!listFile.empty()) {
        std::ofstream file(listFile, std::ios::binary | std::ios::trunc);
        file << master << Listing(network);
        if (!file.flush()) {
            return Failure{"cannot write " + listFile};
        }
    }
    std::cout << master << (listFile.empty() ? Listing(network) : "") << "ready" << std::endl;
    return Done{};
}

// Opens the network, says where it listens and serves it until stopped.
Result<> Serve(const TestnetOptions& options) {
    std::optional<std::vector<Ipv4Endpoint>> listed;
    if (!options.masterEntriesFile.empty()) {
        Result<std::vector<Ipv4Endpoint>> read = ReadListedServers(options.masterEntriesFile);
        if (!read) {
            return Failure{read.Why()};
        }
        listed = std::move(*read);
    }
    const UniqueFd stop = StopSignals();
    const Result<std::unique_ptr<TestNetwork>> network =
        TestNetwork::Open(ConfigFromOptions(options, std::move(listed)));
    if (!network) {
        return Failure{network.Why()};
    }
    if (!stop.IsValid()) {
        return Failure{"cannot wait for sockets"};
    }
    const Result<> printed = PrintListing(**network, options.listFile);
    if (!printed) {
        return printed;
    }
    if (!(*network)->Serve(stop.Get())) {
        return Failure{"cannot wait for sockets"};
    }
    std::cerr << FormatSummary((*network)->Counters(), (*network)->ServerEndpoints());
    return Done{};
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Result<TestnetOptions> parsed = ParseTestnetOptions(args);
    if (!parsed) {
        std::cerr << "skelvane-testnet: " << parsed.Why() << "\nTry skelvane-testnet --help.\n";
        return kExitUsage;
    }
    if (parsed->help) {
        std::cout << TestnetUsage();
        return kExitStopped;
    }
    const Result<> served = Serve(*parsed);
    if (!served) {
        std::cerr << "skelvane-testnet: " << served.Why() << "\n";
        return kExitFailed;
    }
    return kExitStopped;
}
