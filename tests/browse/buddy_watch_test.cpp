#include "browse/buddy_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace skelvane {
namespace {

// Server n is 127.0.0.1:27960+n, named "Srv n".
WatchedServer Server(int n) {
    return WatchedServer{{LoopbackAddress(), static_cast<std::uint16_t>(27960 + n)},
                         u"Srv " + std::u16string(1, static_cast<char16_t>(u'0' + n))};
}

struct Seen {
    const char16_t* player;
    int server;
};

std::vector<BuddySighting> Sightings(const std::vector<Seen>& seen) {
    std::vector<BuddySighting> sightings;
    for (const Seen& s : seen) {
        sightings.push_back(BuddySighting{s.player, Server(s.server)});
    }
    return sightings;
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// "joined Kite@1", "moved Kite@1>2": the events of one refresh in one line.
std::string Describe(const std::vector<BuddyEvent>& events) {
    static const char* const kKinds[] = {"playing", "joined", "moved", "left"};
    std::string text;
    for (const BuddyEvent& e : events) {
        text += text.empty() ? "" : ", ";
        text += std::string(kKinds[static_cast<int>(e.kind)]) + " " + Narrow(e.player) + "@";
        if (e.kind == BuddyEventKind::kMoved) {
            text += std::to_string(e.from.endpoint.port - 27960) + ">";
        }
        text += std::to_string(e.server.endpoint.port - 27960);
    }
    return text;
}

TEST(BuddyWatch, EventsOverRunsOfRefreshes) {
    const struct {
        const char* name;
        std::vector<std::vector<Seen>> refreshes;
        std::vector<std::string> events;
    } cases[] = {
        {"the first refresh names who already plays",
         {{{u"Kite", 1}, {u"Fox", 2}}, {{u"Kite", 1}, {u"Fox", 2}}},
         {"playing Kite@1, playing Fox@2", ""}},
        {"a buddy who comes joins",
         {{}, {{u"Kite", 1}}, {{u"Kite", 1}}},
         {"", "joined Kite@1", ""}},
        {"one missed refresh raises nothing",
         {{{u"Kite", 1}}, {}, {{u"Kite", 1}}, {}, {{u"Kite", 1}}},
         {"playing Kite@1", "", "", "", ""}},
        {"two missed refreshes are a departure, and a return a join",
         {{{u"Kite", 1}}, {}, {}, {}, {{u"Kite", 1}}},
         {"playing Kite@1", "", "left Kite@1", "", "joined Kite@1"}},
        {"a move is one event, and the old place never leaves",
         {{{u"Kite", 1}}, {{u"Kite", 2}}, {{u"Kite", 2}}, {{u"Kite", 2}}},
         {"playing Kite@1", "moved Kite@1>2", "", ""}},
        {"a move across a missed refresh",
         {{{u"Kite", 1}, {u"Fox", 3}}, {{u"Fox", 3}}, {{u"Kite", 2}, {u"Fox", 3}}},
         {"playing Kite@1, playing Fox@3", "", "moved Kite@1>2"}},
        {"the same name on a second server is another buddy",
         {{{u"Kite", 1}}, {{u"Kite", 1}, {u"Kite", 2}}, {{u"Kite", 2}}, {{u"Kite", 2}}},
         {"playing Kite@1", "joined Kite@2", "", "left Kite@1"}},
        {"of two places a mover may have left, the older",
         {{{u"Kite", 1}}, {{u"Kite", 1}, {u"Kite", 2}}, {{u"Kite", 3}}, {}},
         {"playing Kite@1", "joined Kite@2", "moved Kite@1>3", "left Kite@2"}},
        {"two movers of one name each leave a place of their own",
         {{{u"Kite", 1}, {u"Kite", 2}}, {{u"Kite", 3}, {u"Kite", 4}}, {}},
         {"playing Kite@1, playing Kite@2", "moved Kite@1>3, moved Kite@2>4", ""}},
        {"a name twice on one server is one buddy",
         {{{u"Kite", 1}, {u"Kite", 1}}, {{u"Kite", 2}, {u"Kite", 2}}},
         {"playing Kite@1", "moved Kite@1>2"}},
        {"names are told apart by case as the server sends them",
         {{{u"Kite", 1}}, {{u"kite", 1}}, {{u"kite", 1}}},
         {"playing Kite@1", "joined kite@1", "left Kite@1"}},
    };
    for (const auto& c : cases) {
        BuddyWatch watch;
        ASSERT_EQ(c.refreshes.size(), c.events.size()) << c.name;
        for (std::size_t i = 0; i < c.refreshes.size(); ++i) {
            EXPECT_EQ(Describe(watch.Observe(Sightings(c.refreshes[i]))), c.events[i])
                << c.name << ", refresh " << i + 1;
        }
    }
}

TEST(BuddyWatch, EventsNameTheServerAsLastSeenAndResetStartsAWatchAfresh) {
    BuddyWatch watch;
    WatchedServer renamed = Server(1);
    renamed.hostName = u"Renamed";
    watch.Observe(Sightings({{u"Kite", 1}}));
    watch.Observe({BuddySighting{u"Kite", renamed}});
    watch.Observe({});
    const std::vector<BuddyEvent> left = watch.Observe({});
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].server.hostName, u"Renamed");

