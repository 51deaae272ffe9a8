#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>

#include "engine/refresh_engine.h"
#include "platform/clock.h"
#include "tests/support/test_support.h"
#include "tests/support/wait_until.h"

namespace skelvane {
namespace {

using test::Bytes;
using test::FakeMaster;
using test::FakeServers;
using test::RecordingFrontEnd;

// A detached refresh is over once the front end has been told, as the last thing it does.
bool WaitForEndings(const RecordingFrontEnd& ui, int endings) {
    return test::WaitUntil([&] { return ui.refreshEnded() >= endings; }, 5000);
}

TEST(Refresh, RunsMasterQueryHandOverSweepAndEnding) {
    FakeServers servers(
        {{StatusAnswer().Info("sv_hostname", "A").Build(), {}}, FakeServers::Silent()});
    FakeMaster master({{}, {servers.MasterAnswer()}});
    auto engine = std::make_shared<RefreshState>();
    RecordingFrontEnd ui;
    test::UseLocalMaster(*engine, master.port(), ui);
    ASSERT_TRUE(StartRefresh(engine));
    EXPECT_FALSE(StartRefresh(engine)) << "only one refresh at a time";
    ASSERT_TRUE(WaitForEndings(ui, 1));
    EXPECT_FALSE(IsRefreshInProgress(*engine));
    EXPECT_EQ(ui.tableReplaced(), 1);
    EXPECT_EQ(ui.handOvers(), 1);
    EXPECT_EQ(ui.refreshEnded(), 1);
    EXPECT_TRUE(ui.SawStatus(u"Querying servers..."));
    EXPECT_EQ(ui.LastStatus(), u"Completed. 1 of 2 servers responded.");
    const auto statuses = ui.Statuses();
    EXPECT_EQ(statuses.front(), u"Resolving 127.0.0.1...");
}

TEST(Refresh, EveryFailureEndsReadyForTheNextRefresh) {
    FakeMaster silent({{999}, {}});
    RefreshState engine;
    RecordingFrontEnd ui;
    test::UseLocalMaster(engine, silent.port(), ui);
    AbortRefresh(engine);
    const RefreshResult result = test::RunRefreshNow(engine);
    EXPECT_EQ(result.master, MasterOutcome::kQueryError);
    EXPECT_EQ(ui.refreshEnded(), 1);
    EXPECT_FALSE(IsRefreshInProgress(engine));
    EXPECT_FALSE(engine.abortEvent.Poll()) << "the abort does not carry into the next refresh";

    FakeMaster answering({{}, {MasterDatagram().EndMarker().Build()}});
    engine.masters.front().port = answering.port();
    const RefreshResult next = test::RunRefreshNow(engine);
    EXPECT_EQ(next.master, MasterOutcome::kHandedOver);
    EXPECT_EQ(next.sweep, SweepOutcome::kCompleted);
    EXPECT_EQ(ui.LastStatus(), u"Completed. 0 of 0 servers responded.");
}

struct Restart {
    std::shared_ptr<RefreshState> engine;
    std::atomic<bool> clicked{false};
    bool started = false;
    bool runningBefore = true;
};

TEST(Refresh, AClickWhileTheRefreshEndsStartsANewOne) {
    // The front end restores its controls last; by then the engine is idle, so a
    // click handled right there starts a refresh instead of aborting a dead one.
    FakeMaster master({{}, {MasterDatagram().EndMarker().Build()}});
    auto engine = std::make_shared<RefreshState>();
    RecordingFrontEnd ui;
    test::UseLocalMaster(*engine, master.port(), ui);
    Restart restart{engine};
    ui.onRefreshEnded = [&restart] {
        if (restart.clicked.exchange(true)) {
            return;
        }
        restart.runningBefore = IsRefreshInProgress(*restart.engine);
        restart.started = StartRefresh(restart.engine);
    };
    test::RunRefreshNow(*engine);
    ASSERT_TRUE(WaitForEndings(ui, 2));
    EXPECT_FALSE(restart.runningBefore);
    EXPECT_TRUE(restart.started);
    EXPECT_EQ(ui.refreshEnded(), 2);
    EXPECT_EQ(ui.handOvers(), 2);
}

std::size_t OpenDescriptors() {
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

// Takes away, for a while, what a sweep needs to set up: new file descriptors
// (for its events and socket) or new threads (for its receiver).
class Scarcity {
  public:
    enum class Kind { kDescriptors, kThreads };
    explicit Scarcity(Kind kind) : kind_(kind) {}

    void Impose() {
        if (kind_ == Kind::kDescriptors) {
            getrlimit(RLIMIT_NOFILE, &savedFiles_);
            const int lowestFree = open("/dev/null", O_RDONLY | O_CLOEXEC);
            close(lowestFree);
            rlimit none = savedFiles_;
            none.rlim_cur = static_cast<rlim_t>(lowestFree);
            setrlimit(RLIMIT_NOFILE, &none);
        } else {
            // No thread gets a stack larger than the address space.
            pthread_getattr_default_np(&savedThreads_);
            pthread_attr_t huge;
            pthread_attr_init(&huge);
            pthread_attr_setstacksize(&huge, std::numeric_limits<std::size_t>::max() / 4);
            pthread_setattr_default_np(&huge);
            pthread_attr_destroy(&huge);
        }
    }

    void Lift() {
        if (kind_ == Kind::kDescriptors) {
            setrlimit(RLIMIT_NOFILE, &savedFiles_);
        } else {
            pthread_setattr_default_np(&savedThreads_);
            pthread_attr_destroy(&savedThreads_);
        }
    }

  private:
    Kind kind_;
    rlimit savedFiles_{};
    pthread_attr_t savedThreads_{};
};

TEST(Refresh, ASweepThatCannotSetUpSendsNothingAndLeavesTheHandOverText) {
    for (const Scarcity::Kind kind : {Scarcity::Kind::kDescriptors, Scarcity::Kind::kThreads}) {
        SCOPED_TRACE(kind == Scarcity::Kind::kDescriptors ? "no descriptors" : "no threads");
        FakeServers servers({{StatusAnswer().Info("sv_hostname", "A").Build(), {}}});
        FakeMaster master({{}, {servers.MasterAnswer()}});
        RefreshState engine;
        RecordingFrontEnd ui;
        test::UseLocalMaster(engine, master.port(), ui);
        Scarcity scarcity(kind);
        std::size_t descriptorsBefore = 0;
        ui.onHandOver = [&] {
            descriptorsBefore = OpenDescriptors();
            scarcity.Impose();
        };
        ui.onRefreshEnded = [&scarcity] { scarcity.Lift(); };
        const RefreshResult result = test::RunRefreshNow(engine);
        EXPECT_EQ(result.master, MasterOutcome::kHandedOver);
        EXPECT_EQ(result.sweep, SweepOutcome::kSetupFailed);
        EXPECT_EQ(ui.LastStatus(), u"Querying servers...");
        EXPECT_EQ(ui.refreshEnded(), 1);
        EXPECT_FALSE(IsRefreshInProgress(engine));
        EXPECT_EQ(servers.Queries(0), 0);
        EXPECT_EQ(OpenDescriptors(), descriptorsBefore) << "what the sweep had set up is released";
    }
}

TEST(Refresh, AFrontEndThatGoesMidSweepReleasesNothingTheRefreshStillUses) {
    // A front end that closes lets go of the engine and of its own hooks while
    // the sweep still waits on silent servers; the worker holds both until it
    // has ended, so nothing is released under a refresh thread.
    FakeServers servers(std::vector<FakeServers::Behaviour>(3, FakeServers::Silent()));
    FakeMaster master({{}, {servers.MasterAnswer()}});
    auto engine = std::make_shared<RefreshState>();
    auto ui = std::make_shared<RecordingFrontEnd>();
    test::UseLocalMaster(*engine, master.port(), *ui);
    engine->frontEnd = ui;
    const std::weak_ptr<RefreshState> engineLeft = engine;
    const std::weak_ptr<RecordingFrontEnd> uiLeft = ui;
    ASSERT_TRUE(StartRefresh(engine));
    ASSERT_TRUE(test::WaitUntil([&] { return ui->SawStatus(u"Querying servers..."); }, 5000));
    engine.reset();
    ui.reset();
    EXPECT_FALSE(engineLeft.expired()) << "the sweep lost its engine";
    EXPECT_TRUE(test::WaitUntil([&] { return engineLeft.expired(); }, 10000))
        << "the worker never let go of the engine";
    EXPECT_TRUE(uiLeft.expired());
}

TEST(Refresh, SweepsGivenServersWithTheMastersListOrAFallbackInsteadOfIt) {
    FakeServers servers(std::vector<FakeServers::Behaviour>(
        3, {StatusAnswer().Info("sv_hostname", "S").Build(), {}}));
    const auto listing = [&](bool endMarker) {
        MasterDatagram datagram;
        datagram.Entry(127, 0, 0, 1, servers.port(0)).Entry(127, 0, 0, 1, servers.port(1));
        return (endMarker ? datagram.EndMarker() : datagram).Build();
    };
    FakeMaster lists({{}, {listing(true)}});
    FakeMaster unended({{}, {listing(false)}});
    FakeMaster silent({{999}, {}});
    struct Case {
        const char* what;
        bool askMaster;
        const FakeMaster* master;
        std::vector<std::size_t> given, fallback;
        bool abort;
        SweptList swept;
        std::vector<std::size_t> table;
        // The list handed over for keeping, if any.
        std::optional<std::vector<std::size_t>> kept;
    };
    using enum SweptList;
    const Case cases[] = {
        {"master and given, once each",
         true,
         &lists,
         {1, 2},
         {},
         false,
         kMaster,
         {0, 1, 2},
         std::vector<std::size_t>{0, 1}},
        {"master without its end", true, &unended, {2}, {}, false, kMaster, {0, 1, 2}, {}},
        {"given alone, once each", false, &silent, {2, 2, 0}, {}, false, kGiven, {2, 0}, {}},
        {"fallback, master silent", true, &silent, {2}, {0, 1}, false, kFallback, {0, 1, 2}, {}},
        {"given, master silent", true, &silent, {1}, {}, false, kGiven, {1}, {}},
        {"nothing, master silent", true, &silent, {}, {}, false, kNone, {}, {}},
        {"nothing after an abort", true, &silent, {1}, {0}, true, kNone, {}, {}},
    };
    const auto endpoints = [&](const std::vector<std::size_t>& indices) {
        std::vector<Ipv4Endpoint> list;
        for (std::size_t i : indices) {
            list.push_back(Ipv4Endpoint{LoopbackAddress(), servers.port(i)});
        }
        return list;
    };
    for (const auto& c : cases) {
        RefreshState engine;
        RecordingFrontEnd ui;
        test::UseLocalMaster(engine, c.master->port(), ui);
        engine.settings.packetsPerSecond = 1000;
        engine.sources.askMaster = c.askMaster;
        engine.sources.given = endpoints(c.given);
        std::vector<std::u16string> failures;
        engine.sources.fallback = [&](std::u16string_view failure) -> std::optional<FallbackList> {
            failures.emplace_back(failure);
            return c.fallback.empty()
                       ? std::nullopt
                       : std::optional(FallbackList{endpoints(c.fallback), u"Falling back."});
        };
        std::optional<std::vector<Ipv4Endpoint>> kept;
        engine.sources.keepMasterList = [&](std::span<const Ipv4Endpoint> list) {
            kept.emplace(list.begin(), list.end());
        };
        if (c.abort) {
            AbortRefresh(engine);
        }
        const RefreshResult result = test::RunRefreshNow(engine);
        EXPECT_EQ(result.swept, c.swept) << c.what;
        std::vector<Ipv4Endpoint> table;
        for (std::int32_t i = 0; i < engine.table.Count(); ++i) {
            table.push_back(Ipv4Endpoint{engine.table[i].address, engine.table[i].port});
        }
        EXPECT_EQ(table, endpoints(c.table)) << c.what;
        EXPECT_EQ(kept, c.kept ? std::optional(endpoints(*c.kept)) : std::nullopt) << c.what;
        EXPECT_EQ(ui.handOvers(), c.swept == SweptList::kNone ? 0 : 1) << c.what;
        // The fallback's text stands where "Querying servers..." would.
        EXPECT_EQ(ui.SawStatus(u"Falling back."), c.swept == SweptList::kFallback) << c.what;
        EXPECT_EQ(ui.SawStatus(u"Querying servers..."),
                  c.swept != SweptList::kNone && c.swept != SweptList::kFallback)
            << c.what;
        const bool asked = c.master == &silent && c.askMaster && !c.abort;
        EXPECT_EQ(failures, asked ? std::vector<std::u16string>{u"No response from 127.0.0.1."}
                                  : std::vector<std::u16string>{})
            << c.what;
        EXPECT_EQ(result.responded, static_cast<std::int32_t>(c.table.size())) << c.what;
    }
}

}  // namespace
}  // namespace skelvane
