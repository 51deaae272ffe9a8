#include "engine/status_sweep.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/master_query.h"
#include "platform/clock.h"
#include "testnet/flooding_server.h"
#include "tests/support/test_support.h"
#include "tests/support/wait_until.h"

namespace skelvane {
namespace {

using test::Bytes;
using test::FakeMaster;
using test::FakeServers;
using test::RecordingFrontEnd;

const Bytes kAnswer = StatusAnswer().Info("sv_hostname", "Fort").Info("sv_maxclients", "8").Build();

FakeServers::Behaviour Answers() {
    return {kAnswer, {}};
}
FakeServers::Behaviour Silent() {
    return FakeServers::Silent();
}

// A sweep over the given servers, listed by a local master.
class StatusSweepTest : public ::testing::Test {
  protected:
    void List(FakeServers& servers, const std::vector<std::uint16_t>& portsFirst = {}) {
        master_ = std::make_unique<FakeMaster>(
            FakeMaster::Script{{}, {servers.MasterAnswer(portsFirst)}});
        test::UseLocalMaster(engine, master_->port(), ui);
        engine.settings.packetsPerSecond = 1000;
        ASSERT_EQ(RunMasterQuery(engine).outcome, MasterOutcome::kHandedOver);
    }

    void AbortAfter(std::uint32_t ms) {
        clicker_ = std::thread([this, ms] {
            SleepMs(ms);
            AbortRefresh(engine);
        });
    }

    int Count(const std::u16string& text) const {
        int n = 0;
        for (const auto& status : ui.Statuses()) {
            n += status == text ? 1 : 0;
        }
        return n;
    }

    std::u16string Queried(const FakeServers& servers, std::size_t i, int attempt) const {
        const std::string port = std::to_string(servers.port(i));
        const std::u16string port16(port.begin(), port.end());
        if (attempt == 1) {
            return u"Querying 127.0.0.1:" + port16 + u"...";
        }
        return u"Retrying 127.0.0.1:" + port16 + u" (attempt " +
               std::u16string(1, static_cast<char16_t>(u'0' + attempt)) + u")...";
    }

    void TearDown() override {
        if (clicker_.joinable()) {
            clicker_.join();
        }
    }

    RefreshState engine;
    RecordingFrontEnd ui;

  private:
    std::unique_ptr<FakeMaster> master_;
    std::thread clicker_;
};

TEST_F(StatusSweepTest, EmptyTableCompletesAtOnceWithoutSending) {
    FakeServers servers({});
    List(servers);
    const std::uint32_t start = MillisecondClock();
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), engine.timing.passEndWaitMs);
    EXPECT_EQ(summary.outcome, SweepOutcome::kCompleted);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 0 of 0 servers responded.");
}

TEST_F(StatusSweepTest, EveryServerAnsweringInPassOneEndsWithoutTheWait) {
    FakeServers servers({Answers(), Answers(), Answers(), Answers()});
    List(servers);
    const std::uint32_t start = MillisecondClock();
    const SweepSummary summary = StatusSweep(engine);
    const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 4 of 4 servers responded.");
    EXPECT_EQ(summary.responded, 4);
    EXPECT_LT(spent, engine.timing.passEndWaitMs) << "the wait after the pass was skipped";
    for (std::size_t i = 0; i < servers.size(); ++i) {
        EXPECT_EQ(servers.Queries(i), 1);
        EXPECT_EQ(Count(Queried(servers, i, 1)), 1);
        EXPECT_EQ(engine.table[static_cast<std::int32_t>(i)].attempts, 1);
    }
    EXPECT_EQ(ui.Parsed().size(), 4u);
}

TEST_F(StatusSweepTest, SilentServerIsQueriedOncePerPassWithAttemptNumbers) {
    FakeServers servers({Answers(), Silent()});
    List(servers);
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_EQ(summary.outcome, SweepOutcome::kCompleted);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 2 servers responded.");
    EXPECT_EQ(servers.Queries(0), 1) << "an answered server is never queried again";
    EXPECT_EQ(servers.Queries(1), 3);
    EXPECT_EQ(Count(Queried(servers, 1, 1)), 1);
    EXPECT_EQ(Count(Queried(servers, 1, 2)), 1);
    EXPECT_EQ(Count(Queried(servers, 1, 3)), 1);
    EXPECT_EQ(engine.table[1].attempts, 3);
}

