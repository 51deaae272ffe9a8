#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace skelvane {

// A number field of the Config dialog: leading white space, an optional sign
// and decimal digits; anything else ends the number. No digits gives 0, and a
// number beyond 32 bits the nearest limit.
std::int32_t ConfigNumber(std::u16string_view text);

// Empties `member` completely, then takes at most its capacity less two
// characters of `text`, the rest being dropped without notice.
void TakeTextField(std::u16string_view text, std::span<char16_t> member);

// The game path as typed, ending in a backslash unless it is empty.
void TakeDirectoryField(std::u16string_view text, std::span<char16_t> member);

}  // namespace skelvane
