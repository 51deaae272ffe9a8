#include "cli/server_report.h"

#include <algorithm>
#include <string>

#include "cli/output_text.h"

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

void PrintPlayers(std::ostream& out, const ServerRecord& record) {
    for (std::int32_t i = 0; i < record.playerCount && i < kMaxPlayers; ++i) {
        const PlayerRecord& player = record.players[i];
        out << "    " << TerminalText(player.name) << "  score " << player.score << "  ping "
            << player.ping << '\n';
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
    for (int column = 0; column < kServerColumnCount; ++column) {
        PrintPadded(out, titles[column], widths[column], column + 1 == kServerColumnCount);
    }
    out << '\n';
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int column = 0; column < kServerColumnCount; ++column) {
            PrintPadded(out, cells[r][column], widths[column], column + 1 == kServerColumnCount);
        }
        out << '\n';
        if (details.rules != nullptr) {
            PrintRules(out, *details.rules, rows[r]);
        }
        if (details.players) {
            PrintPlayers(out, table[rows[r]]);
        }
    }
}

}  // namespace skelvane
