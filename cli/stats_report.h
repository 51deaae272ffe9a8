#pragma once

#include <cstdint>
#include <optional>
#include <ostream>

#include "engine/refresh_stats.h"
#include "engine/server_table.h"

namespace skelvane {

// The pings of the servers that answered, in milliseconds. Percentiles by
// nearest rank: the smallest ping at least that share of the pings reach.
struct PingSummary {
    std::uint32_t min = 0;
    std::uint32_t median = 0;
    std::uint32_t percentile90 = 0;
    std::uint32_t max = 0;
};

// Nothing when no server answered.
std::optional<PingSummary> SummarisePings(const ServerTable& table);

// What --stats shows of a refresh with `passes` sweep passes.
struct QueryStats {
    const RefreshStats& counts;
    std::int32_t passes;
    std::optional<PingSummary> pings;
};

// As lines of text, for stderr.
void PrintStatsText(std::ostream& out, const QueryStats& stats);

// As a JSON object.
void PrintStatsJson(std::ostream& out, const QueryStats& stats);

}  // namespace skelvane
