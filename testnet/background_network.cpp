#include "testnet/background_network.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace skelvane {

Result<std::unique_ptr<BackgroundNetwork>> BackgroundNetwork::Start(
    const TestNetworkConfig& config) {
    Result<std::unique_ptr<TestNetwork>> opened = TestNetwork::Open(config);
    if (!opened) {
        return Failure{opened.Why()};
    }
    std::unique_ptr<BackgroundNetwork> background(new BackgroundNetwork());
    background->network_ = std::move(*opened);
    background->stop_ = UniqueFd(eventfd(0, EFD_CLOEXEC));
    if (!background->stop_.IsValid()) {
        return Failure{"cannot create the stop event"};
    }
    TestNetwork& network = *background->network_;
    const int stopFd = background->stop_.Get();
    background->thread_ = std::thread([&network, stopFd] { network.Serve(stopFd); });
    return background;
}

BackgroundNetwork::~BackgroundNetwork() {
    StopServing();
}

const TrafficCounters& BackgroundNetwork::Stop() {
    StopServing();
    return network_->Counters();
}

void BackgroundNetwork::StopServing() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        // An eventfd write of 8 bytes is never short; the loop sees it readable.
        [[maybe_unused]] const ssize_t written = write(stop_.Get(), &one, sizeof one);
        thread_.join();
    }
}

}  // namespace skelvane
