#include "tests/testnet/testnet_start.h"

#include <gtest/gtest.h>

namespace skelvane::test {

std::unique_ptr<BackgroundNetwork> StartTestNetwork(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--master-port", "0"};
    all.insert(all.end(), args.begin(), args.end());
    const Result<TestnetOptions> parsed = ParseTestnetOptions(all);
    EXPECT_TRUE(parsed) << parsed.Why();
    if (!parsed) {
        return nullptr;
    }
    Result<std::unique_ptr<BackgroundNetwork>> network =
        BackgroundNetwork::Start(ConfigFromOptions(*parsed, std::nullopt));
    EXPECT_TRUE(network) << network.Why();
    return network ? std::move(*network) : nullptr;
}

}  // namespace skelvane::test
