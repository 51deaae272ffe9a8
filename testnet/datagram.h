#pragma once

#include <cstdint>
#include <vector>

namespace skelvane {

// The bytes of one UDP datagram as the test network sends it.
using Datagram = std::vector<std::uint8_t>;

}  // namespace skelvane
