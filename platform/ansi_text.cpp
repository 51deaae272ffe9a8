#include "platform/ansi_text.h"

#include <algorithm>

#include "platform/utf8_text.h"

namespace skelvane {

// Servers that write UTF-8 would otherwise show mojibake ("CafÃ©"). Text in an
// 8-bit code page hardly ever forms well-formed multi-byte UTF-8 by chance, so
// such text is taken as UTF-8 and everything else goes through the code page
// as it always did.
int AnsiToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity) {
    const auto end = std::find(text.begin(), text.end(), std::uint8_t{0});
    const std::span<const std::uint8_t> bytes(text.begin(), end);
    if (IsMultibyteUtf8(bytes)) {
        return Utf8ToUtf16(bytes, out, capacity);
    }
    return CodePageToUtf16(bytes, out, capacity);
}

}  // namespace skelvane
