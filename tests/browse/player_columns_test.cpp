#include "browse/player_columns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace skelvane {
namespace {

PlayerRecord Player(const std::u16string& name, std::int32_t score = 0, std::int32_t ping = 0) {
    PlayerRecord player{};
    name.copy(player.name, kPlayerNameCapacity - 1);
    player.score = score;
    player.ping = ping;
    return player;
}

// The names in the order a sort by `column` gives, ties kept in place.
std::vector<std::u16string> SortedNames(std::vector<PlayerRecord> players, int column) {
    std::stable_sort(players.begin(), players.end(), [column](const auto& a, const auto& b) {
        return ComparePlayers(a, b, column) < 0;
    });
    std::vector<std::u16string> names;
    for (const PlayerRecord& p : players) {
        names.emplace_back(PlayerNameText(p));
    }
    return names;
}

TEST(PlayerColumns, EachColumnSortsItsOwnWay) {
    const std::vector<PlayerRecord> players = {
        Player(u"alice", 5, 80), Player(u"Zed", -3, 20), Player(u"Al", 12, 300),
        Player(u"Ali", 5, -1),   Player(u"bob", 0, 20),
    };
    using Names = std::vector<std::u16string>;
    EXPECT_EQ(SortedNames(players, 0), (Names{u"Al", u"Ali", u"Zed", u"alice", u"bob"}))
        << "code unit order: upper case first, a prefix first";
    EXPECT_EQ(SortedNames(players, 1), (Names{u"Al", u"alice", u"Ali", u"bob", u"Zed"}))
        << "highest score first, negative last";
    EXPECT_EQ(SortedNames(players, 2), (Names{u"Ali", u"Zed", u"bob", u"alice", u"Al"}))
        << "lowest ping first";
    for (int other : {3, -1}) {
        EXPECT_EQ(SortedNames(players, other), (Names{u"alice", u"Zed", u"Al", u"Ali", u"bob"}))
            << "column " << other << " keeps the order";
    }
}

std::u16string Cell(const PlayerRecord& player, int column, int capacity = 64) {
    std::u16string out(static_cast<std::size_t>(capacity) + 1, u'#');
    if (!FormatPlayerCell(player, column, out.data(), capacity)) {
        return u"<none>";
    }
    EXPECT_EQ(out.back(), u'#') << "wrote past the capacity";
    return out.c_str();
}

TEST(PlayerColumns, CellTexts) {
    const PlayerRecord player = Player(u"Nimble", -12, 2147483647);
    EXPECT_EQ(Cell(player, 0), u"Nimble");
    EXPECT_EQ(Cell(player, 1), u"-12");
    EXPECT_EQ(Cell(player, 2), u"2147483647");
    EXPECT_EQ(Cell(player, 3), u"<none>");
    EXPECT_EQ(Cell(player, -1), u"<none>");
    EXPECT_EQ(Cell(player, 0, 4), u"Nim");
    EXPECT_EQ(Cell(player, 2, 1), u"");
    PlayerRecord unterminated{};
    std::fill(std::begin(unterminated.name), std::end(unterminated.name), u'w');
    EXPECT_EQ(Cell(unterminated, 0), std::u16string(31, u'w'));
}

}  // namespace
}  // namespace skelvane
