#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "engine/server_table.h"
#include "ui/server_columns.h"

namespace skelvane {

// The indices of the answered servers that pass the filter, in the order the
// browser's list shows them.
std::vector<std::int32_t> ShownServersInOrder(const ServerTable& table, std::int32_t showFull,
                                              std::int32_t showEmpty, std::uint32_t sortOrder);

// The servers as a table of the list's columns and cell texts; with
// `withPlayers`, each server's players below its row.
void PrintServerTable(std::ostream& out, const ServerTable& table,
                      const std::vector<std::int32_t>& rows, const PingThresholds& thresholds,
                      bool withPlayers);

// Every field of the given servers as a JSON array.
void PrintServerJson(std::ostream& out, const ServerTable& table,
                     const std::vector<std::int32_t>& rows);

}  // namespace skelvane
