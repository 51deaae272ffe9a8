#include "browse/quick_join.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/udp_socket.h"

namespace skelvane {
namespace {

struct Server {
    std::uint32_t ping;
    std::int32_t humans;
    std::int32_t bots;
    std::int32_t maxClients = 16;
    std::int32_t privateClients = 0;
};

// A table of these servers, players first human (ping 50) then bots (ping 0).
void Fill(ServerTable& table, const std::vector<Server>& servers) {
    GrowTable(table, static_cast<std::int32_t>(servers.size()));
    for (std::size_t i = 0; i < servers.size(); ++i) {
        AppendServer(table, LoopbackAddress(), static_cast<std::uint16_t>(27960 + i));
        ServerRecord& record = table[static_cast<std::int32_t>(i)];
        const Server& s = servers[i];
        record.responded = 1;
        record.ping = s.ping;
        record.maxClients = s.maxClients;
        record.privateClients = s.privateClients;
        record.playerCount = s.humans + s.bots;
        for (std::int32_t p = 0; p < record.playerCount; ++p) {
            record.players[p].ping = p < s.humans ? 50 : 0;
        }
    }
}

TEST(QuickJoin, LowestPingWithAHumanAndAFreeSlotThenMoreHumansThenTheFirstShown) {
    const struct {
        const char* name;
        std::vector<Server> servers;
        std::vector<std::int32_t> shown;
        std::int32_t chosen;
    } cases[] = {
        {"nothing shown", {{10, 2, 0}}, {}, -1},
        {"empty and bots only", {{10, 0, 0}, {20, 0, 5}}, {0, 1}, -1},
        {"the lowest ping", {{40, 1, 0}, {30, 3, 0}, {35, 9, 0}}, {0, 1, 2}, 1},
        {"full, public slots counted", {{10, 8, 0, 8}, {20, 6, 0, 8, 2}, {90, 1, 0}}, {0, 1, 2}, 2},
        {"a bot-filled server with a human", {{10, 1, 14}, {20, 3, 0}}, {0, 1}, 0},
        {"equal pings: more humans", {{30, 2, 5}, {30, 4, 0}, {30, 3, 9}}, {0, 1, 2}, 1},
        {"equal in both: the first shown", {{30, 2, 0}, {30, 2, 0}}, {1, 0}, 1},
        {"only what is shown", {{10, 4, 0}, {20, 1, 0}}, {1}, 1},
    };
    for (const auto& c : cases) {
        ServerTable table;
        Fill(table, c.servers);
        EXPECT_EQ(ChooseQuickJoinServer(table, c.shown), c.chosen) << c.name;
    }
}

}  // namespace
}  // namespace skelvane
