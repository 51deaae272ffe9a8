#include "cli/text_coding.h"

#include <cstdint>
#include <cstdio>

#include "platform/ansi_text.h"

namespace skelvane {

namespace {

void AppendUtf8(std::string& out, std::uint32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool IsControl(std::uint32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F);
}

// Calls `write` with each code point of the text in turn.
template <typename Write>
void ForEachCodePoint(std::u16string_view text, Write write) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            write(0x10000 + ((std::uint32_t{text[i]} - 0xD800) << 10) +
                  (std::uint32_t{text[i + 1]} - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            write(0xFFFD);
        } else {
            write(text[i]);
        }
    }
}

}  // namespace

std::u16string Utf16FromBytes(std::string_view bytes) {
    std::u16string text(bytes.size() + 1, u'\0');
    const int units =
        AnsiToUtf16({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                    text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(units));
    return text;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    ForEachCodePoint(text, [&](std::uint32_t point) { AppendUtf8(out, point); });
    return out;
}

std::string TerminalText(std::u16string_view text) {
    std::string out;
    ForEachCodePoint(text, [&](std::uint32_t point) {
        AppendUtf8(out, IsControl(point) ? std::uint32_t{'?'} : point);
    });
    return out;
}

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    ForEachCodePoint(text, [&](std::uint32_t point) {
        if (point == '"' || point == '\\') {
            out += '\\';
            out += static_cast<char>(point);
        } else if (IsControl(point)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(point));
            out += escaped;
        } else {
            AppendUtf8(out, point);
        }
    });
    return out + "\"";
}

std::string PrintableAscii(std::string_view bytes) {
    std::string out(bytes.substr(0, 60));
    for (char& c : out) {
        c = c >= 0x20 && c < 0x7F ? c : '?';
    }
    return out;
}

std::size_t Utf8Length(const std::string& text) {
    std::size_t length = 0;
    for (char c : text) {
        length += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return length;
}

}  // namespace skelvane
