#include "engine/ascii_text.h"

#include <limits>

namespace skelvane {

std::optional<std::string> NarrowAscii(std::u16string_view text) {
    std::string ascii;
    for (const char16_t unit : text) {
        if (unit == u'\0' || unit >= 0x80) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(unit));
    }
    return ascii;
}

bool EqualsIgnoringAsciiCase(std::span<const std::uint8_t> text, std::string_view expected) {
    if (text.size() != expected.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (FoldAsciiCase(static_cast<char>(text[i])) != FoldAsciiCase(expected[i])) {
            return false;
        }
    }
    return true;
}

namespace {

bool IsWhiteSpace(std::uint8_t c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// Numbers come from other machines, so they are read without the C library
// (whose result on overflow is undefined and whose white space depends on the
// locale). The magnitude is gathered in 64 bits and stops growing once it is
// past every 32-bit value, so a value out of range ends at the limit on its
// side.
std::int32_t ReadDecimal(std::span<const std::uint8_t> text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    constexpr std::int64_t kBeyondRange = std::int64_t{1} << 32;
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude < kBeyondRange) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < kMin ? kMin : (value > kMax ? kMax : value));
}

}  // namespace skelvane
