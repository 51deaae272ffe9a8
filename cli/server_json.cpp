#include "cli/server_json.h"

#include "browse/humans_and_bots.h"
#include "cli/text_coding.h"

namespace skelvane {

namespace {

void PrintJsonText(std::ostream& out, const char* name, std::u16string_view text) {
    out << '"' << name << "\": " << JsonString(text);
}

// A key that occurs twice is written twice, in order; JSON readers keep its
// last value, as the browser does.
void PrintJsonRules(std::ostream& out, const RulesByRecord& rules, std::int32_t index) {
    const auto found = rules.find(index);
    const ServerRules none;
    const ServerRules& server = found == rules.end() ? none : found->second;
    out << ", \"rules\": {";
    for (std::size_t i = 0; i < server.Count(); ++i) {
        out << (i == 0 ? "" : ", ") << JsonString(server.Key(i)) << ": "
            << JsonString(server.Value(i));
    }
    out << "}, \"rulesNotKept\": " << server.Dropped();
}

void PrintJsonBuddy(std::ostream& out, bool isBuddy) {
    out << ", \"buddy\": " << (isBuddy ? "true" : "false");
}

void PrintJsonPlayers(std::ostream& out, const ServerRecord& r, const BuddyList* buddies) {
    out << ", \"players\": [";
    for (std::int32_t i = 0; i < r.playerCount && i < kMaxPlayers; ++i) {
        out << (i == 0 ? "" : ", ") << '{';
        PrintJsonText(out, "name", r.players[i].name);
        out << ", \"score\": " << r.players[i].score << ", \"ping\": " << r.players[i].ping
            << ", \"bot\": " << (IsBot(r.players[i]) ? "true" : "false");
        if (buddies != nullptr) {
            PrintJsonBuddy(out, IsBuddyName(*buddies, r.players[i].name));
        }
        out << '}';
    }
    out << "]";
}

void PrintJsonRecord(std::ostream& out, const ServerTable& table, std::int32_t index,
                     const ReportDetails& details) {
    const ServerRecord& r = table[index];
    const auto* a = reinterpret_cast<const std::uint8_t*>(&r.address);
    out << "  {\"address\": \"" << unsigned{a[0]} << '.' << unsigned{a[1]} << '.' << unsigned{a[2]}
        << '.' << unsigned{a[3]} << "\", \"port\": " << r.port << ", ";
    PrintJsonText(out, "hostName", r.hostName);
    out << ", ";
    PrintJsonText(out, "mapName", r.mapName);
    out << ", ";
    PrintJsonText(out, "version", r.version);
    out << ", ";
    PrintJsonText(out, "gameName", r.gameName);
    out << ", \"playerCount\": " << r.playerCount << ", \"maxClients\": " << r.maxClients
        << ", \"privateClients\": " << r.privateClients << ", \"pure\": " << r.pure
        << ", \"timeLimit\": " << r.timeLimit << ", \"sendTime\": " << r.sendTime
        << ", \"ping\": " << r.ping << ", \"responded\": " << r.responded
        << ", \"attempts\": " << r.attempts;
    const HumansAndBots players = CountHumansAndBots(r);
    out << ", \"humans\": " << players.humans << ", \"bots\": " << players.bots;
    if (details.buddies != nullptr) {
        PrintJsonBuddy(out, ServerHasBuddy(*details.buddies, r));
    }
    PrintJsonPlayers(out, r, details.buddies);
    if (details.rules != nullptr) {
        PrintJsonRules(out, *details.rules, index);
    }
    out << "}";
}

}  // namespace

void PrintServerJson(std::ostream& out, const ServerTable& table,
                     const std::vector<std::int32_t>& rows, const ReportDetails& details) {
    out << "[\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        PrintJsonRecord(out, table, rows[r], details);
        out << (r + 1 < rows.size() ? ",\n" : "\n");
    }
    out << "]";
}

}  // namespace skelvane
