#include "testnet/background_network.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace skelvane {

std::unique_ptr<BackgroundNetwork> BackgroundNetwork::Start(const TestNetworkConfig& config,
                                                            std::string& error) {
    std::unique_ptr<BackgroundNetwork> background(new BackgroundNetwork());
    background->network_ = TestNetwork::Open(config, error);
    background->stop_ = UniqueFd(eventfd(0, EFD_CLOEXEC));
    if (!background->network_ || !background->stop_.IsValid()) {
        error = error.empty() ? "cannot create the stop event" : error;
        return nullptr;
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
