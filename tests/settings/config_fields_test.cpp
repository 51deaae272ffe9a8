#include "settings/config_fields.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace skelvane {
namespace {

TEST(ConfigFields, NumberFieldsReadASignedDecimalAndZeroForAnythingElse) {
    const struct {
        std::u16string text;
        std::int32_t number;
    } cases[] = {
        {u"", 0},
        {u"abc", 0},
        {u"42", 42},
        {u"-7", -7},
        {u"  15ms", 15},
        {u"99999999999", INT32_MAX},
        {u"-99999999999", INT32_MIN},
        {u"\uff11\uff12", 0},
        {u"3\u00a04", 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConfigNumber(c.text), c.number) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(ConfigFields, PathsAreCutClearedAndGetTheirBackslash) {
    const std::u16string long300(300, u'p');
    const struct {
        std::u16string text;
        bool directory;
        std::u16string result;
    } cases[] = {
        {u"C:\\Games\\Skelvane", true, u"C:\\Games\\Skelvane\\"},
        {u"C:\\Games\\Skelvane\\", true, u"C:\\Games\\Skelvane\\"},
        {u"", true, u""},
        {long300, true, std::u16string(258, u'p') + u"\\"},
        {std::u16string(257, u'p') + u"\\", true, std::u16string(257, u'p') + u"\\"},
        {long300, false, std::u16string(258, u'p')},
        {u"", false, u""},
    };
    for (const auto& c : cases) {
        char16_t member[260];
        std::fill(std::begin(member), std::end(member), u'#');
        if (c.directory) {
            TakeDirectoryField(c.text, member);
        } else {
            TakeTextField(c.text, member);
        }
        EXPECT_EQ(std::u16string(member, 260), c.result + std::u16string(260 - c.result.size(), 0))
            << c.text.size() << (c.directory ? " directory" : " executable");
    }
}

}  // namespace
}  // namespace skelvane
