#pragma once

#include <cstdint>
#include <span>

#include "engine/server_table.h"

namespace skelvane {

// The server quick join goes to, of the servers the list shows (their record
// indices, in the list's order): the lowest ping of those with at least one
// human on them and a free public slot; at equal pings the one with more
// humans, then the one listed first. -1 when none has both.
std::int32_t ChooseQuickJoinServer(const ServerTable& table, std::span<const std::int32_t> shown);

}  // namespace skelvane
