#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/server_table.h"

namespace skelvane {

// A buddy name holds 1 to 31 characters, like a player name.
inline constexpr int kBuddyNameCapacity = kPlayerNameCapacity;

// The names of the user's buddy text, in the order typed.
struct BuddyList {
    std::vector<std::u16string> names;
};

// One name per line; carriage returns and line feeds both end a line. Empty
// lines add nothing, spaces belong to the name, and a longer line keeps its
// first 31 characters.
BuddyList ParseBuddyList(std::u16string_view text);

// True when an entry equals the name ignoring the case of A to Z, or occurs
// inside it with exactly the same case.
bool IsBuddyName(const BuddyList& list, std::u16string_view name);

// True when one of the server's players is a buddy.
bool ServerHasBuddy(const BuddyList& list, const ServerRecord& record);

}  // namespace skelvane
