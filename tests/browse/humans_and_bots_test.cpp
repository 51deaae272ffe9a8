#include "browse/humans_and_bots.h"

#include <gtest/gtest.h>

#include "engine/status_text.h"
#include "testnet/status_answer.h"
#include "tests/support/fresh_record.h"

namespace skelvane {
namespace {

TEST(HumansAndBots, APlayerWhosePingIsZeroIsABot) {
    const struct {
        std::vector<std::int32_t> pings;
        std::int32_t playerCount;
        std::int32_t humans;
        std::int32_t bots;
        std::u16string text;
    } cases[] = {
        {{}, 0, 0, 0, u"0 humans, 0 bots"},
        {{0, 0}, 2, 0, 2, u"0 humans, 2 bots"},
        // A negative ping is no bot's.
        {{12, 0, 999, -1, 0, 1}, 6, 4, 2, u"4 humans, 2 bots"},
        // Players past the count are not counted.
        {{0, 7, 0}, 2, 1, 1, u"1 human, 1 bot"},
        // The count kept within the array, whose other players are all zero.
        {{5, 5}, 70, 2, 62, u"2 humans, 62 bots"},
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
        char16_t text[kHumansAndBotsTextCapacity];
        FormatHumansAndBots(text, counted);
        EXPECT_EQ(std::u16string(text), c.text);
    }
}

}  // namespace
}  // namespace skelvane
