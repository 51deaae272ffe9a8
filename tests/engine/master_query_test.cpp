#include "engine/master_query.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/clock.h"
#include "tests/support/test_support.h"

namespace skelvane {
namespace {

using test::Bytes;
using test::FakeMaster;
using test::RecordingFrontEnd;

class MasterQueryTest : public ::testing::Test {
  protected:
    void Use(FakeMaster& master) { test::UseLocalMaster(engine, master.port(), ui); }

    // A table from an earlier refresh, to see whether a failure keeps it.
    void FillPreviousTable() {
        GrowTable(engine.table, 2);
        AppendServer(engine.table, 1, 1);
        AppendServer(engine.table, 2, 2);
    }

    RefreshState engine;
    RecordingFrontEnd ui;
};

TEST_F(MasterQueryTest, AnswerAtTheThirdAttemptShowsBothRetries) {
    FakeMaster master({{3}, {MasterDatagram().Entry(127, 0, 0, 1, 5).EndMarker().Build()}});
    Use(master);
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    EXPECT_EQ(master.Requests().size(), 3u);
    EXPECT_EQ(ui.Statuses(),
              (std::vector<std::u16string>{u"Resolving 127.0.0.1...", u"Querying 127.0.0.1...",
                                           u"Retrying 127.0.0.1 (attempt 1)...",
                                           u"Retrying 127.0.0.1 (attempt 2)..."}));
    EXPECT_EQ(engine.table.Count(), 1);
}

TEST_F(MasterQueryTest, NoAnswerKeepsThePreviousTable) {
    FakeMaster master({{99}, {}});
    Use(master);
    FillPreviousTable();
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kNoResponse);
    const auto statuses = ui.Statuses();
    ASSERT_GE(statuses.size(), 2u);
    EXPECT_EQ(statuses[statuses.size() - 2], u"Retrying 127.0.0.1 (attempt 3)...");
    EXPECT_EQ(statuses.back(), u"No response from 127.0.0.1.");
    EXPECT_EQ(engine.table.Count(), 2);
    EXPECT_EQ(ui.tableReplaced(), 0);
    EXPECT_EQ(master.AwaitRequests(3).size(), 3u);
}

TEST_F(MasterQueryTest, RequestFollowsTheFilterSettings) {
    FakeMaster master({{}, {MasterDatagram().EndMarker().Build()}});
    Use(master);
    engine.settings.showFull = 0;
    engine.settings.showEmpty = 1;
    RunMasterQuery(engine);
    ASSERT_EQ(master.Requests().size(), 1u);
    const auto request = master.Requests()[0];
    EXPECT_EQ(std::string(request.begin(), request.end()), "\xFF\xFF\xFF\xFFgetservers 69 empty");
}

TEST_F(MasterQueryTest, SplitAnswerIsReadWithTheGapsBetweenDatagrams) {
    FakeMaster master({{},
                       {MasterDatagram().Entry(127, 0, 0, 1, 1).Build(),
                        MasterDatagram().Entry(127, 0, 0, 2, 2).Entry(127, 0, 0, 1, 1).Build(),
                        MasterDatagram().Entry(127, 0, 0, 3, 3).EndMarker().Build()},
                       80});
    Use(master);
    const std::uint32_t start = MillisecondClock();
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
    EXPECT_EQ(engine.table.Count(), 3);
    EXPECT_EQ(engine.table[1].port, 2);
    EXPECT_EQ(ui.tableReplaced(), 1);
    // Two gaps of 80 ms, then the short wait after the end marker.
    EXPECT_GE(spent, 160u + engine.timing.masterGapAfterEndMs);
    EXPECT_LT(spent, 160u + engine.timing.masterGapMs + 400u);
}

TEST_F(MasterQueryTest, ALongListSentBackToBackArrivesWhole) {
    // A master sends its datagrams as fast as it can; the reader must not
    // lose any while it is busy with the one before.
    std::vector<Bytes> datagrams;
    for (int d = 0; d < 160; ++d) {
        MasterDatagram datagram;
        for (int e = 0; e < 100; ++e) {
            datagram.Entry(127, 1, static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(e),
                           static_cast<std::uint16_t>(1000 + e));
        }
        if (d == 159) {
            datagram.EndMarker();
        }
        datagrams.push_back(datagram.Build());
    }
    FakeMaster master({{}, datagrams});
    Use(master);
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    EXPECT_EQ(engine.table.Count(), 16000);
}

TEST_F(MasterQueryTest, DatagramsAfterTheEndMarkerAreStillRead) {
    FakeMaster master({{},
                       {MasterDatagram().Entry(127, 0, 0, 1, 1).EndMarker().Build(),
                        MasterDatagram().Entry(127, 0, 0, 2, 2).Build()},
                       20});
    Use(master);
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    EXPECT_EQ(engine.table.Count(), 2);
}

TEST_F(MasterQueryTest, UnresolvableNameFailsWithoutTouchingTheTable) {
    FakeMaster master({{}, {}});
    Use(master);
    FillPreviousTable();
    // A label longer than 63 characters is refused before any look-up is sent.
    engine.masters.front().hostName = std::string(70, 'x') + ".test";
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kResolveFailed);
    EXPECT_EQ(ui.LastStatus(), u"Couldn't resolve " + std::u16string(70, u'x') + u".test.");
    EXPECT_EQ(engine.table.Count(), 2);
}

