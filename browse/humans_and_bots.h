#pragma once

#include <cstdint>

#include "engine/server_table.h"

namespace skelvane {

// A player is a bot when its server reports its ping as 0. Servers report
// their own bots so, and other browsers tell bots by the same rule; a human
// whose ping the server measures as 0 counts as a bot too.
bool IsBot(const PlayerRecord& player);

struct HumansAndBots {
    std::int32_t humans = 0;
    std::int32_t bots = 0;
};

// The record's readable players, told apart by IsBot.
HumansAndBots CountHumansAndBots(const ServerRecord& record);

// "%d human%s, %d bot%s", each noun without its plural ending for exactly one.
inline constexpr int kHumansAndBotsTextCapacity = 48;
void FormatHumansAndBots(char16_t (&out)[kHumansAndBotsTextCapacity], const HumansAndBots& players);

}  // namespace skelvane
