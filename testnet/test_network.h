#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "lists/result.h"
#include "testnet/datagram.h"
#include "testnet/datagram_socket.h"
#include "testnet/network_config.h"
#include "testnet/timer_queue.h"
#include "testnet/traffic_counters.h"
#include "testnet/unique_fd.h"

namespace skelvane {

// A master and its game servers, each on its own UDP socket, served by one
// thread that waits on all of them at once. Late answers wait in a timer
// queue, never in a sleep, so a slow server holds up no one.
class TestNetwork {
  public:
    // Opens every socket, raising the open-file limit as far as allowed; a
    // failure when a socket cannot be opened.
    static Result<std::unique_ptr<TestNetwork>> Open(const TestNetworkConfig& config);

    const Ipv4Endpoint& MasterEndpoint() const { return masterEndpoint_; }
    std::span<const Ipv4Endpoint> ServerEndpoints() const { return serverEndpoints_; }
    std::span<const PlannedServer> Servers() const { return plan_; }

    // Serves until `stopFd` becomes readable (a signalfd, an eventfd, a
    // pipe). False when waiting failed.
    bool Serve(int stopFd);
    // What was sent; read it once Serve has returned.
    const TrafficCounters& Counters() const { return counters_; }

  private:
    struct RunningServer {
        DatagramSocket socket;
        DatagramSocket otherPort;
        Datagram answer;
    };

    TestNetwork() = default;
    Result<> OpenServers(const TestNetworkConfig& config);
    Result<> OpenMaster(const TestNetworkConfig& config);
    bool WatchSockets(int epollFd, int stopFd) const;
    void DrainSocket(std::uint64_t token);
    void HandleDatagram(std::uint64_t token, std::span<const std::uint8_t> bytes,
                        const Ipv4Endpoint& from);
    void HandleStatusQuery(std::uint32_t index, const Ipv4Endpoint& from);
    void HandleMasterRequest(const Ipv4Endpoint& from);
    void SendServerAnswer(const PendingSend& send);
    void SendMasterDatagram(const PendingSend& send);
    void SendDue();

    std::uint64_t seed_ = 0;
    std::vector<PlannedServer> plan_;
    std::vector<RunningServer> servers_;
    std::vector<Ipv4Endpoint> serverEndpoints_;
    DatagramSocket master_;
    Ipv4Endpoint masterEndpoint_;
    MasterBehaviour masterBehaviour_;
    std::vector<Datagram> masterAnswer_;
    TimerQueue timers_;
    TrafficCounters counters_;
    std::array<std::uint8_t, 65536> receiveBuffer_{};
};

}  // namespace skelvane
