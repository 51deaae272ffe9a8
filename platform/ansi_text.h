#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

// Converts 8-bit network text to UTF-16, cut to `capacity` - 1 code units and
// terminated. The text ends at its first zero byte, if it has one. Text that
// is well-formed UTF-8 with at least one multi-byte character is decoded as
// UTF-8; any other text as CodePageToUtf16 does. Gives the units written.
int AnsiToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity);

// Converts 8-bit text of the system's ANSI code page (Windows-1252 where the
// system has none) to UTF-16, cut and terminated as above. `text` holds no
// zero byte.
int CodePageToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity);

}  // namespace skelvane