    const std::vector<BuddyEvent> moved = watch.Observe(Sightings({{u"Fox", 2}}));
    watch.Observe(Sightings({{u"Fox", 3}}));
    watch.Reset();
    EXPECT_EQ(Describe(watch.Observe(Sightings({{u"Fox", 3}}))), "playing Fox@3");
    EXPECT_EQ(Describe(moved), "joined Fox@2");
}

TEST(BuddyWatch, OnlyAWholeListSweptToItsEndTellsWhereBuddiesAre) {
    using M = MasterOutcome;
    using L = SweptList;
    using S = SweepOutcome;
    const struct {
        M master;
        L swept;
        S sweep;
        bool counts;
    } cases[] = {
        {M::kHandedOver, L::kMaster, S::kCompleted, true},
        {M::kNoResponse, L::kFallback, S::kCompleted, true},
        {M::kNotAsked, L::kGiven, S::kCompleted, true},
        {M::kNoResponse, L::kGiven, S::kCompleted, false},
        {M::kResolveFailed, L::kNone, S::kSetupFailed, false},
        {M::kHandedOver, L::kMaster, S::kAborted, false},
        {M::kHandedOver, L::kMaster, S::kSetupFailed, false},
    };
    for (const auto& c : cases) {
        RefreshResult result;
        result.master = c.master;
        result.swept = c.swept;
        result.sweep = c.sweep;
        EXPECT_EQ(SweptWholeList(result), c.counts)
            << static_cast<int>(c.master) << " " << static_cast<int>(c.swept) << " "
            << static_cast<int>(c.sweep);
    }
}

TEST(BuddyWatch, SightsMatchingPlayersOfAnsweredServersOnly) {
    ServerTable table;
    GrowTable(table, 3);
    for (std::uint16_t port : {27961, 27962, 27963}) {
        AppendServer(table, LoopbackAddress(), port);
    }
    const char16_t* names[3][2] = {{u"xKitex", u"Ann"}, {u"Kite", u"Fox"}, {u"Kite", u"kite"}};
    for (int i = 0; i < 3; ++i) {
        ServerRecord& record = table[i];
        std::u16string(u"Srv").copy(record.hostName, kLongTextCapacity - 1);
        record.playerCount = 2;
        record.responded = i == 1 ? 0 : 1;
        for (int p = 0; p < 2; ++p) {
            std::u16string(names[i][p]).copy(record.players[p].name, kPlayerNameCapacity - 1);
        }
    }
    const std::vector<BuddySighting> seen = SightBuddies(table, ParseBuddyList(u"Kite"));
    std::vector<std::string> found;
    for (const BuddySighting& s : seen) {
        found.push_back(Narrow(s.player) + "@" + std::to_string(s.server.endpoint.port) + " " +
                        Narrow(s.server.hostName));
    }
    EXPECT_EQ(found,
              (std::vector<std::string>{"xKitex@27961 Srv", "Kite@27963 Srv", "kite@27963 Srv"}));
    EXPECT_TRUE(SightBuddies(table, ParseBuddyList(u"")).empty());
}

}  // namespace
}  // namespace skelvane
