#pragma once

#include <cstddef>
#include <vector>

#include "engine/refresh_engine.h"

namespace skelvane {

// Masters beyond this number are not asked: each one asked costs a socket
// and a thread for the length of the master phase.
inline constexpr std::size_t kMaxMasters = 8;

// The masters to ask, in order: those `named` (on a command line), or the
// built-in one when none is, then the `more` that settings add. Each is asked
// once (host names compared ignoring the case of ASCII letters), and at most
// kMaxMasters in all.
std::vector<MasterServer> MastersToAsk(const std::vector<MasterServer>& named,
                                       const std::vector<MasterServer>& more);

}  // namespace skelvane
