#pragma once

#include <span>
#include <string>

#include "platform/udp_socket.h"
#include "testnet/network_plan.h"
#include "testnet/traffic_counters.h"

namespace skelvane {

// "master 127.0.0.1:30710\n"
std::string MasterLine(const Ipv4Endpoint& master);

// "server 127.0.0.1:40001 latency=250,loss=40\n"
std::string ServerLine(const Ipv4Endpoint& server, const ServerBehaviour& behaviour);

// The summary printed on exit: totals first, then one line per queried server.
//
//   master requests=3 answered=1 datagrams=2
//   servers count=40 queried=38 answered=35 queries=97 answers=90 datagrams=92 ...
//   server 127.0.0.1:40001 queries=3 answers=1 datagrams=1 withheld=2
//
// `answered` counts the servers that answered at least once from their listed
// port: the most answers a browser can take in.
std::string FormatSummary(const TrafficCounters& counters, std::span<const Ipv4Endpoint> servers);

}  // namespace skelvane
