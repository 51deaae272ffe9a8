#include "engine/status_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "testnet/status_answer.h"
#include "tests/support/fresh_record.h"

namespace skelvane {
namespace {

using test::FreshRecord;

std::unique_ptr<ServerRecord> Parse(std::span<const std::uint8_t> bytes, std::uint32_t now = 1050) {
    auto record = FreshRecord();
    ParseStatusAnswer(bytes, *record, now);
    return record;
}

bool IsTerminated(std::span<const char16_t> text) {
    return std::find(text.begin(), text.end(), u'\0') != text.end();
}

bool PlayersFromUntouched(const ServerRecord& record, int first) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(record.players + first);
    const std::size_t size = sizeof(PlayerRecord) * static_cast<std::size_t>(kMaxPlayers - first);
    return std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
}

StatusAnswer TypicalAnswer() {
    return StatusAnswer()
        .Info("sv_maxclients", "16")
        .Info("sv_privateclients", "2")
        .Info("mapname", "dm_crossroads")
        .Info("timelimit", "20")
        .Info("gamename", "arena")
        .Info("sv_hostname", "^1Red^7Server")
        .Info("sv_pure", "1")
        .Info("version", "1.32 linux-i386")
        .Player(12, 48, "^4Blue")
        .Player(-3, 999, "Grey")
        .Player(0, 0, "");
}

TEST(StatusParser, FillsEveryFieldOfATypicalAnswer) {
    auto record = FreshRecord(0xFFFFFFF0u);
    ParseStatusAnswer(TypicalAnswer().Build(), *record, 0x10);
    EXPECT_EQ(record->responded, 1);
    EXPECT_EQ(record->ping, 0x20u) << "the ping is a difference modulo 2^32";
    EXPECT_EQ(record->maxClients, 16);
    EXPECT_EQ(record->privateClients, 2);
    EXPECT_EQ(record->timeLimit, 20);
    EXPECT_EQ(record->pure, 1);
    EXPECT_EQ(std::u16string(record->mapName), u"dm_crossroads");
    EXPECT_EQ(std::u16string(record->gameName), u"arena");
    EXPECT_EQ(std::u16string(record->hostName), u"RedServer");
    EXPECT_EQ(std::u16string(record->version), u"1.32 linux-i386");
    ASSERT_EQ(record->playerCount, 3);
    EXPECT_EQ(std::u16string(record->players[0].name), u"Blue");
    EXPECT_EQ(record->players[0].score, 12);
    EXPECT_EQ(record->players[0].ping, 48);
    EXPECT_EQ(record->players[1].score, -3);
    EXPECT_EQ(std::u16string(record->players[2].name), u"");
    EXPECT_TRUE(PlayersFromUntouched(*record, 3));
}

TEST(StatusParser, AnswersWithoutInfoOrPlayersGetTheAbsentValues) {
    for (const std::string text :
         {"", "\xFF\xFF\xFF\xFFstatusResponse", "\xFF\xFF\xFF\xFFstatusResponse\n",
          "\xFF\xFF\xFF\xFFstatusResponse\n\n"}) {
        const auto record = Parse(std::vector<std::uint8_t>(text.begin(), text.end()));
        EXPECT_EQ(record->responded, 1);
        EXPECT_EQ(record->ping, 50u);
        EXPECT_EQ(std::u16string(record->hostName), u"?");
        EXPECT_EQ(std::u16string(record->mapName), u"?");
        EXPECT_EQ(std::u16string(record->gameName), u"default");
        EXPECT_EQ(std::u16string(record->version), u"");
        EXPECT_EQ(record->maxClients, 0);
        EXPECT_EQ(record->playerCount, 0);
        EXPECT_TRUE(PlayersFromUntouched(*record, 0));
    }
}

// Every prefix is what a server that stops sending early would produce: it
// must parse within bounds and agree with the whole answer on every player
// that it holds completely.
TEST(StatusParser, EveryTruncatedPrefixParsesWithinBounds) {
    const auto whole = TypicalAnswer().Build();
    const auto full = Parse(whole);
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + size);
        const auto record = Parse(prefix);
        ASSERT_EQ(record->responded, 1) << size;
        ASSERT_LE(record->playerCount, full->playerCount) << size;
        for (auto text : {std::span<const char16_t>(record->hostName),
                          std::span<const char16_t>(record->mapName),
                          std::span<const char16_t>(record->version),
                          std::span<const char16_t>(record->gameName)}) {
            ASSERT_TRUE(IsTerminated(text)) << size;
        }
        for (int i = 0; i + 1 < record->playerCount; ++i) {
            ASSERT_EQ(std::memcmp(&record->players[i], &full->players[i], sizeof(PlayerRecord)), 0)
                << size;
        }
        ASSERT_TRUE(PlayersFromUntouched(*record, record->playerCount)) << size;
    }
}

