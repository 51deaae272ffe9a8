#include "ui/buddy_list.h"

#include <algorithm>
#include <string_view>

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

}  // namespace

// Both carriage returns and line feeds end a name, so a text whose lines end
// in carriage returns alone holds as many names as it has separators of
// either kind, plus one; the table gets one entry more than that.
BuddyList ParseBuddyList(std::u16string_view text) {
    BuddyList list;
    if (text.empty()) {
        return list;
    }
    const auto separators = std::count_if(text.begin(), text.end(), EndsName);
    list.buddyNames.assign(static_cast<std::size_t>(separators) + 2, BuddyName{});
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

bool IsBuddyName(const BuddyList& list, const char16_t* name) {
    const std::u16string_view player(name);
    for (std::int32_t i = 0; i < list.buddyCount; ++i) {
        const std::u16string_view buddy(list.buddyNames[static_cast<std::size_t>(i)].text);
        if (EqualsIgnoringAsciiCase(player, buddy) || player.find(buddy) != player.npos) {
            return true;
        }
    }
    return false;
}

bool ServerHasBuddy(const BuddyList& list, const ServerRecord& record) {
    if (list.buddyCount == 0) {
        return false;
    }
    const std::int32_t players = std::clamp(record.playerCount, 0, kMaxPlayers);
    for (std::int32_t i = 0; i < players; ++i) {
        if (IsBuddyName(list, record.players[i].name)) {
            return true;
        }
    }
    return false;
}

}  // namespace skelvane
