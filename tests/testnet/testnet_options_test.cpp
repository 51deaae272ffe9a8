#include "testnet/testnet_options.h"

#include <gtest/gtest.h>

#include "testnet/loopback_address.h"
#include "testnet/server_knobs.h"
#include "testnet/server_list_file.h"

namespace skelvane {
namespace {

ServerBehaviour Apply(const std::string& text) {
    const Result<std::vector<Knob>> knobs = ParseKnobs(text);
    EXPECT_TRUE(knobs) << knobs.Why();
    KnobAssignment assignment{KnobAssignment::Target::kIndex, 0,
                              knobs ? *knobs : std::vector<Knob>{}};
    return PlanServers(Mix::kPlain, 1, 1, {&assignment, 1})[0].behaviour;
}

// The listing describes each server in the knob language, so a line can be
// fed back to --knobs to get the same server.
TEST(TestnetKnobs, DescriptionsReadBackAsTheSameBehaviour) {
    for (const std::string text :
         {"latency=250,loss=30,answer-on=2,duplicate,other-port,silent,hostile=garbage",
          "hostile=exactly-4096", "loss=100", "latency=60000"}) {
        const ServerBehaviour behaviour = Apply(text);
        EXPECT_EQ(DescribeBehaviour(behaviour), text);
        EXPECT_EQ(Apply(DescribeBehaviour(behaviour)), behaviour);
    }
    EXPECT_EQ(DescribeBehaviour(ServerBehaviour{}), "plain");
    EXPECT_EQ(Apply("silent,plain,duplicate"), Apply("duplicate"));
}

TEST(TestnetKnobs, RefusesWhatItCannotMean) {
    for (const char* text : {"", "latency", "latency=", "loss=101", "answer-on=0", "players=65",
                             "duplicate=1", "hostile=nasty", "bogus", "latency=5,,loss=1",
                             "latency=-5", "latency=99999999999999999999"}) {
        const Result<std::vector<Knob>> knobs = ParseKnobs(text);
        EXPECT_FALSE(knobs) << text;
        EXPECT_FALSE(knobs.Why().empty()) << text;
    }
}

TEST(TestnetAnswerPolicy, LossFollowsTheSeedAndKeepsItsShare) {
    ServerBehaviour lossy;
    lossy.lossPercent = 30;
    int lost = 0, sameAgain = 0, sameOtherSeed = 0;
    for (std::uint32_t query = 1; query <= 10000; ++query) {
        const bool isLost = PlanAnswer(lossy, 5, 3, query).decision == AnswerDecision::kLost;
        lost += isLost;
        sameAgain += isLost == (PlanAnswer(lossy, 5, 3, query).decision == AnswerDecision::kLost);
        sameOtherSeed +=
            isLost == (PlanAnswer(lossy, 6, 3, query).decision == AnswerDecision::kLost);
    }
    EXPECT_GT(lost, 2700);
    EXPECT_LT(lost, 3300);
    EXPECT_EQ(sameAgain, 10000);
    EXPECT_LT(sameOtherSeed, 9000);
}

TEST(TestnetAnswerPolicy, OnlyTheNamedQueryOrRequestIsAnswered) {
    ServerBehaviour third;
    third.answerOnQuery = 3;
    ServerBehaviour silent;
    silent.silent = true;
    MasterBehaviour second;
    second.answerOnRequest = 2;
    MasterBehaviour silentMaster;
    silentMaster.silent = true;
    for (std::uint32_t n = 1; n <= 5; ++n) {
        EXPECT_EQ(PlanAnswer(third, 1, 0, n).decision == AnswerDecision::kAnswer, n == 3);
        EXPECT_NE(PlanAnswer(silent, 1, 0, n).decision, AnswerDecision::kAnswer);
        EXPECT_EQ(ShouldAnswerMasterRequest(second, n), n == 2);
        EXPECT_FALSE(ShouldAnswerMasterRequest(silentMaster, n));
        EXPECT_TRUE(ShouldAnswerMasterRequest(MasterBehaviour{}, n));
    }
}

Result<TestnetOptions> Parse(std::vector<std::string> args) {
    return ParseTestnetOptions(args);
}

TEST(TestnetOptions, MasterPortIsFixedByDefaultOrPickedWhenZero) {
    const auto defaults = Parse({});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->master, (Ipv4Endpoint{LoopbackAddress(), 30710}));
    EXPECT_EQ(defaults->ServerCount(), 40u);

    const auto picked = Parse({"--master-port", "0", "--master-address", "127.1.2.3"});
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->master, (Ipv4Endpoint{LoopbackAddress(1, 2, 3), 0}));
}

TEST(TestnetOptions, ListedFileReplacesTheGeneratedServersUnlessAskedFor) {
    EXPECT_EQ(Parse({"--master-entries", "x"})->ServerCount(), 0u);
    EXPECT_EQ(Parse({"--master-entries", "x", "--servers", "5"})->ServerCount(), 5u);
    EXPECT_EQ(Parse({"--mix", "plain"})->ServerCount(), 100u);
}

// Nothing on the command line can point the network, or a browser reading
// its master, off this machine.
TEST(TestnetOptions, RefusesAddressesOutsideLoopbackAndImpossibleNetworks) {
    const std::vector<std::vector<std::string>> refused = {
        {"--master-address", "10.0.0.1"},
        {"--address", "localhost"},
        {"--address", "127.0.0.256"},
        {"--address", "127.0.0"},
        {"--address", "127.255.255.250", "--spread", "10"},
        {"--servers", "10", "--server-port", "65530"},
        {"--servers", "3", "--knobs", "3:silent"},
        {"--share", "101:silent"},
        {"--knobs", "0"},
        {"--master-malformed", "short,odd"},
        {"--master-split", "0"},
        {"--mix", "fancy"},
        {"--seed"},
        {"--unknown"},
    };
    for (const auto& args : refused) {
        const auto parsed = Parse(args);
        EXPECT_FALSE(parsed) << args[0];
        EXPECT_FALSE(parsed.Why().empty()) << args[0];
    }
    const auto spread = Parse({"--address", "127.0.0.250", "--spread", "10"});
    ASSERT_TRUE(spread);
    EXPECT_EQ(SpreadAddress(spread->serverAddress, 10, 19), LoopbackAddress(0, 1, 3));
}

TEST(TestnetListFile, ReadsLoopbackEntriesAndNamesTheBadLine) {
    const auto servers =
        ParseServerListFile("# listed\n127.0.0.1:27960\r\n\n  127.0.0.2:1  \n127.9.8.7:65535");
    ASSERT_TRUE(servers) << servers.Why();
    EXPECT_EQ(*servers, (std::vector<Ipv4Endpoint>{{LoopbackAddress(), 27960},
                                                   {LoopbackAddress(0, 0, 2), 1},
                                                   {LoopbackAddress(9, 8, 7), 65535}}));

    for (const char* bad : {"192.168.1.1:27960", "127.0.0.1", "127.0.0.1:0", "127.0.0.1:65536",
                            "127.0.0.01:5", "host.example:27960", "127.0.0.1:5 extra"}) {
        const std::string text = std::string("127.0.0.1:1\n") + bad + "\n";
        const auto refused = ParseServerListFile(text);
        EXPECT_FALSE(refused) << bad;
        EXPECT_EQ(refused.Why().rfind("line 2:", 0), 0u) << refused.Why();
    }
}

}  // namespace
}  // namespace skelvane
