#pragma once

#include <cstdint>
#include <span>

#include "engine/server_table.h"

namespace skelvane {

// Fills `record` from one status answer: `responded` first, then the ping
// measured from the record's latest query to `now`, the info fields and the
// players. `bytes` is exactly what was received.
void ParseStatusAnswer(std::span<const std::uint8_t> bytes, ServerRecord& record,
                       std::uint32_t now);

}  // namespace skelvane
