#pragma once

#include <cstdint>
#include <span>

namespace skelvane {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogate
// halves, nothing beyond U+10FFFF) and at least one character takes more than
// one byte: text that an 8-bit code page would turn into mojibake.
bool IsMultibyteUtf8(std::span<const std::uint8_t> text);

// Decodes well-formed UTF-8 into UTF-16, cut to `capacity` - 1 code units
// without splitting a surrogate pair, and terminated. Gives the units written.
int Utf8ToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity);

}  // namespace skelvane
