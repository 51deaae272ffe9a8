#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skelvane {

// 8-bit text, such as a file or an argument, converted the way the browser
// converts text from servers: UTF-8 when it is, else the 8-bit code page.
std::u16string Utf16FromBytes(std::string_view bytes);

// UTF-16 text as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// As Utf16ToUtf8, with every C0 and C1 control character and DEL shown as '?':
// text from servers never reaches a terminal as a command to it.
std::string TerminalText(std::u16string_view text);

// A JSON string, quotes included, with every control character escaped.
std::string JsonString(std::u16string_view text);

// Bytes of a file quoted in a message: what is not printable ASCII shows as
// '?', and the text is cut to 60 characters.
std::string PrintableAscii(std::string_view bytes);

// The number of characters (code points) of UTF-8 text, for column alignment.
std::size_t Utf8Length(const std::string& text);

}  // namespace skelvane
