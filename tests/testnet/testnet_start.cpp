#include "tests/testnet/testnet_start.h"

#include <gtest/gtest.h>

namespace skelvane::test {

std::unique_ptr<BackgroundNetwork> StartTestNetwork(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"--master-port", "0"};
    all.insert(all.end(), args.begin(), args.end());
    const ParsedTestnetOptions parsed = ParseTestnetOptions(all);
    EXPECT_TRUE(parsed.options) << parsed.error;
    if (!parsed.options) {
        return nullptr;
    }
    std::string error;
    auto network =
        BackgroundNetwork::Start(ConfigFromOptions(*parsed.options, std::nullopt), error);
    EXPECT_TRUE(network) << error;
    return network;
}

}  // namespace skelvane::test
