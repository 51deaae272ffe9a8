#include "cli/server_report.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "browse/humans_and_bots.h"
#include "cli/text_coding.h"

namespace skelvane {

namespace {

inline constexpr int kCellCapacity = 260;

std::string CellText(const ServerRecord& record, int column, const PingThresholds& thresholds) {
    char16_t text[kCellCapacity];
    std::int32_t image = 0;
    if (!FormatServerCell(record, column, thresholds, text, kCellCapacity, &image)) {
        return {};
    }
    return TerminalText(text);
}

// The list's cell texts, then the numbers of humans and bots.
std::vector<std::string> RowTexts(const ServerRecord& record, const PingThresholds& thresholds) {
    std::vector<std::string> texts;
    for (int column = 0; column < kServerColumnCount; ++column) {
        texts.push_back(CellText(record, column, thresholds));
    }
    const HumansAndBots players = CountHumansAndBots(record);
    texts.push_back(std::to_string(players.humans));
    texts.push_back(std::to_string(players.bots));
    return texts;
}

// The texts padded to their columns' widths, the last one not padded.
void PrintLine(std::ostream& out, const std::vector<std::string>& texts,
               const std::vector<std::size_t>& widths) {
    for (std::size_t column = 0; column < texts.size(); ++column) {
        out << texts[column];
        if (column + 1 < texts.size()) {
            out << std::string(widths[column] - Utf8Length(texts[column]) + 2, ' ');
        }
    }
    out << '\n';
}

void PrintRules(std::ostream& out, const RulesByRecord& rules, std::int32_t index) {
    const auto found = rules.find(index);
    if (found == rules.end()) {
        return;
    }
    const ServerRules& server = found->second;
    for (std::size_t i = 0; i < server.Count(); ++i) {
        out << "    " << TerminalText(server.Key(i)) << " = " << TerminalText(server.Value(i))
            << '\n';
    }
    if (server.Dropped() > 0) {
        out << "    (" << server.Dropped() << " more rules not kept)\n";
    }
}

// The mark column, there only when buddies are marked.
const char* BuddyMark(const BuddyList* buddies, bool isBuddy) {
    if (buddies == nullptr) {
        return "";
    }
    return isBuddy ? "* " : "  ";
}

void PrintPlayers(std::ostream& out, const ServerRecord& record, const BuddyList* buddies) {
    for (std::int32_t i = 0; i < record.playerCount && i < kMaxPlayers; ++i) {
        const PlayerRecord& player = record.players[i];
        out << "    " << BuddyMark(buddies, buddies && IsBuddyName(*buddies, player.name))
            << TerminalText(player.name) << "  score " << player.score << "  ping " << player.ping
            << '\n';
    }
}

// The rows whose record `keep` accepts, in their order.
template <typename Keep>
std::vector<std::int32_t> RowsWhere(const std::vector<std::int32_t>& rows, Keep keep) {
    std::vector<std::int32_t> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept), keep);
    return kept;
}

}  // namespace

std::vector<std::int32_t> ShownServersInOrder(const ServerTable& table, std::int32_t showFull,
                                              std::int32_t showEmpty, std::uint32_t sortOrder) {
    std::vector<std::int32_t> rows;
    for (std::int32_t i = 0; i < table.Count(); ++i) {
        if (IsServerShown(table[i], showFull, showEmpty)) {
            rows.push_back(i);
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [&](std::int32_t a, std::int32_t b) {
        return CompareServers(table[a], table[b], sortOrder) < 0;
    });
    return rows;
}

std::vector<std::int32_t> ServersWithHumans(const ServerTable& table,
                                            const std::vector<std::int32_t>& rows,
                                            std::int32_t minimum) {
    return RowsWhere(rows, [&](std::int32_t index) {
        return CountHumansAndBots(table[index]).humans >= minimum;
    });
}

std::vector<std::int32_t> ServersWithBuddies(const ServerTable& table,
                                             const std::vector<std::int32_t>& rows,
                                             const BuddyList& buddies) {
    return RowsWhere(rows,
                     [&](std::int32_t index) { return ServerHasBuddy(buddies, table[index]); });
}

void PrintServerTable(std::ostream& out, const ServerTable& table,
                      const std::vector<std::int32_t>& rows, const PingThresholds& thresholds,
                      const ReportDetails& details) {
    std::vector<std::string> titles;
    for (const ColumnDef& column : kServerColumns) {
        titles.push_back(Utf16ToUtf8(column.title));
    }
    titles.insert(titles.end(), {"Humans", "Bots"});
    std::vector<std::size_t> widths;
    for (const std::string& title : titles) {
        widths.push_back(Utf8Length(title));
    }
    std::vector<std::vector<std::string>> cells;
    for (std::int32_t index : rows) {
        std::vector<std::string> row = RowTexts(table[index], thresholds);
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], Utf8Length(row[column]));
        }
        cells.push_back(std::move(row));
    }
    out << BuddyMark(details.buddies, false);
    PrintLine(out, titles, widths);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const ServerRecord& record = table[rows[r]];
        out << BuddyMark(details.buddies,
                         details.buddies && ServerHasBuddy(*details.buddies, record));
        PrintLine(out, cells[r], widths);
        if (details.rules != nullptr) {
            PrintRules(out, *details.rules, rows[r]);
        }
        if (details.players) {
            PrintPlayers(out, record, details.buddies);
        }
    }
}

}  // namespace skelvane