TEST(StatusParser, OnlyTheFirst64PlayersAreStored) {
    StatusAnswer answer;
    for (int i = 0; i < 70; ++i) {
        answer.Player(i, 10, "p" + std::to_string(i));
    }
    const auto record = Parse(answer.Build());
    EXPECT_EQ(record->playerCount, 64);
    EXPECT_EQ(std::u16string(record->players[63].name), u"p63");
    EXPECT_EQ(record->players[63].score, 63);
}

TEST(StatusParser, IgnoredPlayerLinesLeaveTheirRecordUntouched) {
    const auto record =
        Parse(StatusAnswer().Line("").Line("   ").Line("7").Player(1, 2, "a").Line("8 ").Build());
    ASSERT_EQ(record->playerCount, 1);
    EXPECT_EQ(record->players[0].score, 1);
    EXPECT_TRUE(PlayersFromUntouched(*record, 1));
}

// A line longer than a line copy keeps its first 2047 bytes; the rest of it,
// up to its line feed, is skipped and the following lines read as usual.
TEST(StatusParser, OverlongLinesAreCutAndTheNextLineStillRead) {
    const std::string longName(3000, 'n');
    const std::string firstBytes = "1 2 \"" + std::string(2042, 'x');
    ASSERT_EQ(firstBytes.size(), 2047u);
    const auto record = Parse(StatusAnswer()
                                  .Info("sv_hostname", longName)
                                  .Info("mapname", "lost")
                                  .Line(firstBytes + "9 9 \"ghost\"")
                                  .Player(3, 4, "after")
                                  .Build());
    EXPECT_EQ(std::u16string(record->hostName), std::u16string(255, u'n'));
    EXPECT_EQ(std::u16string(record->mapName), u"?") << "mapname lies beyond byte 2047";
    ASSERT_EQ(record->playerCount, 2);
    EXPECT_EQ(std::u16string(record->players[0].name), std::u16string(31, u'x'));
    EXPECT_EQ(std::u16string(record->players[1].name), u"after");
}

// A datagram that fills the whole receive buffer and ends without a line
// feed: its last bytes are the last line, and the parser must stop at
// the byte count and never look for a zero behind it.
TEST(StatusParser, ReadsNoFurtherThanTheBytesReceived) {
    StatusAnswer answer = StatusAnswer().Player(1, 1, "first").Tail("5 6 \"la");
    const std::size_t padding = 4096 - answer.Size() - 1;
    std::vector<std::uint8_t> buffer = answer.Line(std::string(padding, '#')).Build();
    ASSERT_EQ(buffer.size(), 4096u);
    const std::string behind = "st\"\n7 8 \"ghost\"\n";
    buffer.insert(buffer.end(), behind.begin(), behind.end());
    const auto record = Parse(std::span(buffer).first(4096));
    ASSERT_EQ(record->playerCount, 2);
    EXPECT_EQ(std::u16string(record->players[1].name), u"la");
}

}  // namespace
}  // namespace skelvane
