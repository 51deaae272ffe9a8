#include "browse/buddy_alerts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace skelvane {
namespace {

WatchedServer Server(int n, std::u16string hostName = {}) {
    if (hostName.empty()) {
        hostName = u"Srv " + std::u16string(1, static_cast<char16_t>(u'0' + n));
    }
    return WatchedServer{{LoopbackAddress(), static_cast<std::uint16_t>(27960 + n)}, hostName};
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

std::u16string Wide(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// "title | text | port" for each alert.
std::vector<std::string> Describe(const std::vector<BuddyAlert>& alerts) {
    std::vector<std::string> lines;
    for (const BuddyAlert& a : alerts) {
        lines.push_back(Narrow(a.title) + " | " + Narrow(a.text) + " | " +
                        std::to_string(a.server.port));
    }
    return lines;
}

TEST(BuddyAlerts, OneForThoseAlreadyPlayingThenOneForEachBuddyNewlySeen) {
    using K = BuddyEventKind;
    const struct {
        std::vector<BuddyEvent> events;
        std::vector<std::string> alerts;
    } cases[] = {
        {{{K::kPlaying, u"Kite", Server(1), {}},
          {K::kPlaying, u"Fox", Server(2), {}},
          {K::kJoined, u"Ann", Server(3), {}},
          {K::kMoved, u"Kite", Server(4), Server(1)},
          {K::kLeft, u"Fox", Server(2), {}}},
         {"2 buddies are playing | Kite on Srv 1\nFox on Srv 2 | 27961",
          "A buddy joined a server | Ann on Srv 3\n127.0.0.1:27963 | 27963",
          "A buddy moved to another server | Kite on Srv 4\n127.0.0.1:27964 | 27964"}},
        {{{K::kPlaying, u"Kite", Server(1), {}}}, {"A buddy is playing | Kite on Srv 1 | 27961"}},
        {{{K::kJoined, u"Ki\nte\x9b", Server(5, u"Evil\r\x1b[2J"), {}}},
         {"A buddy joined a server | Ki?te? on Evil??[2J\n127.0.0.1:27965 | 27965"}},
        {{{K::kLeft, u"Kite", Server(1), {}}}, {}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(AlertsFor(c.events)), c.alerts);
    }
}

TEST(BuddyAlerts, TextsFitANotificationAndStillNameWhoAndWhere) {
    const std::u16string longName(300, u'h');
    // Lines of 50 characters: a fifth fits, but not with the count after it.
    std::vector<BuddyEvent> playing;
    for (int i = 0; i < 40; ++i) {
        playing.push_back({BuddyEventKind::kPlaying,
                           u"Kite" + std::u16string(1, u'a' + i % 26),
                           Server(1, u"Server with a long name " + std::u16string(17, u'x')),
                           {}});
    }
    const BuddyAlert many = AlertsFor(playing)[0];
    EXPECT_EQ(many.title, u"40 buddies are playing");
    ASSERT_LT(many.text.size(), kAlertTextCapacity);
    const std::size_t named =
        static_cast<std::size_t>(std::count(many.text.begin(), many.text.end(), u'\n'));
    EXPECT_EQ(many.text.substr(many.text.rfind(u'\n') + 1),
              Wide("and " + std::to_string(40 - named) + " more"));
    EXPECT_GT(named, 3u);

    const BuddyAlert one =
        AlertsFor({{BuddyEventKind::kPlaying, u"Kite", Server(1, longName), {}}})[0];
    EXPECT_EQ(one.text.size(), kAlertTextCapacity - 1);
    EXPECT_EQ(one.text.substr(0, 8), u"Kite on ") << "a single buddy is named however long";

    const BuddyAlert joined = AlertsFor(
        {{BuddyEventKind::kJoined, std::u16string(31, u'K'), Server(1, longName), {}}})[0];
    EXPECT_EQ(joined.text.substr(0, 35), u"KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK on ");
    EXPECT_EQ(joined.text.size(), kAlertTextCapacity - 1);
    EXPECT_EQ(joined.text.substr(joined.text.size() - 16), u"\n127.0.0.1:27961");
}

TEST(BuddyAlerts, TheQueueShowsOneAtATimeAndCountsWhatWouldOverflowIt) {
    std::vector<BuddyAlert> alerts;
    for (int i = 1; i <= 20; ++i) {
        alerts.push_back({u"t", u"x", {LoopbackAddress(), static_cast<std::uint16_t>(i)}});
    }
    AlertQueue queue;
    queue.Add(alerts);
    std::vector<std::string> shown;
    while (const auto next = queue.ShowNext()) {
        EXPECT_FALSE(queue.ShowNext()) << "nothing while one is on screen";
        ASSERT_NE(queue.Shown(), nullptr);
        shown.push_back(std::to_string(queue.Shown()->server.port) +
                        (next->title == u"t" ? "" : " " + Narrow(next->text)));
        queue.ShownGone();
    }
    std::vector<std::string> expected;
    for (int i = 1; i <= 15; ++i) {
        expected.push_back(std::to_string(i));
    }
    expected.push_back("16 5 more buddies joined or moved to a server.");
    EXPECT_EQ(shown, expected);

    queue.Add({alerts[0], alerts[1]});
    ASSERT_TRUE(queue.ShowNext());
    EXPECT_EQ(queue.Shown()->server.port, 1) << "a new run of alerts waits in full again";
    queue.Clear();
    EXPECT_EQ(queue.Shown(), nullptr);
    EXPECT_FALSE(queue.ShowNext());
}

}  // namespace
}  // namespace skelvane
