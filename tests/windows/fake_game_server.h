#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "platform/udp_socket.h"

namespace skelvane::test {

// A game server on a loopback port that answers every datagram with the same
// status text, after a fixed delay that sets the ping it is measured with.
class FakeGameServer {
  public:
    FakeGameServer(std::string answer, std::uint32_t delayMs);
    ~FakeGameServer();
    FakeGameServer(const FakeGameServer&) = delete;
    FakeGameServer& operator=(const FakeGameServer&) = delete;

    std::uint16_t port() const { return port_; }
    int queries() const { return queries_.load(); }

  private:
    void Serve();

    std::string answer_;
    std::uint32_t delayMs_;
    UdpSocket socket_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> queries_{0};
    std::thread thread_;
};

// "\xFF\xFF\xFF\xFFstatusResponse\n" followed by the info line and the player
// lines, each ending with a line break.
std::string StatusAnswer(const std::string& info, const std::string& playerLines);

}  // namespace skelvane::test