TEST_F(MasterQueryTest, AbortBeforeTheFirstAnswerTakesEffectAfterTheNextSend) {
    FakeMaster master({{99}, {}});
    Use(master);
    FillPreviousTable();
    std::thread clicker([&] {
        SleepMs(engine.timing.masterAnswerWaitMs / 2);
        AbortRefresh(engine);
    });
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kQueryError);
    clicker.join();
    EXPECT_EQ(ui.LastStatus(), u"Error querying 127.0.0.1.");
    EXPECT_TRUE(ui.SawStatus(u"Retrying 127.0.0.1 (attempt 1)..."));
    EXPECT_EQ(master.AwaitRequests(2).size(), 2u);
    EXPECT_EQ(engine.table.Count(), 2);
}

TEST_F(MasterQueryTest, AbortDuringTheLastWaitEndsWithNoResponse) {
    FakeMaster master({{99}, {}});
    Use(master);
    std::thread clicker([&] {
        SleepMs(engine.timing.masterAnswerWaitMs * 5 / 2);
        AbortRefresh(engine);
    });
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kNoResponse);
    clicker.join();
    EXPECT_EQ(ui.LastStatus(), u"No response from 127.0.0.1.");
}

TEST_F(MasterQueryTest, AbortBetweenDatagramsKeepsWhatWasRead) {
    FakeMaster master({{},
                       {MasterDatagram().Entry(127, 0, 0, 1, 1).Build(),
                        MasterDatagram().Entry(127, 0, 0, 2, 2).Build()},
                       100});
    Use(master);
    FillPreviousTable();
    std::thread clicker([&] {
        SleepMs(50);
        AbortRefresh(engine);
    });
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kQueryError);
    clicker.join();
    EXPECT_EQ(ui.LastStatus(), u"Error querying 127.0.0.1.");
    EXPECT_EQ(ui.tableReplaced(), 1) << "the front end was told before the old table went";
    EXPECT_EQ(ui.handOvers(), 0);
    EXPECT_GE(engine.table.Count(), 1);
    EXPECT_EQ(engine.table[0].port, 1);
}

TEST_F(MasterQueryTest, DatagramsFromAnyoneButTheMasterAreNeitherReadNorWaitedFor) {
    FakeMaster master({{},
                       {MasterDatagram().Entry(127, 0, 0, 1, 1).Build(),
                        MasterDatagram().Entry(127, 0, 0, 2, 2).EndMarker().Build()},
                       50});
    Use(master);
    // From the request on, another sender lists a server of its own more often
    // than the master phase waits for the next datagram, for seconds.
    std::atomic<bool> stop{false};
    std::thread intruder([&] {
        UdpSocket socket = UdpSocket::Open();
        socket.Bind(Ipv4Endpoint{LoopbackAddress(0, 0, 3), 0});
        const Bytes listing = MasterDatagram().Entry(127, 0, 0, 9, 9).Build();
        master.AwaitRequests(1);
        const Ipv4Endpoint browser = master.Requesters().at(0);
        const std::uint32_t start = MillisecondClock();
        while (!stop && ElapsedMs(MillisecondClock(), start) < 4000) {
            socket.SendTo(listing, browser);
            SleepMs(engine.timing.masterGapAfterEndMs / 4);
        }
    });
    const std::uint32_t start = MillisecondClock();
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 1000u);
    stop = true;
    intruder.join();
    ASSERT_EQ(engine.table.Count(), 2);
    EXPECT_EQ(engine.table[0].port, 1);
    EXPECT_EQ(engine.table[1].port, 2);
}

TEST_F(MasterQueryTest, HostileDatagramsEndTheExchangeSafely) {
    FakeMaster master({{},
                       {{0xFF, 0xFF, 0xFF},
                        MasterDatagram().Entry(127, 0, 0, 1, 1).Raw({9, 9, 9}).Build(),
                        MasterDatagram().Raw({'\\', 'x'}).Build()},
                       10});
    Use(master);
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    EXPECT_EQ(engine.table.Count(), 1);
    EXPECT_LE(engine.table.Count(), engine.table.capacity);
}

