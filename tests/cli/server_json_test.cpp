#include "cli/server_json.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/udp_socket.h"

namespace skelvane {
namespace {

template <int Capacity>
void Put(char16_t (&field)[Capacity], std::u16string_view text) {
    text.copy(field, Capacity - 1);
}

// Two answered servers: one whose texts and numbers are what a hostile server
// may send, one plain with a buddy among its players.
void FillTable(ServerTable& table) {
    GrowTable(table, 2);
    AppendServer(table, LoopbackAddress(0, 0, 9), 65535);
    AppendServer(table, LoopbackAddress(), 27960);
    ServerRecord& hostile = table[0];
    Put(hostile.hostName, u"say \"hi\" \\ \x1b[2J\r\n\x7f\u0085 caf\u00e9 \U0001F600 \xD800 end");
    Put(hostile.mapName, u"</script>\u2028");
    Put(hostile.players[0].name, u"\"q\"\t");
    hostile.players[0].score = INT32_MIN;
    hostile.players[0].ping = -1;
    hostile.playerCount = 1;
    hostile.maxClients = INT32_MAX;
    hostile.sendTime = UINT32_MAX;
    hostile.ping = UINT32_MAX;
    hostile.responded = 1;
    hostile.attempts = 3;
    hostile.pure = -7;
    hostile.timeLimit = -1;
    hostile.privateClients = -2;

    ServerRecord& plain = table[1];
    Put(plain.hostName, u"Plain");
    Put(plain.players[0].name, u"Ann");
    Put(plain.players[1].name, u"Bob");
    plain.playerCount = 2;
    plain.responded = 1;
    plain.attempts = 1;
}

std::string Json(const ServerTable& table, const ReportDetails& details) {
    std::ostringstream out;
    PrintServerJson(out, table, {1, 0}, details);
    return out.str();
}

// What a script reading the document relies on: every text escaped as JSON
// wants it, whatever a server sent; numbers at their extremes as numbers; the
// rows in the order asked for; a key a server repeats written as often as it
// came; and the buddy marks only where a buddy list was given.
TEST(ServerJson, HostileTextExtremeNumbersRepeatedRulesAndBuddiesStayReadable) {
    ServerTable table;
    FillTable(table);
    RulesByRecord rules;
    rules[0].Add(u"g_gametype", u"1");
    rules[0].Add(u"g_gametype", u"4\"");
    for (std::size_t i = 0; i <= kMaxRules; ++i) {
        rules[1].Add(u"k", u"v");
    }
    const BuddyList buddies = ParseBuddyList(u"Ann");
    const std::string bare = Json(table, ReportDetails{});
    const std::string full = Json(table, ReportDetails{false, &rules, &buddies});
    const struct {
        const std::string& json;
        std::string expected;
        bool present;
    } cases[] = {
        {bare, R"([
  {"address": "127.0.0.1", "port": 27960, "hostName": "Plain", )",
         true},
        {bare, R"(},
  {"address": "127.0.0.9", "port": 65535, )",
         true},
        {bare,
         R"("hostName": "say \"hi\" \\ \u001b[2J\u000d\u000a\u007f\u0085 caf)"
         "\xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD end\", ",
         true},
        {bare,
         R"("maxClients": 2147483647, "privateClients": -2, "pure": -7, "timeLimit": -1, )"
         R"("sendTime": 4294967295, "ping": 4294967295, "responded": 1, "attempts": 3, )",
         true},
        {bare,
         R"("players": [{"name": "\"q\"\u0009", "score": -2147483648, "ping": -1, "bot": false}]})",
         true},
        {bare, R"("buddy")", false},
        {bare, R"("rules")", false},
        {full, R"("rules": {"g_gametype": "1", "g_gametype": "4\""}, "rulesNotKept": 0})", true},
        {full, R"("k": "v"}, "rulesNotKept": 1})", true},
        {full,
         R"("attempts": 1, "humans": 0, "bots": 2, "buddy": true, "players": [{"name": "Ann", )"
         R"("score": 0, "ping": 0, "bot": true, "buddy": true}, {"name": "Bob", "score": 0, )"
         R"("ping": 0, "bot": true, "buddy": false}])",
         true},
        {full, R"("attempts": 3, "humans": 1, "bots": 0, "buddy": false, )", true},
        {full, "}\n]", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.json.find(c.expected) != std::string::npos, c.present) << c.expected << "\n"
                                                                           << c.json;
    }
}

}  // namespace
}  // namespace skelvane
