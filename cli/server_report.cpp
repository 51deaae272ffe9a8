#include "cli/server_report.h"

#include <algorithm>
#include <iterator>
#include <string>

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

void PrintPadded(std::ostream& out, const std::string& text, std::size_t width, bool last) {
    out << text;
    if (!last) {
        out << std::string(width - Utf8Length(text) + 2, ' ');
    }
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

std::vector<std::int32_t> ServersWithBuddies(const ServerTable& table,
                                             const std::vector<std::int32_t>& rows,
                                             const BuddyList& buddies) {
    std::vector<std::int32_t> kept;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(kept),
                 [&](std::int32_t index) { return ServerHasBuddy(buddies, table[index]); });
    return kept;
}

void PrintServerTable(std::ostream& out, const ServerTable& table,
                      const std::vector<std::int32_t>& rows, const PingThresholds& thresholds,
                      const ReportDetails& details) {
    std::vector<std::vector<std::string>> cells;
    std::size_t widths[kServerColumnCount] = {};
    std::vector<std::string> titles;
    for (int column = 0; column < kServerColumnCount; ++column) {
        titles.push_back(Utf16ToUtf8(kServerColumns[column].title));
        widths[column] = Utf8Length(titles.back());
    }
    for (std::int32_t index : rows) {
        std::vector<std::string> row;
        for (int column = 0; column < kServerColumnCount; ++column) {
            row.push_back(CellText(table[index], column, thresholds));
            widths[column] = std::max(widths[column], Utf8Length(row.back()));
        }
        cells.push_back(std::move(row));
    }
    out << BuddyMark(details.buddies, false);
    for (int column = 0; column < kServerColumnCount; ++column) {
        PrintPadded(out, titles[column], widths[column], column + 1 == kServerColumnCount);
    }
    out << '\n';
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const ServerRecord& record = table[rows[r]];
        out << BuddyMark(details.buddies,
                         details.buddies && ServerHasBuddy(*details.buddies, record));
        for (int column = 0; column < kServerColumnCount; ++column) {
            PrintPadded(out, cells[r][column], widths[column], column + 1 == kServerColumnCount);
        }
        out << '\n';
        if (details.rules != nullptr) {
            PrintRules(out, *details.rules, rows[r]);
        }
        if (details.players) {
            PrintPlayers(out, record, details.buddies);
        }
    }
}

}  // namespace skelvane
