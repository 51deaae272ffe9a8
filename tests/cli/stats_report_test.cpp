#include "cli/stats_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace skelvane {
namespace {

TEST(StatsReport, PingPercentilesByNearestRankOverTheServersThatAnswered) {
    const struct {
        std::vector<std::uint32_t> pings;
        PingSummary summary;
    } cases[] = {
        {{7}, {7, 7, 7, 7}},
        {{40, 10, 30, 20}, {10, 20, 40, 40}},
        {{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, {1, 5, 9, 10}},
        {{4000000000u, 0, 3}, {0, 3, 4000000000u, 4000000000u}},
    };
    for (const auto& c : cases) {
        ServerTable table;
        GrowTable(table, static_cast<std::int32_t>(c.pings.size()) + 1);
        for (std::size_t i = 0; i <= c.pings.size(); ++i) {
            AppendServer(table, 1, static_cast<std::uint16_t>(i + 1));
            const bool answered = i < c.pings.size();
            table[static_cast<std::int32_t>(i)].responded = answered ? 1 : 0;
            table[static_cast<std::int32_t>(i)].ping = answered ? c.pings[i] : 1;
        }
        const auto summary = SummarisePings(table);
        ASSERT_TRUE(summary);
        EXPECT_EQ(summary->min, c.summary.min);
        EXPECT_EQ(summary->median, c.summary.median);
        EXPECT_EQ(summary->percentile90, c.summary.percentile90);
        EXPECT_EQ(summary->max, c.summary.max);
    }
    EXPECT_FALSE(SummarisePings(ServerTable{}));
}

}  // namespace
}  // namespace skelvane
