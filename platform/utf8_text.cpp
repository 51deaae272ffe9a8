#include "platform/utf8_text.h"

#include <optional>

namespace skelvane {

namespace {

struct Utf8Char {
    std::uint32_t point;
    std::size_t length;
};

bool InRange(std::uint8_t byte, std::uint8_t first, std::uint8_t last) {
    return byte >= first && byte <= last;
}

// The second byte's range rules out overlong forms, surrogate halves and code
// points beyond U+10FFFF; every later byte is a plain continuation byte.
struct LeadByte {
    std::uint8_t first, last;            // lead bytes of this form
    std::uint8_t secondLow, secondHigh;  // allowed second byte
    std::size_t length;
};

constexpr LeadByte kLeadBytes[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3}, {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3}, {0xF0, 0xF0, 0x90, 0xBF, 4},
    {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
};

// The character that starts at `at`, or nothing when the bytes there are not
// well-formed UTF-8.
std::optional<Utf8Char> ReadUtf8Char(std::span<const std::uint8_t> text, std::size_t at) {
    const std::uint8_t lead = text[at];
    if (lead < 0x80) {
        return Utf8Char{lead, 1};
    }
    for (const LeadByte& form : kLeadBytes) {
        if (!InRange(lead, form.first, form.last)) {
            continue;
        }
        if (text.size() - at < form.length ||
            !InRange(text[at + 1], form.secondLow, form.secondHigh)) {
            return std::nullopt;
        }
        std::uint32_t point = lead & (0xFFu >> (form.length + 1));
        for (std::size_t i = 1; i < form.length; ++i) {
            if (!InRange(text[at + i], 0x80, 0xBF)) {
                return std::nullopt;
            }
            point = (point << 6) | (text[at + i] & 0x3Fu);
        }
        return Utf8Char{point, form.length};
    }
    return std::nullopt;
}

}  // namespace

bool IsMultibyteUtf8(std::span<const std::uint8_t> text) {
    bool multibyte = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto c = ReadUtf8Char(text, at);
        if (!c) {
            return false;
        }
        multibyte = multibyte || c->length > 1;
        at += c->length;
    }
    return multibyte;
}

int Utf8ToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity) {
    if (capacity <= 0) {
        return 0;
    }
    int units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto c = ReadUtf8Char(text, at);
        const int needed = c && c->point >= 0x10000 ? 2 : 1;
        if (!c || units + needed > capacity - 1) {
            break;
        }
        if (needed == 2) {
            out[units++] = static_cast<char16_t>(0xD800 + ((c->point - 0x10000) >> 10));
            out[units++] = static_cast<char16_t>(0xDC00 + ((c->point - 0x10000) & 0x3FF));
        } else {
            out[units++] = static_cast<char16_t>(c->point);
        }
        at += c->length;
    }
    out[units] = u'\0';
    return units;
}

}  // namespace skelvane
