#include "engine/server_query.h"

#include <gtest/gtest.h>

#include "engine/status_parser.h"
#include "platform/clock.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::FakeServers;

TEST(ServerQuery, AsksUpToThreeTimesAndTakesOnlyTheServersOwnAnswer) {
    const test::Bytes answer = StatusAnswer().Info("sv_hostname", "One").Build();
    FakeServers::Behaviour onSecond{answer, {}};
    onSecond.knobs.answerOnQuery = 2;
    FakeServers::Behaviour otherPort{answer, {}};
    otherPort.knobs.otherPort = true;
    const struct {
        const char* what;
        FakeServers::Behaviour behaviour;
        bool answered;
        int queries;
    } cases[] = {
        {"answers at once", {answer, {}}, true, 1},
        {"answers the second query", onSecond, true, 2},
        {"never answers", FakeServers::Silent(), false, 3},
        {"answers from another port", otherPort, false, 3},
    };
    const RefreshTiming timing = test::ShortTiming();
    for (const auto& c : cases) {
        FakeServers servers({c.behaviour});
        const std::uint32_t start = MillisecondClock();
        const auto got = QueryOneServer(Ipv4Endpoint{LoopbackAddress(), servers.port(0)}, timing);
        const std::uint32_t took = ElapsedMs(MillisecondClock(), start);
        EXPECT_EQ(servers.Queries(0), c.queries) << c.what;
        ASSERT_EQ(got.has_value(), c.answered) << c.what;
        if (!got) {
            EXPECT_GE(took, 3 * timing.passEndWaitMs - 5) << c.what << ": each query waited for";
            continue;
        }
        EXPECT_EQ(got->bytes, answer) << c.what;
        EXPECT_LE(ElapsedMs(got->receiveTime, got->sendTime), 100u) << c.what;
        EXPECT_GE(ElapsedMs(got->sendTime, start), (c.queries - 1) * timing.passEndWaitMs)
            << c.what << ": the ping runs from the query answered";
    }
}

TEST(ServerQuery, ALaterAnswerReplacesEveryFieldButTheRefreshsCount) {
    ServerRecord record{};
    record.address = LoopbackAddress();
    record.port = 27960;
    record.attempts = 2;
    record.responded = 1;
    ParseStatusAnswer(StatusAnswer()
                          .Info("sv_hostname", "Old")
                          .Info("mapname", "dm1")
                          .Player(1, 5, "a")
                          .Player(2, 6, "b")
                          .Build(),
                      record, 0);
    const ServerAnswer later{StatusAnswer().Info("sv_hostname", "New").Player(3, 0, "c").Build(),
                             5000, 5042};
    ApplyServerAnswer(record, later);
    EXPECT_EQ(std::u16string(record.hostName), u"New");
    EXPECT_EQ(std::u16string(record.mapName), u"?") << "a key the later answer lacks";
    EXPECT_EQ(record.playerCount, 1);
    EXPECT_EQ(std::u16string(record.players[0].name), u"c");
    EXPECT_EQ(std::u16string(record.players[1].name), u"") << "no player of the earlier answer";
    EXPECT_EQ(record.ping, 42u);
    EXPECT_EQ(record.sendTime, 5000u);
    EXPECT_EQ(record.responded, 1);
    EXPECT_EQ(record.attempts, 2);
    EXPECT_EQ(record.address, LoopbackAddress());
    EXPECT_EQ(record.port, 27960);
}

}  // namespace
}  // namespace skelvane