TEST_F(StatusSweepTest, LateAnswerIsMatchedToTheRetryAndPingRunsFromIt) {
    FakeServers::Behaviour second = Answers();
    second.knobs.answerOnQuery = 2;
    FakeServers servers({second});
    List(servers);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 1 servers responded.");
    EXPECT_EQ(servers.Queries(0), 2);
    // The ping runs from the second query, so it is far below the time the
    // server was first queried.
    EXPECT_LT(engine.table[0].ping, engine.timing.passEndWaitMs);
}

TEST_F(StatusSweepTest, AnswerDuringTheLastGraceWaitIsCounted) {
    FakeServers::Behaviour third = Answers();
    third.knobs.answerOnQuery = 3;
    third.knobs.latencyMs = 60;
    FakeServers servers({third});
    List(servers);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 1 servers responded.");
}

TEST_F(StatusSweepTest, AnswersFromAnotherPortOrRepeatedChangeNothing) {
    FakeServers::Behaviour elsewhere = Answers();
    elsewhere.knobs.otherPort = true;
    FakeServers::Behaviour twice = Answers();
    twice.knobs.duplicate = true;
    FakeServers servers({elsewhere, twice});
    List(servers);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 2 servers responded.");
    EXPECT_EQ(engine.table[0].responded, 0);
    EXPECT_EQ(ui.Parsed(), std::vector<std::int32_t>{1}) << "parsed once, copies dropped";
}

// A neighbour floods the sweep's socket from another address, from the first
// query on and for far longer than the sweep needs.
class FloodedSweepTest : public StatusSweepTest {
  protected:
    void SetUp() override {
        servers_ = std::make_unique<FakeServers>(std::vector{Answers(), Silent()});
        List(*servers_, {flooding_.Endpoint().port});
    }
    void TearDown() override {
        EXPECT_GT(flooding_.JunkSent(), 0u);
        flooding_.Stop();
        StatusSweepTest::TearDown();
    }

    std::unique_ptr<FakeServers> servers_;

  private:
    FloodingServer flooding_{30000};
};

TEST_F(FloodedSweepTest, TheSweepEndsOnTime) {
    const std::uint32_t start = MillisecondClock();
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 3000u);
    EXPECT_EQ(summary.outcome, SweepOutcome::kCompleted);
    EXPECT_EQ(engine.table[2].attempts, 3) << "every pass ran";
}

TEST_F(FloodedSweepTest, AnAbortEndsTheSweepAtOnce) {
    engine.settings.packetsPerSecond = 1;
    AbortAfter(300);
    const std::uint32_t start = MillisecondClock();
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 300u + 700u);
    EXPECT_EQ(summary.outcome, SweepOutcome::kAborted);
}

// The receiver has read an answer and not yet taken the lock when the sweep
// ends: the answer gets its row, so it must be in the count, which is taken
// only once the receiver has stopped.
TEST_F(StatusSweepTest, AnswerReadWhileTheSweepEndsIsCountedIfItGetsARow) {
    FakeServers servers({Answers(), Silent()});
    List(servers);
    engine.settings.packetsPerSecond = 2;
    engine.answerRead = [this] {
        AbortRefresh(engine);
        SleepMs(200);
    };
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_EQ(ui.Parsed().size(), 1u);
    EXPECT_EQ(summary.responded, 1);
    EXPECT_EQ(ui.LastStatus(), u"Aborted. 1 of 2 servers responded.");
}

TEST_F(StatusSweepTest, DatagramsStillWaitingWhenTheSweepEndsAreCountedLate) {
    // A server answers three times at once. The first answer is parsed while
    // the two copies wait; the abort set during the parse ends the sweep
    // before the receiver gets to them.
    UdpSocket thrice = UdpSocket::Open();
    thrice.Bind(Ipv4Endpoint{LoopbackAddress(), 0});
    FakeServers servers({Silent()});
    List(servers, {thrice.LocalEndpoint()->port});
    engine.settings.packetsPerSecond = 1;
    std::thread answering([&thrice] {
        std::uint8_t query[64];
        const ReceiveResult got = thrice.WaitReadable(2000) == ReadyResult::kReadable
                                      ? thrice.ReceiveFrom(query)
                                      : ReceiveResult{};
        for (int copy = 0; copy < 3 && got.size > 0; ++copy) {
            thrice.SendTo(kAnswer, got.from);
        }
    });
    ui.onParsed = [this] {
        AbortRefresh(engine);
        SleepMs(300);
    };
    const SweepSummary summary = StatusSweep(engine);
    answering.join();
    EXPECT_EQ(summary.outcome, SweepOutcome::kAborted);
    EXPECT_EQ(engine.stats.answersMatched[0].load(), 1u);
    EXPECT_EQ(engine.stats.late.load(), 2u);
    EXPECT_EQ(engine.stats.duplicate.load(), 0u);
}

