#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "engine/server_table.h"

namespace skelvane {

// One player line: score, ping and the name in double quotes, separated by
// spaces. Nothing for a line with fewer than two tokens.
std::optional<PlayerRecord> ReadPlayerLine(std::span<const std::uint8_t> text);

}  // namespace skelvane
