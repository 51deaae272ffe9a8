#include "engine/server_query.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::FakeServers;

TEST(ServerQuery, AsksUpToThreeTimesAndTakesOnlyTheServersOwnAnswer) {
    const test::Bytes answer = test::StatusAnswer("\\sv_hostname\\One");
    FakeServers::Behaviour onSecond{answer};
    onSecond.answerQuery = 2;
    FakeServers::Behaviour otherPort{answer};
    otherPort.fromOtherPort = true;
    const struct {
        const char* what;
        FakeServers::Behaviour behaviour;
        bool answered;
        int queries;
    } cases[] = {
        {"answers at once", {answer}, true, 1},
        {"answers the second query", onSecond, true, 2},
        {"never answers", {}, false, 3},
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

}  // namespace
}  // namespace skelvane
