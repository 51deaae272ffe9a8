#pragma once

#include <cstdint>
#include <memory>

#include "engine/server_table.h"

namespace skelvane::test {

// A record as the receiver hands it over: all zero, queried at `sendTime`.
inline std::unique_ptr<ServerRecord> FreshRecord(std::uint32_t sendTime = 1000) {
    auto record = std::make_unique<ServerRecord>();
    record->sendTime = sendTime;
    return record;
}

}  // namespace skelvane::test
