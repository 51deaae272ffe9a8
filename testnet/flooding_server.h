#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/udp_socket.h"
#include "testnet/datagram_socket.h"

namespace skelvane {

// A hostile neighbour of the browser's status socket: a game server that
// answers its first status query like a sound one and then floods whoever
// asked with junk datagrams from another loopback address, from several
// threads as fast as they can, until it is stopped or `floodMs` have passed.
class FloodingServer {
  public:
    explicit FloodingServer(std::uint32_t floodMs);
    ~FloodingServer();
    FloodingServer(const FloodingServer&) = delete;
    FloodingServer& operator=(const FloodingServer&) = delete;

    // Where it listens for the status query (127.0.0.1, a port of the system's choice).
    Ipv4Endpoint Endpoint() const { return endpoint_; }
    // The junk datagrams sent so far.
    std::uint64_t JunkSent() const { return junkSent_.load(); }
    void Stop();

  private:
    void Serve();
    bool AwaitQuery(Ipv4Endpoint& querier);
    void Flood(const Ipv4Endpoint& querier);

    std::uint32_t floodMs_;
    UdpSocket listener_;
    DatagramSocket flooder_;
    Ipv4Endpoint endpoint_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> junkSent_{0};
    std::thread thread_;
};

}  // namespace skelvane
