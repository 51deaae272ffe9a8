#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>

#include "platform/udp_socket.h"

namespace skelvane {

// Between the portable endpoint and the socket layer's address (POSIX only).
inline sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = endpoint.address;
    address.sin_port = htons(endpoint.port);
    return address;
}

inline Ipv4Endpoint FromSockaddr(const sockaddr_in& address) {
    return Ipv4Endpoint{address.sin_addr.s_addr, ntohs(address.sin_port)};
}

}  // namespace skelvane
