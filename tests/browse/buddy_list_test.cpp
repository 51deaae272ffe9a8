#include "browse/buddy_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace skelvane {
namespace {

std::vector<std::u16string> Names(const BuddyList& list) {
    std::vector<std::u16string> names;
    for (std::int32_t i = 0; i < list.buddyCount; ++i) {
        names.emplace_back(list.buddyNames[static_cast<std::size_t>(i)].text);
    }
    return names;
}

TEST(BuddyList, OneNameALineWhateverEndsTheLines) {
    const std::u16string forty(40, u'x');
    const struct {
        std::u16string text;
        std::vector<std::u16string> names;
    } cases[] = {
        {u"Alice\r\nBob", {u"Alice", u"Bob"}},
        {u"\n\nAlice\r\n\r\n\nBob\n", {u"Alice", u"Bob"}},
        {u"A\rB\rC\rD\rE", {u"A", u"B", u"C", u"D", u"E"}},
        {u"\r\r\rA\rB", {u"A", u"B"}},
        {forty, {std::u16string(31, u'x')}},
        {u" Bob\t", {u" Bob\t"}},
        {u"Bob\nBob", {u"Bob", u"Bob"}},
        {u"\r\n", {}},
        {u"", {}},
    };
    for (const auto& c : cases) {
        const BuddyList list = ParseBuddyList(c.text);
        EXPECT_EQ(Names(list), c.names) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(list.buddyNames.size(), c.names.size()) << "the table holds the names, no more";
    }
}

TEST(BuddyList, EqualIgnoringAsciiCaseOrContainedWithTheSameCase) {
    const BuddyList list = ParseBuddyList(u"Bob\n Ann\n\u00c9lo");
    const struct {
        const char16_t* player;
        bool buddy;
    } cases[] = {
        {u"Bob", true},       {u"bob", true},      {u"BOB", true},  {u"xBobx", true},
        {u"xbobx", false},    {u"Bo", false},      {u"Ann", false}, {u"The Ann", true},
        {u"\u00e9lo", false}, {u"\u00c9LO", true}, {u"", false},    {u"\u00c9lo!", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsBuddyName(list, c.player), c.buddy)
            << std::string(c.player, c.player + std::u16string(c.player).size());
    }
    EXPECT_FALSE(IsBuddyName(ParseBuddyList(u""), u"Bob"));
}

TEST(BuddyList, AServerHasABuddyWhenOneOfItsListedPlayersIs) {
    ServerRecord record{};
    const char16_t* players[] = {u"ann", u"xBobx", u"carl"};
    for (int i = 0; i < 3; ++i) {
        std::u16string(players[i]).copy(record.players[i].name, kPlayerNameCapacity - 1);
    }
    const BuddyList bob = ParseBuddyList(u"Bob");
    record.playerCount = 3;
    EXPECT_TRUE(ServerHasBuddy(bob, record));
    record.playerCount = 1;
    EXPECT_FALSE(ServerHasBuddy(bob, record)) << "only the first playerCount players count";
    record.playerCount = 3;
    EXPECT_FALSE(ServerHasBuddy(ParseBuddyList(u""), record));
    EXPECT_FALSE(ServerHasBuddy(ParseBuddyList(u"Dora"), record));
    record.playerCount = -1;
    EXPECT_FALSE(ServerHasBuddy(bob, record));
    // A count beyond the array stops at its end (the sanitizers watch the reads).
    auto heap = std::make_unique<ServerRecord>(record);
    heap->playerCount = 1000;
    EXPECT_TRUE(ServerHasBuddy(bob, *heap));
}

}  // namespace
}  // namespace skelvane
