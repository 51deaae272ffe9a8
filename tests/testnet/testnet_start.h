#pragma once

#include <memory>
#include <string>
#include <vector>

#include "testnet/background_network.h"

namespace skelvane::test {

// A test network as skelvane-testnet's options describe it (the master on a
// free port), served on a thread of the test.
std::unique_ptr<BackgroundNetwork> StartTestNetwork(const std::vector<std::string>& args);

}  // namespace skelvane::test