TEST_F(StatusSweepTest, EveryAnswerIsReportedWithItsPlayersEvenWhenItGetsNoRow) {
    const auto server = [](StatusAnswer answer) {
        return FakeServers::Behaviour{answer.Build(), {}};
    };
    FakeServers servers(
        {server(StatusAnswer().Info("sv_hostname", "^1Red^7Fort")),
         server(StatusAnswer().Info("sv_hostname", "One").Player(3, 40, "a")),
         server(StatusAnswer().Info("sv_hostname", "Two").Player(3, 40, "a").Player(3, 40, "a")),
         server(StatusAnswer().Info("mapname", "q"))});
    List(servers);
    ui.addsRows = false;
    StatusSweep(engine);
    EXPECT_TRUE(ui.SawStatus(u"Found 0 players on 'RedFort'"));
    EXPECT_TRUE(ui.SawStatus(u"Found 1 player on 'One'"));
    EXPECT_TRUE(ui.SawStatus(u"Found 2 players on 'Two'"));
    EXPECT_TRUE(ui.SawStatus(u"Found 0 players on '?'"));
    EXPECT_EQ(ui.LastStatus(), u"Completed. 4 of 4 servers responded.");
    EXPECT_EQ(ui.repaints(), 0);
}

TEST_F(StatusSweepTest, AFailedSendIsReportedAndRetriedInEveryPass) {
    // Nothing can be sent to port 0: the socket layer refuses it.
    UdpSocket probe = UdpSocket::Open();
    const SocketStatus refused = probe.SendTo(kAnswer, Ipv4Endpoint{LoopbackAddress(), 0});
    ASSERT_FALSE(refused.Ok());
    const std::string code = std::to_string(refused.systemCode);
    FakeServers servers({Answers()});
    List(servers, {0});
    StatusSweep(engine);
    EXPECT_EQ(Count(u"Can't send: error " + std::u16string(code.begin(), code.end())), 3);
    EXPECT_EQ(engine.table[0].attempts, 3);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 2 servers responded.");
}

TEST_F(StatusSweepTest, AbortDuringAPacingWaitEndsTheSweepAtOnce) {
    FakeServers servers({Answers(), Silent(), Silent(), Silent(), Silent()});
    List(servers);
    engine.settings.packetsPerSecond = 5;
    AbortAfter(300);
    const std::uint32_t start = MillisecondClock();
    const SweepSummary summary = StatusSweep(engine);
    EXPECT_LT(ElapsedMs(MillisecondClock(), start), 600u);
    EXPECT_EQ(summary.outcome, SweepOutcome::kAborted);
    EXPECT_EQ(ui.LastStatus(), u"Aborted. 1 of 5 servers responded.");
    EXPECT_EQ(servers.Queries(4), 0);
}

TEST_F(StatusSweepTest, AbortAfterAPassSendsExactlyOneMoreQuery) {
    FakeServers servers({Silent(), Silent(), Silent()});
    List(servers);
    engine.timing.passEndWaitMs = 400;
    AbortAfter(150);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Aborted. 0 of 3 servers responded.");
    EXPECT_EQ(Count(Queried(servers, 0, 2)), 1);
    EXPECT_EQ(Count(Queried(servers, 1, 2)), 0);
    EXPECT_EQ(engine.table[0].attempts, 2);
    EXPECT_EQ(engine.table[1].attempts, 1);
}

TEST_F(StatusSweepTest, AbortAlreadySetStillSendsTheFirstQuery) {
    FakeServers servers({Silent(), Silent()});
    List(servers);
    AbortRefresh(engine);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Aborted. 0 of 2 servers responded.");
    EXPECT_EQ(engine.table[0].attempts, 1);
    EXPECT_EQ(engine.table[1].attempts, 0);
}

TEST_F(StatusSweepTest, AbortSetOnAnEmptyTableSendsNothing) {
    FakeServers servers({});
    List(servers);
    AbortRefresh(engine);
    StatusSweep(engine);
    EXPECT_EQ(ui.LastStatus(), u"Aborted. 0 of 0 servers responded.");
}

