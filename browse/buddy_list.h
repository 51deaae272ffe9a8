#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/server_table.h"

namespace skelvane {

// A buddy name of 1 to 31 characters and its terminator.
inline constexpr int kBuddyNameCapacity = 32;

struct BuddyName {
    char16_t text[kBuddyNameCapacity];
};

// The names of the buddy text, in text order. The table is sized when it is
// built so that it holds every name of the text; the first `buddyCount`
// entries are valid.
struct BuddyList {
    std::vector<BuddyName> buddyNames;
    std::int32_t buddyCount = 0;
};

// One name a line. Carriage returns and line feeds both end a name, empty
// lines add none, names are not trimmed and are cut to 31 characters.
BuddyList ParseBuddyList(std::u16string_view text);

// True when `name` equals an entry ignoring the case of ASCII letters, or
// contains an entry with exactly its case.
bool IsBuddyName(const BuddyList& list, std::u16string_view name);

// True when one of the record's players is a buddy.
bool ServerHasBuddy(const BuddyList& list, const ServerRecord& record);

}  // namespace skelvane
