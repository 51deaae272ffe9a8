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

// Well-formed UTF-8 with a multi-byte character is decoded as UTF-8; anything
// else, even one bad byte in it, is Windows-1252 as before.
TEST(AnsiText, MultiByteUtf8IsDecodedAndEverythingElseStaysWindows1252) {
    const struct {
        const char* bytes;
        std::u16string text;
    } cases[] = {
        {"Caf\xC3\xA9", u"Caf\u00e9"},
        {"Caf\xE9", u"Caf\u00e9"},
        {"\x93Hi\x94 \x80", u"\u201cHi\u201d \u20ac"},
        {"\xDC"
         "ber",
         u"\u00dc"
         u"ber"},
        {"\xE2\x82\xAC \xF0\x9F\x98\x80", u"\u20ac \U0001F600"},
        {"\xC3\xA9 \xE9", u"\u00c3\u00a9 \u00e9"},
        {"Caf\xC3", u"Caf\u00c3"},
        {"\xC0\x80", u"\u00c0\u20ac"},
        {"\xE0\x80\x80", u"\u00e0\u20ac\u20ac"},
        {"\xED\xA0\x80", u"\u00ed\u00a0\u20ac"},
        {"\xF4\x90\x80\x80", u"\u00f4\u0090\u20ac\u20ac"},
        {"\xF5\x80\x80\x80", u"\u00f5\u20ac\u20ac\u20ac"},
        {"plain ASCII", u"plain ASCII"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.bytes), c.text) << c.bytes;
    }
}

TEST(AnsiText, Utf8IsCutWithoutSplittingACharacter) {
    const std::string smile = "a\xF0\x9F\x98\x80";
    EXPECT_EQ(Convert(smile, 3), u"a") << "a surrogate pair goes whole or not at all";
    EXPECT_EQ(Convert(smile, 4), u"a\U0001F600");
    EXPECT_EQ(Convert("\xC3\xA9\xC3\xA9", 2), u"\u00e9");
    EXPECT_EQ(Convert(std::string("\xC3\xA9\0\xE9", 4)), u"\u00e9") << "a zero byte ends it";
}

}  // namespace
}  // namespace skelvane
