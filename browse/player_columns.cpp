#include "browse/player_columns.h"

#include <algorithm>

#include "browse/server_columns.h"
#include "engine/status_text.h"

namespace skelvane {

const char16_t* const kPlayerColumnTitles[kPlayerColumnCount] = {u"Name", u"Score", u"Ping"};

namespace {

enum PlayerColumn { kName = 0, kScore = 1, kPing = 2 };

std::int32_t Order(std::int32_t x, std::int32_t y) {
    return x < y ? -1 : (x > y ? 1 : 0);
}

}  // namespace

std::u16string_view PlayerNameText(const PlayerRecord& player) {
    return FieldText(player.name);
}

std::int32_t ComparePlayers(const PlayerRecord& a, const PlayerRecord& b, int column) {
    switch (column) {
        case kName:
            // Code unit order, a prefix first: exactly what comparing the
            // views does.
            return Order(PlayerNameText(a).compare(PlayerNameText(b)), 0);
        case kScore:
            return Order(b.score, a.score);
        case kPing:
            return Order(a.ping, b.ping);
        default:
            return 0;
    }
}

bool FormatPlayerCell(const PlayerRecord& player, int column, char16_t* out, int capacity) {
    if (column < 0 || column >= kPlayerColumnCount) {
        return false;
    }
    char16_t text[kCellTextCapacity];
    switch (column) {
        case kName:
            // A name fills its record to the last unit only when it was
            // never terminated: it shows as long as a name may be.
            CopyText(text, kPlayerNameCapacity, PlayerNameText(player));
            break;
        case kScore:
            FormatText(text, u"%d", {player.score});
            break;
        default:
            FormatText(text, u"%d", {player.ping});
            break;
    }
    CopyText(out, capacity, text);
    return true;
}

std::int32_t ReadablePlayerCount(const ServerRecord& record) {
    return std::clamp(record.playerCount, 0, kMaxPlayers);
}

}  // namespace skelvane
