#pragma once

#include <cstdint>
#include <vector>

namespace skelvane {

struct MasterTraffic {
    std::uint64_t requests = 0;
    std::uint64_t answered = 0;
    std::uint64_t datagrams = 0;
};

struct ServerTraffic {
    std::uint64_t queries = 0;
    // Queries answered; a doubled answer counts once here and twice in datagrams.
    std::uint64_t answers = 0;
    std::uint64_t datagrams = 0;
    // Answers sent from the server's second socket, which the browser does not match.
    std::uint64_t otherPortAnswers = 0;
    // Queries left unanswered on purpose: silent, lost, or not the answered one.
    std::uint64_t withheld = 0;
};

// What the network sent, counted as it happened: an answer still waiting for
// its latency when the network stops is not counted.
struct TrafficCounters {
    MasterTraffic master;
    std::vector<ServerTraffic> servers;
    // Datagrams that were no request, and sends the system refused.
    std::uint64_t ignored = 0;
    std::uint64_t sendFailures = 0;
};

}  // namespace skelvane
