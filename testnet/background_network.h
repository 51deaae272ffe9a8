#pragma once

#include <memory>
#include <string>
#include <thread>

#include "testnet/test_network.h"
#include "testnet/unique_fd.h"

namespace skelvane {

// A test network served on a thread of its own, for tests that run the
// browser's engine in the same process.
class BackgroundNetwork {
  public:
    // Opens the network and starts serving it; a failure when it cannot be
    // opened.
    static Result<std::unique_ptr<BackgroundNetwork>> Start(const TestNetworkConfig& config);
    ~BackgroundNetwork();
    BackgroundNetwork(const BackgroundNetwork&) = delete;
    BackgroundNetwork& operator=(const BackgroundNetwork&) = delete;

    const TestNetwork& Network() const { return *network_; }
    // Stops serving (once) and gives what the network sent.
    const TrafficCounters& Stop();

  private:
    BackgroundNetwork() = default;
    void StopServing();

    std::unique_ptr<TestNetwork> network_;
    UniqueFd stop_;
    std::thread thread_;
};

}  // namespace skelvane
