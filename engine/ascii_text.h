#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace skelvane {

// Letters A to Z folded to a to z; every other byte or unit stays as it is.
constexpr char FoldAsciiCase(char c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}
constexpr char16_t FoldAsciiCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c;
}

// The text as 8-bit ASCII, for what can only be ASCII (host names, addresses,
// ports); nothing when any unit is not a character from 1 to 127.
std::optional<std::string> NarrowAscii(std::u16string_view text);

// Equal when the bytes are equal after folding A to Z.
bool EqualsIgnoringAsciiCase(std::span<const std::uint8_t> text, std::string_view expected);

// Leading white space, an optional sign, decimal digits; anything else ends
// the number. No digits gives 0; a value beyond 32 bits gives the nearest limit.
std::int32_t ReadDecimal(std::span<const std::uint8_t> text);

}  // namespace skelvane
