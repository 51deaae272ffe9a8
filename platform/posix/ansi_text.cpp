#include "platform/ansi_text.h"

#include <algorithm>
#include <array>

namespace skelvane {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. The five bytes it
// leaves undefined map to the C1 control of the same value, as the Windows
// converter does, so text reads the same under both front ends.
constexpr std::array<char16_t, 32> kBytes80To9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char16_t FromWindows1252(std::uint8_t byte) {
    return byte >= 0x80 && byte <= 0x9F ? kBytes80To9F[byte - 0x80] : char16_t{byte};
}

}  // namespace

int CodePageToUtf16(std::span<const std::uint8_t> text, char16_t* out, int capacity) {
    if (capacity <= 0) {
        return 0;
    }
    const auto length =
        std::min(static_cast<std::ptrdiff_t>(text.size()), std::ptrdiff_t{capacity - 1});
    std::transform(text.begin(), text.begin() + length, out, FromWindows1252);
    out[length] = u'\0';
    return static_cast<int>(length);
}

}  // namespace skelvane
