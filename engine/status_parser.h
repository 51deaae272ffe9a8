#pragma once

#include <cstdint>
#include <span>

#include "engine/refresh_engine.h"
#include "engine/server_table.h"

namespace skelvane {

// Fills `record` from one status answer: `responded` first, then the ping
// measured from the record's latest query to `now`, the info fields and the
// players. `bytes` is exactly what was received.
void ParseStatusAnswer(std::span<const std::uint8_t> bytes, ServerRecord& record,
                       std::uint32_t now);

// Takes in the answer that the receiver matched to record `index`, with the
// table lock held: fills the record, lets the front end list the server and
// shows "Found %d player%s on '%s'", whether the server is listed or not.
void StatusParser(RefreshState& engine, std::span<const std::uint8_t> datagram, std::int32_t index);

}  // namespace skelvane
