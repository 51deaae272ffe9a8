#include "cli/stats_report.h"

#include <algorithm>
#include <string>
#include <vector>

namespace skelvane {

namespace {

std::uint32_t NearestRank(const std::vector<std::uint32_t>& sorted, std::size_t percent) {
    const std::size_t rank = (percent * sorted.size() + 99) / 100;
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

std::int32_t PassesShown(const QueryStats& stats) {
    return std::clamp(stats.passes, 1, kCountedPasses);
}

// "1 entry", "2 entries".
std::string Counted(std::uint32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::optional<PingSummary> SummarisePings(const ServerTable& table) {
    std::vector<std::uint32_t> pings;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        if (table[i].responded != 0) {
            pings.push_back(table[i].ping);
        }
    }
    if (pings.empty()) {
        return std::nullopt;
    }
    std::sort(pings.begin(), pings.end());
    return PingSummary{pings.front(), NearestRank(pings, 50), NearestRank(pings, 90), pings.back()};
}

void PrintStatsText(std::ostream& out, const QueryStats& stats) {
    const RefreshStats& c = stats.counts;
    out << "Statistics:\n  master: " << Counted(c.masterDatagrams, "datagram", "datagrams") << ", "
        << Counted(c.masterEntries, "entry", "entries") << ", "
        << Counted(c.masterDuplicates, "duplicate", "duplicates") << "\n";
    for (std::int32_t pass = 0; pass < PassesShown(stats); ++pass) {
        const auto at = static_cast<std::size_t>(pass);
        out << "  pass " << pass + 1 << ": " << Counted(c.queriesSent[at], "query", "queries")
            << " sent, " << Counted(c.answersMatched[at], "answer", "answers") << " matched\n";
    }
    out << "  other datagrams: " << c.late << " late, " << c.duplicate << " duplicate, "
        << c.unmatchedSender << " from unmatched senders, " << c.oversized << " oversized\n";
    if (!stats.pings) {
        out << "  ping: no server answered\n";
        return;
    }
    out << "  ping: min " << stats.pings->min << " ms, median " << stats.pings->median
        << " ms, 90th percentile " << stats.pings->percentile90 << " ms, max " << stats.pings->max
        << " ms\n";
}

void PrintStatsJson(std::ostream& out, const QueryStats& stats) {
    const RefreshStats& c = stats.counts;
    out << "{\"master\": {\"datagrams\": " << c.masterDatagrams
        << ", \"entries\": " << c.masterEntries << ", \"duplicates\": " << c.masterDuplicates
        << "}, \"passes\": [";
    for (std::int32_t pass = 0; pass < PassesShown(stats); ++pass) {
        out << (pass == 0 ? "" : ", ")
            << "{\"queriesSent\": " << c.queriesSent[static_cast<std::size_t>(pass)]
            << ", \"answersMatched\": " << c.answersMatched[static_cast<std::size_t>(pass)] << "}";
    }
    out << "], \"late\": " << c.late << ", \"duplicate\": " << c.duplicate
        << ", \"unmatchedSender\": " << c.unmatchedSender << ", \"oversized\": " << c.oversized
        << ", \"ping\": ";
    if (!stats.pings) {
        out << "null}";
        return;
    }
    out << "{\"min\": " << stats.pings->min << ", \"median\": " << stats.pings->median
        << ", \"percentile90\": " << stats.pings->percentile90 << ", \"max\": " << stats.pings->max
        << "}}";
}

}  // namespace skelvane
