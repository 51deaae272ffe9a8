#include "engine/player_line.h"

#include <gtest/gtest.h>

#include <string>

namespace skelvane {
namespace {

std::optional<PlayerRecord> Read(const std::string& line) {
    return ReadPlayerLine({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
}

std::u16string Name(const std::string& line) {
    const auto player = Read(line);
    return player ? std::u16string(player->name) : u"<ignored>";
}

TEST(PlayerLine, ScorePingAndQuotedName) {
    const auto player = Read("  15   -40 \"^3Gold\"");
    ASSERT_TRUE(player);
    EXPECT_EQ(player->score, 15);
    EXPECT_EQ(player->ping, -40);
    EXPECT_EQ(std::u16string(player->name), u"Gold");
}

TEST(PlayerLine, FewerThanTwoTokensAreIgnored) {
    EXPECT_FALSE(Read(""));
    EXPECT_FALSE(Read("    "));
    EXPECT_FALSE(Read("12"));
    EXPECT_FALSE(Read("  12   "));
}

// The name begins right after the one space that ends the ping.
TEST(PlayerLine, TheNameStartsAfterTheSingleSeparator) {
    EXPECT_EQ(Name("1 2"), u"");
    EXPECT_EQ(Name("1 2 "), u"");
    EXPECT_EQ(Name("1 2 \"\""), u"");
    EXPECT_EQ(Name("1 2  \"x\""), u" ") << "two spaces: the name is the second one";
    EXPECT_EQ(Name("1 2 \"\"\"quoted"), u"quoted") << "all leading quotes are skipped";
    EXPECT_EQ(Name("1 2 bare words"), u"bare words");
    EXPECT_EQ(Name("1 2 \"a\"b\""), u"a");
    EXPECT_EQ(Name("a b \"n\""), u"n") << "tokens that are not numbers still count";
}

TEST(PlayerLine, NamesAreCutTo31CharactersBeforeColourCodesGo) {
    EXPECT_EQ(Name("1 2 \"" + std::string(40, 'x') + "\""), std::u16string(31, u'x'));
    EXPECT_EQ(Name("1 2 \"^1" + std::string(40, 'x') + "\""), std::u16string(29, u'x'));
    EXPECT_EQ(Name("1 2 \"\x80uro\""), u"\u20acuro");
}

}  // namespace
}  // namespace skelvane
