#include "ui/buddy_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/status_answer.h"

namespace skelvane {
namespace {

using Names = std::vector<std::u16string>;

TEST(BuddyList, ParsingSplitsAtEveryLineEndAndKeepsWhatIsTyped) {
    const std::u16string fortyCharacters(40, u'x');
    const struct {
        std::u16string text;
        Names names;
    } cases[] = {
        {u"Alice\r\nBob", {u"Alice", u"Bob"}},
        {u"\r\n\r\nAlice\n\n\r\r\nBob\r\n", {u"Alice", u"Bob"}},
        {u"Alice\rBob\rCarol\rDave", {u"Alice", u"Bob", u"Carol", u"Dave"}},
        {fortyCharacters, {std::u16string(31, u'x')}},
        {u" Bob\t\r\nBob\r\nBob", {u" Bob\t", u"Bob", u"Bob"}},
        {u"", {}},
        {u"\r\n", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseBuddyList(c.text).names, c.names)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(BuddyList, ANameMatchesIgnoringAsciiCaseOrContainingTheEntryExactly) {
    const BuddyList bob = ParseBuddyList(u"Bob");
    const BuddyList spaced = ParseBuddyList(u" Bob");
    const struct {
        const BuddyList& list;
        std::u16string name;
        bool matches;
    } cases[] = {
        {bob, u"Bob", true},     {bob, u"bob", true},         {bob, u"BOB", true},
        {bob, u"xBobx", true},   {bob, u"xbobx", false},      {bob, u"Bo", false},
        {bob, u"", false},       {spaced, u"Bob", false},     {spaced, u"The Bob", true},
        {spaced, u" bob", true}, {spaced, u"The bob", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsBuddyName(c.list, c.name), c.matches)
            << std::string(c.name.begin(), c.name.end());
    }
    EXPECT_FALSE(IsBuddyName(ParseBuddyList(u"\u00c9ric"), u"\u00e9ric")) << "only A to Z fold";
    EXPECT_FALSE(IsBuddyName(ParseBuddyList(u""), u"Bob"));
}

TEST(BuddyList, AServerMatchesThroughItsListedPlayersOnly) {
    auto record = test::FreshRecord();
    const std::u16string names[] = {u"Zed", u"alice", u"Bob"};
    for (int i = 0; i < 3; ++i) {
        names[i].copy(record->players[i].name, kPlayerNameCapacity - 1);
    }
    const BuddyList list = ParseBuddyList(u"bob");
    record->playerCount = 3;
    EXPECT_TRUE(ServerHasBuddy(list, *record));
    record->playerCount = 2;
    EXPECT_FALSE(ServerHasBuddy(list, *record)) << "players past the count are not looked at";
    EXPECT_FALSE(ServerHasBuddy(ParseBuddyList(u""), *record));
    record->playerCount = -1;
    EXPECT_FALSE(ServerHasBuddy(list, *record));
    // A count beyond the array stops at its end (the sanitizers watch the reads).
    record->playerCount = 1000;
    EXPECT_TRUE(ServerHasBuddy(list, *record));
}

}  // namespace
}  // namespace skelvane