TEST_F(StatusSweepTest, PacingFollowsTheRate) {
    FakeServers servers({Silent(), Silent(), Silent(), Silent(), Silent()});
    List(servers);
    engine.settings.packetsPerSecond = 10;
    engine.timing.sweepPasses = 1;
    const std::uint32_t start = MillisecondClock();
    StatusSweep(engine);
    const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
    // Five queries 100 ms apart, then the wait after the pass.
    EXPECT_GE(spent, 500u + engine.timing.passEndWaitMs - 5);
    EXPECT_LT(spent, 500u + engine.timing.passEndWaitMs + 300);
}

TEST_F(StatusSweepTest, RowsArePaintedOnlyAfterTheQuietStart) {
    FakeServers servers({Answers(), Answers(), Silent()});
    List(servers);
    engine.timing.repaintAfterMs = 60000;
    StatusSweep(engine);
    EXPECT_EQ(ui.repaints(), 1) << "only the finish paints the rows";

    RefreshState quiet;
    RecordingFrontEnd quietUi;
    FakeServers unlisted({Answers()});
    FakeMaster master({{}, {unlisted.MasterAnswer()}});
    test::UseLocalMaster(quiet, master.port(), quietUi);
    quietUi.addsRows = false;
    RunMasterQuery(quiet);
    StatusSweep(quiet);
    EXPECT_EQ(quietUi.repaints(), 0) << "no row was added, so nothing to paint";
}

// A table that was cut holds one server, which records what it is sent.
TEST(StatusSweep, SendsTheFifteenByteQueryAndSaysWhenTheListWasCut) {
    FakeMaster recorder({{999}, {}});
    RefreshState engine;
    RecordingFrontEnd ui;
    GrowTable(engine.table, 1);
    AppendServer(engine.table, LoopbackAddress(), recorder.port());
    AppendServer(engine.table, LoopbackAddress(), 9);
    test::UseFrontEnd(engine, ui);
    engine.timing = test::ShortTiming();
    engine.timing.sweepPasses = 1;
    StatusSweep(engine);
    const auto requests = recorder.AwaitRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    const Bytes expected = {0xFF, 0xFF, 0xFF, 0xFF, 'g', 'e',  't', 's',
                            't',  'a',  't',  'u',  's', 0x0A, 0x00};
    EXPECT_EQ(requests[0], expected);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 0 of 1 servers responded. The list was cut at 1.");
}

TEST(PacingInterval, IsTruncatedMillisecondsAndNeverFromABadRate) {
    EXPECT_EQ(PacingIntervalMs(10), 100u);
    EXPECT_EQ(PacingIntervalMs(3), 333u);
    EXPECT_EQ(PacingIntervalMs(7), 142u);
    EXPECT_EQ(PacingIntervalMs(1000), 1u);
    EXPECT_EQ(PacingIntervalMs(1001), 0u);
    EXPECT_EQ(PacingIntervalMs(1), 1000u);
    EXPECT_EQ(PacingIntervalMs(0), 100u);
    EXPECT_EQ(PacingIntervalMs(-5), 100u);
}

TEST_F(StatusSweepTest, RealTimingsSilentServerGetsThreePassesWithOneSecondWaits) {
    FakeServers servers({Silent()});
    List(servers);
    engine.timing = RefreshTiming{};
    const std::uint32_t start = MillisecondClock();
    StatusSweep(engine);
    const std::uint32_t spent = ElapsedMs(MillisecondClock(), start);
    EXPECT_GE(spent, 3000u);
    EXPECT_LT(spent, 3400u);
    EXPECT_EQ(servers.Queries(0), 3);
}

TEST_F(StatusSweepTest, RealTimingsNoRepaintInTheFirstQuarterSecond) {
    FakeServers servers({Answers(), Answers(), Answers(), Answers()});
    List(servers);
    engine.timing = RefreshTiming{};
    engine.settings.packetsPerSecond = 10;
    const std::uint32_t start = MillisecondClock();
    StatusSweep(engine);
    ASSERT_GE(ui.repaints(), 1);
    // Steps come every 100 ms and each adds a row: the first repaint is at the
    // first step after 250 ms.
    EXPECT_GE(ElapsedMs(ui.FirstRepaintTime(), start), 250u);
    EXPECT_LT(ElapsedMs(ui.FirstRepaintTime(), start), 600u);
}

}  // namespace
}  // namespace skelvane
