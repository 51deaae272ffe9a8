#include "platform/ansi_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skelvane {
namespace {

std::u16string Convert(const std::string& text, int capacity = 256) {
    std::vector<char16_t> out(static_cast<std::size_t>(capacity) + 1, u'#');
    const int written = AnsiToUtf16(
        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, out.data(), capacity);
    EXPECT_EQ(out[static_cast<std::size_t>(capacity)], u'#') << "wrote past the capacity";
    EXPECT_EQ(out[static_cast<std::size_t>(written)], u'\0');
    return out.data();
}

// Windows-1252 as the Windows converter has it: Latin-1 except 0x80 to 0x9F,
// where the five undefined bytes stay the C1 control of the same value.
TEST(AnsiText, EveryByteOfWindows1252) {
    const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int byte = 1; byte < 256; ++byte) {
        const char16_t expected =
            byte >= 0x80 && byte <= 0x9F ? high[byte - 0x80] : static_cast<char16_t>(byte);
        EXPECT_EQ(Convert(std::string(1, static_cast<char>(byte))), std::u16string(1, expected))
            << "byte " << byte;
    }
}

TEST(AnsiText, CutToOneUnitLessThanTheCapacityAndEndedByAZeroByte) {
    EXPECT_EQ(Convert("abcdef", 4), u"abc");
    EXPECT_EQ(Convert("abc", 4), u"abc");
    EXPECT_EQ(Convert("abc", 1), u"");
    EXPECT_EQ(Convert(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(Convert(""), u"");
    char16_t untouched = u'#';
    EXPECT_EQ(AnsiToUtf16({}, &untouched, 0), 0);
    EXPECT_EQ(untouched, u'#') << "no room even for the terminator";
}

}  // namespace
}  // namespace skelvane
