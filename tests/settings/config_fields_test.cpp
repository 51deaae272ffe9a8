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

// Settings that no field can give back as they are: paths of 259 characters
// (one more than a field keeps), a directory without its backslash, a list
// with bare line ends.
Settings UnusualSettings() {
    Settings settings;
    std::u16string(258, u'd').append(u"e").copy(settings.gameDirectory, 259);
    std::u16string(255, u'x').append(u".exe").copy(settings.gameExecutable, 259);
    settings.buddyText = u"Ann\nBob\r\r";
    settings.packetsPerSecond = 7;
    settings.goodPingThreshold = -1;
    settings.mediumPingThreshold = 0;
    return settings;
}

// Opening the dialog and closing it changes nothing; a field that was changed
// changes its own setting alone, by the rules of its field.
TEST(ConfigFields, OnlyAChangedFieldChangesItsSetting) {
    const struct {
        std::u16string ConfigFields::*field;
        std::u16string typed;
        void (*expect)(Settings&);
    } cases[] = {
        {nullptr, u"", [](Settings&) {}},
        {&ConfigFields::gameDirectory, u"C:\\G",
         [](Settings& s) { TakeDirectoryField(u"C:\\G\\", s.gameDirectory); }},
        {&ConfigFields::gameExecutable, std::u16string(300, u'e'),
         [](Settings& s) { TakeTextField(std::u16string(258, u'e'), s.gameExecutable); }},
        {&ConfigFields::queryRate, u"0", [](Settings& s) { s.packetsPerSecond = 10; }},
        {&ConfigFields::goodPing, u"", [](Settings& s) { s.goodPingThreshold = 0; }},
        {&ConfigFields::mediumPing, u"250", [](Settings& s) { s.mediumPingThreshold = 250; }},
        {&ConfigFields::buddyText, u"Ann\r\n", [](Settings& s) { s.buddyText = u"Ann\r\n"; }},
    };
    for (const auto& c : cases) {
        Settings settings = UnusualSettings();
        const ConfigFields filled = ConfigFieldsOf(settings);
        ConfigFields now = filled;
        if (c.field != nullptr) {
            now.*c.field = c.typed;
        }
        ApplyConfigFields(filled, now, settings);
        Settings expected = UnusualSettings();
        c.expect(expected);
        EXPECT_TRUE(ConfigFieldsOf(settings) == ConfigFieldsOf(expected))
            << std::string(c.typed.begin(), c.typed.end());
    }
    const ConfigFields shown = ConfigFieldsOf(UnusualSettings());
    EXPECT_EQ(shown.queryRate, u"7");
    EXPECT_EQ(shown.goodPing, u"-1");
    EXPECT_EQ(shown.gameDirectory.size(), 259u);
}

}  // namespace
}  // namespace skelvane
