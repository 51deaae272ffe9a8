#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/server_table.h"

namespace skelvane {

// How an info value becomes its ServerRecord field.
enum class InfoConversion { kDecimal, kText, kTextWithoutColourCodes };

// One row of the InfoKeyMap: the key, its field, and what the field holds
// when the answer has no such key.
struct InfoKeyRow {
    std::string_view key;
    InfoConversion conversion;
    std::int32_t ServerRecord::*integerField;         // decimal rows
    std::span<char16_t> (*textField)(ServerRecord&);  // text rows
    const char16_t* absentText;                       // text rows
};

inline constexpr std::size_t kInfoKeyCount = 8;
extern const std::array<InfoKeyRow, kInfoKeyCount> kInfoKeyMap;

// Keys are compared on their first 63 characters.
inline constexpr std::size_t kInfoKeyCapacity = 63;

// The value found for each row of kInfoKeyMap, in table order; each points
// into the info string it was read from.
using InfoValues = std::array<std::optional<std::span<const std::uint8_t>>, kInfoKeyCount>;

// The pieces of an info string, between backslashes. A run of backslashes is
// one separator and nothing comes before the first or after the last, so no
// piece is empty. They pair up as key then value.
class InfoPieces {
  public:
    explicit InfoPieces(std::span<const std::uint8_t> text) : rest_(text) {}
    std::optional<std::span<const std::uint8_t>> Next();

  private:
    std::span<const std::uint8_t> rest_;
};

// Reads "\key\value\key\value..." into the values of the known keys.
InfoValues ReadInfoString(std::span<const std::uint8_t> text);

// Fills every InfoKeyMap field of `record` from `values`, or with its value
// for an absent key.
void StoreInfoValues(const InfoValues& values, ServerRecord& record);

}  // namespace skelvane
