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

std::optional<std::vector<Ipv4Endpoint>> ReadListedServers(const std::string& path,
                                                           std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    auto servers = ParseServerListFile(text.str(), error);
    if (!servers) {
        error = path + ": " + error;
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
bool PrintListing(const TestNetwork& network, const std::string& listFile, std::string& error) {
    const std::string master = MasterLine(network.MasterEndpoint());
    if (!listFile.empty()) {
        std::ofstream file(listFile, std::ios::binary | std::ios::trunc);
        file << master << Listing(network);
        if (!file.flush()) {
            error = "cannot write " + listFile;
            return false;
        }
    }
    std::cout << master << (listFile.empty() ? Listing(network) : "") << "ready" << std::endl;
    return true;
}

int Run(const TestnetOptions& options) {
    std::string error;
    std::optional<std::vector<Ipv4Endpoint>> listed;
    if (!options.masterEntriesFile.empty()) {
        listed = ReadListedServers(options.masterEntriesFile, error);
        if (!listed) {
            std::cerr << "skelvane-testnet: " << error << "\n";
            return kExitFailed;
        }
    }
    const UniqueFd stop = StopSignals();
    const auto network = TestNetwork::Open(ConfigFromOptions(options, std::move(listed)), error);
    if (!stop.IsValid() || !network || !PrintListing(*network, options.listFile, error) ||
        !network->Serve(stop.Get())) {
        std::cerr << "skelvane-testnet: " << (error.empty() ? "cannot wait for sockets" : error)
                  << "\n";
        return kExitFailed;
    }
    std::cerr << FormatSummary(network->Counters(), network->ServerEndpoints());
    return kExitStopped;
}

}  // namespace
}  // namespace skelvane

int main(int argc, char** argv) {
    using namespace skelvane;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedTestnetOptions parsed = ParseTestnetOptions(args);
    if (!parsed.options) {
        std::cerr << "skelvane-testnet: " << parsed.error << "\nTry skelvane-testnet --help.\n";
        return kExitUsage;
    }
    if (parsed.options->help) {
        std::cout << TestnetUsage();
        return kExitStopped;
    }
    return Run(*parsed.options);
}
