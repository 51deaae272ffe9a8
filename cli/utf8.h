#pragma once

#include <string>

namespace skelvane {

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const char16_t* text);

// The number of characters (code points) of UTF-8 text, for column alignment.
std::size_t Utf8Length(const std::string& text);

}  // namespace skelvane
