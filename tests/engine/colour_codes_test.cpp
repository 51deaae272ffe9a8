#include "engine/colour_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

std::u16string Strip(std::u16string text) {
    StripColourCodes(text.data());
    return text.c_str();
}

TEST(ColourCodes, EachCaretRemovesItselfAndOnePrintableCharacter) {
    EXPECT_EQ(Strip(u"^1Red^7Server"), u"RedServer");
    EXPECT_EQ(Strip(u"Name^"), u"Name");
    EXPECT_EQ(Strip(u"^^12ab"), u"ab") << "carets in a row stack";
    EXPECT_EQ(Strip(u"^^^"), u"");
    EXPECT_EQ(Strip(u"^ x"), u"x") << "a blank is printable and can be the coloured one";
    EXPECT_EQ(Strip(u"^\tx"), u"x") << "so is a tab, which is a blank";
    EXPECT_EQ(Strip(u"a\tb"), u"a\tb");
    EXPECT_EQ(Strip(u"^\u00e9t\u00e9"), u"t\u00e9") << "letters beyond ASCII are printable";
    EXPECT_EQ(Strip(u""), u"");
}

TEST(ColourCodes, ControlCharactersGoWithoutUsingACaret) {
    EXPECT_EQ(Strip(u"^\u0007X"), u"");
    EXPECT_EQ(Strip(u"^\u0007XY"), u"Y");
    EXPECT_EQ(Strip(u"a\nb\rc\u0085d\u007f"), u"abcd") << "line ends, C1 and DEL are controls";
    EXPECT_EQ(Strip(u"^\u202eab"), u"b") << "direction overrides are not printable";
    EXPECT_EQ(Strip(u"a\u200bb\ufeff"), u"ab");
}

TEST(ColourCodes, ASurrogatePairIsOneCharacterAndLoneHalvesGo) {
    const std::u16string smile = u"\U0001F600";
    EXPECT_EQ(Strip(u"x" + smile + u"y"), u"x" + smile + u"y");
    EXPECT_EQ(Strip(u"^" + smile + u"y"), u"y");
    EXPECT_EQ(Strip(std::u16string(u"^\xD83Dxy")), u"y") << "a lone high half is no character";
    EXPECT_EQ(Strip(std::u16string(u"a\xDE00"
                                   u"b\xD83D")),
              u"ab");
}

}  // namespace
}  // namespace skelvane
