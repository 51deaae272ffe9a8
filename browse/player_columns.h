#pragma once

#include <cstdint>
#include <string_view>

#include "browse/column_widths.h"
#include "engine/server_table.h"

namespace skelvane {

// The captions of the player columns; their widths are in column_widths.h.
extern const char16_t* const kPlayerColumnTitles[kPlayerColumnCount];

// A player's name up to its terminator, or all of the field when it has none.
std::u16string_view PlayerNameText(const PlayerRecord& player);

// Negative when `a` goes first when sorting by `column`: names by code unit
// (upper case before lower case), the highest score first, the lowest ping
// first. Any other column keeps every pair equal.
std::int32_t ComparePlayers(const PlayerRecord& a, const PlayerRecord& b, int column);

// The text of one cell, cut to `capacity` units and terminated. False, with
// nothing written, for a column that does not exist.
bool FormatPlayerCell(const PlayerRecord& player, int column, char16_t* out, int capacity);

// How many of a record's players may be read: its count, kept within the
// capacity of its player array.
std::int32_t ReadablePlayerCount(const ServerRecord& record);

}  // namespace skelvane
