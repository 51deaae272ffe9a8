#include "browse/server_find.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/status_parser.h"
#include "testnet/status_answer.h"
#include "tests/support/fresh_record.h"

namespace skelvane {
namespace {

// A server as the parser leaves it after this answer: the texts a find meets
// are those the lists show.
std::unique_ptr<ServerRecord> Parsed(const StatusAnswer& answer) {
    auto record = test::FreshRecord();
    ParseStatusAnswer(answer.Build(), *record, 1010);
    return record;
}

TEST(ServerFind, FindsHostMapModAndPlayerNamesAsShownIgnoringCase) {
    const auto server = Parsed(StatusAnswer()
                                   .Info("sv_hostname", "^1Red^7Server \xC3\x91o\xC3\xB1o")
                                   .Info("mapname", "^2dm17")
                                   .Info("gamename", "Arena")
                                   .Info("sv_maxclients", "8")
                                   .Player(3, 40, "^4Kite")
                                   .Player(1, 0, "\xD0\x92\xD0\xBE\xD0\xBB\xD0\xBA")
                                   .Player(0, 9, "Se\xF1or"));
    const struct {
        std::u16string text;
        bool found;
    } cases[] = {
        {u"", true},
        {u"redserver", true},   // host name without its colour codes
        {u"^1red", false},      // which the host name cell no longer shows
        {u"ÑOÑO", true},        // UTF-8 decoded, Latin-1 capitals folded
        {u"^2DM", true},        // the map cell shows what the server sent
        {u"aRENA", true},       // the mod
        {u"kite", true},        // a player, colour codes stripped
        {u"ВОЛК", true},        // a Cyrillic name in capitals
        {u"SEÑOR", true},       // a Windows-1252 name
        {u"dm17arena", false},  // never across two texts
        {u"Server ÑoÑo ", false},
        {u"default", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text).Finds(*server), c.found)
            << std::string(c.text.begin(), c.text.end());
    }
}

TEST(ServerFind, OnlyTheReadablePlayersAreLookedAt) {
    auto server = Parsed(StatusAnswer().Player(1, 5, "Ann").Player(2, 5, "Bob"));
    server->playerCount = 1;
    EXPECT_TRUE(FindText(u"ann").Finds(*server));
    EXPECT_FALSE(FindText(u"bob").Finds(*server)) << "a player past the count";
    server->playerCount = 1000;
    EXPECT_TRUE(FindText(u"bob").Finds(*server)) << "the count kept within the array";
}

TEST(ServerFind, CaseFoldingCoversLatinGreekAndCyrillicCapitalsOnly) {
    const struct {
        char16_t capital;
        char16_t folded;
    } cases[] = {
        {u'A', u'a'},     {u'Z', u'z'},     {u'[', u'['},     {u'a', u'a'},     {0x00C0, 0x00E0},
        {0x00D7, 0x00D7}, {0x00DE, 0x00FE}, {0x00DF, 0x00DF}, {0x0178, 0x00FF}, {0x0100, 0x0101},
        {0x0101, 0x0101}, {0x0130, 0x0130}, {0x0139, 0x013A}, {0x0148, 0x0148}, {0x014A, 0x014B},
        {0x017D, 0x017E}, {0x03A3, 0x03C3}, {0x03A2, 0x03A2}, {0x0401, 0x0451}, {0x042F, 0x044F},
        {0x4E2D, 0x4E2D},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldCaseForFind(c.capital), c.folded) << std::hex << int{c.capital};
    }
}

TEST(ServerFind, ATextNarrowsTheTextsItContainsAndIsCutTo63Characters) {
    EXPECT_TRUE(FindText(u"Lantern").Narrows(FindText(u"ANT")));
    EXPECT_TRUE(FindText(u"ant").Narrows(FindText(u"")));
    EXPECT_FALSE(FindText(u"an").Narrows(FindText(u"ant")));
    EXPECT_FALSE(FindText(u"lantern").Narrows(FindText(u"tl")));

    const auto server = Parsed(StatusAnswer().Info("sv_hostname", std::string(63, 'x') + "y"));
    EXPECT_TRUE(FindText(std::u16string(63, u'x') + u"z").Finds(*server))
        << "the 64th character is not part of the text";
    EXPECT_EQ(FindText(std::u16string(70, u'x')), FindText(std::u16string(63, u'x')));
}

TEST(ServerFind, AServerIsListedWhenFullEmptyAndTheFindTextAllPassIt) {
    const auto full = Parsed(
        StatusAnswer().Info("sv_hostname", "Keep").Info("sv_maxclients", "1").Player(1, 5, "Ann"));
    const FindText keep(u"kee");
    const FindText other(u"zz");
    EXPECT_TRUE(IsServerListed(*full, {1, 0, nullptr}));
    EXPECT_TRUE(IsServerListed(*full, {1, 0, &keep}));
    EXPECT_FALSE(IsServerListed(*full, {1, 1, &other}));
    EXPECT_FALSE(IsServerListed(*full, {0, 1, &keep})) << "found, but full servers are hidden";
    full->responded = 0;
    EXPECT_FALSE(IsServerListed(*full, {1, 1, &keep})) << "no answer, no row";
}

}  // namespace
}  // namespace skelvane
