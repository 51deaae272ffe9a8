#pragma once

#include <cstdint>
#include <ostream>
#include <unordered_map>
#include <vector>

#include "browse/buddy_list.h"
#include "browse/server_columns.h"
#include "browse/server_rules.h"
#include "engine/server_table.h"

namespace skelvane {

// The rules of the answered servers, by record index.
using RulesByRecord = std::unordered_map<std::int32_t, ServerRules>;

// What a report shows of each server beside the list's columns.
struct ReportDetails {
    // Each server's players below its row (JSON always carries them).
    bool players = false;
    // Each server's rules, when they are asked for.
    const RulesByRecord* rules = nullptr;
    // The buddies to mark, when a buddy list was given.
    const BuddyList* buddies = nullptr;
};

// The indices of the answered servers that pass the filter, in the order the
// browser's list shows them.
std::vector<std::int32_t> ShownServersInOrder(const ServerTable& table, std::int32_t showFull,
                                              std::int32_t showEmpty, std::uint32_t sortOrder);

// Only the rows of servers where a buddy plays.
std::vector<std::int32_t> ServersWithBuddies(const ServerTable& table,
                                             const std::vector<std::int32_t>& rows,
                                             const BuddyList& buddies);

// Only the rows of servers with at least `minimum` human players.
std::vector<std::int32_t> ServersWithHumans(const ServerTable& table,
                                            const std::vector<std::int32_t>& rows,
                                            std::int32_t minimum);

// The servers as a table of the list's columns and cell texts, then the
// numbers of humans and bots, with the details asked for below each row. With a buddy list, a
// server where a buddy plays and a player who is one are marked with '*'.
void PrintServerTable(std::ostream& out, const ServerTable& table,
                      const std::vector<std::int32_t>& rows, const PingThresholds& thresholds,
                      const ReportDetails& details);

}  // namespace skelvane
