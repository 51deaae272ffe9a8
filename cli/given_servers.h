#pragma once

#include <string>
#include <vector>

#include "engine/host_and_port.h"
#include "lists/result.h"
#include "platform/udp_socket.h"

namespace skelvane {

// A game server the user named, and where: "--server" or "FILE:LINE".
struct GivenServer {
    HostAndPort server;
    std::string origin;
};

// The addresses of the given servers, in order, each host name looked up
// once. A failure that names the server's origin when a name has no IPv4
// address.
Result<std::vector<Ipv4Endpoint>> ResolveGivenServers(const std::vector<GivenServer>& servers);

}  // namespace skelvane