// Masters are asked at once: their lists are merged in the masters' order,
// each server once, a failed master is named while the others' lists stand,
// and the phase lasts as long as its slowest master alone.
TEST_F(MasterQueryTest, SeveralMastersAreAskedAtOnceAndTheirListsMerged) {
    const Bytes first =
        MasterDatagram().Entry(127, 0, 0, 1, 1).Entry(127, 0, 0, 1, 2).EndMarker().Build();
    const Bytes second =
        MasterDatagram().Entry(127, 0, 0, 1, 2).Entry(127, 0, 0, 1, 3).EndMarker().Build();
    const Bytes unended = MasterDatagram().Entry(127, 0, 0, 1, 4).Build();
    FakeMaster a({{}, {first}});
    FakeMaster b({{}, {second}});
    FakeMaster c({{}, {unended}});
    FakeMaster silent({{99}, {}});
    FakeMaster silentToo({{99}, {}});
    const std::u16string noResponse = u"No response from 127.0.0.1.";
    struct Case {
        const char* what;
        std::vector<const FakeMaster*> masters;
        MasterOutcome outcome;
        bool listComplete;
        std::vector<std::uint16_t> table;
        std::u16string failures;
    };
    const Case cases[] = {
        {"two lists", {&a, &b}, MasterOutcome::kHandedOver, true, {1, 2, 3}, u""},
        {"one silent", {&silent, &b, &a}, MasterOutcome::kHandedOver, true, {2, 3, 1}, noResponse},
        {"one without its end", {&a, &c}, MasterOutcome::kHandedOver, false, {1, 2, 4}, u""},
        {"all silent",
         {&silent, &silentToo},
         MasterOutcome::kNoResponse,
         false,
         {7},
         noResponse + u" " + noResponse},
    };
    for (const Case& test : cases) {
        RecordingFrontEnd front;
        test::UseLocalMaster(engine, a.port(), front);
        engine.masters.clear();
        for (const FakeMaster* master : test.masters) {
            engine.masters.push_back(MasterServer{"127.0.0.1", master->port()});
        }
        ReplaceTable(engine.table);
        GrowTable(engine.table, 1);
        AppendServer(engine.table, LoopbackAddress(), 7);
        const std::uint32_t start = MillisecondClock();
        const MasterPhase phase = RunMasterQuery(engine);
        const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
        EXPECT_EQ(phase.outcome, test.outcome) << test.what;
        EXPECT_EQ(phase.listComplete, test.listComplete) << test.what;
        EXPECT_EQ(phase.failures, test.failures) << test.what;
        std::vector<std::uint16_t> ports;
        for (std::int32_t i = 0; i < engine.table.Count(); ++i) {
            ports.push_back(engine.table[i].port);
        }
        EXPECT_EQ(ports, test.table) << test.what;
        if (!test.failures.empty() && test.outcome != MasterOutcome::kHandedOver) {
            EXPECT_EQ(front.LastStatus(), test.failures) << test.what << ": all named at the end";
        }
        // A silent master's three waits, and not one more for each other master.
        const std::uint32_t silentAlone = 3 * engine.timing.masterAnswerWaitMs;
        EXPECT_LT(spent, silentAlone + engine.timing.masterAnswerWaitMs) << test.what;
    }
}

TEST(MasterQueryRealTiming, WaitsTwoSecondsBeforeTheRetry) {
    FakeMaster master({{2}, {MasterDatagram().EndMarker().Build()}});
    RefreshState engine;
    RecordingFrontEnd ui;
    test::UseLocalMaster(engine, master.port(), ui);
    engine.timing = RefreshTiming{};
    EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    const auto times = master.RequestTimes();
    ASSERT_EQ(times.size(), 2u);
    const std::uint32_t between = ElapsedMs(times[1], times[0]);
    EXPECT_GE(between, 1990u);
    EXPECT_LT(between, 2300u);
}

TEST(MasterQueryRealTiming, WaitsOneSecondAfterADatagramAndHalfASecondAfterTheMarker) {
    for (const bool marker : {false, true}) {
        MasterDatagram datagram;
        datagram.Entry(127, 0, 0, 1, 1);
        if (marker) {
            datagram.EndMarker();
        }
        FakeMaster master({{}, {datagram.Build()}});
        RefreshState engine;
        RecordingFrontEnd ui;
        test::UseLocalMaster(engine, master.port(), ui);
        engine.timing = RefreshTiming{};
        const std::uint32_t start = MillisecondClock();
        EXPECT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
        const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
        const std::uint32_t gap = marker ? 500u : 1000u;
        EXPECT_GE(spent, gap) << "marker " << marker;
        EXPECT_LT(spent, gap + 300) << "marker " << marker;
    }
}

}  // namespace
}  // namespace skelvane
