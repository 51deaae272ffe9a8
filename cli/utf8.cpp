#include "cli/utf8.h"

#include <cstdint>

namespace skelvane {

namespace {

void AppendCodePoint(std::string& out, std::uint32_t point) {
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

}  // namespace

std::string Utf16ToUtf8(const char16_t* text) {
    std::string out;
    for (const char16_t* p = text; *p != u'\0'; ++p) {
        if (IsHighSurrogate(p[0]) && IsLowSurrogate(p[1])) {
            AppendCodePoint(out, 0x10000 + ((std::uint32_t{p[0]} - 0xD800) << 10) +
                                     (std::uint32_t{p[1]} - 0xDC00));
            ++p;
        } else if (IsHighSurrogate(*p) || IsLowSurrogate(*p)) {
            AppendCodePoint(out, 0xFFFD);
        } else {
            AppendCodePoint(out, *p);
        }
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
