#include "browse/humans_and_bots.h"

#include <algorithm>

#include "browse/player_columns.h"
#include "engine/status_text.h"

namespace skelvane {

bool IsBot(const PlayerRecord& player) {
    return player.ping == 0;
}

HumansAndBots CountHumansAndBots(const ServerRecord& record) {
    const std::int32_t players = ReadablePlayerCount(record);
    const auto bots =
        static_cast<std::int32_t>(std::count_if(record.players, record.players + players, IsBot));
    return HumansAndBots{players - bots, bots};
}

void FormatHumansAndBots(char16_t (&out)[kHumansAndBotsTextCapacity],
                         const HumansAndBots& players) {
    FormatText(out, u"%d human%s, %d bot%s",
               {players.humans, players.humans == 1 ? u"" : u"s", players.bots,
                players.bots == 1 ? u"" : u"s"});
}

}  // namespace skelvane
