#include "browse/buddy_list.h"

#include <algorithm>
#include <string_view>

#include "browse/player_columns.h"
#include "engine/ascii_text.h"

namespace skelvane {

namespace {

bool EndsName(char16_t unit) {
    return unit == u'\r' || unit == u'\n';
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

// Both ways of matching need the entry to be no longer than the name, and at
// equal length containing it means being equal. The highlight runs this for
// every buddy and every player of each row painted, so the lengths decide
// first.
bool Matches(std::u16string_view buddy, std::u16string_view player) {
    if (buddy.size() == player.size()) {
        return EqualsIgnoringAsciiCase(buddy, player);
    }
    return buddy.size() < player.size() && player.find(buddy) != std::u16string_view::npos;
}

// The number of names the text holds: runs of characters between line ends.
std::size_t CountNames(std::u16string_view text) {
    std::size_t names = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        names += !EndsName(text[i]) && (i == 0 || EndsName(text[i - 1])) ? 1 : 0;
    }
    return names;
}

}  // namespace

// The table holds exactly the names of the text, however its lines end: each
// entry takes 64 bytes, and a long text of little but line ends must not
// cost an entry for every line end.
BuddyList ParseBuddyList(std::u16string_view text) {
    BuddyList list;
    list.buddyNames.assign(CountNames(text), BuddyName{});
    std::size_t length = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || EndsName(text[i])) {
            // The entries start zero-filled, so a stored name is terminated.
            if (length > 0) {
                ++list.buddyCount;
                length = 0;
            }
        } else if (length < kBuddyNameCapacity - 1) {
            list.buddyNames[static_cast<std::size_t>(list.buddyCount)].text[length++] = text[i];
        }
    }
    return list;
}

bool IsBuddyName(const BuddyList& list, std::u16string_view name) {
    for (std::int32_t i = 0; i < list.buddyCount; ++i) {
        if (Matches(list.buddyNames[static_cast<std::size_t>(i)].text, name)) {
            return true;
        }
    }
    return false;
}

bool ServerHasBuddy(const BuddyList& list, const ServerRecord& record) {
    if (list.buddyCount == 0) {
        return false;
    }
    for (std::int32_t i = 0; i < ReadablePlayerCount(record); ++i) {
        if (IsBuddyName(list, PlayerNameText(record.players[i]))) {
            return true;
        }
    }
    return false;
}

}  // namespace skelvane
