#include "ui/buddy_list.h"

#include <algorithm>

#include "engine/ascii_text.h"
#include "ui/player_columns.h"

namespace skelvane {

namespace {

constexpr std::size_t kMaxBuddyName = kBuddyNameCapacity - 1;

bool EqualFoldingAsciiCase(std::u16string_view a, std::u16string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char16_t x, char16_t y) { return FoldAsciiCase(x) == FoldAsciiCase(y); });
}

bool Matches(std::u16string_view entry, std::u16string_view name) {
    // Both ways of matching need the entry to be no longer than the name, and
    // at equal length containing it means being equal.
    if (entry.size() == name.size()) {
        return EqualFoldingAsciiCase(entry, name);
    }
    return entry.size() < name.size() && name.find(entry) != std::u16string_view::npos;
}

}  // namespace

// The list grows by one entry per name found, so a text whose lines end in
// carriage returns alone keeps every one of its names.
BuddyList ParseBuddyList(std::u16string_view text) {
    BuddyList list;
    std::u16string name;
    const auto endName = [&] {
        if (!name.empty()) {
            list.names.push_back(std::move(name));
            name.clear();
        }
    };
    for (const char16_t unit : text) {
        if (unit == u'\r' || unit == u'\n') {
            endName();
        } else if (name.size() < kMaxBuddyName) {
            name.push_back(unit);
        }
    }
    endName();
    return list;
}

bool IsBuddyName(const BuddyList& list, std::u16string_view name) {
    return std::any_of(list.names.begin(), list.names.end(),
                       [name](const std::u16string& entry) { return Matches(entry, name); });
}

bool ServerHasBuddy(const BuddyList& list, const ServerRecord& record) {
    if (list.names.empty()) {
        return false;
    }
    return std::any_of(
        record.players, record.players + ReadablePlayerCount(record),
        [&list](const PlayerRecord& p) { return IsBuddyName(list, PlayerNameText(p)); });
}

}  // namespace skelvane
