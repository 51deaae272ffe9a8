#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

// Converts 8-bit text of the system's ANSI code page (Windows-1252 where the
// system has none) to UTF-16, cut to `capacity` - 1 code units and terminated.
// The text ends at its first zero byte, if it has one. Gives the units written.
int AnsiToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity);

}  // namespace skelvane
