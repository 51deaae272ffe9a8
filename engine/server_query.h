#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/refresh_engine.h"
#include "platform/udp_socket.h"

namespace skelvane {

// One server's answer to a status query of its own, outside a refresh.
struct ServerAnswer {
    // The bytes as received, at most one status datagram.
    std::vector<std::uint8_t> bytes;
    // Clock readings of the query answered (the latest sent) and of its answer.
    std::uint32_t sendTime = 0;
    std::uint32_t receiveTime = 0;
};

// Asks one server for its status on a socket of its own, the way the sweep
// asks each server: up to `timing.sweepPasses` queries, each waited for
// `timing.passEndWaitMs`. Only a datagram from the server's own address and
// port is its answer. Nothing when it never answers or no socket could be
// had. Blocks the calling thread for at most the sum of those waits.
std::optional<ServerAnswer> QueryOneServer(const Ipv4Endpoint& server, const RefreshTiming& timing);

// Takes a later answer of a server that answered in the refresh into its
// record: every field as this answer gives it, the ping from the query it
// answered. What the refresh counted of the record (its attempts) stays.
void ApplyServerAnswer(ServerRecord& record, const ServerAnswer& answer);

}  // namespace skelvane
