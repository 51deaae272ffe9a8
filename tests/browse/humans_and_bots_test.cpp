#include "browse/humans_and_bots.h"

#include <gtest/gtest.h>

#include "tests/support/status_answer.h"

namespace skelvane {
namespace {

TEST(HumansAndBots, APlayerWhosePingIsZeroIsABot) {
    const struct {
        std::vector<std::int32_t> pings;
        std::int32_t playerCount;
        std::int32_t humans;
        std::int32_t bots;
    } cases[] = {
        {{}, 0, 0, 0},
        {{0, 0}, 2, 0, 2},
        {{12, 0, 999, -1, 0, 1}, 6, 4, 2},  // a negative ping is no bot's
        {{0, 7, 0}, 2, 1, 1},               // players past the count are not counted
        {{5, 5}, 70, 2, 62},                // the count kept within the array, all zero
    };
    for (const auto& c : cases) {
        auto record = test::FreshRecord();
        for (std::size_t i = 0; i < c.pings.size(); ++i) {
            record->players[i].ping = c.pings[i];
        }
        record->playerCount = c.playerCount;
        const HumansAndBots counted = CountHumansAndBots(*record);
        EXPECT_EQ(counted.humans, c.humans) << "case with " << c.playerCount << " players";
        EXPECT_EQ(counted.bots, c.bots) << "case with " << c.playerCount << " players";
    }
}

}  // namespace
}  // namespace skelvane
