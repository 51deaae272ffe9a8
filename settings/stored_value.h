#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace skelvane {

// The type a stored value was written with; the numbers are the registry's.
enum class StoredType : std::uint32_t {
    kNone = 0,
    kText = 1,
    kExpandableText = 2,
    kBinary = 3,
    kNumber = 4,
    kTextLines = 7,
};

// A value as the store holds it: whatever anyone wrote there.
struct StoredValue {
    StoredType type = StoredType::kNone;
    std::vector<std::uint8_t> bytes;
};

// A 32-bit number: four bytes stored as a number or as binary.
std::optional<std::int32_t> StoredNumber(const StoredValue& value);

// The format of a store from its "Version" value, whatever its type: one of
// one to four bytes is a little-endian number; a missing, empty or longer
// value counts as 1.
std::int32_t StoredFormatVersion(const std::optional<StoredValue>& version);

// Replaces `member` (zero-filled first) with a stored value read as UTF-16
// text, whatever its type, when its characters up to the first zero
// character or the end fit with their terminator; otherwise leaves it
// unchanged. True when replaced.
bool TakeStoredText(const StoredValue& value, std::span<char16_t> member);

// The buddy text of a format version, whatever the value's type: 8-bit text
// of the ANSI code page up to the first zero byte in version 1, UTF-16 in any
// other. Empty when missing.
std::u16string StoredBuddyText(const StoredValue* value, std::int32_t formatVersion);

// True when the 8-bit reading of a value is the whole of it: nothing but zero
// bytes follows the first zero byte, so its text loses nothing in UTF-16.
bool IsWhollyAnsiText(const StoredValue& value);

// The main window's placement as the platform lays it out: length, flags,
// show command, minimized and maximized positions, then the normal rectangle.
inline constexpr std::size_t kPlacementSize = 44;
struct StoredPlacement {
    std::array<std::uint8_t, kPlacementSize> bytes{};
};

// A placement of the right size and length field whose normal rectangle has a
// positive size within the coordinates a window can have.
std::optional<StoredPlacement> StoredWindowPlacement(const StoredValue& value);

// The lines of a value stored as text lines: each ended by a zero character,
// the last by two. Nothing when the value is of another type or not so
// ended; empty lines are skipped.
std::optional<std::vector<std::u16string>> StoredLines(const StoredValue& value);

// The forms in which settings are written.
StoredValue NumberValue(std::int32_t number);
StoredValue TextValue(std::u16string_view text);
StoredValue TextLinesValue(const std::vector<std::u16string>& lines);

}  // namespace skelvane
