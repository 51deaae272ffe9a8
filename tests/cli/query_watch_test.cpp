// skelvane-query --watch: the event lines and a watch over a test network.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "cli/buddy_event_report.h"
#include "cli/text_coding.h"
#include "engine/colour_codes.h"
#include "tests/cli/query_runner.h"
#include "tests/testnet/testnet_start.h"

namespace skelvane {
namespace {

WatchedServer Server(std::uint16_t port, std::u16string hostName) {
    return WatchedServer{{LoopbackAddress(), port}, std::move(hostName)};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Each line without its time stamp, which must come first in the given shape.
std::vector<std::string> Unstamped(const std::string& text, std::string_view stamp) {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(text)) {
        EXPECT_TRUE(test::StartsWithShape(line, stamp)) << line;
        lines.push_back(line.substr(std::min(stamp.size(), line.size())));
    }
    return lines;
}

TEST(QueryWatch, OneStampedLineOrJsonObjectPerEvent) {
    const WatchedServer arena = Server(27961, u"Arena");
    const WatchedServer evil = Server(27962, u"Evil\x1b[2J\"x\"");
    const std::vector<BuddyEvent> events = {
        {BuddyEventKind::kPlaying, u"Kite", arena, {}},
        {BuddyEventKind::kJoined, u"Fo\u00dfx", evil, {}},
        {BuddyEventKind::kMoved, u"Kite", evil, arena},
        {BuddyEventKind::kLeft, u"Fo\u00dfx", evil, {}},
    };
    std::ostringstream text;
    PrintBuddyEvents(text, events, 1733580000, false);
    EXPECT_EQ(Unstamped(text.str(), test::kLineStamp),
              (std::vector<std::string>{
                  "playing Kite on Arena (127.0.0.1:27961)",
                  "joined Fo\xc3\x9fx on Evil?[2J\"x\" (127.0.0.1:27962)",
                  "moved Kite to Evil?[2J\"x\" (127.0.0.1:27962) from Arena (127.0.0.1:27961)",
                  "left Fo\xc3\x9fx from Evil?[2J\"x\" (127.0.0.1:27962)",
              }));

    std::ostringstream json;
    PrintBuddyEvents(json, events, 1733580000, true);
    const std::string evilJson =
        "\"hostName\": \"Evil\\u001b[2J\\\"x\\\"\", \"address\": \"127.0.0.1\", \"port\": 27962";
    EXPECT_EQ(Unstamped(json.str(), test::kJsonStamp),
              (std::vector<std::string>{
                  "\"event\": \"playing\", \"player\": \"Kite\", \"hostName\": \"Arena\", "
                  "\"address\": \"127.0.0.1\", \"port\": 27961}",
                  "\"event\": \"joined\", \"player\": \"Fo\xc3\x9fx\", " + evilJson + "}",
                  "\"event\": \"moved\", \"player\": \"Kite\", " + evilJson +
                      ", \"fromHostName\": \"Arena\", \"fromAddress\": \"127.0.0.1\", "
                      "\"fromPort\": 27961}",
                  "\"event\": \"left\", \"player\": \"Fo\xc3\x9fx\", " + evilJson + "}",
              }));

    std::ostringstream none;
    PrintBuddyEvents(none, {}, 1733580000, false);
    EXPECT_TRUE(none.str().empty());
}

std::tm Reading(int year, int dayOfYear, int hour, int minute) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_yday = dayOfYear;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    return fields;
}

// The JSON stamp's offset from UTC, across the day and year boundaries a
// moment's two readings can straddle.
TEST(QueryWatch, OffsetFromUtcOfAMomentsTwoReadings) {
    struct Case {
        std::tm local;
        std::tm utc;
        int minutes;
    };
    const Case cases[] = {
        {Reading(2025, 40, 11, 0), Reading(2025, 40, 10, 0), 60},
        {Reading(2025, 40, 5, 30), Reading(2025, 40, 0, 0), 330},
        {Reading(2025, 41, 1, 45), Reading(2025, 40, 23, 0), 165},
        {Reading(2025, 39, 20, 0), Reading(2025, 40, 1, 0), -300},
        {Reading(2026, 0, 0, 30), Reading(2025, 364, 23, 30), 60},
        {Reading(2025, 364, 14, 0), Reading(2026, 0, 0, 0), -600},
        {Reading(2025, 40, 10, 0), Reading(2025, 40, 10, 0), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UtcOffsetMinutes(c.local, c.utc), c.minutes)
            << c.local.tm_year << "/" << c.local.tm_yday << " " << c.local.tm_hour;
    }
}

// A player's name as the program shows it, from the test network's bytes.
std::u16string ShownText(const std::string& bytes) {
    std::u16string text = Utf16FromBytes(bytes);
    StripColourCodes(text.data());
    return text.c_str();
}

// The first player of a plain name, which a --buddy argument gives exactly.
std::string PlainPlayer(const ServerContent& content) {
    for (const PlayerLine& player : content.players) {
        if (!player.name.empty() &&
            std::all_of(player.name.begin(), player.name.end(),
                        [](unsigned char c) { return std::isalnum(c) != 0; })) {
            return player.name;
        }
    }
    return {};
}

// The buddy's server answers only its fourth query: none of the first
// refresh's three passes, the first pass of the second.
TEST(QueryWatch, ABuddyWhoseServerStartsAnsweringJoinsAtTheNextRefresh) {
    const auto network = test::StartTestNetwork(
        {"--mix", "plain", "--servers", "3", "--knobs", "1:answer-on=4,players=6"});
    ASSERT_TRUE(network);
    const auto servers = network->Network().Servers();
    const std::string buddy = PlainPlayer(servers[1].content);
    ASSERT_FALSE(buddy.empty());
    const std::string host = TerminalText(ShownText(servers[1].content.hostName));
    const std::string joined = "joined " + buddy + " on " + host + " (" +
                               test::EndpointText(network->Network().ServerEndpoints()[1]) + ")";

    bool joinedWhileWatching = false;
    const test::QueryRun run = test::RunQueryUntil(
        {"--master", test::EndpointText(network->Network().MasterEndpoint()), "--rate", "1000",
         "--watch", "1", "--buddy", buddy},
        [&](const std::string& out) {
            joinedWhileWatching = out.find(joined) != std::string::npos;
            return joinedWhileWatching;
        },
        20000);

    EXPECT_TRUE(joinedWhileWatching) << "each event is written as it is found";
    EXPECT_EQ(run.exitCode, 1) << "Ctrl-C ends a watch as any abort";
    const std::vector<std::string> lines = Unstamped(run.out, test::kLineStamp);
    ASSERT_FALSE(lines.empty()) << run.err;
    EXPECT_EQ(lines.back(), joined);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind("playing " + buddy + " on ", 0), 0u) << lines[i];
        EXPECT_EQ(lines[i].find(host), std::string::npos) << "server 1 answered no first query";
    }
    std::vector<std::string> summaries;
    for (const std::string& line : Lines(run.err)) {
        if (line.rfind("Completed. ", 0) == 0) {
            summaries.push_back(line);
        }
    }
    EXPECT_EQ(summaries, (std::vector<std::string>{"Completed. 2 of 3 servers responded.",
                                                   "Completed. 3 of 3 servers responded."}));
}

}  // namespace
}  // namespace skelvane
